#pragma once

#include "BackgroundPictures.h"
#include "ButtonProject.h"
#include "ButtonRenderer.h"
#include "ButtonSizeTables.h"
#include "OptionSets.h"

#include <QCache>
#include <QImage>
#include <QList>
#include <QVector>

#include <memory>
#include <optional>

// Every caption drawn in each state the JavaScript option uses, exactly as the run writes it,
// and which captions their buttons cut. Drawings and measures are kept until invalidate().
class LivePreview
{
public:
    LivePreview(const ButtonProject& project, const BackgroundPictures& pictures,
                const OptionSets& options);
    ~LivePreview();

    // After any change of the project, the pictures or the options.
    void invalidate();

    QList<ButtonState> states() const;
    // One row per caption; one "Sample" row when there is none.
    int rowCount() const;
    QString caption(int row) const;
    // The row's buttons in the order of states(); a null image for one that cannot be made.
    // Scale 2 gives their double-size twins instead, as the run writes them for HiDPI screens.
    QList<QImage> buttons(int row, int scale = 1);
    // The row's button size (empty when it cannot be made) and whether any state cuts it.
    ButtonRenderer::Fit fit(int row);
    // The captions that some state's button cuts, in list order.
    QStringList cutCaptions();
    // The colour of the page the buttons stand on.
    QRgb pageColor() const { return 0xFF000000u | Colors::toRgb(m_project.pageColor); }

private:
    // Every row, as the list of cut captions needs them.
    void measure();
    ButtonRenderer::Fit measureRow(int row);

    const ButtonProject& m_project;
    const BackgroundPictures& m_pictures;
    // Its own size tables, so that it never disturbs a run's.
    ButtonSizeTables m_sizes;
    // Kept, so that fonts are made once per change.
    std::unique_ptr<ButtonRenderer> m_renderer;
    QVector<std::optional<ButtonRenderer::Fit>> m_fits;
    bool m_measured = false;
    QCache<int, QList<QImage>> m_drawn;
    // The twins' pictures, made when a twin is first asked for after a change.
    BackgroundPictures m_doubledPictures;
    bool m_doubled = false;
    std::unique_ptr<ButtonRenderer> m_twinRenderer;
    QCache<int, QList<QImage>> m_twins;
};
