#pragma once

#include "Failure.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <sys/types.h>

// An exclusive lock held as a file beside what it guards: made with O_EXCL, held under
// flock() and removed on unlock, and holding what QLockFile writes (process, program, host,
// machine, boot), so that this class and QLockFile respect each other's locks.
//
// Nothing in it blocks. A lock that is no regular file is refused at once. A lock is stale, and
// removed, when its process on this host has ended, when it is older than 30 s (QLockFile's
// rule), or when it cannot be read as a lock (a process killed while making it leaves it
// empty) and nobody holds it, seen so twice a moment apart.
class LockFile
{
public:
    explicit LockFile(const QString& path);
    ~LockFile();
    LockFile(const LockFile&) = delete;
    LockFile& operator=(const LockFile&) = delete;

    // Takes the lock, waiting at most wait for a live holder to let it go. Fails with Lock and
    // EWOULDBLOCK when it is still held then, with NotRegular (NotRegularFile) for a lock that
    // is no regular file, or with the system's error.
    Failure lock(std::chrono::milliseconds wait);
    void unlock();

private:
    enum class Holder
    {
        Nobody,
        Live,
        Stale,
        Unreadable,
        NoFile
    };
    struct Sight
    {
        Holder holder = Holder::Nobody;
        dev_t device = 0;
        ino_t inode = 0;
        bool operator==(const Sight&) const = default;
    };

    Failure take(int fd);
    Sight look() const;
    Failure removeStale(const Sight& judged) const;

    QString m_path;
    QByteArray m_encoded;
    int m_fd = -1;
};
