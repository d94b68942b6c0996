#include "FuzzInputFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string prefix = "brindlewick-fuzz-";

std::string temporaryRoot()
{
    struct stat info;
    if (::stat("/dev/shm", &info) == 0 && S_ISDIR(info.st_mode) && ::access("/dev/shm", W_OK) == 0)
        return "/dev/shm";
    const char* tmp = std::getenv("TMPDIR");
    return tmp && *tmp ? tmp : "/tmp";
}

// A crash ends the fuzzer at once, so folders of processes that are gone are removed here.
void removeStaleFolders(const std::string& root)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(root, error)) {
        const std::string name = entry.path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0)
            continue;
        char* end = nullptr;
        const long pid = std::strtol(name.c_str() + prefix.size(), &end, 10);
        struct stat info;
        if (pid > 0 && *end == '\0' && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH &&
            ::lstat(entry.path().c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
            info.st_uid == ::geteuid()) {
            std::filesystem::remove_all(entry.path(), error);
        }
    }
}

} // namespace

FuzzInputFile::FuzzInputFile(const char* extension)
{
    const std::string root = temporaryRoot();
    removeStaleFolders(root);
    const std::string directory = root + "/" + prefix + std::to_string(::getpid());
    struct stat info;
    if (::mkdir(directory.c_str(), 0700) != 0 &&
        !(errno == EEXIST && ::lstat(directory.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
          info.st_uid == ::geteuid())) {
        std::perror(directory.c_str());
        return;
    }
    m_directory = directory;
    m_path = m_directory + "/input." + extension;
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
