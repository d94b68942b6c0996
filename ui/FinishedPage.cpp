#include "FinishedPage.h"

#include "WizardController.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
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
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(new QLabel(QStringLiteral("Files written to:"), body()));
    m_folder = pathField(QStringLiteral("edFinishedOutputDirectory"),
                         QStringLiteral("Files written to"), body());
    folderRow->addWidget(m_folder, 1);
    QPushButton* openFolder = button(QStringLiteral("Open Folder"), body());
    openFolder->setObjectName(QStringLiteral("btnOpenFolder"));
    folderRow->addWidget(openFolder);
    layout->addLayout(folderRow, 4, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(3, 1);

    connect(preview, &QPushButton::clicked, this, [this] { m_wizard.previewInBrowser(); });
    connect(viewCode, &QPushButton::clicked, this, &FinishedPage::viewCodeRequested);
    connect(openFolder, &QPushButton::clicked, this, [this] { m_wizard.openOutputFolder(); });
}

void FinishedPage::refresh()
{
    m_folder->setText(m_wizard.outputFolder());
    m_folder->setCursorPosition(0);
}
