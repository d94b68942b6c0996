#pragma once

#include "FailureReason.h"

#include <QString>

// What went wrong, carried up to whoever tells the user: what was being done, on which path,
// the system's error number, and, where the layer that failed has words of its own, its reason
// and a detail such as a library's message. Only ErrorText turns it into text.
//
// A default Failure is no failure. Copies share their strings, so it is passed by value.
class Failure
{
public:
    enum class Code : quint8
    {
        None,
        Open,
        Create,
        Read,
        Write,
        Close,
        Rename,
        Lock,
        NotRegular,
        Unparsable,
        NameTooLong,
        Encode, // data could not be turned into a file's bytes
        Decode, // a file's bytes could not be turned back into data
        Refuse, // asked for more than can be done, before anything was written
        // A file larger than its reader takes, refused before it was read whole.
        TooLarge,
    };

    Failure() = default;
    // An error number of 0 stands for a failure the system gave no reason for (EIO).
    Failure(Code code, const QString& path, int systemError = 0);
    // For a failure that concerns no file.
    Failure(Code code, FailureReason reason, const QString& detail = QString());
    // Takes errno as it is now.
    static Failure fromErrno(Code code, const QString& path);

    // The same failure in the words of the layer that raised it.
    Failure because(FailureReason reason, const QString& detail = QString()) const;
    // The same failure, explained by detail (such as Qt's text for it) rather than by errno.
    Failure withDetail(const QString& detail) const;

    bool isError() const { return m_code != Code::None; }
    explicit operator bool() const { return isError(); }

    Code code() const { return m_code; }
    const QString& path() const { return m_path; }
    int systemError() const { return m_systemError; }
    FailureReason reason() const { return m_reason; }
    const QString& detail() const { return m_detail; }

    bool operator==(const Failure&) const = default;

private:
    QString m_path;
    QString m_detail;
    int m_systemError = 0;
    Code m_code = Code::None;
    FailureReason m_reason = FailureReason::None;
};
