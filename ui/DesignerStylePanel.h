#pragma once

#include "Enumerations.h"

#include <QWidget>

class DesignerController;
class QAbstractItemModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QListView;
class QPushButton;
class QSpinBox;
class SwatchLabel;

// Every style control of one button state on one tab: background, colours, the built-in
// pictures as thumbnails, an own picture, font, shadow, border, press, placement and, on the
// Normal tab, the button's size. Selected and Pressed have "Same as Normal".
class DesignerStylePanel : public QWidget
{
    Q_OBJECT
public:
    // backgrounds: the 100 built-in pictures, one row each, shared by the tabs.
    DesignerStylePanel(ButtonState state, DesignerController& designer,
                       QAbstractItemModel* backgrounds, QWidget* parent = nullptr);

    ButtonState state() const { return m_state; }
    void refresh();

    QComboBox* backgroundKind() const { return m_kind; }
    QListView* backgrounds() const { return m_backgrounds; }
    QPushButton* fontButton() const { return m_fontButton; }

    static QString stateName(ButtonState state);

private:
    QWidget* buildBackground();
    QWidget* buildText();
    QWidget* buildSize();
    // A colour's swatch and its button (and Off, for the gradient), in one row.
    QWidget* colourRow(const QString& what, SwatchLabel** swatch, QPushButton** choose,
                       QPushButton** off = nullptr);
    void chooseGradient();

    ButtonState m_state;
    DesignerController& m_designer;
    QComboBox* m_kind = nullptr;
    SwatchLabel* m_colour = nullptr;
    SwatchLabel* m_gradient = nullptr;
    QPushButton* m_gradientOff = nullptr;
    QListView* m_backgrounds = nullptr;
    QLabel* m_ownPicture = nullptr;
    QLabel* m_fontText = nullptr;
    QPushButton* m_fontButton = nullptr;
    QCheckBox* m_shadow = nullptr;
    SwatchLabel* m_shadowColour = nullptr;
    QComboBox* m_border = nullptr;
    QComboBox* m_press = nullptr;
    QComboBox* m_justification = nullptr;
    QComboBox* m_orientation = nullptr;
    QSpinBox* m_width = nullptr;
    QSpinBox* m_height = nullptr;
    QCheckBox* m_variableWidth = nullptr;
};
