#include "TypedLengthValidator.h"

#include <QLineEdit>

TypedLengthValidator::TypedLengthValidator(int maxLength, QLineEdit* field)
    : QValidator(field), m_maxLength(maxLength), m_allowed(maxLength)
{
    allowText(field->text());
    connect(field, &QLineEdit::textChanged, this, &TypedLengthValidator::allowText);
}

void TypedLengthValidator::allowText(const QString& text)
{
    m_allowed = qMax(m_maxLength, int(text.size()));
}

QValidator::State TypedLengthValidator::validate(QString& input, int&) const
{
    return input.size() <= m_allowed ? Acceptable : Invalid;
}
