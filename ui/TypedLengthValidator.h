#pragma once

#include <QValidator>

// Limits what is typed into a field to a number of characters, yet leaves a longer text that
// the program put there (one read from a project file) whole: such a text may be edited and
// shortened, but never grows again.
class QLineEdit;

class TypedLengthValidator : public QValidator
{
    Q_OBJECT
public:
    TypedLengthValidator(int maxLength, QLineEdit* field);

    // Call before setting a text longer than the limit into the field with signals blocked.
    void allowText(const QString& text);

    State validate(QString& input, int& pos) const override;

private:
    int m_maxLength;
    int m_allowed;
};
