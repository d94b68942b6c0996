#include "TypedLengthValidator.h"

#include "TextLimit.h"

#include <QLineEdit>

TypedLengthValidator::TypedLengthValidator(int maxLength, QLineEdit* field)
    : QValidator(field), m_maxLength(maxLength)
{
    allowText(field->text());
    connect(field, &QLineEdit::textChanged, this, &TypedLengthValidator::allowText);
}

void TypedLengthValidator::allowText(const QString& text)
{
    m_shown = text;
}

QValidator::State TypedLengthValidator::validate(QString& input, int& pos) const
{
    qsizetype insertionEnd = 0;
    const QString kept = TextLimit::edited(m_shown, input, m_maxLength, &insertionEnd);
    if (kept.size() != input.size()) {
        input = kept;
        pos = int(insertionEnd);
    }
    return Acceptable;
}
