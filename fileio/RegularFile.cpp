#include "RegularFile.h"

#include "PathBytes.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Long enough for a writer started in the same breath, as in "generate fifo & cat x >fifo".
constexpr int writerWaitMs = 500;
} // namespace

RegularFile::RegularFile(const QString& path) : m_path(path)
{
    const QByteArray encoded = PathBytes::encode(path);
    errno = 0;
    m_fd = ::open(encoded.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat st = {};
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0) {
        m_openFailure = Failure::fromErrno(Failure::Code::Open, path);
        // A socket never opens (ENXIO): it is refused as what it is.
        if (::stat(encoded.constData(), &st) == 0 && S_ISSOCK(st.st_mode))
            m_openFailure = Failure();
        return;
    }
    // From now on a read waits for a writer that has the pipe open, as any reader would.
    ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
    m_size = st.st_size;
    if (S_ISREG(st.st_mode))
        m_kind = Kind::Regular;
    else if (S_ISDIR(st.st_mode))
        m_kind = Kind::Folder;
    else if (S_ISFIFO(st.st_mode))
        m_kind = Kind::Pipe;
}

RegularFile::~RegularFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

Failure RegularFile::refusal() const
{
    if (m_kind == Kind::Folder)
        return Failure(Failure::Code::Open, m_path, EISDIR).because(FailureReason::IsFolder);
    return Failure(Failure::Code::NotRegular, m_path).because(FailureReason::NotRegularFile);
}

bool RegularFile::openInto(QFile& file)
{
    if (m_fd < 0 || !file.open(m_fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return false;
    m_fd = -1;
    return true;
}

Failure RegularFile::readPipe(qint64 limit, QByteArray* bytes)
{
    bytes->clear();
    bool waited = false;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Failure::fromErrno(Failure::Code::Read, m_path);
        // Nothing at all and no writer: one may be on its way. poll() wakes when it has written
        // or closed the pipe again; then the read waits for as long as it writes.
        if (n == 0 && bytes->isEmpty() && !waited) {
            waited = true;
            pollfd waiting = {m_fd, POLLIN, 0};
            ::poll(&waiting, 1, writerWaitMs);
            continue;
        }
        if (n == 0)
            return Failure();
        if (bytes->size() + n > limit)
            return Failure(Failure::Code::TooLarge, m_path);
        bytes->append(buffer, n);
    }
}

Failure RegularFile::check(const QString& path)
{
    const RegularFile file(path);
    if (file.openFailure() || file.kind() == Kind::Regular || file.kind() == Kind::Folder)
        return Failure();
    return file.refusal();
}
