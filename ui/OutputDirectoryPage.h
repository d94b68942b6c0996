#pragma once

#include "WizardPage.h"

class QCheckBox;
class QLineEdit;
class TypedLengthValidator;

// Page 13: the output directory, the file name prefix and the captions as names.
class OutputDirectoryPage : public WizardPage
{
    Q_OBJECT
public:
    OutputDirectoryPage(WizardController& wizard, QWidget* parent = nullptr);

    void refresh() override;

private:
    QLineEdit* m_directory;
    QLineEdit* m_prefix;
    TypedLengthValidator* m_prefixLimit;
    QCheckBox* m_useCaptions;
};
