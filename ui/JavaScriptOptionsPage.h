#pragma once

#include "WizardPage.h"

class QCheckBox;
class RadioGroupBox;

// Page 3: the JavaScript option and the variable width.
class JavaScriptOptionsPage : public WizardPage
{
    Q_OBJECT
public:
    JavaScriptOptionsPage(WizardController& wizard, QWidget* parent = nullptr);

    void refresh() override;

private:
    RadioGroupBox* m_options;
    QCheckBox* m_variableWidth;
};
