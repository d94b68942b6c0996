#include "DesignerFields.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

QPushButton* DesignerFields::button(const QString& text, const QString& accessibleName,
                                    QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setAccessibleName(accessibleName);
    // Enter in a field must not press the window's first button.
    button->setAutoDefault(false);
    return button;
}

void DesignerFields::show(QCheckBox* box, bool on)
{
    const QSignalBlocker blocker(box);
    box->setChecked(on);
}

void DesignerFields::show(QSpinBox* box, int value)
{
    const QSignalBlocker blocker(box);
    box->setValue(value);
}

void DesignerFields::show(QLineEdit* field, const QString& text)
{
    if (field->text() == text)
        return;
    const QSignalBlocker blocker(field);
    const int caret = field->hasFocus() ? field->cursorPosition() : 0;
    field->setText(text);
    field->setCursorPosition(qMin(caret, int(text.size())));
}
