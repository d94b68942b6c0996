#pragma once

#include "FileError.h"

#include <QByteArray>
#include <QString>

#include <cstddef>

// Replaces a file only once its new content is complete. The bytes go to a hidden temporary
// file in the target's folder, every write and the close are checked, and commit() renames the
// temporary over the target. Until then the old file stays whole; on any failure, or when the
// object goes away uncommitted, the temporary is removed. No fsync: a crash may lose the new
// file, but never leaves a mixed or truncated one under the target's name. A target that is a
// symbolic link has the file it points to replaced.
//
// A temporary is named ".brindlewick-PID-SERIAL-HOST.tmp", so writers in other processes and
// threads never share one, and a temporary left by a killed process can be told from one that
// is still being written (see removeStaleTemporaries).
class AtomicOutputFile
{
public:
    explicit AtomicOutputFile(const QString& targetPath);
    ~AtomicOutputFile();
    AtomicOutputFile(const AtomicOutputFile&) = delete;
    AtomicOutputFile& operator=(const AtomicOutputFile&) = delete;

    // Creates the temporary. Fails early for a target that could never be renamed into place
    // (a folder, a name too long) or that is read-only to us, so callers report those as
    // failures to create the file.
    bool open();
    bool write(const void* bytes, std::size_t count);
    // Closes the temporary and renames it over the target.
    bool commit();
    // What failed: creating (Code::Create), writing, closing or renaming the temporary.
    FileError error() const { return m_error; }
    int systemError() const { return m_error.systemError(); }
    QString targetPath() const { return m_targetPath; }
    QString temporaryPath() const;

    // open(), write() and commit() in one; *systemError gets the errno of a failure.
    static bool writeFile(const QString& targetPath, const QByteArray& bytes,
                          int* systemError = nullptr);

    // Removes the temporaries in the folder whose writing process, on this host, no longer
    // exists (it was killed before it could clean up). Temporaries of live processes and of
    // other hosts stay. Returns how many were removed.
    static int removeStaleTemporaries(const QString& directory);
    // Whether a file name has the form of a temporary; fills its owner's pid and host.
    static bool isTemporaryName(const QString& fileName, qint64* pid = nullptr,
                                QString* host = nullptr);

private:
    bool fail(FileError::Code code, int error);
    void discard();

    QString m_targetPath;
    QByteArray m_encodedTarget;
    QByteArray m_encodedTemporary;
    int m_fd = -1;
    FileError m_error;
};
