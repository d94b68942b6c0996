#pragma once

#include <QString>

// The I/O error texts users of project files have always seen. Codes 2..106 are the classic
// ones; errno values of this platform are mapped onto them (see fromErrno) and any other
// errno is shown as "I/O error %d" with the errno number.
class IoErrorText
{
public:
    enum Code
    {
        FileNotFound = 2,
        InvalidFilename = 3,
        TooManyOpenFiles = 4,
        AccessDenied = 5,
        ReadBeyondEnd = 100,
        DiskFull = 101,
        InvalidNumericInput = 106,
    };

    // The text of a classic code; "I/O error %d" for any other number.
    static QString text(int code);

    // The classic code for an errno value, or 0 when there is none:
    //   ENOENT -> 2, or 3 when the path's folder does not exist either (a bad path);
    //   ENOTDIR, ENAMETOOLONG, EINVAL, EILSEQ, ELOOP -> 3; EMFILE, ENFILE -> 4;
    //   EACCES, EPERM, EROFS, EISDIR, ETXTBSY -> 5; ENOSPC, EDQUOT, EFBIG -> 101.
    static int classicCode(int error, const QString& path = QString());

    // The classic text, or "I/O error %d" with the errno number (EIO for 0, a failure
    // without a reason). A path naming a folder is "File access denied". The errno number is never
    // passed through text(): EIO is 5 on this platform and must not read as "File access denied".
    static QString forErrno(int error, const QString& path = QString());
};
