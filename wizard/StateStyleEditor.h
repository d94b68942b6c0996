#pragma once

#include "BackgroundPictures.h"
#include "ButtonProject.h"
#include "ButtonSize.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QObject>

class PlatformServices;

// The edit commands of the background, options and font pages of the three button states,
// and the background samples those pages show.
class StateStyleEditor : public QObject
{
    Q_OBJECT
public:
    // What the "Text Sample" of a font page shows.
    struct FontSample
    {
        QFont font;
        QColor textColor;
        QColor background;
    };

    StateStyleEditor(ButtonProject& project, BackgroundPictures& pictures,
                     PlatformServices& platform, QObject* parent = nullptr);

    // A plain choice of a state's style, as its radio group or check box makes it.
    template <typename T> void set(ButtonState state, T ButtonStateStyle::*field, T value)
    {
        m_project.style(state).*field = value;
        emit changed();
    }

    // Background pages.
    void setBackgroundKind(ButtonState state, BackgroundKind kind);
    bool chooseBackgroundColor(ButtonState state);
    void setPredefinedIndex(ButtonState state, int index);
    // The file dialog, decoding and size check; true when the picture was taken.
    bool chooseOwnImage(ButtonState state);
    void applySizeStep(ButtonSize::Step step);
    // The copy the 300 x 132 area shows, as last refreshed; null before the first refresh
    // and for an empty picture.
    QImage backgroundSample(ButtonState state) const;
    void refreshBackgroundSample(ButtonState state);
    void clearBackgroundSamples();
    // The picture of a state's predefined background, after its index changed.
    void reloadPredefined(ButtonState state);

    // Font pages.
    bool chooseFont(ButtonState state);
    bool chooseShadowColor(ButtonState state);
    FontSample fontSample(ButtonState state) const;

signals:
    void changed();
    void backgroundSampleChanged(ButtonState state);

private:
    ButtonProject& m_project;
    BackgroundPictures& m_pictures;
    PlatformServices& m_platform;
    QImage m_samples[3];
};
