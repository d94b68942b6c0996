#include "DesignerStylePanel.h"

#include "DesignerController.h"
#include "DesignerFields.h"
#include "PlatformServices.h"
#include "SwatchLabel.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
constexpr QSize ownPictureArea(160, 60);

QString fontText(const ButtonStateStyle& style)
{
    QStringList parts{style.fontName, QStringLiteral("%1 pt").arg(style.fontSize)};
    const std::pair<bool, const char*> flags[] = {{style.fontBold, "bold"},
                                                  {style.fontItalic, "italic"},
                                                  {style.fontUnderline, "underlined"},
                                                  {style.fontStrikeOut, "struck out"}};
    for (const auto& [on, name] : flags) {
        if (on)
            parts << QString::fromLatin1(name);
    }
    return parts.join(QStringLiteral(", "));
}

template <typename E>
QComboBox* addChoice(QFormLayout* form, QWidget* parent, const std::function<void(E)>& picked)
{
    QComboBox* box = DesignerFields::choice<E>(parent);
    form->addRow(box->accessibleName(), box);
    QObject::connect(box, &QComboBox::currentIndexChanged, parent, [picked](int index) {
        if (index >= 0)
            picked(E(index));
    });
    return box;
}
} // namespace

QString DesignerStylePanel::stateName(ButtonState state)
{
    switch (state) {
    case ButtonState::Normal:
        return QStringLiteral("Normal");
    case ButtonState::Selected:
        return QStringLiteral("Selected");
    case ButtonState::Pressed:
        break;
    }
    return QStringLiteral("Pressed");
}

DesignerStylePanel::DesignerStylePanel(ButtonState state, DesignerController& designer,
                                       QAbstractItemModel* backgrounds, QWidget* parent)
    : QWidget(parent), m_state(state), m_designer(designer)
{
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    if (state != ButtonState::Normal) {
        QPushButton* same = DesignerFields::button(
            QStringLiteral("Same as Nor&mal"),
            QStringLiteral("Copy the Normal style to ") + stateName(state), this);
        connect(same, &QPushButton::clicked, this, [this] { m_designer.copyNormalStyle(m_state); });
        left->addWidget(same, 0, Qt::AlignLeft);
    }
    left->addWidget(buildBackground());
    left->addWidget(buildText());
    if (state == ButtonState::Normal)
        left->addWidget(buildSize());
    left->addStretch(1);
    layout->addLayout(left);

    auto* pictures = new QGroupBox(QStringLiteral("Built-in backgrounds"), this);
    auto* picturesLayout = new QVBoxLayout(pictures);
    m_backgrounds = new QListView(pictures);
    m_backgrounds->setObjectName(QStringLiteral("backgrounds") + stateName(state));
    m_backgrounds->setAccessibleName(stateName(state) + QStringLiteral(" built-in background"));
    m_backgrounds->setViewMode(QListView::IconMode);
    m_backgrounds->setMovement(QListView::Static);
    m_backgrounds->setResizeMode(QListView::Adjust);
    m_backgrounds->setUniformItemSizes(true);
    m_backgrounds->setIconSize(QSize(72, 28));
    m_backgrounds->setGridSize(QSize(124, 60));
    m_backgrounds->setWordWrap(true);
    m_backgrounds->setSelectionMode(QAbstractItemView::SingleSelection);
    m_backgrounds->setModel(backgrounds);
    picturesLayout->addWidget(m_backgrounds);
    layout->addWidget(pictures, 1);
    // A selection, not the current item: focus alone moves that to the first picture.
    connect(m_backgrounds->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList chosen = m_backgrounds->selectionModel()->selectedIndexes();
        if (!chosen.isEmpty())
            m_designer.styles().setPredefinedIndex(m_state, chosen.first().row());
    });
}

QWidget* DesignerStylePanel::colourRow(const QString& what, SwatchLabel** swatch,
                                       QPushButton** choose, QPushButton** off)
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    *swatch = new SwatchLabel(stateName(m_state) + u' ' + what, row);
    *choose = DesignerFields::button(
        QStringLiteral("Choose\u2026"),
        QStringLiteral("Choose ") + stateName(m_state).toLower() + u' ' + what, row);
    layout->addWidget(*swatch);
    layout->addWidget(*choose);
    if (off) {
        *off = DesignerFields::button(
            QStringLiteral("Off"), stateName(m_state) + u' ' + what + QStringLiteral(" off"), row);
        layout->addWidget(*off);
    }
    layout->addStretch(1);
    return row;
}

QWidget* DesignerStylePanel::buildBackground()
{
    auto* box = new QGroupBox(QStringLiteral("Background"), this);
    auto* form = new QFormLayout(box);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    m_kind = addChoice<BackgroundKind>(form, box, [this](BackgroundKind kind) {
        m_designer.styles().setBackgroundKind(m_state, kind);
    });
    m_kind->setAccessibleName(stateName(m_state) + QStringLiteral(" background kind"));
    QPushButton* choose = nullptr;
    form->addRow(QStringLiteral("Colour"),
                 colourRow(QStringLiteral("background colour"), &m_colour, &choose));
    connect(choose, &QPushButton::clicked, this,
            [this] { m_designer.styles().chooseBackgroundColor(m_state); });
    form->addRow(QStringLiteral("Gradient to"), colourRow(QStringLiteral("gradient colour"),
                                                          &m_gradient, &choose, &m_gradientOff));
    connect(choose, &QPushButton::clicked, this, &DesignerStylePanel::chooseGradient);
    connect(m_gradientOff, &QPushButton::clicked, this, [this] {
        m_designer.styles().set(m_state, &ButtonStateStyle::gradientColor,
                                std::optional<ColorRef>());
    });

    auto* own = new QWidget(box);
    auto* ownLayout = new QHBoxLayout(own);
    ownLayout->setContentsMargins(0, 0, 0, 0);
    QPushButton* pick =
        DesignerFields::button(QStringLiteral("Picture\u2026"),
                               QStringLiteral("Choose the ") + stateName(m_state).toLower() +
                                   QStringLiteral(" own picture"),
                               own);
    connect(pick, &QPushButton::clicked, this,
            [this] { m_designer.styles().chooseOwnImage(m_state); });
    m_ownPicture = new QLabel(own);
    m_ownPicture->setAccessibleName(stateName(m_state) + QStringLiteral(" own picture"));
    m_ownPicture->setFixedSize(ownPictureArea);
    m_ownPicture->setAlignment(Qt::AlignCenter);
    m_ownPicture->setFrameShape(QFrame::StyledPanel);
    ownLayout->addWidget(pick, 0, Qt::AlignTop);
    ownLayout->addWidget(m_ownPicture);
    ownLayout->addStretch(1);
    form->addRow(QStringLiteral("Own picture"), own);
    return box;
}

QWidget* DesignerStylePanel::buildText()
{
    auto* box = new QGroupBox(QStringLiteral("Text"), this);
    auto* form = new QFormLayout(box);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    auto* font = new QWidget(box);
    auto* fontLayout = new QHBoxLayout(font);
    fontLayout->setContentsMargins(0, 0, 0, 0);
    m_fontButton = DesignerFields::button(
        QStringLiteral("F&ont\u2026"),
        QStringLiteral("Choose the ") + stateName(m_state).toLower() + QStringLiteral(" font"),
        font);
    m_fontText = new QLabel(font);
    m_fontText->setWordWrap(true); // a long face name takes a second line, never cut
    m_fontText->setAccessibleName(stateName(m_state) + QStringLiteral(" font"));
    fontLayout->addWidget(m_fontButton);
    fontLayout->addWidget(m_fontText, 1);
    form->addRow(QStringLiteral("Font"), font);
    connect(m_fontButton, &QPushButton::clicked, this,
            [this] { m_designer.styles().chooseFont(m_state); });

    m_shadow = new QCheckBox(QStringLiteral("Drop &shadow"), box);
    m_shadow->setAccessibleName(stateName(m_state) + QStringLiteral(" drop shadow"));
    connect(m_shadow, &QCheckBox::toggled, this, [this](bool on) {
        m_designer.styles().set(m_state, &ButtonStateStyle::dropShadow, on);
    });
    QPushButton* choose = nullptr;
    QWidget* shadowColour = colourRow(QStringLiteral("shadow colour"), &m_shadowColour, &choose);
    connect(choose, &QPushButton::clicked, this,
            [this] { m_designer.styles().chooseShadowColor(m_state); });
    form->addRow(m_shadow, shadowColour);

    const auto setter = [this](auto field) {
        return [this, field](auto value) { m_designer.styles().set(m_state, field, value); };
    };
    m_border = addChoice<BorderEffect>(form, box, setter(&ButtonStateStyle::borderEffect));
    m_press = addChoice<PressEffect>(form, box, setter(&ButtonStateStyle::pressEffect));
    m_justification =
        addChoice<TextJustification>(form, box, setter(&ButtonStateStyle::textJustification));
    m_orientation =
        addChoice<TextOrientation>(form, box, setter(&ButtonStateStyle::textOrientation));
    for (QComboBox* combo : {m_border, m_press, m_justification, m_orientation})
        combo->setAccessibleName(stateName(m_state) + u' ' + combo->accessibleName().toLower());
    return box;
}

QWidget* DesignerStylePanel::buildSize()
{
    auto* box = new QGroupBox(QStringLiteral("Size of every button"), this);
    auto* form = new QFormLayout(box);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    const auto spin = [&](const QString& name, int minimum, int maximum,
                          qint32 ButtonProject::*field) {
        auto* spin = new QSpinBox(box);
        spin->setRange(minimum, maximum);
        spin->setSuffix(QStringLiteral(" px"));
        spin->setAccessibleName(QStringLiteral("Button ") + name.toLower());
        form->addRow(name, spin);
        connect(spin, &QSpinBox::valueChanged, this,
                [this, field](int value) { m_designer.set(field, qint32(value)); });
        return spin;
    };
    m_width = spin(QStringLiteral("Width"), ButtonProject::minButtonWidth,
                   ButtonProject::maxButtonWidth, &ButtonProject::buttonWidth);
    m_height = spin(QStringLiteral("Height"), ButtonProject::minButtonHeight,
                    ButtonProject::maxButtonHeight, &ButtonProject::buttonHeight);
    m_variableWidth = new QCheckBox(QStringLiteral("&Variable width (fits each caption)"), box);
    m_variableWidth->setAccessibleName(QStringLiteral("Variable width"));
    connect(m_variableWidth, &QCheckBox::toggled, this,
            [this](bool on) { m_designer.set(&ButtonProject::variableWidth, on); });
    form->addRow(m_variableWidth);
    return box;
}

void DesignerStylePanel::chooseGradient()
{
    const ButtonStateStyle& style = m_designer.project().style(m_state);
    const std::optional<ColorRef> colour =
        m_designer.platform().chooseColor(style.gradientColor.value_or(style.backgroundColor));
    if (colour)
        m_designer.styles().set(m_state, &ButtonStateStyle::gradientColor,
                                std::optional<ColorRef>(colour));
}

void DesignerStylePanel::refresh()
{
    const ButtonProject& project = m_designer.project();
    const ButtonStateStyle& style = project.style(m_state);
    DesignerFields::show(m_kind, style.backgroundKind);
    m_colour->setColor(style.backgroundColor);
    m_gradient->setColor(style.gradientColor.value_or(style.backgroundColor));
    m_gradient->setEnabled(style.gradientColor.has_value());
    m_gradientOff->setEnabled(style.gradientColor.has_value());
    {
        QItemSelectionModel* selection = m_backgrounds->selectionModel();
        const QSignalBlocker blocker(selection);
        const QModelIndex index = m_backgrounds->model()->index(style.predefinedIndex, 0);
        if (style.hasPredefinedImage())
            selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        else
            selection->clearSelection();
        m_backgrounds->viewport()->update();
    }
    const QImage& own = m_designer.pictures().ownImage(m_state);
    if (own.isNull())
        m_ownPicture->setText(QStringLiteral("No picture"));
    else
        m_ownPicture->setPixmap(QPixmap::fromImage(
            own.size().boundedTo(ownPictureArea) == own.size()
                ? own
                : own.scaled(ownPictureArea, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    m_ownPicture->setToolTip(style.imageFileName);
    m_fontText->setText(fontText(style));
    DesignerFields::show(m_shadow, style.dropShadow);
    m_shadowColour->setColor(style.dropShadowColor);
    DesignerFields::show(m_border, style.borderEffect);
    DesignerFields::show(m_press, style.pressEffect);
    DesignerFields::show(m_justification, style.textJustification);
    DesignerFields::show(m_orientation, style.textOrientation);
    if (m_width) {
        DesignerFields::show(m_width, project.buttonWidth);
        DesignerFields::show(m_height, project.buttonHeight);
        DesignerFields::show(m_variableWidth, project.variableWidth);
    }
}
