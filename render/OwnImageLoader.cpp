#include "OwnImageLoader.h"

#include "BackgroundPictures.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QtEndian>

namespace {

QHash<QString, OwnImageLoader::Decoder>& decoders()
{
    static QHash<QString, OwnImageLoader::Decoder> registry;
    return registry;
}

const QString invalidBitmap = QStringLiteral("Bitmap image is not valid");

struct BmpLayout
{
    qint64 width = 0;
    qint64 height = 0; // rows, whatever the storage order
    bool topDown = false;
    int bitsPerPixel = 0;
    quint32 compression = 0;
    qint64 pixelOffset = 0;
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

enum class Verdict
{
    Usable,
    Invalid,
    TooLarge
};

// Reads the file and info headers. The size is judged before anything else so that a huge
// claim is reported as such even when the rest of the file is missing.
Verdict readLayout(QFile& file, BmpLayout& layout)
{
    const QByteArray head = file.read(14 + 40);
    if (head.size() < 14 + 12 || !head.startsWith("BM"))
        return Verdict::Invalid;
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
        return Verdict::Invalid;
    }
    if (layout.width <= 0 || layout.height <= 0)
        return Verdict::Invalid;
    if (layout.width > OwnImageLoader::maxSide || layout.height > OwnImageLoader::maxSide ||
        layout.width * layout.height > OwnImageLoader::maxPixels) {
        return Verdict::TooLarge;
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
        return Verdict::Invalid;
    }
    const bool compressionFits =
        layout.compression == BiRgb ||
        (layout.compression == BiRle8 && layout.bitsPerPixel == 8 && !layout.topDown) ||
        (layout.compression == BiRle4 && layout.bitsPerPixel == 4 && !layout.topDown) ||
        (layout.compression == BiBitfields &&
         (layout.bitsPerPixel == 16 || layout.bitsPerPixel == 32));
    if (!compressionFits)
        return Verdict::Invalid;

    if (layout.bitsPerPixel <= 8) {
        const qint64 maxColors = qint64(1) << layout.bitsPerPixel;
        if (colorsUsed > maxColors)
            return Verdict::Invalid;
        const qint64 paletteEnd =
            14 + qint64(infoSize) + (colorsUsed ? colorsUsed : maxColors) * paletteEntry;
        if (paletteEnd > file.size())
            return Verdict::Invalid;
    }
    if (layout.pixelOffset < 14 + qint64(infoSize) || layout.pixelOffset >= file.size())
        return Verdict::Invalid;
    return Verdict::Usable;
}

// Walks run-length coded pixel data: true when it ends with its end marker or covers every
// row before the file ends.
bool rleComplete(const QByteArray& data, const BmpLayout& layout)
{
    const bool rle8 = layout.compression == BiRle8;
    const auto* d = reinterpret_cast<const uchar*>(data.constData());
    const qint64 n = data.size();
    qint64 pos = 0;
    qint64 row = 0;
    while (pos + 1 < n) {
        const uchar count = d[pos];
        const uchar code = d[pos + 1];
        pos += 2;
        if (count > 0)
            continue;
        if (code == 0) {
            ++row;
        } else if (code == 1) {
            return true;
        } else if (code == 2) {
            if (pos + 1 >= n)
                return false;
            row += d[pos + 1];
            pos += 2;
        } else {
            const qint64 bytes = rle8 ? code : (code + 1) / 2;
            pos += (bytes + 1) & ~qint64(1);
            if (pos > n)
                return false;
        }
    }
    return row >= layout.height;
}

} // namespace

void OwnImageLoader::registerDecoder(const QString& lowerCaseExtension, Decoder decoder)
{
    decoders().insert(lowerCaseExtension.toLower(), std::move(decoder));
}

bool OwnImageLoader::hasDecoder(const QString& lowerCaseExtension)
{
    return decoders().contains(lowerCaseExtension.toLower());
}

bool OwnImageLoader::fail(const QString& message)
{
    m_image = QImage();
    m_error = message;
    return false;
}

bool OwnImageLoader::load(const QString& path)
{
    m_image = QImage();
    m_error.clear();
    const QString extension = QFileInfo(path).suffix();
    const QString key = extension.toLower();
    if (key == QLatin1String("bmp"))
        return loadBitmap(path);

    const auto decoder = decoders().constFind(key);
    if (decoder == decoders().cend()) {
        static const QStringList decodedElsewhere = {QStringLiteral("png"), QStringLiteral("jpg"),
                                                     QStringLiteral("jpeg"), QStringLiteral("gif")};
        if (decodedElsewhere.contains(key))
            return fail(QStringLiteral("No decoder for .%1 files").arg(key));
        return fail(QStringLiteral("Unknown picture file extension (.%1)").arg(extension));
    }

    QImage decoded;
    QString error;
    if (!(*decoder)(path, &decoded, &error))
        return fail(error.isEmpty() ? QStringLiteral("Cannot decode %1").arg(path) : error);
    if (decoded.isNull())
        return fail(QStringLiteral("Cannot decode %1").arg(path));
    m_image = toPlainBitmap(decoded);
    return true;
}

bool OwnImageLoader::loadBitmap(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(invalidBitmap);
    BmpLayout layout;
    const Verdict verdict = readLayout(file, layout);
    if (verdict == Verdict::TooLarge) {
        return fail(QStringLiteral("Bitmap image is too large (%1x%2 pixels; at most %3 pixels "
                                   "a side and %4 megapixels)")
                        .arg(layout.width)
                        .arg(layout.height)
                        .arg(maxSide)
                        .arg(maxPixels / (1024 * 1024)));
    }
    if (verdict != Verdict::Usable)
        return fail(invalidBitmap);

    // The decoder fills missing rows with whatever memory held, so a short file is caught here.
    if (layout.compression == BiRle8 || layout.compression == BiRle4) {
        if (!file.seek(layout.pixelOffset) || !rleComplete(file.readAll(), layout))
            return fail(invalidBitmap);
    } else {
        const qint64 stride = ((layout.width * layout.bitsPerPixel + 31) / 32) * 4;
        if (layout.pixelOffset + stride * layout.height > file.size())
            return fail(invalidBitmap);
    }

    if (!file.seek(0))
        return fail(invalidBitmap);
    QImageReader reader(&file, "bmp");
    reader.setAutoDetectImageFormat(false);
    // The checks above already bound the size; the reader's own limit is lower than ours.
    reader.setAllocationLimit(int(maxPixels * 4 / (1024 * 1024)) + 64);
    const QImage decoded = reader.read();
    if (decoded.isNull() || decoded.width() != layout.width || decoded.height() != layout.height)
        return fail(invalidBitmap);
    m_image = toPlainBitmap(decoded);
    return true;
}

QImage OwnImageLoader::toPlainBitmap(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    const QImage source = image.convertToFormat(QImage::Format_ARGB32);
    QImage plain(source.size(), QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        QRgb* out = reinterpret_cast<QRgb*>(plain.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const int a = qAlpha(in[x]);
            const auto over = [a](int c) { return (c * a + 255 * (255 - a)) / 255; };
            out[x] = qRgb(over(qRed(in[x])), over(qGreen(in[x])), over(qBlue(in[x])));
        }
    }
    return plain;
}

bool OwnImageLoader::loadInto(BackgroundPictures& pictures, ButtonState state, const QString& path,
                              QString* errorString)
{
    OwnImageLoader loader;
    if (!loader.load(path)) {
        if (errorString)
            *errorString = loader.errorString();
        return false;
    }
    pictures.setOwnImage(state, loader.image());
    if (errorString)
        errorString->clear();
    return true;
}
