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

bool BufferedLineFile::writeFile(const QString& targetPath,
                                 const std::function<void(const LineSink&)>& produce,
                                 QString* errorString)
{
    BufferedLineFile file(targetPath);
    if (file.open()) {
        produce([&file](const QString& line) { file.writeLine(line); });
        if (file.commit())
            return true;
    }
    *errorString = file.error().message();
    return false;
}
