#include "StateFontPage.h"

#include "RadioGroupBox.h"
#include "StateBackgroundPage.h"
#include "SwatchLabel.h"
#include "WizardController.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

StateFontPage::StateFontPage(ButtonState state, WizardController& wizard, QWidget* parent)
    : WizardPage(StateBackgroundPage::pageIndex(state) + 2, wizard, parent), m_state(state)
{
    auto* layout = new QVBoxLayout(body());
    layout->setContentsMargins(4, 2, 4, 0);
    layout->setSpacing(3);

    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(stepLine(stateStep(state, 'c'), QString(), body()), 0);
    QPushButton* fontButton = button(QStringLiteral("Select Font..."), body());
    fontRow->addWidget(fontButton, 0, Qt::AlignVCenter);
    m_sample = new QLabel(QStringLiteral("Text Sample"), body());
    m_sample->setObjectName(controlName("lbl", state, "PickFontSample"));
    m_sample->setAccessibleName(QStringLiteral("Text Sample"));
    m_sample->setFixedSize(257, 41);
    m_sample->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_sample->setAutoFillBackground(true);
    m_sample->setTextFormat(Qt::PlainText);
    fontRow->addWidget(m_sample);
    fontRow->addStretch(1);
    layout->addLayout(fontRow);

    layout->addWidget(stepLine(stateStep(state, 'd'),
                               QStringLiteral("Select where the captions should be positioned on "
                                              "the button"),
                               body()));
    auto* placement = new QHBoxLayout;
    placement->setContentsMargins(36, 0, 0, 0);
    m_justification = new RadioGroupBox(radioGroupTexts<TextJustification>(), body());
    m_justification->setObjectName(controlName("rg", state, "TextJustification"));
    m_orientation = new RadioGroupBox(radioGroupTexts<TextOrientation>(), body());
    m_orientation->setObjectName(controlName("rg", state, "TextOrientation"));
    placement->addWidget(m_justification, 0, Qt::AlignTop);
    placement->addWidget(m_orientation, 0, Qt::AlignTop);
    placement->addStretch(1);
    layout->addLayout(placement);

    auto* shadowRow = new QHBoxLayout;
    shadowRow->addWidget(stepLine(stateStep(state, 'e'), QString(), body()), 0);
    m_shadow = new QCheckBox(
        QStringLiteral("Check this box if you want a text drop shadow on the button captions"),
        body());
    m_shadow->setObjectName(controlName("cb", state, "PickFontDropShadow"));
    m_shadow->setAccessibleName(m_shadow->text());
    shadowRow->addWidget(m_shadow);
    m_shadowColorButton = button(QStringLiteral("Shadow Color..."), body());
    shadowRow->addWidget(m_shadowColorButton);
    m_shadowColor = new SwatchLabel(QStringLiteral("Shadow color"), body());
    m_shadowColor->setObjectName(controlName("lbl", state, "PickFontDropShadowColor"));
    shadowRow->addWidget(m_shadowColor);
    shadowRow->addStretch(1);
    layout->addLayout(shadowRow);
    layout->addStretch(1);

    connect(fontButton, &QPushButton::clicked, this,
            [this] { m_wizard.styles().chooseFont(m_state); });
    connect(m_justification, &RadioGroupBox::picked, this, [this](int i) {
        m_wizard.styles().set(m_state, &ButtonStateStyle::textJustification, TextJustification(i));
    });
    connect(m_orientation, &RadioGroupBox::picked, this, [this](int i) {
        m_wizard.styles().set(m_state, &ButtonStateStyle::textOrientation, TextOrientation(i));
    });
    connect(m_shadow, &QCheckBox::toggled, this,
            [this](bool on) { m_wizard.styles().set(m_state, &ButtonStateStyle::dropShadow, on); });
    connect(m_shadowColorButton, &QPushButton::clicked, this,
            [this] { m_wizard.styles().chooseShadowColor(m_state); });
}

void StateFontPage::refresh()
{
    const ButtonStateStyle& style = m_wizard.project().style(m_state);
    const StateStyleEditor::FontSample sample = m_wizard.styles().fontSample(m_state);
    m_sample->setFont(sample.font);
    QPalette p = m_sample->palette();
    p.setColor(QPalette::Window, sample.background);
    p.setColor(QPalette::WindowText, sample.textColor);
    m_sample->setPalette(p);
    m_justification->setSelectedIndex(int(style.textJustification));
    m_orientation->setSelectedIndex(int(style.textOrientation));
    {
        const QSignalBlocker blocker(m_shadow);
        m_shadow->setChecked(style.dropShadow);
    }
    m_shadowColorButton->setEnabled(style.dropShadow);
    m_shadowColor->setEnabled(style.dropShadow);
    m_shadowColor->setColor(style.dropShadowColor);
}
