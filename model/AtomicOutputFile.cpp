#include "AtomicOutputFile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString temporaryStart = QStringLiteral(".brindlewick-");
const QString temporaryEnd = QStringLiteral(".tmp");

std::atomic<quint64> nextSerial{0};

// Only ASCII letters, digits and dots, so the host part never adds a separator or a dash.
const QString& hostName()
{
    static const QString name = [] {
        char buffer[256] = {};
        if (::gethostname(buffer, sizeof buffer - 1) != 0)
            return QStringLiteral("localhost");
        QString host;
        for (const char* c = buffer; *c && host.size() < 64; ++c) {
            const char ch = *c;
            if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
                ch == '.')
                host += QLatin1Char(ch);
        }
        return host.isEmpty() ? QStringLiteral("localhost") : host;
    }();
    return name;
}

bool mayWrite(const struct stat& file, const QByteArray& path)
{
    const uid_t user = ::geteuid();
    if (user == 0)
        return true;
    if (file.st_uid == user)
        return file.st_mode & S_IWUSR;
    return ::access(path.constData(), W_OK) == 0;
}

int folderEnd(const QString& path)
{
    return int(path.lastIndexOf(u'/')) + 1;
}

} // namespace

AtomicOutputFile::AtomicOutputFile(const QString& targetPath) : m_targetPath(targetPath) {}

AtomicOutputFile::~AtomicOutputFile()
{
    discard();
}

QString AtomicOutputFile::temporaryPath() const
{
    return QFile::decodeName(m_encodedTemporary);
}

bool AtomicOutputFile::fail(FileError::Code code, int error)
{
    m_error = FileError(code, m_targetPath, error ? error : EIO);
    discard();
    return false;
}

void AtomicOutputFile::discard()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_encodedTemporary.isEmpty())
        ::unlink(m_encodedTemporary.constData());
    m_encodedTemporary.clear();
}

bool AtomicOutputFile::open()
{
    discard();
    m_error = FileError();
    const int nameStart = folderEnd(m_targetPath);
    const QByteArray name = QFile::encodeName(m_targetPath.mid(nameStart));
    if (name.isEmpty())
        return fail(FileError::Code::Create, EISDIR);
    if (name.size() > NAME_MAX)
        return fail(FileError::Code::Create, ENAMETOOLONG);
    m_encodedTarget = QFile::encodeName(m_targetPath);
    QByteArray folder = QFile::encodeName(m_targetPath.left(nameStart));
    struct stat existing = {};
    bool exists = ::lstat(m_encodedTarget.constData(), &existing) == 0;
    if (exists && S_ISLNK(existing.st_mode)) {
        // The file the link points to is replaced, not the link, as writing in place did.
        char* resolved = ::realpath(m_encodedTarget.constData(), nullptr);
        if (resolved) {
            m_encodedTarget = resolved;
            std::free(resolved);
            folder = m_encodedTarget.left(m_encodedTarget.lastIndexOf('/') + 1);
        }
        exists = ::stat(m_encodedTarget.constData(), &existing) == 0;
    }
    if (exists && S_ISDIR(existing.st_mode))
        return fail(FileError::Code::Create, EISDIR);
    // A file made read-only stays as it is, as it did when files were rewritten in place.
    if (exists && !mayWrite(existing, m_encodedTarget))
        return fail(FileError::Code::Create, EACCES);

    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString temporaryName = temporaryStart + QString::number(::getpid()) + u'-' +
                                      QString::number(nextSerial++) + u'-' + hostName() +
                                      temporaryEnd;
        m_encodedTemporary = folder + QFile::encodeName(temporaryName);
        m_fd =
            ::open(m_encodedTemporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd >= 0)
            break;
        const int error = errno;
        m_encodedTemporary.clear();
        // Only a name left by an earlier process of the same pid is worth another try.
        if (error != EEXIST)
            return fail(FileError::Code::Create, error);
    }
    if (m_fd < 0)
        return fail(FileError::Code::Create, EEXIST);
    // The replacement keeps the access rights the old file had, as rewriting it in place did.
    if (exists && S_ISREG(existing.st_mode))
        ::fchmod(m_fd, existing.st_mode & 0777);
    return true;
}

bool AtomicOutputFile::write(const void* bytes, std::size_t count)
{
    // The first failure is the one reported.
    if (m_fd < 0)
        return m_error.isError() ? false : fail(FileError::Code::Write, EBADF);
    const char* next = static_cast<const char*>(bytes);
    while (count > 0) {
        const ssize_t n = ::write(m_fd, next, count);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail(FileError::Code::Write, n < 0 ? errno : EIO);
        next += n;
        count -= std::size_t(n);
    }
    return true;
}

bool AtomicOutputFile::commit()
{
    // The first failure is the one reported.
    if (m_fd < 0)
        return m_error.isError() ? false : fail(FileError::Code::Write, EBADF);
    const int fd = m_fd;
    m_fd = -1;
    // Some file systems report a failed write-back only here.
    if (::close(fd) != 0)
        return fail(FileError::Code::Close, errno);
    if (::rename(m_encodedTemporary.constData(), m_encodedTarget.constData()) != 0)
        return fail(FileError::Code::Rename, errno);
    m_encodedTemporary.clear();
    return true;
}

bool AtomicOutputFile::writeFile(const QString& targetPath, const QByteArray& bytes,
                                 int* systemError)
{
    AtomicOutputFile file(targetPath);
    const bool ok =
        file.open() && file.write(bytes.constData(), std::size_t(bytes.size())) && file.commit();
    if (systemError)
        *systemError = ok ? 0 : file.systemError();
    return ok;
}

bool AtomicOutputFile::isTemporaryName(const QString& fileName, qint64* pid, QString* host)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\.brindlewick-([1-9][0-9]{0,9})-[0-9]+-([A-Za-z0-9.]+)\\.tmp$"));
    const QRegularExpressionMatch match = pattern.match(fileName);
    if (!match.hasMatch())
        return false;
    if (pid)
        *pid = match.captured(1).toLongLong();
    if (host)
        *host = match.captured(2);
    return true;
}

int AtomicOutputFile::removeStaleTemporaries(const QString& directory)
{
    const QDir folder(directory.isEmpty() ? QStringLiteral(".") : directory);
    const QStringList candidates =
        folder.entryList({temporaryStart + u'*' + temporaryEnd},
                         QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    int removed = 0;
    for (const QString& name : candidates) {
        qint64 pid = 0;
        QString host;
        if (!isTemporaryName(name, &pid, &host) || host != hostName() || pid > INT_MAX)
            continue;
        // A process that exists, even one we may not signal, could still be writing it.
        if (::kill(pid_t(pid), 0) == 0 || errno != ESRCH)
            continue;
        if (QFile::remove(folder.filePath(name)))
            ++removed;
    }
    return removed;
}
