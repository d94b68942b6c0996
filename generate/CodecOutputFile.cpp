#include "CodecOutputFile.h"

#include <QFile>

#include <cerrno>

CodecOutputFile::CodecOutputFile(const QString& path) : m_encodedPath(QFile::encodeName(path)) {}

CodecOutputFile::~CodecOutputFile()
{
    if (m_file)
        discard();
}

bool CodecOutputFile::create()
{
    errno = 0;
    m_file = std::fopen(m_encodedPath.constData(), "wb");
    if (!m_file) {
        m_systemError = errno ? errno : EIO;
        return false;
    }
    return true;
}

bool CodecOutputFile::writeAndCommit(const void* bytes, std::size_t count)
{
    if (!m_file) {
        m_systemError = EBADF;
        return false;
    }
    bool ok = std::fwrite(bytes, 1, count, m_file) == count;
    int error = ok ? 0 : errno;
    if (ok && std::fflush(m_file) != 0) {
        ok = false;
        error = errno;
    }
    if (std::fclose(m_file) != 0 && ok) {
        ok = false;
        error = errno;
    }
    m_file = nullptr;
    if (!ok) {
        m_systemError = error ? error : EIO;
        std::remove(m_encodedPath.constData());
        return false;
    }
    return true;
}

void CodecOutputFile::discard()
{
    std::fclose(m_file);
    m_file = nullptr;
    std::remove(m_encodedPath.constData());
}
