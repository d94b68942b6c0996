#include "StateBackgroundPage.h"

#include "PredefinedBackground.h"
#include "RadioGroupBox.h"
#include "SampleView.h"
#include "SwatchLabel.h"
#include "WizardController.h"
#include "WizardTexts.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {
QString parametersText(ButtonState state)
{
    switch (state) {
    case ButtonState::Normal:
        return QStringLiteral("Enter Parameters for Regular Button...");
    case ButtonState::Selected:
        return QStringLiteral("Enter Parameters for Selected Button...");
    case ButtonState::Pressed:
        break;
    }
    return QStringLiteral("Enter Parameters for Pressed Button...");
}
} // namespace

int StateBackgroundPage::pageIndex(ButtonState state)
{
    return WizardController::NormalButton + 3 * (int(state) - 1);
}

StateBackgroundPage::StateBackgroundPage(ButtonState state, WizardController& wizard,
                                         QWidget* parent)
    : WizardPage(pageIndex(state), wizard, parent), m_state(state)
{
    auto* layout = new QHBoxLayout(body());
    layout->setContentsMargins(4, 2, 4, 0);
    auto* left = new QVBoxLayout;
    left->setSpacing(3);
    left->addWidget(stepLine(stateStep(state, 'a'), parametersText(state), body()));

    m_kind = new RadioGroupBox(radioGroupTexts<BackgroundKind>(), body());
    m_kind->setObjectName(controlName("rg", state, "Background"));
    left->addWidget(m_kind);

    auto* colorRow = new QHBoxLayout;
    QPushButton* colorButton = button(QStringLiteral("Select Color..."), body());
    m_colorSwatch = new SwatchLabel(QStringLiteral("Background color"), body());
    m_colorSwatch->setObjectName(controlName("lbl", state, "BackgroundColor"));
    colorRow->addWidget(colorButton);
    colorRow->addWidget(m_colorSwatch);
    colorRow->addStretch(1);
    left->addLayout(colorRow);

    auto* predefinedLabel =
        new QLabel(QStringLiteral("Select a Predefined Button image..."), body());
    left->addWidget(predefinedLabel);
    m_predefined = new QComboBox(body());
    m_predefined->setObjectName(controlName("cb", state, "PredefinedBitmaps"));
    m_predefined->addItems(PredefinedBackground::listTexts());
    m_predefined->setAccessibleName(predefinedLabel->text());
    m_predefined->setMaxVisibleItems(16);
    predefinedLabel->setBuddy(m_predefined);
    left->addWidget(m_predefined);

    QPushButton* ownImage = button(QStringLiteral("Select your own background image..."), body());
    left->addWidget(ownImage, 0, Qt::AlignLeft);
    m_fileName = pathField(controlName("lbl", state, "BMPfilename"),
                           QStringLiteral("Own image file"), body());
    left->addWidget(m_fileName);
    left->addStretch(1);
    layout->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    right->setSpacing(3);
    auto* frame = new QFrame(body());
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setLineWidth(1);
    frame->setFixedSize(302, 134);
    m_sample = new SampleView(QSize(300, 132), frame);
    m_sample->setObjectName(
        controlName("image", state, "").replace(QLatin1String("Button"), QString()));
    m_sample->setAccessibleName(QStringLiteral("Background sample"));
    m_sample->move(1, 1);
    right->addWidget(frame);
    if (state == ButtonState::Normal) {
        addSizeRow(right, QStringLiteral("Height"), int(ButtonSize::Step::HeightMinus5), &m_height);
        addSizeRow(right, QStringLiteral("Width"), int(ButtonSize::Step::WidthMinus10), &m_width);
    }
    right->addStretch(1);
    layout->addLayout(right);

    connect(m_kind, &RadioGroupBox::picked, this,
            [this](int i) { m_wizard.styles().setBackgroundKind(m_state, BackgroundKind(i)); });
    connect(colorButton, &QPushButton::clicked, this,
            [this] { m_wizard.styles().chooseBackgroundColor(m_state); });
    connect(m_predefined, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0)
            m_wizard.styles().setPredefinedIndex(m_state, i);
    });
    connect(ownImage, &QPushButton::clicked, this,
            [this] { m_wizard.styles().chooseOwnImage(m_state); });
    connect(&m_wizard.styles(), &StateStyleEditor::backgroundSampleChanged, this,
            [this](ButtonState s) {
                if (s == m_state)
                    m_sample->setPicture(m_wizard.styles().backgroundSample(m_state));
            });
}

void StateBackgroundPage::addSizeRow(QBoxLayout* layout, const QString& caption, int firstStep,
                                     QLabel** field)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(3);
    auto* label = new QLabel(caption, body());
    label->setMinimumWidth(44);
    row->addWidget(label);
    *field = new QLabel(body());
    (*field)->setObjectName(QStringLiteral("lblNormalButton") + caption);
    (*field)->setAccessibleName(caption);
    (*field)->setFrameShape(QFrame::Panel);
    (*field)->setFrameShadow(QFrame::Sunken);
    (*field)->setAlignment(Qt::AlignCenter);
    (*field)->setFixedWidth(44);
    for (int i = 0; i < 4; ++i) {
        const auto step = ButtonSize::Step(firstStep + i);
        QPushButton* b = button(WizardTexts::sizeStepText(step), body());
        b->setAccessibleName(caption + QLatin1Char(' ') + WizardTexts::sizeStepText(step));
        b->setFixedWidth(40);
        connect(b, &QPushButton::clicked, this,
                [this, step] { m_wizard.styles().applySizeStep(step); });
        row->addWidget(b);
        if (i == 1)
            row->addWidget(*field);
    }
    row->addStretch(1);
    layout->addLayout(row);
}

void StateBackgroundPage::refresh()
{
    const ButtonProject& project = m_wizard.project();
    const ButtonStateStyle& style = project.style(m_state);
    m_kind->setSelectedIndex(int(style.backgroundKind));
    m_colorSwatch->setColor(style.backgroundColor);
    {
        const QSignalBlocker blocker(m_predefined);
        m_predefined->setCurrentIndex(style.hasPredefinedImage() ? style.predefinedIndex : -1);
    }
    m_fileName->setText(style.imageFileName);
    m_fileName->setCursorPosition(0);
    if (m_height) {
        m_height->setText(QString::number(project.buttonHeight));
        m_width->setText(QString::number(project.buttonWidth));
    }
    m_sample->setPicture(m_wizard.styles().backgroundSample(m_state));
}
