#pragma once

#include "ErrorText.h"
#include "Failure.h"

// A Failure with the words its callers asked it for before ErrorText held them. Kept only for
// the callers that still turn a file failure into text themselves (the project file reader and
// writer, the settings store, the wizard's folder and open checks); new code hands a Failure
// up and leaves the words to ErrorText.
class FileError : public Failure
{
public:
    using enum ErrorText::Classic;

    using Failure::Failure;
    FileError(const Failure& failure) : Failure(failure) {}
    static FileError fromErrno(Code code, const QString& path)
    {
        return Failure::fromErrno(code, path);
    }

    QString reason() const { return ErrorText::reason(*this); }
    QString ioErrorText() const { return ErrorText::ioText(*this); }
    QString message() const { return ErrorText::message(*this); }
    static QString classicText(int code) { return ErrorText::classicText(code); }
};
