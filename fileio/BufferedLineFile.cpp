#include "BufferedLineFile.h"

#include "ErrorText.h"

BufferedLineFile::BufferedLineFile(const QString& targetPath) : m_file(targetPath)
{
    // One line more than a chunk fits without growing the buffer in most cases.
    m_chunk.reserve(chunkBytes + 4096);
}

void BufferedLineFile::writeLine(const QString& line)
{
    if (m_failed)
        return;
    // Nearly every line is ASCII and goes straight in: a UTF-8 copy of each line of its own
    // took a tenth of a page's time.
    const qsizetype at = m_chunk.size();
    m_chunk.resize(at + line.size());
    char* out = m_chunk.data() + at;
    for (const QChar c : line) {
        if (c.unicode() >= 0x80) {
            m_chunk.resize(at);
            m_chunk += line.toUtf8();
            break;
        }
        *out++ = char(c.unicode());
    }
    m_chunk += "\r\n";
    if (m_chunk.size() >= chunkBytes)
        flush();
}

void BufferedLineFile::flush()
{
    if (!m_failed && !m_chunk.isEmpty())
        m_failed = !m_file.write(m_chunk.constData(), std::size_t(m_chunk.size()));
    m_chunk.resize(0); // keeps the capacity
}

bool BufferedLineFile::commit()
{
    flush();
    return !m_failed && m_file.commit();
}

Failure BufferedLineFile::writeFile(const QString& targetPath, const Producer& produce)
{
    BufferedLineFile file(targetPath);
    if (file.open()) {
        produce([&file](const QString& line) { file.writeLine(line); });
        if (file.commit())
            return Failure();
    }
    return file.m_file.error();
}

bool BufferedLineFile::writeFile(const QString& targetPath, const Producer& produce,
                                 QString* errorString)
{
    const Failure failure = writeFile(targetPath, produce);
    if (failure)
        *errorString = ErrorText::message(failure);
    return !failure;
}
