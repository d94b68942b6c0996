#include "LockFile.h"

#include "PathBytes.h"

#include <QCoreApplication>
#include <QSysInfo>

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {
constexpr std::time_t staleAfterSeconds = 30;
constexpr auto lookAgainAfter = std::chrono::milliseconds(10);

// Whether nobody holds the file's flock(); where the file system has no flock(), its content
// has to tell.
bool unheld(int fd, int operation)
{
    return ::flock(fd, operation | LOCK_NB) == 0 || errno != EWOULDBLOCK;
}

// Judges a lock by what it holds: QLockFile's lines, of which the process comes first.
bool staleContent(const QByteArray& content, const struct stat& st, bool* readable)
{
    const QList<QByteArray> lines = content.split('\n');
    bool ok = false;
    const qint64 pid = lines.value(0).toLongLong(&ok);
    *readable = ok && pid > 0 && lines.size() >= 3;
    if (!*readable)
        return false;
    const QByteArray host = lines.value(2);
    const QByteArray boot = lines.value(4);
    if (host.isEmpty() || host == QSysInfo::machineHostName().toUtf8()) {
        if (!boot.isEmpty() && boot != QSysInfo::bootUniqueId())
            return true;
        if (::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
            return true;
    }
    const std::time_t age = std::time(nullptr) - st.st_mtime;
    return age > staleAfterSeconds || age < -staleAfterSeconds;
}
} // namespace

LockFile::LockFile(const QString& path) : m_path(path), m_encoded(PathBytes::encode(path)) {}

LockFile::~LockFile()
{
    unlock();
}

Failure LockFile::lock(std::chrono::milliseconds wait)
{
    unlock();
    const auto deadline = std::chrono::steady_clock::now() + wait;
    Sight unreadable; // the lock last seen unreadable
    for (;;) {
        const int fd =
            ::open(m_encoded.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd >= 0)
            return take(fd);
        if (errno != EEXIST)
            return Failure::fromErrno(Failure::Code::Lock, m_path);
        const Sight sight = look();
        if (sight.holder == Holder::NoFile)
            return Failure(Failure::Code::NotRegular, m_path)
                .because(FailureReason::NotRegularFile);
        const bool stale = sight.holder == Holder::Stale ||
                           (sight.holder == Holder::Unreadable && sight == unreadable);
        if (stale) {
            if (const Failure failure = removeStale(sight))
                return failure;
        } else if (sight.holder == Holder::Unreadable) {
            unreadable = sight;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            return Failure(Failure::Code::Lock, m_path, EWOULDBLOCK);
        // Gone or removed: at once again.
        if (!stale && sight.holder != Holder::Nobody)
            std::this_thread::sleep_for(
                std::min<std::chrono::steady_clock::duration>(lookAgainAfter, deadline - now));
    }
}

Failure LockFile::take(int fd)
{
    // Held from the start, so that nobody takes the lock for an unreadable one meanwhile.
    ::flock(fd, LOCK_EX | LOCK_NB);
    const QByteArray content =
        QByteArray::number(qint64(::getpid())) + '\n' +
        (QCoreApplication::instance() ? QCoreApplication::applicationName().toUtf8()
                                      : QByteArray()) +
        '\n' + QSysInfo::machineHostName().toUtf8() + '\n' + QSysInfo::machineUniqueId() + '\n' +
        QSysInfo::bootUniqueId() + '\n';
    const ssize_t written = ::write(fd, content.constData(), std::size_t(content.size()));
    if (written == content.size()) {
        m_fd = fd;
        return Failure();
    }
    const Failure failure(Failure::Code::Lock, m_path, written < 0 ? errno : ENOSPC);
    ::unlink(m_encoded.constData());
    ::close(fd);
    return failure;
}

void LockFile::unlock()
{
    if (m_fd < 0)
        return;
    struct stat held = {};
    struct stat named = {};
    // Unless a stale judgement took it meanwhile and another holds the name now.
    if (::fstat(m_fd, &held) == 0 && ::lstat(m_encoded.constData(), &named) == 0 &&
        held.st_dev == named.st_dev && held.st_ino == named.st_ino)
        ::unlink(m_encoded.constData());
    ::close(m_fd);
    m_fd = -1;
}

LockFile::Sight LockFile::look() const
{
    struct stat st = {};
    if (::lstat(m_encoded.constData(), &st) != 0)
        return {};
    if (!S_ISREG(st.st_mode))
        return {Holder::NoFile, st.st_dev, st.st_ino};
    const int fd = ::open(m_encoded.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return {Holder::Unreadable, st.st_dev, st.st_ino};
    Sight sight{Holder::Live, st.st_dev, st.st_ino};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        sight.holder = Holder::NoFile; // swapped since
    } else if (unheld(fd, LOCK_SH)) {
        char buffer[512];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        bool readable = false;
        const bool stale = staleContent(QByteArray(buffer, n > 0 ? n : 0), st, &readable);
        sight = {stale      ? Holder::Stale
                 : readable ? Holder::Live
                            : Holder::Unreadable,
                 st.st_dev, st.st_ino};
    }
    ::close(fd);
    return sight;
}

Failure LockFile::removeStale(const Sight& judged) const
{
    // Held and checked while unlinking, so that a lock taken afresh meanwhile stays.
    const int fd = ::open(m_encoded.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    struct stat opened = {};
    struct stat named = {};
    const bool same = (fd < 0 || (::fstat(fd, &opened) == 0 && unheld(fd, LOCK_EX))) &&
                      ::lstat(m_encoded.constData(), &named) == 0 &&
                      named.st_dev == judged.device && named.st_ino == judged.inode &&
                      (fd < 0 || (opened.st_dev == judged.device && opened.st_ino == judged.inode));
    int error = 0;
    if (same && ::unlink(m_encoded.constData()) != 0 && errno != ENOENT)
        error = errno;
    if (fd >= 0)
        ::close(fd);
    return error ? Failure(Failure::Code::Lock, m_path, error) : Failure();
}
