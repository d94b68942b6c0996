#pragma once

#include "WizardPage.h"

class RadioGroupBox;

// Pages 5, 8 and 11: a state's border effect and simulated press.
class StateOptionsPage : public WizardPage
{
    Q_OBJECT
public:
    StateOptionsPage(ButtonState state, WizardController& wizard, QWidget* parent = nullptr);

    void refresh() override;

private:
    ButtonState m_state;
    RadioGroupBox* m_borders;
    RadioGroupBox* m_press;
};
