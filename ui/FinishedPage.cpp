#include "FinishedPage.h"

#include "WizardController.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

FinishedPage::FinishedPage(WizardController& wizard, QWidget* parent)
    : WizardPage(WizardController::Finished, wizard, parent)
{
    cancelButton()->setObjectName(QStringLiteral("btnFinishedClose"));
    auto* layout = new QGridLayout(body());
    layout->setContentsMargins(4, 4, 4, 0);
    layout->addWidget(stepLine(QStringLiteral("15."),
                               QStringLiteral("Click on the [Close] button to exit the program."),
                               body()),
                      0, 0, 1, 2);
    layout->addWidget(
        instructionMemo(QStringLiteral("MEM_FIN"), QStringLiteral("Finished"), body()), 1, 0, 3, 1);
    QPushButton* preview = button(QStringLiteral("Preview In Browser"), body());
    preview->setObjectName(QStringLiteral("btnPreview"));
    QPushButton* viewCode = button(QStringLiteral("View Javascript + HTML Code"), body());
    viewCode->setObjectName(QStringLiteral("btnViewCode"));
    layout->addWidget(preview, 1, 1);
    layout->addWidget(viewCode, 2, 1);
    m_progressText = new QLabel(body());
    m_progressText->setAccessibleName(QStringLiteral("Generation progress"));
    m_progress = new QProgressBar(body());
    m_progress->setAccessibleName(QStringLiteral("Images written"));
    m_stop = new QPushButton(QStringLiteral("Stop"), body());
    m_stop->setObjectName(QStringLiteral("btnStopGeneration"));
    m_stop->setAutoDefault(false);
    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(m_progressText);
    progressRow->addWidget(m_progress, 1);
    progressRow->addWidget(m_stop);
    layout->addLayout(progressRow, 4, 0, 1, 2);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(new QLabel(QStringLiteral("Files written to:"), body()));
    m_folder = pathField(QStringLiteral("edFinishedOutputDirectory"),
                         QStringLiteral("Files written to"), body());
    folderRow->addWidget(m_folder, 1);
    QPushButton* openFolder = button(QStringLiteral("Open Folder"), body());
    openFolder->setObjectName(QStringLiteral("btnOpenFolder"));
    folderRow->addWidget(openFolder);
    layout->addLayout(folderRow, 5, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(3, 1);
    // The row keeps its room while hidden, so showing it moves nothing.
    for (QWidget* w : {static_cast<QWidget*>(m_progressText), static_cast<QWidget*>(m_progress),
                       static_cast<QWidget*>(m_stop)}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
        w->hide();
    }

    m_buttons = {preview, viewCode, openFolder, previousButton(), cancelButton()};
    connect(preview, &QPushButton::clicked, this, [this] { m_wizard.previewInBrowser(); });
    connect(viewCode, &QPushButton::clicked, this, &FinishedPage::viewCodeRequested);
    connect(openFolder, &QPushButton::clicked, this, [this] { m_wizard.openOutputFolder(); });
    connect(&m_wizard.generation(), &GenerationJob::started, this, [this] { setRunning(true); });
    connect(&m_wizard.generation(), &GenerationJob::finished, this, [this] { setRunning(false); });
    connect(&m_wizard.generation(), &GenerationJob::progress, this, &FinishedPage::showProgress);
    connect(m_stop, &QPushButton::clicked, this, [this] {
        m_stop->setEnabled(false);
        m_wizard.generation().stop();
    });
}

void FinishedPage::setRunning(bool running)
{
    for (QWidget* w : m_buttons)
        w->setEnabled(!running);
    m_stop->setEnabled(running);
    if (running)
        m_runTime.start();
    else
        m_stop->hide();
    refresh();
}

void FinishedPage::refresh()
{
    m_folder->setText(m_wizard.outputFolder());
    m_folder->setCursorPosition(0);
}

void FinishedPage::showProgress(int done, int total)
{
    if (!m_runTime.isValid() || m_runTime.elapsed() < progressDelayMs)
        return;
    m_progressText->setText(QStringLiteral("Images done: %1 of %2").arg(done).arg(total));
    m_progress->setRange(0, total);
    m_progress->setValue(done);
    m_progressText->show();
    m_progress->show();
    m_stop->show();
}
