#include "IoErrorText.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

QString IoErrorText::text(int code)
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

int IoErrorText::classicCode(int error, const QString& path)
{
    switch (error) {
    case ENOENT:
        if (path.isEmpty())
            return InvalidFilename;
        if (!QFileInfo(path).absoluteDir().exists())
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

QString IoErrorText::forErrno(int error, const QString& path)
{
    // Qt refuses to open a folder as a file without setting errno.
    if (!path.isEmpty() && QFileInfo(path).isDir())
        return text(AccessDenied);
    if (error == 0)
        error = EIO;
    const int code = classicCode(error, path);
    return code ? text(code) : QStringLiteral("I/O error %1").arg(error);
}
