#include "WebPalette.h"

#include <array>

namespace {

// Each channel's share of the index, per channel value: one table look-up per channel.
struct IndexShares
{
    std::array<uchar, 256> red, green, blue;
    IndexShares()
    {
        for (int v = 0; v < 256; ++v) {
            red[v] = uchar(36 * WebPalette::levelOf(v));
            green[v] = uchar(6 * WebPalette::levelOf(v));
            blue[v] = uchar(WebPalette::levelOf(v));
        }
    }
};

const IndexShares& indexShares()
{
    static const IndexShares shares;
    return shares;
}

} // namespace

QRgb WebPalette::color(int index)
{
    if (index < 0 || index >= ColorCount)
        return qRgb(0, 0, 0);
    return qRgb(51 * (index / 36), 51 * (index / 6 % 6), 51 * (index % 6));
}

const QVector<QRgb>& WebPalette::colorTable()
{
    static const QVector<QRgb> table = [] {
        QVector<QRgb> entries(TableSize, qRgb(0, 0, 0));
        for (int i = 0; i < ColorCount; ++i)
            entries[i] = color(i);
        return entries;
    }();
    return table;
}

QImage WebPalette::reduceToWebPalette(const QImage& bitmap)
{
    if (bitmap.isNull())
        return QImage();
    const QImage source =
        bitmap.format() == QImage::Format_RGB32 || bitmap.format() == QImage::Format_ARGB32
            ? bitmap
            : bitmap.convertToFormat(QImage::Format_RGB32);
    QImage indexed(source.size(), QImage::Format_Indexed8);
    if (indexed.isNull())
        return QImage();
    indexed.setColorTable(colorTable());
    const IndexShares& shares = indexShares();
    const int width = source.width();
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        uchar* out = indexed.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const QRgb p = in[x];
            out[x] = uchar(shares.red[qRed(p)] + shares.green[qGreen(p)] + shares.blue[qBlue(p)]);
        }
    }
    return indexed;
}
