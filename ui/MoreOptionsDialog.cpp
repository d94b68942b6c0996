#include "MoreOptionsDialog.h"

#include "WizardTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

namespace {
QString withoutMnemonic(const QString& label)
{
    return QString(label).remove(QLatin1Char('&'));
}
} // namespace

MoreOptionsDialog::MoreOptionsDialog(const ButtonProject& project, QWidget* parent,
                                     const QList<ProjectKeys::Option>& options)
    : QDialog(parent), m_chosen(project)
{
    setWindowTitle(WizardTexts::moreOptionsTitle);
    setAccessibleName(WizardTexts::moreOptionsTitle);
    auto* layout = new QVBoxLayout(this);
    QWidget* first = nullptr;
    // Each part after the first is a box of its own, in the order the rows name them.
    QHash<QString, QVBoxLayout*> parts;
    for (const ProjectKeys::Option& option : options) {
        QVBoxLayout*& part = parts[option.group];
        if (!part && option.group.isEmpty()) {
            part = layout;
        } else if (!part) {
            auto* box = new QGroupBox(option.group, this);
            layout->addSpacing(4);
            layout->addWidget(box);
            part = new QVBoxLayout(box);
        }
        QWidget* control = addControl(part, option);
        // Each control is named after the project key it sets.
        control->setObjectName(option.key.name);
        control->setAccessibleName(withoutMnemonic(option.label));
        control->setAccessibleDescription(option.note);
        addNote(part, control, option);
        if (!first)
            first = control;
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addSpacing(6);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    if (first)
        first->setFocus();
}

QWidget* MoreOptionsDialog::addControl(QVBoxLayout* layout, const ProjectKeys::Option& option)
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
    box->setChecked(key.ref<bool>(m_chosen));
    connect(box, &QCheckBox::toggled, this, [this, key](bool on) { key.ref<bool>(m_chosen) = on; });
    layout->addWidget(box);
    return box;
}

QWidget* MoreOptionsDialog::addNumber(QVBoxLayout* layout, const ProjectKeys::Option& option)
{
    const ProjectKeys::Key& key = option.key;
    auto* spin = new QSpinBox(this);
    spin->setRange(key.minimum, key.maximum);
    spin->setValue(key.ref<qint32>(m_chosen));
    connect(spin, &QSpinBox::valueChanged, this,
            [this, key](int value) { key.ref<qint32>(m_chosen) = value; });
    return addLabelled(layout, option, spin);
}

QWidget* MoreOptionsDialog::addChoice(QVBoxLayout* layout, const ProjectKeys::Option& option)
{
    const ProjectKeys::Key& key = option.key;
    auto* list = new QComboBox(this);
    list->addItems(key.names);
    list->setCurrentIndex(key.choice(m_chosen));
    connect(list, &QComboBox::currentIndexChanged, this,
            [this, key](int index) { key.setChoice(m_chosen, index); });
    return addLabelled(layout, option, list);
}

QWidget* MoreOptionsDialog::addColour(QVBoxLayout* layout, const ProjectKeys::Option& option)
{
    const ProjectKeys::Key& key = option.key;
    const bool optional = key.kind == ProjectKeys::Kind::OptionalColour;
    auto* field = new QLineEdit(optional ? QString() : key.valueText(m_chosen), this);
    if (optional && key.ref<std::optional<ColorRef>>(m_chosen))
        field->setText(key.valueText(m_chosen));
    field->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("#[0-9A-Fa-f]{0,6}")), field));
    field->setMaxLength(7);
    // An optional colour is off while its field is empty.
    if (optional)
        field->setPlaceholderText(QStringLiteral("off"));
    // Half a colour typed so far keeps the last whole one.
    connect(field, &QLineEdit::textChanged, this, [this, key, optional](const QString& text) {
        if (optional) {
            std::optional<ColorRef>& colour = key.ref<std::optional<ColorRef>>(m_chosen);
            if (text.isEmpty())
                colour.reset();
            else
                ProjectKeys::Key::optionalColour(text, &colour);
            return;
        }
        Colors::fromWebText(text, &key.ref<ColorRef>(m_chosen));
    });
    return addLabelled(layout, option, field);
}

QWidget* MoreOptionsDialog::addLabelled(QVBoxLayout* layout, const ProjectKeys::Option& option,
                                        QWidget* field)
{
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(option.label, this);
    label->setBuddy(field);
    row->addWidget(label);
    row->addWidget(field);
    row->addStretch();
    layout->addLayout(row);
    return field;
}

void MoreOptionsDialog::addNote(QVBoxLayout* layout, QWidget* control,
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
