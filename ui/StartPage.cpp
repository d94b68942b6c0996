#include "StartPage.h"

#include "WizardController.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

StartPage::StartPage(WizardController& wizard, QWidget* parent)
    : WizardPage(WizardController::Start, wizard, parent)
{
    auto* layout = new QHBoxLayout(body());
    layout->setContentsMargins(4, 4, 4, 0);
    layout->addWidget(
        instructionMemo(QStringLiteral("MEM_INST"), QStringLiteral("Instructions"), body()), 3);

    auto* right = new QVBoxLayout;
    right->addWidget(
        stepLine(QStringLiteral("1."), QStringLiteral("Read the Instructions"), body()));
    right->addWidget(stepLine(
        QStringLiteral("2."),
        QStringLiteral("Click on the [Next >>]  button to start creating your new buttons"),
        body()));
    auto* help = new QLabel(QStringLiteral("Press F1 for help"), body());
    QFont bold = help->font();
    bold.setBold(true);
    help->setFont(bold);
    right->addWidget(help);
    right->addStretch(1);
    right->addWidget(picture(QStringLiteral("welcome.png"), body()), 0, Qt::AlignHCenter);
    layout->addLayout(right, 2);
}
