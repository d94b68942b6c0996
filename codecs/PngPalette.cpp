#include "PngPalette.h"

#include <algorithm>
#include <cstring>

bool PngPalette::collect(const QImage& source)
{
    m_count = 0;
    m_translucent = 0;
    m_width = source.width();
    std::memset(m_slots, 0, sizeof m_slots);
    const qint64 pixels = qint64(source.width()) * source.height();
    if (pixels > maxPixels)
        return false;
    m_indices.resize(std::size_t(pixels));
    if (source.format() == QImage::Format_RGB888)
        return collectRows(source, [](const uchar* line, int x) {
            return qRgb(line[3 * x], line[3 * x + 1], line[3 * x + 2]);
        });
    const QRgb opaque = source.format() == QImage::Format_RGB32 ? 0xff000000u : 0;
    return collectRows(source, [opaque](const uchar* line, int x) {
        return reinterpret_cast<const QRgb*>(line)[x] | opaque;
    });
}

template <typename Pixel> bool PngPalette::collectRows(const QImage& source, Pixel pixel)
{
    unsigned char* index = m_indices.data();
    // Most pixels go on a run of one colour.
    QRgb last = 0;
    int lastIndex = -1;
    for (int y = 0; y < source.height(); ++y) {
        const uchar* line = source.constScanLine(y);
        for (int x = 0; x < m_width; ++x) {
            const QRgb colour = pixel(line, x);
            if (colour != last || lastIndex < 0) {
                last = colour;
                lastIndex = indexOf(colour);
                if (lastIndex < 0)
                    return false;
            }
            *index++ = (unsigned char)lastIndex;
        }
    }
    putTranslucentFirst();
    return true;
}

int PngPalette::bitDepth() const
{
    return m_count <= 2 ? 1 : m_count <= 4 ? 2 : m_count <= 16 ? 4 : 8;
}

namespace {
// A byte at a time, its pixels from the high bits; the last byte's unused bits stay 0.
template <int depth> void pack(const unsigned char* index, int width, unsigned char* row)
{
    constexpr int perByte = 8 / depth;
    int x = 0;
    for (; x + perByte <= width; x += perByte) {
        unsigned byte = 0;
        for (int i = 0; i < perByte; ++i)
            byte = (byte << depth) | index[x + i];
        *row++ = (unsigned char)byte;
    }
    if (x < width) {
        unsigned byte = 0;
        for (int i = 0; i < perByte; ++i)
            byte = (byte << depth) | (x + i < width ? index[x + i] : 0);
        *row = (unsigned char)byte;
    }
}
} // namespace

void PngPalette::fillRow(int y, unsigned char* row) const
{
    const unsigned char* index = m_indices.data() + std::size_t(y) * m_width;
    switch (bitDepth()) {
    case 1:
        return pack<1>(index, m_width, row);
    case 2:
        return pack<2>(index, m_width, row);
    case 4:
        return pack<4>(index, m_width, row);
    }
    std::memcpy(row, index, std::size_t(m_width));
}

// -1 for a colour past the 256th.
int PngPalette::indexOf(QRgb colour)
{
    unsigned slot = (colour * 0x9e3779b1u) >> (32 - slotBits);
    while (m_slots[slot] != 0) {
        if (m_colours[m_slots[slot] - 1] == colour)
            return m_slots[slot] - 1;
        slot = (slot + 1) & (slotCount - 1);
    }
    if (m_count == 256)
        return -1;
    m_slots[slot] = std::uint16_t(m_count + 1);
    m_colours[m_count] = colour;
    return m_count++;
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
