#pragma once

#include "Enumerations.h"

#include <QComboBox>
#include <QSignalBlocker>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

// The designer's controls, made and refreshed alike: each named for what it sets, and refreshed
// without reporting the refresh as the user's change.
class DesignerFields
{
public:
    // A list of an enumeration's choices, in its order, named after its radio group.
    template <typename E> static QComboBox* choice(QWidget* parent)
    {
        const RadioGroupTexts texts = radioGroupTexts<E>();
        auto* box = new QComboBox(parent);
        for (const QString& item : texts.items)
            box->addItem(item.trimmed());
        box->setAccessibleName(texts.caption);
        // The long choices are read whole in the open list; closed, the box stays narrow.
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(minimumLetters);
        return box;
    }
    template <typename E> static void show(QComboBox* box, E value)
    {
        const QSignalBlocker blocker(box);
        box->setCurrentIndex(int(value));
    }
    static constexpr int minimumLetters = 22;

    static QPushButton* button(const QString& text, const QString& accessibleName, QWidget* parent);
    static void show(QCheckBox* box, bool on);
    static void show(QSpinBox* box, int value);
    // Leaves a field being typed into alone when it already shows the text.
    static void show(QLineEdit* field, const QString& text);
};
