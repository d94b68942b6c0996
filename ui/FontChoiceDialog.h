#pragma once

#include "ButtonStateStyle.h"

#include <QDialog>

class PlatformServices;
class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

// Face, style, size, underline, strike-out and colour of a state's font in one small dialog,
// with a sample drawn as the buttons draw it, on the state's background colour. Fields the
// user does not touch come back as they went in, a face that is not installed included.
class FontChoiceDialog : public QDialog
{
    Q_OBJECT
public:
    // Colours are chosen through platform.
    FontChoiceDialog(const ButtonStateStyle& initial, PlatformServices& platform,
                     QWidget* parent = nullptr);

    ButtonStateStyle chosen() const;

    static constexpr int maxPointSize = 500;

private:
    void showColor();
    void showSample();

    ButtonStateStyle m_style;
    PlatformServices& m_platform;
    QFontComboBox* m_face;
    QComboBox* m_fontStyle;
    QSpinBox* m_size;
    QCheckBox* m_underline;
    QCheckBox* m_strikeOut;
    QPushButton* m_color;
    QLabel* m_sample;
};
