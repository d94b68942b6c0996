#include "RadioGroupBox.h"

#include "Enumerations.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

RadioGroupBox::RadioGroupBox(const RadioGroupTexts& texts, QWidget* parent)
    : QGroupBox(texts.caption, parent), m_group(new QButtonGroup(this))
{
    setAccessibleName(texts.caption);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(6, 2, 6, 2);
    for (int i = 0; i < texts.items.size(); ++i) {
        auto* button = new QRadioButton(texts.items[i], this);
        button->setAccessibleName(texts.items[i]);
        m_group->addButton(button, i);
        m_items.append(button);
        layout->addWidget(button);
    }
    // Toggled, not clicked: a screen reader's toggle action and the keyboard check an item
    // without a click.
    connect(m_group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            emit picked(id);
    });
}

int RadioGroupBox::selectedIndex() const
{
    return m_group->checkedId();
}

void RadioGroupBox::setSelectedIndex(int index)
{
    if (index == selectedIndex())
        return;
    const QSignalBlocker blocker(this);
    if (QAbstractButton* button = m_group->button(index)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group cannot be emptied by unchecking its checked button.
    m_group->setExclusive(false);
    for (QAbstractButton* button : m_group->buttons())
        button->setChecked(false);
    m_group->setExclusive(true);
}
