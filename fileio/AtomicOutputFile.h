#pragma once

#include "Failure.h"

#include <QByteArray>
#include <QString>

#include <cstddef>

// Replaces a file only once its new content is complete. The bytes go to a hidden temporary
// file in the target's folder, every write and the close are checked, and commit() renames the
// temporary over the target. Until then the old file stays whole; on any failure, or when the
// object goes away uncommitted, the temporary is removed. No fsync: a crash may lose the new
// file, but never leaves a mixed or truncated one under the target's name. A symbolic link at
// the target's name is replaced by the file, never followed.
//
// A temporary is named ".brindlewick-RANDOM.tmp" and created only if nothing has that name.
// Its writer holds an exclusive flock() on it until the rename, so a temporary nobody holds
// was left by a killed process, in whatever PID namespace or on whatever host it ran. Where the
// file system has no flock(), temporaries go unlocked, and none is taken for stale.
//
// An unchanged file keeps its date: bytes equal to those of the regular file at the name leave
// that file as it is (its inode and times), and no temporary is made. The new bytes are checked
// against the old file's as they come, and the old file is read only while they agree.
class AtomicOutputFile
{
public:
    explicit AtomicOutputFile(const QString& targetPath);
    ~AtomicOutputFile();
    AtomicOutputFile(const AtomicOutputFile&) = delete;
    AtomicOutputFile& operator=(const AtomicOutputFile&) = delete;

    // Creates the temporary, or for a regular file at the name opens it to check the new bytes
    // against, and makes the temporary when they first differ. Fails early for a target that
    // could never be renamed into place (a folder, a name too long) or that is read-only to us
    // (unless replaceReadOnly), so callers report those as failures to create the file.
    bool open();
    // For a file that is the user's own rather than output: a link at its name, or a chain of
    // them, is followed and the file at its end replaced.
    void setFollowLinks(bool follow) { m_followLinks = follow; }
    // A read-only file is replaced too, and keeps its mode.
    void setReplaceReadOnly(bool replace) { m_replaceReadOnly = replace; }
    bool write(const void* bytes, std::size_t count);
    // Closes the temporary and renames it over the target; an unchanged target stays.
    bool commit();
    // What failed: creating (Code::Create), writing, closing or renaming the temporary, or
    // reading again the old bytes that the new ones began with (Code::Read).
    Failure error() const { return m_error; }
    QString targetPath() const { return m_targetPath; }
    QString temporaryPath() const;

    // open(), write() and commit() in one. A target that does not exist yet is written as a
    // file without a name and linked in place when complete, with no temporary at all. (Should
    // the close then report a failed write-back, the new name is removed again.)
    bool writeAll(const void* bytes, std::size_t count);
    // writeAll() of a new object.
    static Failure writeFile(const QString& targetPath, const QByteArray& bytes);

    // Removes the temporaries in the folder that no process holds (their writers were killed
    // before they could clean up). Returns how many were removed.
    static int removeStaleTemporaries(const QString& directory);
    // Removes one temporary if no process holds it.
    static bool removeIfAbandoned(const QString& path);
    static bool isTemporaryName(const QString& fileName);
    // The most bytes a temporary's name takes, for callers that check a path's length up front.
    static qsizetype longestTemporaryName();
    // The absolute path at the end of a chain of links (the path itself when it is no link;
    // the end need not exist). A chain too long or looping has no end: the path is empty and
    // the failure is one to open the chain's start.
    struct LinkEnd
    {
        QString path;
        Failure failure;
    };
    static LinkEnd finalTarget(const QString& path);

private:
    bool checkTarget();
    bool createTemporary();
    bool linkNewFile(const void* bytes, std::size_t count);
    bool compareWithOld(qint64 newSize);
    std::size_t matchOld(const char* bytes, std::size_t count);
    bool leaveOld();
    bool writeOut(const char* bytes, std::size_t count);
    bool fail(Failure::Code code, int error);
    void discard();

    QString m_targetPath;
    QByteArray m_encodedTarget;
    QByteArray m_encodedFolder;
    QByteArray m_encodedTemporary;
    int m_fd = -1;
    int m_oldFd = -1; // the file at the name, while the new bytes agree with its first ones
    qint64 m_oldSize = -1;
    qint64 m_matched = 0;
    int m_keepMode = -1;
    int m_createdMode = -1;
    bool m_targetExists = false;
    bool m_replaceReadOnly = false;
    bool m_followLinks = false;
    Failure m_error;
};
