#pragma once

#include "WizardPage.h"

class QCheckBox;
class QLabel;
class QPushButton;
class RadioGroupBox;
class SwatchLabel;

// Pages 6, 9 and 12: a state's font with its "Text Sample", the caption placement and the
// drop shadow.
class StateFontPage : public WizardPage
{
    Q_OBJECT
public:
    StateFontPage(ButtonState state, WizardController& wizard, QWidget* parent = nullptr);

    void refresh() override;

    QLabel* textSample() const { return m_sample; }

private:
    ButtonState m_state;
    QLabel* m_sample;
    RadioGroupBox* m_justification;
    RadioGroupBox* m_orientation;
    QCheckBox* m_shadow;
    QPushButton* m_shadowColorButton;
    SwatchLabel* m_shadowColor;
};
