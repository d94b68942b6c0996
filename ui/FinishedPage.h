#pragma once

#include "WizardPage.h"

class QLineEdit;

// Page 16: the end, shown once a run has ended.
class FinishedPage : public WizardPage
{
    Q_OBJECT
public:
    FinishedPage(WizardController& wizard, QWidget* parent = nullptr);

    void refresh() override;

signals:
    void viewCodeRequested();

private:
    QLineEdit* m_folder;
};
