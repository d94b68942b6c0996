#pragma once

#include "AtomicOutputFile.h"
#include "Failure.h"

#include <QByteArray>
#include <QString>

#include <functional>

// Text lines written as UTF-8 with CR LF through an AtomicOutputFile, in chunks of about
// chunkBytes: a file of any length is never held whole, and it replaces the target only once
// complete.
class BufferedLineFile
{
public:
    static constexpr int chunkBytes = 64 * 1024;

    explicit BufferedLineFile(const QString& targetPath);

    void setFollowLinks(bool follow) { m_file.setFollowLinks(follow); }
    bool open() { return m_file.open(); }
    // A failed write is remembered and reported by commit(); later lines are dropped.
    void writeLine(const QString& line);
    // Writes what is buffered and renames the file into place.
    bool commit();
    Failure error() const { return m_file.error(); }

    using LineSink = std::function<void(const QString& line)>;
    using Producer = std::function<void(const LineSink&)>;
    // open(), the lines produce() hands to its sink, commit().
    static Failure writeFile(const QString& targetPath, const Producer& produce);

private:
    void flush();

    AtomicOutputFile m_file;
    QByteArray m_chunk;
    bool m_failed = false;
};
