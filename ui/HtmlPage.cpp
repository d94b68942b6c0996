#include "HtmlPage.h"

#include "RadioGroupBox.h"
#include "WizardController.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

HtmlPage::HtmlPage(WizardController& wizard, QWidget* parent)
    : WizardPage(WizardController::Html, wizard, parent)
{
    auto* layout = new QVBoxLayout(body());
    layout->setContentsMargins(4, 4, 4, 0);
    layout->addWidget(stepLine(QStringLiteral("11."),
                               QStringLiteral("Do you want the buttons to be placed across the "
                                              "page or down the page?"),
                               body()));
    auto* groups = new QHBoxLayout;
    groups->setContentsMargins(36, 0, 0, 0);
    m_direction = new RadioGroupBox(radioGroupTexts<HtmlDirection>(), body());
    m_direction->setObjectName(QStringLiteral("rgHTMLDirection"));
    m_table = new RadioGroupBox(radioGroupTexts<HtmlTable>(), body());
    m_table->setObjectName(QStringLiteral("rgHTMLMakeTable"));
    groups->addWidget(m_direction, 0, Qt::AlignTop);
    groups->addWidget(m_table, 0, Qt::AlignTop);
    groups->addStretch(1);
    layout->addLayout(groups);
    layout->addWidget(
        stepLine(QStringLiteral("12."), QStringLiteral("HTML HREF page links"), body()));
    auto* explanation = wrappedLabel(
        QStringLiteral("The sample HTML page generated will automatically create link names based "
                       "on the text caption you specifiy for each button. For example, the caption "
                       "of \"Products and Services\" would generate a HREF name of "
                       "Products-and-Services.html."),
        body());
    explanation->setContentsMargins(36, 0, 0, 0);
    layout->addWidget(explanation);
    layout->addStretch(1);

    connect(m_direction, &RadioGroupBox::picked, this,
            [this](int i) { m_wizard.set(&ButtonProject::htmlDirection, HtmlDirection(i)); });
    connect(m_table, &RadioGroupBox::picked, this,
            [this](int i) { m_wizard.set(&ButtonProject::htmlTable, HtmlTable(i)); });
}

void HtmlPage::refresh()
{
    m_direction->setSelectedIndex(int(m_wizard.project().htmlDirection));
    m_table->setSelectedIndex(int(m_wizard.project().htmlTable));
}
