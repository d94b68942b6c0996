#pragma once

// Helpers shared by the codec tests: button-like pictures, raw file access and hand-built PNG and
// GIF streams, so decoders are tested on files no encoder of ours produced.

#include "ErrorText.h"

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QProcess>
#include <QString>
#include <QtEndian>

#include <cstdint>

// Passes when expr gives no Failure, else fails with its words.
#define QVERIFY_NO_FAILURE(expr)                                                                   \
    do {                                                                                           \
        const Failure failure_ = (expr);                                                           \
        QVERIFY2(!failure_, qPrintable(ErrorText::message(failure_)));                             \
    } while (false)

namespace CodecTest {

// Whether a codec call failed, with its words in *words.
inline bool failsWith(const Failure& failure, QString* words)
{
    *words = ErrorText::message(failure);
    return failure.isError();
}

// A rendered-looking button: vertical gradient, a frame and some fine text-like strokes.
inline QImage buttonImage(int width = 120, int height = 32, int seed = 0)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const int shade = 255 - (y * 120) / qMax(1, height);
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(shade, (shade + x + seed) & 0xff, 40 + (x * 3 + seed) % 200));
    }
    for (int x = 0; x < width; ++x) {
        image.setPixel(x, 0, qRgb(255, 255, 255));
        image.setPixel(x, height - 1, qRgb(64, 64, 64));
    }
    // Letter-like strokes: thin columns and bars in the middle third.
    for (int x = width / 4; x < 3 * width / 4; x += 5) {
        for (int y = height / 3; y < 2 * height / 3; ++y) {
            image.setPixel(x, y, qRgb(0, 0, 0));
            if ((x / 5 + seed) % 3 == 0)
                image.setPixel(x + 1, height / 2, qRgb(0, 0, 128));
        }
    }
    return image;
}

inline QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

inline bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

inline QImage asRgb32(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

inline quint32 crc32(const QByteArray& bytes)
{
    quint32 crc = 0xffffffffu;
    for (char ch : bytes) {
        crc ^= quint8(ch);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xffffffffu;
}

inline QByteArray be32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

inline QByteArray pngChunk(const char* type, const QByteArray& data)
{
    const QByteArray typed = QByteArray(type) + data;
    return be32(quint32(data.size())) + typed + be32(crc32(typed));
}

// zlib stream of stored (uncompressed) deflate blocks.
inline QByteArray zlibStored(const QByteArray& raw)
{
    QByteArray out("\x78\x01", 2);
    int offset = 0;
    do {
        const int length = qMin<int>(raw.size() - offset, 65535);
        const bool last = offset + length >= raw.size();
        out += char(last ? 1 : 0);
        out += char(length & 0xff);
        out += char(length >> 8);
        out += char(~length & 0xff);
        out += char((~length >> 8) & 0xff);
        out += raw.mid(offset, length);
        offset += length;
    } while (offset < raw.size());
    quint32 a = 1, b = 0;
    for (char ch : raw) {
        a = (a + quint8(ch)) % 65521;
        b = (b + a) % 65521;
    }
    return out + be32((b << 16) | a);
}

// A PNG from raw scanlines (without filter bytes), optional PLTE and tRNS.
inline QByteArray makePng(quint32 width, quint32 height, int bitDepth, int colorType,
                          const QList<QByteArray>& rows, const QByteArray& plte = QByteArray(),
                          const QByteArray& trns = QByteArray())
{
    QByteArray ihdr = be32(width) + be32(height);
    ihdr += char(bitDepth);
    ihdr += char(colorType);
    ihdr += QByteArray(3, '\0');
    QByteArray raw;
    for (const QByteArray& row : rows)
        raw += '\0' + row;
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    png += pngChunk("IHDR", ihdr);
    if (!plte.isEmpty())
        png += pngChunk("PLTE", plte);
    if (!trns.isEmpty())
        png += pngChunk("tRNS", trns);
    png += pngChunk("IDAT", zlibStored(raw));
    png += pngChunk("IEND", QByteArray());
    return png;
}

// Chunk types in file order; empty if the signature or a length is wrong.
inline QList<QByteArray> pngChunkTypes(const QByteArray& png)
{
    QList<QByteArray> types;
    if (!png.startsWith(QByteArray("\x89PNG\r\n\x1a\n", 8)))
        return types;
    qsizetype at = 8;
    while (at + 12 <= png.size()) {
        const quint32 length = qFromBigEndian<quint32>(png.constData() + at);
        if (at + 12 + qsizetype(length) > png.size())
            return {};
        types << png.mid(at + 4, 4);
        at += 12 + length;
    }
    return at == png.size() ? types : QList<QByteArray>();
}

// LZW data of a GIF image: literal codes only, a clear code before the table could grow, so
// any decoder reads it at the starting code width. Returns the code size byte and sub-blocks.
inline QByteArray gifLzw(const QByteArray& indices, int minCodeSize)
{
    const int clear = 1 << minCodeSize;
    const int width = minCodeSize + 1;
    const int literalsPerClear = qMax(1, clear - 3);
    QByteArray packed;
    quint32 buffer = 0;
    int bits = 0;
    auto put = [&](int code) {
        buffer |= quint32(code) << bits;
        bits += width;
        while (bits >= 8) {
            packed += char(buffer & 0xff);
            buffer >>= 8;
            bits -= 8;
        }
    };
    for (int i = 0; i < indices.size(); ++i) {
        if (i % literalsPerClear == 0)
            put(clear);
        put(quint8(indices[i]));
    }
    put(clear + 1);
    if (bits > 0)
        packed += char(buffer & 0xff);
    QByteArray out(1, char(minCodeSize));
    for (int at = 0; at < packed.size(); at += 255) {
        const QByteArray block = packed.mid(at, 255);
        out += char(block.size());
        out += block;
    }
    return out + '\0';
}

inline QByteArray le16(int value)
{
    QByteArray bytes(2, '\0');
    bytes[0] = char(value & 0xff);
    bytes[1] = char((value >> 8) & 0xff);
    return bytes;
}

// Colour table bytes from RGB triples, padded to 2^(sizeBits+1) entries.
inline QByteArray gifTable(const QList<QRgb>& colors, int sizeBits)
{
    QByteArray table;
    for (int i = 0; i < (2 << sizeBits); ++i) {
        const QRgb c = i < colors.size() ? colors[i] : qRgb(0, 0, 0);
        table += char(qRed(c));
        table += char(qGreen(c));
        table += char(qBlue(c));
    }
    return table;
}

struct GifFrame
{
    int left = 0, top = 0, width = 0, height = 0;
    bool interlaced = false;
    QList<QRgb> localTable; // empty: use the global one
    int transparentIndex = -1;
    QByteArray indices; // in file order (already interlaced when interlaced)
};

inline QByteArray makeGif(int screenWidth, int screenHeight, const QList<QRgb>& globalTable,
                          int backgroundIndex, const QList<GifFrame>& frames)
{
    QByteArray gif("GIF89a");
    gif += le16(screenWidth) + le16(screenHeight);
    gif += char(globalTable.isEmpty() ? 0x70 : 0xf7);
    gif += char(backgroundIndex);
    gif += '\0';
    if (!globalTable.isEmpty())
        gif += gifTable(globalTable, 7);
    for (const GifFrame& frame : frames) {
        if (frame.transparentIndex >= 0) {
            gif += QByteArray("\x21\xf9\x04\x01\x00\x00", 6);
            gif += char(frame.transparentIndex);
            gif += '\0';
        }
        gif += ',';
        gif += le16(frame.left) + le16(frame.top) + le16(frame.width) + le16(frame.height);
        gif += char((frame.localTable.isEmpty() ? 0 : 0x87) | (frame.interlaced ? 0x40 : 0));
        if (!frame.localTable.isEmpty())
            gif += gifTable(frame.localTable, 7);
        gif += gifLzw(frame.indices, 8);
    }
    return gif + ';';
}

// The picture as dwebp, libwebp's own decoder program, reads it: ARGB32 with any alpha kept.
// Null when dwebp fails or is missing (the webp package).
inline QImage decodedByDwebp(const QString& path)
{
    QProcess dwebp;
    dwebp.start(QStringLiteral("dwebp"), {QStringLiteral("-quiet"), path, QStringLiteral("-pam"),
                                          QStringLiteral("-o"), QStringLiteral("-")});
    if (!dwebp.waitForFinished(60000) || dwebp.exitStatus() != QProcess::NormalExit ||
        dwebp.exitCode() != 0)
        return QImage();
    const QByteArray pam = dwebp.readAllStandardOutput();
    const qsizetype end = pam.indexOf("ENDHDR\n");
    int width = 0, height = 0;
    for (const QByteArray& line : pam.left(qMax<qsizetype>(end, 0)).split('\n')) {
        if (line.startsWith("WIDTH "))
            width = line.mid(6).toInt();
        else if (line.startsWith("HEIGHT "))
            height = line.mid(7).toInt();
    }
    const QByteArray rgba = pam.mid(end + 7);
    if (end < 0 || width < 1 || height < 1 || rgba.size() != qsizetype(width) * height * 4)
        return QImage();
    return QImage(reinterpret_cast<const uchar*>(rgba.constData()), width, height, width * 4,
                  QImage::Format_RGBA8888)
        .convertToFormat(QImage::Format_ARGB32);
}

} // namespace CodecTest
