#pragma once

#include "WizardPage.h"

// Page 1: the instructions and the welcome picture.
class StartPage : public WizardPage
{
    Q_OBJECT
public:
    StartPage(WizardController& wizard, QWidget* parent = nullptr);
};
