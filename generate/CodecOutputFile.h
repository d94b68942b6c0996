#pragma once

#include <QString>

#include <cstddef>
#include <cstdio>

// One image file being written. The file is created first, the encoded stream written in one go
// and the file closed; if any of that fails, or the object goes away before commit(), the partial
// file is removed so that no half-written picture is left under the real name.
class CodecOutputFile
{
public:
    explicit CodecOutputFile(const QString& path);
    ~CodecOutputFile();
    CodecOutputFile(const CodecOutputFile&) = delete;
    CodecOutputFile& operator=(const CodecOutputFile&) = delete;

    // Creates or truncates the file. On failure systemError() holds errno.
    bool create();
    // Writes the bytes, closes the file and keeps it. On failure removes it.
    bool writeAndCommit(const void* bytes, std::size_t count);
    int systemError() const { return m_systemError; }

private:
    void discard();

    QByteArray m_encodedPath;
    std::FILE* m_file = nullptr;
    int m_systemError = 0;
};
