#pragma once

#include <cstddef>

// Growing byte buffer that encoders append to from inside C library callbacks: it never throws,
// so a failure can be turned into the library's own error path.
class CodecMemoryBuffer
{
public:
    explicit CodecMemoryBuffer(std::size_t initialCapacity = 0);
    ~CodecMemoryBuffer();
    CodecMemoryBuffer(const CodecMemoryBuffer&) = delete;
    CodecMemoryBuffer& operator=(const CodecMemoryBuffer&) = delete;

    bool append(const void* bytes, std::size_t count) noexcept;
    const unsigned char* data() const { return m_data; }
    std::size_t size() const { return m_size; }

private:
    unsigned char* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};
