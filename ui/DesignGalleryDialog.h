#pragma once

#include "TextOffsetOptions.h"

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QListWidget;

// "New from Design…": the gallery's designs as a grid of their own buttons, each on its page
// colour and named below, its description in the tooltip, the accessible description and the
// line under the grid. Arrow keys move, Enter or a double click chooses.
class DesignGalleryDialog : public QDialog
{
    Q_OBJECT
public:
    explicit DesignGalleryDialog(const TextOffsetOptions& offsets = TextOffsetOptions::defaults(),
                                 QWidget* parent = nullptr);

    // The name of the design chosen, as the gallery stores it; empty when none is.
    QString chosenDesign() const;
    QListWidget* designList() const { return m_list; }

    static inline const QString title = QStringLiteral("New from Design");

private:
    void showDescription();

    QListWidget* m_list;
    QLabel* m_description;
    QDialogButtonBox* m_buttons;
};
