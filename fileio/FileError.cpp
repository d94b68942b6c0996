#include "FileError.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

FileError::FileError(Code code, const QString& path, int systemError)
    : m_code(code), m_path(path), m_systemError(systemError)
{
}

FileError FileError::fromErrno(Code code, const QString& path)
{
    return FileError(code, path, errno);
}

QString FileError::classicText(int code)
{
    switch (code) {
    case FileNotFound:
        return QStringLiteral("File not found");
    case InvalidFilename:
        return QStringLiteral("Invalid filename");
    case TooManyOpenFiles:
        return QStringLiteral("Too many open files");
    case AccessDenied:
        return QStringLiteral("File access denied");
    case ReadBeyondEnd:
        return QStringLiteral("Read beyond end of file");
    case DiskFull:
        return QStringLiteral("Disk full");
    case InvalidNumericInput:
        return QStringLiteral("Invalid numeric input");
    default:
        return QStringLiteral("I/O error %1").arg(code);
    }
}

int FileError::classicCode(int error, const QString& path)
{
    switch (error) {
    case ENOENT:
        if (path.isEmpty() || !QFileInfo(path).absoluteDir().exists())
            return InvalidFilename;
        return FileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
    case ELOOP:
        return InvalidFilename;
    case EMFILE:
    case ENFILE:
        return TooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return AccessDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return DiskFull;
    default:
        return 0;
    }
}

int FileError::effectiveError() const
{
    if (!m_path.isEmpty() && QFileInfo(m_path).isDir())
        return EISDIR;
    return m_systemError ? m_systemError : EIO;
}

QString FileError::reason() const
{
    switch (m_code) {
    case Code::None:
        return QString();
    case Code::NotRegular:
        return QStringLiteral("Not a regular file");
    case Code::Unparsable:
        return QStringLiteral("Its contents cannot be parsed");
    default:
        break;
    }
    // A full disk, or a file size limit, reads "Disk full" as it does for project files. The
    // other classic texts stay with project files: "Invalid filename" for a missing folder
    // says less than the system does.
    const int error = effectiveError();
    const int code = classicCode(error, m_path);
    if (code == DiskFull || code == TooManyOpenFiles)
        return classicText(code);
    return QString::fromLocal8Bit(std::strerror(error));
}

QString FileError::ioErrorText() const
{
    // The errno number never goes through classicText(): EIO is 5 here and must not read as
    // "File access denied".
    const int error = effectiveError();
    const int code = classicCode(error, m_path);
    return code ? classicText(code) : QStringLiteral("I/O error %1").arg(error);
}

QString FileError::message() const
{
    const char* verb = nullptr;
    switch (m_code) {
    case Code::None:
        return QString();
    case Code::NameTooLong:
        return QStringLiteral("File name too long: ") + m_path.left(40);
    case Code::Open:
        verb = "open";
        break;
    case Code::Create:
        verb = "create";
        break;
    case Code::Read:
    case Code::NotRegular:
    case Code::Unparsable:
        verb = "read";
        break;
    case Code::Write:
    case Code::Close:
        verb = "write";
        break;
    case Code::Rename:
        verb = "replace";
        break;
    case Code::Lock:
        verb = "lock";
        break;
    }
    return QStringLiteral("Cannot %1 file \"").arg(QLatin1String(verb)) + m_path +
           QStringLiteral("\". ") + reason();
}
