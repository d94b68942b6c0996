#pragma once

#include <QImage>

#include <cstddef>
#include <cstdint>
#include <vector>

// The colours of a picture that has at most 256 of them, and each pixel's index among them, for a
// PNG file of colour type 3. Colours with alpha come first, so that tRNS needs to state only
// theirs.
class PngPalette
{
public:
    // False when the picture has more than 256 colours, or more than maxPixels. source is RGB32,
    // ARGB32 (not premultiplied) or RGB888.
    bool collect(const QImage& source);
    int count() const { return m_count; }
    QRgb colour(int index) const { return m_colours[index]; }
    // How many entries, from the first, have alpha below 255.
    int translucentCount() const { return m_translucent; }
    int bitDepth() const;
    // Row y's indices at bitDepth() bits each, packed from the high bits: rowBytes() bytes.
    void fillRow(int y, unsigned char* row) const;
    std::size_t rowBytes() const { return (std::size_t(m_width) * bitDepth() + 7) / 8; }

    // Beyond a megapixel no button goes: such pictures stay RGB rather than take a byte per
    // pixel more while they are written.
    static constexpr qint64 maxPixels = qint64(1) << 20;

private:
    template <typename Pixel> bool collectRows(const QImage& source, Pixel pixel);
    int indexOf(QRgb colour);
    void putTranslucentFirst();

    // Open addressing in a table four times the largest palette; a slot holds its index + 1.
    static constexpr int slotBits = 10;
    static constexpr unsigned slotCount = 1u << slotBits;
    std::uint16_t m_slots[slotCount] = {};
    QRgb m_colours[256] = {};
    std::vector<unsigned char> m_indices;
    int m_width = 0;
    int m_count = 0;
    int m_translucent = 0;
};
