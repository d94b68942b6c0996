#include "CodecMemoryBuffer.h"

#include <cstdlib>
#include <cstring>

CodecMemoryBuffer::CodecMemoryBuffer(std::size_t initialCapacity)
{
    if (initialCapacity > 0) {
        m_data = static_cast<unsigned char*>(std::malloc(initialCapacity));
        if (m_data)
            m_capacity = initialCapacity;
    }
}

CodecMemoryBuffer::~CodecMemoryBuffer()
{
    std::free(m_data);
}

bool CodecMemoryBuffer::append(const void* bytes, std::size_t count) noexcept
{
    if (count > m_capacity - m_size) {
        std::size_t capacity = m_capacity ? m_capacity : 4096;
        while (capacity - m_size < count) {
            if (capacity > (std::size_t(-1) >> 1))
                return false;
            capacity *= 2;
        }
        auto* grown = static_cast<unsigned char*>(std::realloc(m_data, capacity));
        if (!grown)
            return false;
        m_data = grown;
        m_capacity = capacity;
    }
    if (count > 0)
        std::memcpy(m_data + m_size, bytes, count);
    m_size += count;
    return true;
}
