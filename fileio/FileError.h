#pragma once

#include <QString>

// Why a file could not be opened, written, read or replaced: what was being done, the path and
// the system's error number. Every file message of the program is built here, and the reason
// part comes from one table, so the same failure reads the same wherever it happens.
//
// The reason of an errno is the system's own text, except that a full disk reads "Disk full"
// and running out of file handles "Too many open files", as they do for project files.
class FileError
{
public:
    enum class Code
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
    };

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

    FileError() = default;
    // An error number of 0 stands for a failure the system gave no reason for (EIO).
    FileError(Code code, const QString& path, int systemError = 0);
    // Takes errno as it is now.
    static FileError fromErrno(Code code, const QString& path);

    bool isError() const { return m_code != Code::None; }
    Code code() const { return m_code; }
    QString path() const { return m_path; }
    int systemError() const { return m_systemError; }

    // The reason alone, such as "Disk full".
    QString reason() const;
    // The classic text, or "I/O error %d" with the errno number: what opening or saving a
    // project reports.
    QString ioErrorText() const;
    // The whole sentence, such as: Cannot write file "/tmp/BTNPAGE.html". Disk full
    QString message() const;

    // The text of a classic code; "I/O error %d" for any other number.
    static QString classicText(int code);
    // The classic code for an errno value, or 0 when there is none:
    //   ENOENT -> 2, or 3 when the path's folder does not exist either (a bad path);
    //   ENOTDIR, ENAMETOOLONG, EINVAL, EILSEQ, ELOOP -> 3; EMFILE, ENFILE -> 4;
    //   EACCES, EPERM, EROFS, EISDIR, ETXTBSY -> 5; ENOSPC, EDQUOT, EFBIG -> 101.
    static int classicCode(int error, const QString& path = QString());

private:
    // The errno that stands for this failure: EISDIR for a path naming a folder (Qt refuses to
    // open one without setting errno), EIO for none.
    int effectiveError() const;

    Code m_code = Code::None;
    QString m_path;
    int m_systemError = 0;
};
