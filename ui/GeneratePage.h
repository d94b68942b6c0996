#pragma once

#include "WizardPage.h"

class RadioGroupBox;

// Page 15: what the generation does, and the image format the sample page shows.
class GeneratePage : public WizardPage
{
    Q_OBJECT
public:
    GeneratePage(WizardController& wizard, QWidget* parent = nullptr);

    void refresh() override;

private:
    RadioGroupBox* m_format;
};
