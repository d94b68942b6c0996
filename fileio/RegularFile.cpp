#include "RegularFile.h"

#include "PathBytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Failure RegularFile::check(const QString& path)
{
    // O_NONBLOCK: opening a FIFO without a writer returns at once instead of waiting for one.
    const int fd = ::open(PathBytes::encode(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return Failure();
    struct stat st = {};
    const bool refused = ::fstat(fd, &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode);
    ::close(fd);
    return refused ? Failure(Failure::Code::NotRegular, path).because(FailureReason::NotRegularFile)
                   : Failure();
}
