#pragma once

#include "Failure.h"

#include <QByteArray>
#include <QString>

class QFile;

// A path that is about to be read, opened so that opening cannot block: with O_NONBLOCK, so
// that a FIFO nobody writes to opens at once, then looked at with fstat. A device may never end,
// and a FIFO read without a writer would wait for one forever.
class RegularFile
{
public:
    enum class Kind
    {
        Regular,
        Folder,
        Pipe, // a pipe or FIFO
        Other // a socket or device
    };

    explicit RegularFile(const QString& path);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    // Why the path could not be opened (Open, with errno); kind and size mean nothing then.
    const Failure& openFailure() const { return m_openFailure; }
    Kind kind() const { return m_kind; }
    qint64 size() const { return m_size; }
    // The words for a kind that is not wanted: "is a folder", or "is not a regular file".
    Failure refusal() const;
    // Hands the opened file over to file, which closes it.
    bool openInto(QFile& file);
    // Reads a pipe to its end, at most limit bytes (more fails with TooLarge). A FIFO that
    // nobody has open for writing gets a moment for a writer to come, and then reads as empty.
    Failure readPipe(qint64 limit, QByteArray* bytes);

    // Refuses a FIFO, socket or device, found without blocking. A folder, a missing file or one
    // that cannot be opened pass: their readers report them in their own words.
    static Failure check(const QString& path);

private:
    QString m_path;
    Failure m_openFailure;
    int m_fd = -1;
    Kind m_kind = Kind::Other;
    qint64 m_size = 0;
};
