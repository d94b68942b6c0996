#pragma once

#include "WizardPage.h"

#include <QElapsedTimer>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// Page 16: the end, with the generation's progress while it runs.
class FinishedPage : public WizardPage
{
    Q_OBJECT
public:
    FinishedPage(WizardController& wizard, QWidget* parent = nullptr);

    // A run shorter than this shows no progress.
    static constexpr int progressDelayMs = 500;

    void refresh() override;

signals:
    void viewCodeRequested();

private:
    void setRunning(bool running);
    void showProgress(int done, int total);

    QList<QWidget*> m_buttons;
    QLabel* m_progressText;
    QLineEdit* m_folder;
    QProgressBar* m_progress;
    QPushButton* m_stop;
    QElapsedTimer m_runTime;
};
