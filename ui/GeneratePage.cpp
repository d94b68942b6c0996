#include "GeneratePage.h"

#include "MoreOptionsDialog.h"
#include "RadioGroupBox.h"
#include "WizardController.h"
#include "WizardTexts.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

GeneratePage::GeneratePage(WizardController& wizard, QWidget* parent)
    : WizardPage(WizardController::Generate, wizard, parent)
{
    auto* layout = new QGridLayout(body());
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setVerticalSpacing(4);
    layout->addWidget(stepLine(QStringLiteral("13."),
                               QStringLiteral("Press the [Next>>] button to generate  the image "
                                              "files and sample html file"),
                               body()),
                      0, 0, 1, 3);
    layout->addWidget(
        instructionMemo(QStringLiteral("MEM_GEN"), QStringLiteral("About generating"), body()), 1,
        0, 2, 1);
    layout->addWidget(stepLine(QStringLiteral("14."), QString(), body()), 1, 1, Qt::AlignTop);
    m_format = new RadioGroupBox(radioGroupTexts<ImageFileFormat>(), body());
    m_format->setObjectName(QStringLiteral("rgImageFileFormat"));
    layout->addWidget(m_format, 1, 2, Qt::AlignTop);
    layout->addWidget(picture(QStringLiteral("generate.png"), body()), 2, 1, 1, 2, Qt::AlignCenter);
    QPushButton* more = button(WizardTexts::moreOptionsButton, body());
    more->setObjectName(QStringLiteral("btnMoreOptions"));
    layout->addWidget(more, 3, 1, 1, 2, Qt::AlignRight);
    layout->setColumnStretch(0, 1);

    connect(more, &QPushButton::clicked, this, &GeneratePage::showMoreOptions);
    connect(m_format, &RadioGroupBox::picked, this,
            [this](int i) { m_wizard.set(&ButtonProject::imageFileFormat, ImageFileFormat(i)); });
}

void GeneratePage::showMoreOptions()
{
    MoreOptionsDialog dialog(m_wizard.project(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_wizard.set(&ButtonProject::smoothCaptions, dialog.smoothCaptions());
    m_wizard.set(&ButtonProject::hiDpiImages, dialog.hiDpiImages());
    m_wizard.set(&ButtonProject::keyboardRollovers, dialog.keyboardRollovers());
}

void GeneratePage::refresh()
{
    m_format->setSelectedIndex(int(m_wizard.project().imageFileFormat));
}
