#include "TransparentSurround.h"

#include <algorithm>

QRgb TransparentSurround::fromWhite(QRgb shown, int a)
{
    if (a <= 0 || a >= 255)
        return shown;
    const auto channel = [a](int c) { return std::max(0, 255 - ((255 - c) * 255 + a / 2) / a); };
    return qRgba(channel(qRed(shown)), channel(qGreen(shown)), channel(qBlue(shown)),
                 qAlpha(shown));
}

void TransparentSurround::apply(QImage& image, const QImage& coverage, int shift, int reach)
{
    if (image.isNull() || image.depth() != 32 || coverage.format() != QImage::Format_Grayscale8)
        return;
    if (image.format() != QImage::Format_ARGB32)
        image.reinterpretAsFormat(QImage::Format_ARGB32);
    const int right = std::min({reach, image.width(), shift + coverage.width()});
    const int bottom = std::min(image.height(), shift + coverage.height());
    for (int y = 0; y < bottom; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const uchar* covered = y >= shift ? coverage.constScanLine(y - shift) : nullptr;
        for (int x = 0; x < right; ++x) {
            const int a = covered && x >= shift ? covered[x - shift] : 0;
            if (a == 255)
                continue;
            const QRgb own = fromWhite(line[x], a);
            line[x] = (own & 0x00FFFFFFu) | (QRgb((qAlpha(own) * a + 127) / 255) << 24);
        }
    }
}
