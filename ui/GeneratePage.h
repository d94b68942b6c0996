#pragma once

#include "WizardPage.h"

#include <QStringList>

class QLabel;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class RadioGroupBox;

// Page 15: what the generation does, and the image format the sample page shows. While the
// run goes on, its progress and Stop take the picture's place; a stopped run says so there.
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
    QWidget* runPanel();
    void setRunning(bool running);
    void showProgress(int done, int total);

    RadioGroupBox* m_format;
    QPushButton* m_more;
    QStackedWidget* m_pictureOrRun;
    QLabel* m_runText;
    QProgressBar* m_progress;
    QPushButton* m_stop;
    QLabel* m_cutNote;
    QStringList m_cutCaptions;
};
