#pragma once

#include "Failure.h"

#include <QString>

// The words for every Failure, and the only place that has them, so the same failure reads the
// same wherever it happens. Only the two faces of the program, wizard/ and cli/, call it; the
// layers below hand their Failure up instead.
class ErrorText
{
public:
    // The classic I/O error codes users of project files have always seen.
    enum Classic
    {
        FileNotFound = 2,
        InvalidFilename = 3,
        TooManyOpenFiles = 4,
        AccessDenied = 5,
        ReadBeyondEnd = 100,
        DiskFull = 101,
        InvalidNumericInput = 106,
    };

    // The whole sentence, such as: Cannot write file "/tmp/BTNPAGE.html". Disk full
    // Empty for no failure.
    static QString message(const Failure& failure);
    // Whether message() shows the failure's whole path; true when it has none.
    static bool showsWholePath(const Failure& failure);
    // The sentence, followed by " (path)" where it does not show the whole path itself.
    static QString messageWithPath(const Failure& failure);
    // Why a file failed, without what was being done: the detail when there is one, else the
    // system's text for the errno, except that a full disk reads "Disk full" and running out of
    // file handles "Too many open files", as they do for project files.
    static QString reason(const Failure& failure);
    // The classic text, or "I/O error %d" with the errno number: what opening or saving a
    // project reports.
    static QString ioText(const Failure& failure);

    // The line stderr gets for a failure of the settings file: for one that cannot be read, or
    // a value in it, a warning that defaults are used; for one that cannot be saved, the file's
    // own failure (none when there is no file).
    static QString settingsLine(const Failure& failure);

    // The text of a classic code; "I/O error %d" for any other number.
    static QString classicText(int code);
    // The classic code for an errno value, or 0 when there is none:
    //   ENOENT -> 2, or 3 when the path's folder does not exist either (a bad path);
    //   ENOTDIR, ENAMETOOLONG, EINVAL, EILSEQ, ELOOP -> 3; EMFILE, ENFILE -> 4;
    //   EACCES, EPERM, EROFS, EISDIR, ETXTBSY -> 5; ENOSPC, EDQUOT, EFBIG -> 101.
    static int classicCode(int error, const QString& path = QString());
};
