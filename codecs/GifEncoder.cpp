#include "GifEncoder.h"

#include "CodecMemoryBuffer.h"
#include "Matte.h"
#include "WebPalette.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace {

constexpr int codeSize = 8; // bits per pixel of the 256-entry table
constexpr int clearCode = 1 << codeSize;
constexpr int endCode = clearCode + 1;
constexpr int firstFreeCode = clearCode + 2;
constexpr int maxCode = 4095;
constexpr int noCode = 4096;

// The strings known so far as a tree: each code's children by first child and next sibling.
// Button rows are long runs, so a code has few children and the walk ends at once; the arrays
// are small enough to stay in the cache, unlike a hash table.
struct CodeTable
{
    std::uint16_t firstChild[maxCode + 1];
    std::uint16_t nextSibling[maxCode + 1];
    std::uint8_t pixelOf[maxCode + 1];

    CodeTable() { clear(); }

    // A child found further down its list moves to the front: smooth captions give the
    // background's string dozens of children, and the ones just used come back soonest.
    int find(int prefix, int pixel)
    {
        int code = firstChild[prefix];
        if (code == 0 || pixelOf[code] == pixel)
            return code == 0 ? -1 : code;
        for (int previous = code; (code = nextSibling[previous]) != 0; previous = code) {
            if (pixelOf[code] == pixel) {
                nextSibling[previous] = nextSibling[code];
                nextSibling[code] = firstChild[prefix];
                firstChild[prefix] = std::uint16_t(code);
                return code;
            }
        }
        return -1;
    }
    void insert(int prefix, int pixel, int code)
    {
        firstChild[code] = 0;
        pixelOf[code] = std::uint8_t(pixel);
        nextSibling[code] = firstChild[prefix];
        firstChild[prefix] = std::uint16_t(code);
    }
    // Only the pixels' own codes start strings; later codes start empty when made.
    void clear() { std::memset(firstChild, 0, sizeof firstChild[0] * clearCode); }
};

// Codes packed from the low bit up, in data sub-blocks of at most 255 bytes.
class CodeWriter
{
public:
    explicit CodeWriter(CodecMemoryBuffer& out) : m_out(out) {}

    void put(int code, int bits)
    {
        m_bits |= std::uint64_t(code) << m_bitCount;
        m_bitCount += bits;
        while (m_bitCount >= 8) {
            byte(std::uint8_t(m_bits));
            m_bits >>= 8;
            m_bitCount -= 8;
        }
    }
    // Writes the last partial byte, the last sub-block and the empty one that ends the data.
    bool finish()
    {
        if (m_bitCount > 0)
            byte(std::uint8_t(m_bits));
        m_bitCount = 0;
        if (m_blockLength > 0)
            flushBlock();
        const std::uint8_t terminator = 0;
        return m_ok && m_out.append(&terminator, 1);
    }

private:
    void byte(std::uint8_t value)
    {
        m_block[1 + m_blockLength++] = value;
        if (m_blockLength == 255)
            flushBlock();
    }
    void flushBlock()
    {
        m_block[0] = std::uint8_t(m_blockLength);
        m_ok = m_out.append(m_block, std::size_t(m_blockLength) + 1) && m_ok;
        m_blockLength = 0;
    }

    CodecMemoryBuffer& m_out;
    std::uint64_t m_bits = 0;
    int m_bitCount = 0;
    std::uint8_t m_block[256];
    int m_blockLength = 0;
    bool m_ok = true;
};

void putLittle16(std::uint8_t* at, int value)
{
    at[0] = std::uint8_t(value);
    at[1] = std::uint8_t(value >> 8);
}

} // namespace

namespace {
// Signature, logical screen without a global table (colour resolution 8), with a transparent
// index a graphic control block, then the image descriptor with its local table and the LZW
// code size.
bool appendHead(int width, int height, bool transparent, CodecMemoryBuffer& out)
{
    std::uint8_t head[6 + 7 + 8 + 10 + 3 * WebPalette::TableSize + 1] = {'G', 'I', 'F',
                                                                         '8', '7', 'a'};
    putLittle16(head + 6, width);
    putLittle16(head + 8, height);
    head[10] = 0x77;
    std::uint8_t* at = head + 13;
    if (transparent) {
        head[4] = '9';
        const std::uint8_t control[] = {0x21, 0xF9, 4, 0x01, 0, 0, GifEncoder::transparentIndex, 0};
        std::memcpy(at, control, sizeof control);
        at += sizeof control;
    }
    at[0] = ',';
    putLittle16(at + 5, width);
    putLittle16(at + 7, height);
    at[9] = 0x80 | (codeSize - 1);
    static const std::array<std::uint8_t, 3 * WebPalette::TableSize> colors = [] {
        std::array<std::uint8_t, 3 * WebPalette::TableSize> bytes{};
        for (int i = 0; i < WebPalette::TableSize; ++i) {
            const QRgb c = WebPalette::colorTable().at(i);
            bytes[3 * i] = std::uint8_t(qRed(c));
            bytes[3 * i + 1] = std::uint8_t(qGreen(c));
            bytes[3 * i + 2] = std::uint8_t(qBlue(c));
        }
        return bytes;
    }();
    std::memcpy(at + 10, colors.data(), colors.size());
    at += 10 + colors.size();
    *at++ = codeSize;
    return out.append(head, std::size_t(at - head));
}

// A pixel's palette index: over half transparent is the transparent index; the rest laid over
// the matte first.
int indexOf(QRgb p, const QRgb* matte)
{
    if (!matte)
        return WebPalette::indexOf(p);
    if (qAlpha(p) < 128)
        return GifEncoder::transparentIndex;
    return WebPalette::indexOf(Matte::over(p, *matte));
}
} // namespace

bool GifEncoder::encode(const QImage& picture, CodecMemoryBuffer& out, const QRgb* matte)
{
    const int width = picture.width();
    const int height = picture.height();
    if (!appendHead(width, height, matte != nullptr, out))
        return false;

    CodeTable table;
    CodeWriter writer(out);
    int bits = codeSize + 1;
    int nextCode = firstFreeCode;
    int limit = 1 << bits;
    // giflib widens the codes after writing one once the table has reached the limit, which
    // is one code later than the table needs: that lag is part of the bytes.
    const auto put = [&](int code) {
        writer.put(code, bits);
        if (nextCode >= limit && code <= maxCode)
            limit = 1 << ++bits;
    };
    put(clearCode);
    int current = noCode;
    // Buttons are runs of one colour: each run is mapped to the palette once.
    QRgb lastColor = 0;
    int lastPixel = indexOf(lastColor, matte);
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb p = line[x];
            if (p != lastColor) {
                lastColor = p;
                lastPixel = indexOf(p, matte);
            }
            const int pixel = lastPixel;
            if (current == noCode) {
                current = pixel;
                continue;
            }
            const int found = table.find(current, pixel);
            if (found >= 0) {
                current = found;
                continue;
            }
            put(current);
            if (nextCode >= maxCode) {
                put(clearCode);
                nextCode = firstFreeCode;
                bits = codeSize + 1;
                limit = 1 << bits;
                table.clear();
            } else {
                table.insert(current, pixel, nextCode++);
            }
            current = pixel;
        }
    }
    put(current);
    put(endCode);
    const std::uint8_t trailer = ';';
    return writer.finish() && out.append(&trailer, 1);
}
