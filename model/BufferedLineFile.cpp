#include "BufferedLineFile.h"

BufferedLineFile::BufferedLineFile(const QString& targetPath) : m_file(targetPath)
{
    // One line more than a chunk fits without growing the buffer in most cases.
    m_chunk.reserve(chunkBytes + 4096);
}

void BufferedLineFile::writeLine(const QString& line)
{
    if (m_failed)
        return;
    m_chunk += line.toUtf8();
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
