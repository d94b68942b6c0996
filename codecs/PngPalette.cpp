#include "PngPalette.h"

#include <algorithm>
#include <cstring>

bool PngPalette::collect(const QImage& source)
{
    m_count = 0;
    m_last = 0;
    m_translucent = 0;
    m_width = source.width();
    std::memset(m_slots, 0, sizeof m_slots);
    const qint64 pixels = qint64(source.width()) * source.height();
    if (pixels > maxPixels)
        return false;
    const bool packed = source.format() == QImage::Format_RGB888;
    const QRgb opaque = source.format() == QImage::Format_RGB32 ? 0xff000000u : 0;
    m_indices.resize(std::size_t(pixels));
    unsigned char* index = m_indices.data();
    for (int y = 0; y < source.height(); ++y) {
        const uchar* line = source.constScanLine(y);
        for (int x = 0; x < m_width; ++x) {
            const uchar* p = line + 3 * x;
            const QRgb colour =
                packed ? qRgb(p[0], p[1], p[2]) : reinterpret_cast<const QRgb*>(line)[x] | opaque;
            const int i = indexOf(colour);
            if (i < 0)
                return false;
            *index++ = (unsigned char)i;
        }
    }
    putTranslucentFirst();
    return true;
}

int PngPalette::bitDepth() const
{
    return m_count <= 2 ? 1 : m_count <= 4 ? 2 : m_count <= 16 ? 4 : 8;
}

void PngPalette::fillRow(int y, unsigned char* row) const
{
    const int depth = bitDepth();
    const unsigned char* index = m_indices.data() + std::size_t(y) * m_width;
    if (depth == 8) {
        std::memcpy(row, index, std::size_t(m_width));
        return;
    }
    std::memset(row, 0, rowBytes());
    for (int x = 0; x < m_width; ++x) {
        const int bit = x * depth;
        row[bit / 8] |= (unsigned char)(index[x] << (8 - depth - bit % 8));
    }
}

// Runs of one colour are looked up once. -1 for a colour past the 256th.
int PngPalette::indexOf(QRgb colour)
{
    if (m_count > 0 && colour == m_colours[m_last])
        return m_last;
    unsigned slot = (colour * 0x9e3779b1u) >> (32 - slotBits);
    while (m_slots[slot] != 0) {
        if (m_colours[m_slots[slot] - 1] == colour)
            return m_last = m_slots[slot] - 1;
        slot = (slot + 1) & (slotCount - 1);
    }
    if (m_count == 256)
        return -1;
    m_slots[slot] = std::uint16_t(m_count + 1);
    m_colours[m_count] = colour;
    return m_last = m_count++;
}

void PngPalette::putTranslucentFirst()
{
    unsigned char order[256];
    for (int i = 0; i < m_count; ++i)
        order[i] = (unsigned char)i;
    const auto end = std::stable_partition(order, order + m_count,
                                           [this](int i) { return qAlpha(m_colours[i]) < 255; });
    m_translucent = int(end - order);
    if (m_translucent == 0)
        return;
    QRgb colours[256];
    unsigned char newIndex[256];
    for (int i = 0; i < m_count; ++i) {
        colours[i] = m_colours[order[i]];
        newIndex[order[i]] = (unsigned char)i;
    }
    std::copy(colours, colours + m_count, m_colours);
    for (unsigned char& index : m_indices)
        index = newIndex[index];
}
