#include "AtomicOutputFile.h"

#include "PathBytes.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString temporaryStart = QStringLiteral(".brindlewick-");
const QString temporaryEnd = QStringLiteral(".tmp");

bool mayWrite(const struct stat& file, const QByteArray& path)
{
    static const uid_t user = ::geteuid();
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

bool sameFile(int fd, const QByteArray& path)
{
    struct stat opened = {};
    struct stat named = {};
    return ::fstat(fd, &opened) == 0 && ::lstat(path.constData(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

} // namespace

AtomicOutputFile::AtomicOutputFile(const QString& targetPath) : m_targetPath(targetPath) {}

qsizetype AtomicOutputFile::longestTemporaryName()
{
    constexpr qsizetype hexDigits = 16; // of the 64-bit random number
    return temporaryStart.size() + hexDigits + temporaryEnd.size();
}

AtomicOutputFile::~AtomicOutputFile()
{
    discard();
}

QString AtomicOutputFile::temporaryPath() const
{
    return PathBytes::decode(m_encodedTemporary);
}

bool AtomicOutputFile::fail(Failure::Code code, int error)
{
    m_error = Failure(code, m_targetPath, error ? error : EIO);
    discard();
    return false;
}

void AtomicOutputFile::discard()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (m_oldFd >= 0)
        ::close(m_oldFd);
    m_oldFd = -1;
    if (!m_encodedTemporary.isEmpty())
        ::unlink(m_encodedTemporary.constData());
    m_encodedTemporary.clear();
}

bool AtomicOutputFile::open()
{
    return checkTarget() && (compareWithOld(-1) || createTemporary());
}

bool AtomicOutputFile::checkTarget()
{
    discard();
    m_error = Failure();
    m_keepMode = -1;
    m_createdMode = -1;
    m_targetExists = false;
    m_oldSize = -1;
    const int nameStart = folderEnd(m_targetPath);
    const QByteArray name = PathBytes::encode(m_targetPath.mid(nameStart));
    if (name.isEmpty())
        return fail(Failure::Code::Create, EISDIR);
    if (name.size() > NAME_MAX)
        return fail(Failure::Code::Create, ENAMETOOLONG);
    QString target = m_targetPath;
    if (m_followLinks) {
        const LinkEnd end = finalTarget(m_targetPath);
        if (end.failure)
            return fail(Failure::Code::Create, end.failure.systemError());
        target = end.path;
    }
    m_encodedTarget = PathBytes::encode(target);
    m_encodedFolder = PathBytes::encode(target.left(folderEnd(target)));
    // Unless told otherwise, a link at the name is replaced itself and never followed: whoever
    // planted it must not get another file overwritten.
    struct stat existing = {};
    m_targetExists = ::lstat(m_encodedTarget.constData(), &existing) == 0;
    if (m_targetExists && S_ISDIR(existing.st_mode))
        return fail(Failure::Code::Create, EISDIR);
    if (m_targetExists && S_ISREG(existing.st_mode)) {
        // A file made read-only stays as it is, as it did when files were rewritten in place.
        if (!m_replaceReadOnly && !mayWrite(existing, m_encodedTarget))
            return fail(Failure::Code::Create, EACCES);
        m_keepMode = int(existing.st_mode & 07777);
        m_oldSize = existing.st_size;
    }
    return true;
}

bool AtomicOutputFile::compareWithOld(qint64 newSize)
{
    if (m_oldSize < 0 || (newSize >= 0 && newSize != m_oldSize))
        return false;
    // Opened as the project reads files: should something other than a regular file have
    // taken the name since, it neither blocks the open nor leads elsewhere.
    m_oldFd = ::open(m_encodedTarget.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    struct stat old = {};
    if (m_oldFd >= 0 && ::fstat(m_oldFd, &old) == 0 && S_ISREG(old.st_mode) &&
        (newSize < 0 || old.st_size == newSize)) {
        m_oldSize = old.st_size;
        m_matched = 0;
        return true;
    }
    if (m_oldFd >= 0)
        ::close(m_oldFd);
    m_oldFd = -1;
    return false;
}

std::size_t AtomicOutputFile::matchOld(const char* bytes, std::size_t count)
{
    std::size_t same = 0;
    if (m_matched + qint64(count) > m_oldSize)
        return same;
    char buffer[16 * 1024];
    while (same < count) {
        const std::size_t step = std::min(count - same, sizeof buffer);
        const ssize_t n = ::pread(m_oldFd, buffer, step, off_t(m_matched));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 || std::memcmp(buffer, bytes + same, std::size_t(n)) != 0)
            return same;
        same += std::size_t(n);
        m_matched += n;
    }
    return same;
}

bool AtomicOutputFile::leaveOld()
{
    // The bytes that agreed are on disk already: they are copied rather than kept in memory.
    const int old = m_oldFd;
    m_oldFd = -1;
    bool copied = createTemporary();
    char buffer[16 * 1024];
    for (qint64 at = 0; copied && at < m_matched;) {
        const ssize_t n = ::pread(
            old, buffer, std::size_t(std::min<qint64>(sizeof buffer, m_matched - at)), off_t(at));
        if (n < 0 && errno == EINTR)
            continue;
        copied = n > 0 ? writeOut(buffer, std::size_t(n))
                       : fail(Failure::Code::Read, n < 0 ? errno : EIO);
        at += n;
    }
    ::close(old);
    return copied;
}

bool AtomicOutputFile::createTemporary()
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_encodedTemporary =
            m_encodedFolder +
            PathBytes::encode(temporaryStart +
                              QString::number(QRandomGenerator::system()->generate64(), 16) +
                              temporaryEnd);
        m_fd = ::open(m_encodedTemporary.constData(),
                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (m_fd < 0) {
            const int error = errno;
            m_encodedTemporary.clear();
            if (error != EEXIST)
                return fail(Failure::Code::Create, error);
            continue;
        }
        // The lock tells a cleaner that the temporary is still being written. A cleaner that
        // came between the open and the lock has it, or has removed it already: start again
        // under another name and leave that one to the cleaner.
        // A removed temporary has no links left; names are random, so no other file can
        // have taken this one's place.
        // Where the file system has no locks (NFS without its lock daemon: ENOLCK), the
        // temporary goes unlocked, as a file goes named where it cannot be unnamed: no cleaner
        // can lock it either, so none takes it.
        const bool cleanerHasIt = ::flock(m_fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
        struct stat own = {};
        if (!cleanerHasIt && ::fstat(m_fd, &own) == 0 && own.st_nlink > 0) {
            m_createdMode = int(own.st_mode & 07777);
            return true;
        }
        ::close(m_fd);
        m_fd = -1;
        if (!cleanerHasIt)
            ::unlink(m_encodedTemporary.constData());
        m_encodedTemporary.clear();
    }
    return fail(Failure::Code::Create, EEXIST);
}

namespace {
// Linking the descriptor itself spares the look-up of its /proc name, but needs a privilege
// that most users lack: after the first refusal only the /proc name is tried.
std::atomic<bool> emptyPathRefused{false};
// Without that privilege and without /proc no unnamed file can be linked: once that is known,
// none is made, rather than every file written twice.
std::atomic<bool> linkingImpossible{false};

bool linkInPlace(int fd, const QByteArray& target)
{
    if (!emptyPathRefused.load(std::memory_order_relaxed)) {
        if (::linkat(fd, "", AT_FDCWD, target.constData(), AT_EMPTY_PATH) == 0)
            return true;
        if (errno != EPERM && errno != ENOENT && errno != EINVAL)
            return false;
        emptyPathRefused.store(true, std::memory_order_relaxed);
    }
    char fdPath[32];
    std::snprintf(fdPath, sizeof fdPath, "/proc/self/fd/%d", fd);
    if (::linkat(AT_FDCWD, fdPath, AT_FDCWD, target.constData(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    const int error = errno;
    if (error == ENOENT && ::access("/proc/self/fd", F_OK) != 0)
        linkingImpossible.store(true, std::memory_order_relaxed);
    errno = error;
    return false;
}
} // namespace

bool AtomicOutputFile::linkNewFile(const void* bytes, std::size_t count)
{
    // A file without a name until it is complete: no temporary to lock, rename or clean up.
    // Where the file system cannot make one, or the name was taken meanwhile, the caller
    // falls back to a named temporary.
    if (linkingImpossible.load(std::memory_order_relaxed))
        return false;
    m_fd = ::open(m_encodedFolder.isEmpty() ? "." : m_encodedFolder.constData(),
                  O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (m_fd < 0)
        return false;
    if (!write(bytes, count))
        return false;
    if (!linkInPlace(m_fd, m_encodedTarget)) {
        ::close(m_fd);
        m_fd = -1;
        return false;
    }
    const int fd = m_fd;
    m_fd = -1;
    // Some file systems report a failed write-back only here; the name was free before.
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(m_encodedTarget.constData());
        return fail(Failure::Code::Close, error);
    }
    return true;
}

bool AtomicOutputFile::writeAll(const void* bytes, std::size_t count)
{
    if (!checkTarget())
        return false;
    if (!m_targetExists && linkNewFile(bytes, count))
        return true;
    if (m_error.isError())
        return false;
    // Knowing the size, the old file is read only when it has that size.
    return (compareWithOld(qint64(count)) || createTemporary()) && write(bytes, count) && commit();
}

bool AtomicOutputFile::write(const void* bytes, std::size_t count)
{
    const char* next = static_cast<const char*>(bytes);
    if (m_oldFd >= 0) {
        const std::size_t same = matchOld(next, count);
        if (same == count)
            return true;
        if (!leaveOld())
            return false;
        next += same;
        count -= same;
    }
    return writeOut(next, count);
}

bool AtomicOutputFile::writeOut(const char* next, std::size_t count)
{
    // The first failure is the one reported.
    if (m_fd < 0)
        return m_error.isError() ? false : fail(Failure::Code::Write, EBADF);
    while (count > 0) {
        const ssize_t n = ::write(m_fd, next, count);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail(Failure::Code::Write, n < 0 ? errno : EIO);
        next += n;
        count -= std::size_t(n);
    }
    return true;
}

bool AtomicOutputFile::commit()
{
    if (m_oldFd >= 0) {
        struct stat old = {};
        if (::fstat(m_oldFd, &old) == 0 && old.st_size == m_matched) {
            ::close(m_oldFd);
            m_oldFd = -1;
            return true;
        }
        if (!leaveOld())
            return false;
    }
    // The first failure is the one reported.
    if (m_fd < 0)
        return m_error.isError() ? false : fail(Failure::Code::Write, EBADF);
    // The replacement keeps the access rights the old file had, as rewriting it in place did.
    if (m_keepMode >= 0 && m_keepMode != m_createdMode)
        ::fchmod(m_fd, mode_t(m_keepMode));
    // The lock lives as long as any descriptor of the file: the copy keeps it over the rename,
    // so no cleaner takes the temporary between the close and the rename.
    const int keeper = ::dup(m_fd);
    if (keeper < 0)
        return fail(Failure::Code::Close, errno);
    const int fd = m_fd;
    m_fd = keeper;
    // Some file systems report a failed write-back only here.
    if (::close(fd) != 0)
        return fail(Failure::Code::Close, errno);
    if (::rename(m_encodedTemporary.constData(), m_encodedTarget.constData()) != 0)
        return fail(Failure::Code::Rename, errno);
    m_encodedTemporary.clear();
    ::close(m_fd);
    m_fd = -1;
    return true;
}

Failure AtomicOutputFile::writeFile(const QString& targetPath, const QByteArray& bytes)
{
    AtomicOutputFile file(targetPath);
    file.writeAll(bytes.constData(), std::size_t(bytes.size()));
    return file.error();
}

bool AtomicOutputFile::isTemporaryName(const QString& fileName)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\.brindlewick-[A-Za-z0-9.-]+\\.tmp$"));
    return pattern.match(fileName).hasMatch();
}

bool AtomicOutputFile::removeIfAbandoned(const QString& path)
{
    const QByteArray encoded = PathBytes::encode(path);
    const int fd = ::open(encoded.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st = {};
    // Held while unlinking, so that a writer that opened the name just now sees it lost.
    const bool removed = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
                         ::flock(fd, LOCK_EX | LOCK_NB) == 0 && sameFile(fd, encoded) &&
                         ::unlink(encoded.constData()) == 0;
    ::close(fd);
    return removed;
}

int AtomicOutputFile::removeStaleTemporaries(const QString& directory)
{
    const QDir folder(directory.isEmpty() ? QStringLiteral(".") : directory);
    // Read by name only: the folder may hold many thousand images, and listing it through
    // QDir took longer than writing the first hundred of them.
    DIR* listing = ::opendir(PathBytes::encode(folder.path()).constData());
    if (!listing)
        return 0;
    const QByteArray start = PathBytes::encode(temporaryStart);
    const QByteArray end = PathBytes::encode(temporaryEnd);
    QStringList candidates;
    while (const dirent* entry = ::readdir(listing)) {
        const QByteArrayView name(entry->d_name);
        if (name.startsWith(start) && name.endsWith(end))
            candidates << PathBytes::decode(entry->d_name);
    }
    ::closedir(listing);
    int removed = 0;
    for (const QString& name : std::as_const(candidates)) {
        if (isTemporaryName(name) && removeIfAbandoned(folder.filePath(name)))
            ++removed;
    }
    return removed;
}

AtomicOutputFile::LinkEnd AtomicOutputFile::finalTarget(const QString& path)
{
    QString current = PathBytes::absolute(path);
    for (int hop = 0; hop < 40; ++hop) {
        char buffer[PATH_MAX];
        const ssize_t n = ::readlink(PathBytes::encode(current).constData(), buffer, sizeof buffer);
        if (n < 0)
            return {current, Failure()};
        if (std::size_t(n) == sizeof buffer)
            return {QString(), Failure(Failure::Code::Open, path, ENAMETOOLONG)};
        const QString next = PathBytes::decode(QByteArray(buffer, n));
        current = QDir::isAbsolutePath(next) ? next : QFileInfo(current).path() + u'/' + next;
    }
    return {QString(), Failure(Failure::Code::Open, path, ELOOP)};
}
