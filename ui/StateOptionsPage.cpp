#include "StateOptionsPage.h"

#include "RadioGroupBox.h"
#include "StateBackgroundPage.h"
#include "WizardController.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

StateOptionsPage::StateOptionsPage(ButtonState state, WizardController& wizard, QWidget* parent)
    : WizardPage(StateBackgroundPage::pageIndex(state) + 1, wizard, parent), m_state(state)
{
    auto* layout = new QVBoxLayout(body());
    layout->setContentsMargins(4, 4, 4, 0);
    layout->addWidget(
        stepLine(stateStep(state, 'b'), QStringLiteral("Select some button styles"), body()));
    auto* groups = new QHBoxLayout;
    m_borders = new RadioGroupBox(radioGroupTexts<BorderEffect>(), body());
    m_borders->setObjectName(controlName("rg", state, "Borders"));
    m_press = new RadioGroupBox(radioGroupTexts<PressEffect>(), body());
    m_press->setObjectName(controlName("rg", state, "Press"));
    groups->addWidget(m_borders, 0, Qt::AlignTop);
    groups->addWidget(m_press, 0, Qt::AlignTop);
    groups->addStretch(1);
    layout->addLayout(groups);
    layout->addStretch(1);

    connect(m_borders, &RadioGroupBox::picked, this, [this](int i) {
        m_wizard.styles().set(m_state, &ButtonStateStyle::borderEffect, BorderEffect(i));
    });
    connect(m_press, &RadioGroupBox::picked, this, [this](int i) {
        m_wizard.styles().set(m_state, &ButtonStateStyle::pressEffect, PressEffect(i));
    });
}

void StateOptionsPage::refresh()
{
    const ButtonStateStyle& style = m_wizard.project().style(m_state);
    m_borders->setSelectedIndex(int(style.borderEffect));
    m_press->setSelectedIndex(int(style.pressEffect));
}
