#include "JavaScriptOptionsPage.h"

#include "RadioGroupBox.h"
#include "WizardController.h"

#include <QCheckBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

JavaScriptOptionsPage::JavaScriptOptionsPage(WizardController& wizard, QWidget* parent)
    : WizardPage(WizardController::JavaScriptOptions, wizard, parent)
{
    auto* layout = new QVBoxLayout(body());
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setSpacing(4);
    layout->addWidget(stepLine(QStringLiteral("4."),
                               QStringLiteral("Select the style of buttons ( and related "
                                              "JavaScript code ) to create."),
                               body()));
    m_options = new RadioGroupBox(radioGroupTexts<JavaScriptOption>(), body());
    m_options->setObjectName(QStringLiteral("rgJavascriptOptions"));
    layout->addWidget(m_options);
    layout->addWidget(subHeading(QStringLiteral("Select the Button Width Option."), body()));

    auto* widthLine = stepLine(QStringLiteral("5."), QString(), body());
    m_variableWidth = new QCheckBox(QStringLiteral("Check this box if you want to vary the button "
                                                   "width dependent on the caption width."),
                                    widthLine);
    m_variableWidth->setObjectName(QStringLiteral("cbNormalButtonVariableWidth"));
    m_variableWidth->setAccessibleName(m_variableWidth->text());
    static_cast<QBoxLayout*>(widthLine->layout())->insertWidget(1, m_variableWidth, 1);
    layout->addWidget(widthLine);
    layout->addWidget(wrappedLabel(QStringLiteral("Note: This option is really only useful if you "
                                                  "are placing buttons horizontally with no "
                                                  "indents."),
                                   body()));
    layout->addStretch(1);

    connect(m_options, &RadioGroupBox::picked, this,
            [this](int i) { m_wizard.set(&ButtonProject::javaScriptOption, JavaScriptOption(i)); });
    connect(m_variableWidth, &QCheckBox::toggled, this,
            [this](bool on) { m_wizard.set(&ButtonProject::variableWidth, on); });
}

void JavaScriptOptionsPage::refresh()
{
    m_options->setSelectedIndex(int(m_wizard.project().javaScriptOption));
    const QSignalBlocker blocker(m_variableWidth);
    m_variableWidth->setChecked(m_wizard.project().variableWidth);
}
