#pragma once

#include "WizardPage.h"

#include <QStringList>

class QLabel;
class RadioGroupBox;

// Page 15: what the generation does, and the image format the sample page shows.
class GeneratePage : public WizardPage
{
    Q_OBJECT
public:
    GeneratePage(WizardController& wizard, QWidget* parent = nullptr);

    void refresh() override;
    // The "More options…" dialog; its choices go to the wizard when accepted.
    void showMoreOptions();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showCutNote();

    RadioGroupBox* m_format;
    QLabel* m_cutNote;
    QStringList m_cutCaptions;
};
