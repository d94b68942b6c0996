#pragma once

#include <QValidator>

// Holds a field to the wizard's length limit as the user types, pastes or sets its text
// through the accessibility interface, yet leaves a longer text that the program put there
// (one read from a project file) whole.
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
    QString m_shown;
};
