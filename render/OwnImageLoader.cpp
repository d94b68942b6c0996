#include "OwnImageLoader.h"

#include "BackgroundPictures.h"
#include "GifCodec.h"
#include "ImageLimits.h"
#include "JpegCodec.h"
#include "PathBytes.h"
#include "PngCodec.h"
#include "RegularFile.h"
#include "WebPCodec.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <optional>

namespace {

struct BmpLayout
{
    qint64 width = 0;
    qint64 height = 0; // rows, whatever the storage order
    bool topDown = false;
    int bitsPerPixel = 0;
    quint32 compression = 0;
    qint64 pixelOffset = 0;
    qint64 paletteOffset = 0;
    qint64 paletteSize = 0; // entries
};

enum : quint32
{
    BiRgb = 0,
    BiRle8 = 1,
    BiRle4 = 2,
    BiBitfields = 3
};

quint16 u16(const QByteArray& b, int at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

quint32 u32(const QByteArray& b, int at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

// Reads the file and info headers. The size is judged before anything else so that a huge
// claim is reported as such even when the rest of the file is missing.
Failure readLayout(QFile& file, BmpLayout& layout)
{
    const Failure invalid =
        Failure(Failure::Code::Decode, file.fileName()).because(FailureReason::BitmapInvalid);
    const QByteArray head = file.read(14 + 40);
    if (head.size() < 14 + 12 || !head.startsWith("BM"))
        return invalid;
    layout.pixelOffset = u32(head, 10);
    const quint32 infoSize = u32(head, 14);
    qint64 paletteEntry = 4;
    quint32 colorsUsed = 0;
    if (infoSize == 12) {
        // The old OS/2 header: 16-bit sizes, three-byte palette entries.
        layout.width = u16(head, 18);
        layout.height = u16(head, 20);
        layout.bitsPerPixel = u16(head, 24);
        paletteEntry = 3;
    } else if (infoSize >= 40 && head.size() >= 14 + 40) {
        layout.width = qint32(u32(head, 18));
        const qint64 height = qint32(u32(head, 22));
        layout.topDown = height < 0;
        layout.height = height < 0 ? -height : height;
        layout.bitsPerPixel = u16(head, 28);
        layout.compression = u32(head, 30);
        colorsUsed = u32(head, 46);
    } else {
        return invalid;
    }
    if (layout.width <= 0 || layout.height <= 0)
        return invalid;
    if (!ImageLimits::fits(layout.width, layout.height)) {
        return Failure(Failure::Code::Refuse, file.fileName())
            .because(FailureReason::BitmapTooLarge,
                     QStringLiteral("%1x%2").arg(layout.width).arg(layout.height));
    }

    switch (layout.bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return invalid;
    }
    const bool compressionFits =
        layout.compression == BiRgb ||
        (layout.compression == BiRle8 && layout.bitsPerPixel == 8 && !layout.topDown) ||
        (layout.compression == BiRle4 && layout.bitsPerPixel == 4 && !layout.topDown) ||
        (layout.compression == BiBitfields &&
         (layout.bitsPerPixel == 16 || layout.bitsPerPixel == 32));
    if (!compressionFits)
        return invalid;

    if (layout.bitsPerPixel <= 8) {
        const qint64 maxColors = qint64(1) << layout.bitsPerPixel;
        if (colorsUsed > maxColors)
            return invalid;
        layout.paletteOffset = 14 + qint64(infoSize);
        layout.paletteSize = colorsUsed ? colorsUsed : maxColors;
        if (layout.paletteOffset + layout.paletteSize * paletteEntry > file.size())
            return invalid;
    }
    if (layout.pixelOffset < 14 + qint64(infoSize) || layout.pixelOffset >= file.size())
        return invalid;
    return Failure();
}

// The palette as a full table of 256 colours; indexes the file does not define are black.
QVector<QRgb> readPalette(QFile& file, const BmpLayout& layout)
{
    QVector<QRgb> table(256, qRgb(0, 0, 0));
    if (!file.seek(layout.paletteOffset))
        return {};
    const QByteArray bytes = file.read(layout.paletteSize * 4);
    if (bytes.size() != layout.paletteSize * 4)
        return {};
    const auto* d = reinterpret_cast<const uchar*>(bytes.constData());
    for (qint64 i = 0; i < layout.paletteSize; ++i)
        table[i] = qRgb(d[4 * i + 2], d[4 * i + 1], d[4 * i]);
    return table;
}

// Decodes run-length coded pixels (rows bottom-up). Whatever the codes leave uncovered, by
// ending early, skipping with a delta or ending a line short, keeps palette index 0, as
// Windows shows such files. A stream that stops without its end marker before the last row,
// or inside a literal run, is refused: that file is cut short.
QImage decodeRle(const QByteArray& data, const BmpLayout& layout)
{
    QImage image(int(layout.width), int(layout.height), QImage::Format_Indexed8);
    if (image.isNull())
        return image;
    image.fill(0);
    const bool rle8 = layout.compression == BiRle8;
    const auto* d = reinterpret_cast<const uchar*>(data.constData());
    const qint64 n = data.size();
    qint64 pos = 0, x = 0, row = 0;
    const auto put = [&](uchar index) {
        if (x < layout.width && row < layout.height)
            image.scanLine(int(layout.height - 1 - row))[x] = index;
        ++x;
    };
    while (pos + 1 < n && row < layout.height) {
        const uchar count = d[pos];
        const uchar code = d[pos + 1];
        pos += 2;
        if (count > 0) {
            for (int i = 0; i < count && x < layout.width; ++i)
                put(rle8 ? code : (i % 2 ? code & 0x0F : code >> 4));
        } else if (code == 0) {
            x = 0;
            ++row;
        } else if (code == 1) {
            return image;
        } else if (code == 2) {
            if (pos + 1 >= n)
                return QImage();
            x += d[pos];
            row += d[pos + 1];
            pos += 2;
        } else {
            const qint64 bytes = rle8 ? code : (code + 1) / 2;
            if (pos + bytes > n)
                return QImage();
            for (int i = 0; i < code && x < layout.width; ++i)
                put(rle8 ? d[pos + i] : (i % 2 ? d[pos + i / 2] & 0x0F : d[pos + i / 2] >> 4));
            pos += (bytes + 1) & ~qint64(1);
        }
    }
    return row >= layout.height ? image : QImage();
}

// The bytes of a run-length stream worth reading: no more than the stream can need, every pixel
// in a run of its own, an end of line per row and the end marker. A file padded far beyond
// that is not read, let alone held.
qint64 rleDataBytes(const QFile& file, const BmpLayout& layout)
{
    return qMin(layout.height * (2 * layout.width + 2) + 2, file.size() - layout.pixelOffset);
}

// Opens the file and reads its headers; a file too short for the rows it declares (without
// run-length codes) is refused, as it would leave the missing rows undefined.
Failure openBitmap(QFile& file, BmpLayout& layout)
{
    // Worded like the other formats' decoders, with Qt's reason.
    if (!PathBytes::openForReading(file))
        return Failure(Failure::Code::Open, file.fileName()).withDetail(file.errorString());
    if (const Failure failure = readLayout(file, layout))
        return failure;
    if (layout.compression == BiRle8 || layout.compression == BiRle4)
        return Failure();
    const qint64 stride = ((layout.width * layout.bitsPerPixel + 31) / 32) * 4;
    if (layout.pixelOffset + stride * layout.height > file.size())
        return Failure(Failure::Code::Decode, file.fileName())
            .because(FailureReason::BitmapInvalid);
    return Failure();
}

} // namespace

namespace {

struct Codec
{
    Failure (*decode)(const QString&, QImage*, QImage*);
    Failure (*readHeader)(const QString&, PictureHeader*);
};

// The codec for a file's extension, in any letter case; none for ".bmp", which is read here,
// or for one no codec reads. A FIFO or device is refused first, so no reader waits on it.
Failure codecFor(const QString& path, std::optional<Codec>* codec)
{
    if (const Failure refused = RegularFile::check(path))
        return refused;
    const QString extension = QFileInfo(path).suffix();
    const QString key = extension.toLower();
    if (key == QLatin1String("png"))
        *codec = Codec{&PngCodec::readPng, &PngCodec::readHeader};
    else if (key == QLatin1String("jpg") || key == QLatin1String("jpeg"))
        *codec = Codec{[](const QString& file, QImage* image, QImage*) {
                           return JpegCodec::read(file, image);
                       },
                       &JpegCodec::readHeader};
    else if (key == QLatin1String("gif"))
        *codec = Codec{&GifCodec::read, &GifCodec::readHeader};
    else if (key == QLatin1String("webp"))
        *codec = Codec{[](const QString& file, QImage* image, QImage*) {
                           return WebPCodec::read(file, image);
                       },
                       &WebPCodec::readHeader};
    else if (key != QLatin1String("bmp"))
        return Failure(Failure::Code::Refuse, path)
            .because(FailureReason::UnknownExtension, extension);
    return Failure();
}

} // namespace

Failure OwnImageLoader::readHeader(const QString& path, PictureHeader* header)
{
    std::optional<Codec> codec;
    if (const Failure failure = codecFor(path, &codec))
        return failure;
    if (codec)
        return codec->readHeader(path, header);
    QFile file(path);
    BmpLayout layout;
    if (const Failure failure = openBitmap(file, layout))
        return failure;
    header->width = layout.width;
    header->height = layout.height;
    // Indexed pixels are decoded as such, then made 32-bit.
    const qint64 pixels = layout.width * layout.height;
    header->decodeBytes = header->pictureBytes() + (layout.bitsPerPixel <= 8 ? pixels : 0);
    if (layout.compression == BiRle8 || layout.compression == BiRle4)
        header->decodeBytes += rleDataBytes(file, layout);
    return Failure();
}

Failure OwnImageLoader::load(const QString& path)
{
    m_image = QImage();
    m_coverage = QImage();
    std::optional<Codec> codec;
    if (const Failure failure = codecFor(path, &codec))
        return failure;
    if (!codec)
        return loadBitmap(path);

    QImage decoded;
    QImage coverage;
    if (const Failure failure = codec->decode(path, &decoded, &coverage))
        return failure;
    if (decoded.isNull())
        return Failure(Failure::Code::Decode, path).because(FailureReason::CannotDecode);
    keepCoverage(coverage.isNull() ? coverageOf(decoded) : coverage);
    m_image = toPlainBitmap(std::move(decoded));
    return Failure();
}

void OwnImageLoader::keepCoverage(const QImage& coverage)
{
    // An opaque picture keeps none.
    for (int y = 0; y < coverage.height(); ++y) {
        const uchar* line = coverage.constScanLine(y);
        if (std::any_of(line, line + coverage.width(), [](uchar a) { return a != 255; })) {
            m_coverage = coverage;
            return;
        }
    }
}

QImage OwnImageLoader::coverageOf(const QImage& picture)
{
    if (!picture.hasAlphaChannel())
        return QImage();
    QImage alpha = picture.convertToFormat(QImage::Format_Alpha8);
    alpha.reinterpretAsFormat(QImage::Format_Grayscale8);
    return alpha;
}

Failure OwnImageLoader::loadBitmap(const QString& path)
{
    QFile file(path);
    BmpLayout layout;
    if (const Failure failure = openBitmap(file, layout))
        return failure;
    const Failure invalid =
        Failure(Failure::Code::Decode, path).because(FailureReason::BitmapInvalid);

    // Qt's reader leaves pixels that run-length codes skip as whatever memory held, so those
    // files are decoded here.
    if (layout.compression == BiRle8 || layout.compression == BiRle4) {
        const QVector<QRgb> palette = readPalette(file, layout);
        if (palette.isEmpty() || !file.seek(layout.pixelOffset))
            return invalid;
        QImage indexed = decodeRle(file.read(rleDataBytes(file, layout)), layout);
        if (indexed.isNull())
            return invalid;
        indexed.setColorTable(palette);
        m_image = toPlainBitmap(std::move(indexed));
        return Failure();
    }

    if (!file.seek(0))
        return invalid;
    QImageReader reader(&file, "bmp");
    reader.setAutoDetectImageFormat(false);
    // The checks above already bound the size; the reader's own limit is lower than ours.
    reader.setAllocationLimit(int(ImageLimits::maxPixels * 4 / (1024 * 1024)) + 64);
    QImage decoded = reader.read();
    if (decoded.isNull() || decoded.width() != layout.width || decoded.height() != layout.height)
        return invalid;
    keepCoverage(coverageOf(decoded));
    m_image = toPlainBitmap(std::move(decoded));
    return Failure();
}

QImage OwnImageLoader::toPlainBitmap(QImage image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    if (image.format() != QImage::Format_ARGB32)
        image = image.convertToFormat(QImage::Format_ARGB32);
    // In place: for the largest pictures a second copy would double the memory.
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int a = qAlpha(line[x]);
            const auto over = [a](int c) { return (c * a + 255 * (255 - a)) / 255; };
            line[x] = qRgb(over(qRed(line[x])), over(qGreen(line[x])), over(qBlue(line[x])));
        }
    }
    image.reinterpretAsFormat(QImage::Format_RGB32);
    return image;
}

Failure OwnImageLoader::loadInto(BackgroundPictures& pictures, ButtonState state,
                                 const QString& path)
{
    // The file as it is now: a picture replaced under the same name is decoded anew.
    const QFileInfo info(path);
    const QString source = info.isFile()
                               ? QStringLiteral("%1\n%2\n%3")
                                     .arg(info.absoluteFilePath(), QString::number(info.size()),
                                          QString::number(info.lastModified().toMSecsSinceEpoch()))
                               : QString();
    for (const ButtonState other :
         {ButtonState::Normal, ButtonState::Selected, ButtonState::Pressed}) {
        if (!source.isEmpty() && pictures.ownSource(other) == source) {
            pictures.setOwnImage(state, pictures.ownImage(other),
                                 pictures.coverageFor(other, BackgroundKind::OwnImage), source);
            return Failure();
        }
    }
    OwnImageLoader loader;
    const Failure failure = loader.load(path);
    if (!failure)
        pictures.setOwnImage(state, loader.image(), loader.coverage(), source);
    return failure;
}
