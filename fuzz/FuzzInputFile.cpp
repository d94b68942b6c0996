#include "FuzzInputFile.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string temporaryRoot()
{
    struct stat info;
    if (::stat("/dev/shm", &info) == 0 && S_ISDIR(info.st_mode) && ::access("/dev/shm", W_OK) == 0)
        return "/dev/shm";
    const char* tmp = std::getenv("TMPDIR");
    return tmp && *tmp ? tmp : "/tmp";
}

} // namespace

FuzzInputFile::FuzzInputFile(const char* extension)
{
    std::string pattern = temporaryRoot() + "/brindlewick-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data())) {
        m_directory = pattern;
        m_path = m_directory + "/input." + extension;
    } else {
        std::perror("mkdtemp");
    }
}

FuzzInputFile::~FuzzInputFile()
{
    if (m_directory.empty())
        return;
    ::unlink(m_path.c_str());
    ::rmdir(m_directory.c_str());
}

QString FuzzInputFile::write(const uint8_t* data, size_t size)
{
    if (m_path.empty())
        return QString();
    const int fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return QString();
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n <= 0)
            break;
        done += size_t(n);
    }
    const bool closed = ::close(fd) == 0;
    return done == size && closed ? QString::fromStdString(m_path) : QString();
}
