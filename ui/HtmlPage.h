#pragma once

#include "WizardPage.h"

class RadioGroupBox;

// Page 14: how the sample page places the buttons.
class HtmlPage : public WizardPage
{
    Q_OBJECT
public:
    HtmlPage(WizardController& wizard, QWidget* parent = nullptr);

    void refresh() override;

private:
    RadioGroupBox* m_direction;
    RadioGroupBox* m_table;
};
