#include "OptionTableForm.h"

#include "PlatformServices.h"
#include "WizardTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace {
QString withoutMnemonic(const QString& label)
{
    return QString(label).remove(QLatin1Char('&'));
}
} // namespace

OptionTableForm::OptionTableForm(const ButtonProject& project,
                                 const QList<ProjectKeys::Option>& options,
                                 PlatformServices* platform, QWidget* parent, Qt::Orientation parts)
    : QWidget(parent), m_chosen(project), m_platform(platform)
{
    // The first part, then each further one in a box of its own beside or under it, in the
    // order the rows name them.
    const bool across = parts == Qt::Horizontal;
    auto* columns =
        new QBoxLayout(across ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, this);
    columns->setContentsMargins(0, 0, 0, 0);
    auto* firstPart = new QVBoxLayout;
    columns->addLayout(firstPart);
    QHash<QString, QVBoxLayout*> layouts;
    for (const ProjectKeys::Option& option : options) {
        QVBoxLayout*& part = layouts[option.group];
        if (!part && option.group.isEmpty()) {
            part = firstPart;
        } else if (!part) {
            auto* box = new QGroupBox(option.group, this);
            columns->addSpacing(8);
            columns->addWidget(box, 0, across ? Qt::AlignTop : Qt::AlignLeft);
            part = new QVBoxLayout(box);
        }
        QWidget* control = addControl(part, option);
        // Each control is named after the project key it sets.
        control->setObjectName(option.key.name);
        control->setAccessibleName(withoutMnemonic(option.label));
        control->setAccessibleDescription(option.note);
        addNote(part, control, option);
        if (!m_first)
            m_first = control;
    }
    (across ? firstPart : static_cast<QBoxLayout*>(columns))->addStretch();
    // The fields of a part start in one column.
    for (const QList<QLabel*>& labels : std::as_const(m_labels)) {
        int width = 0;
        for (const QLabel* label : labels)
            width = std::max(width, label->sizeHint().width());
        for (QLabel* label : labels)
            label->setMinimumWidth(width);
    }
    showProject(project);
}

void OptionTableForm::showProject(const ButtonProject& project)
{
    m_chosen = project;
    for (const std::function<void()>& show : std::as_const(m_showers))
        show();
}

QWidget* OptionTableForm::addControl(QVBoxLayout* layout, const ProjectKeys::Option& option)
{
    // Each control keeps its own copy of the row: the list handed in may be gone before it.
    const ProjectKeys::Key& key = option.key;
    if (key.kind == ProjectKeys::Kind::Number)
        return addNumber(layout, option);
    if (key.kind == ProjectKeys::Kind::WebColour || key.kind == ProjectKeys::Kind::OptionalColour)
        return addColour(layout, option);
    if (key.kind == ProjectKeys::Kind::NamedChoice)
        return addChoice(layout, option);
    auto* box = new QCheckBox(option.label, this);
    m_showers << [this, box, key] {
        const QSignalBlocker blocker(box);
        box->setChecked(key.ref<bool>(m_chosen));
    };
    connect(box, &QCheckBox::toggled, this, [this, key](bool on) {
        key.ref<bool>(m_chosen) = on;
        emit changed();
    });
    layout->addWidget(box);
    return box;
}

QWidget* OptionTableForm::addNumber(QVBoxLayout* layout, const ProjectKeys::Option& option)
{
    const ProjectKeys::Key& key = option.key;
    auto* spin = new QSpinBox(this);
    spin->setRange(key.minimum, key.maximum);
    m_showers << [this, spin, key] {
        const QSignalBlocker blocker(spin);
        spin->setValue(key.ref<qint32>(m_chosen));
    };
    connect(spin, &QSpinBox::valueChanged, this, [this, key](int value) {
        key.ref<qint32>(m_chosen) = value;
        emit changed();
    });
    return addLabelled(layout, option, spin);
}

QWidget* OptionTableForm::addChoice(QVBoxLayout* layout, const ProjectKeys::Option& option)
{
    const ProjectKeys::Key& key = option.key;
    auto* list = new QComboBox(this);
    list->addItems(key.names);
    m_showers << [this, list, key] {
        const QSignalBlocker blocker(list);
        list->setCurrentIndex(key.choice(m_chosen));
    };
    connect(list, &QComboBox::currentIndexChanged, this, [this, key](int index) {
        key.setChoice(m_chosen, index);
        emit changed();
    });
    return addLabelled(layout, option, list);
}

QWidget* OptionTableForm::addColour(QVBoxLayout* layout, const ProjectKeys::Option& option)
{
    const ProjectKeys::Key& key = option.key;
    const bool optional = key.kind == ProjectKeys::Kind::OptionalColour;
    auto* field = new QLineEdit(this);
    field->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("#[0-9A-Fa-f]{0,6}")), field));
    field->setMaxLength(7);
    // An optional colour is off while its field is empty.
    if (optional)
        field->setPlaceholderText(QStringLiteral("off"));
    m_showers << [this, field, key, optional] {
        const bool off = optional && !key.ref<std::optional<ColorRef>>(m_chosen);
        const QString text = off ? QString() : key.valueText(m_chosen);
        // A colour typed in another case is the same colour: the caret stays.
        if (field->text().compare(text, Qt::CaseInsensitive) == 0)
            return;
        const QSignalBlocker blocker(field);
        field->setText(text);
    };
    // Half a colour typed so far keeps the last whole one. Text set past the validator, as a
    // screen reader sets it, that no typing could make gives way to the colour held.
    connect(field, &QLineEdit::textChanged, this, [this, key, optional, field](QString text) {
        int caret = 0;
        if (field->validator()->validate(text, caret) == QValidator::Invalid) {
            const QSignalBlocker blocker(field);
            const bool off = optional && !key.ref<std::optional<ColorRef>>(m_chosen);
            field->setText(off ? QString() : key.valueText(m_chosen));
            return;
        }
        if (optional) {
            std::optional<ColorRef>& colour = key.ref<std::optional<ColorRef>>(m_chosen);
            if (text.isEmpty())
                colour.reset();
            else
                ProjectKeys::Key::optionalColour(text, &colour);
        } else {
            Colors::fromWebText(text, &key.ref<ColorRef>(m_chosen));
        }
        emit changed();
    });
    QList<QWidget*> buttons;
    const QString name = withoutMnemonic(option.label);
    if (m_platform) {
        auto* choose = new QPushButton(WizardTexts::chooseColourButton, this);
        choose->setAccessibleName(QStringLiteral("Choose ") + name.toLower());
        choose->setObjectName(key.name + QStringLiteral("Choose"));
        // The platform's colour dialog, starting from the colour shown.
        connect(choose, &QPushButton::clicked, this, [this, key, field, optional] {
            ColorRef shown = optional ? Colors::rgb(255, 255, 255) : key.ref<ColorRef>(m_chosen);
            Colors::fromWebText(field->text(), &shown);
            if (const std::optional<ColorRef> colour = m_platform->chooseColor(shown))
                field->setText(Colors::webText(*colour));
        });
        buttons << choose;
    }
    if (optional) {
        auto* off = new QPushButton(WizardTexts::colourOffButton, this);
        off->setAccessibleName(name + QStringLiteral(" off"));
        off->setObjectName(key.name + QStringLiteral("Off"));
        connect(off, &QPushButton::clicked, field, &QLineEdit::clear);
        buttons << off;
    }
    return addLabelled(layout, option, field, buttons);
}

QWidget* OptionTableForm::addLabelled(QVBoxLayout* layout, const ProjectKeys::Option& option,
                                      QWidget* field, const QList<QWidget*>& after)
{
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(option.label, this);
    label->setBuddy(field);
    m_labels[layout] << label;
    row->addWidget(label);
    row->addWidget(field);
    for (QWidget* widget : after)
        row->addWidget(widget);
    row->addStretch();
    layout->addLayout(row);
    return field;
}

void OptionTableForm::addNote(QVBoxLayout* layout, QWidget* control,
                              const ProjectKeys::Option& option)
{
    auto* text = new QLabel(option.note, this);
    text->setTextFormat(Qt::PlainText);
    // A box's note lines up with its text, under its label.
    const int indent = qobject_cast<QCheckBox*>(control)
                           ? style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                                 style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing)
                           : 0;
    text->setContentsMargins(indent, 0, 0, 4);
    layout->addWidget(text);
}
