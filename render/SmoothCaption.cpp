#include "SmoothCaption.h"

#include <QPainter>

#include <algorithm>

namespace {
QRgb blend(QRgb under, QRgb over, int alpha)
{
    const auto channel = [&](int shift) {
        const int a = int((under >> shift) & 0xFF), b = int((over >> shift) & 0xFF);
        return quint32((a * (255 - alpha) + b * alpha + 127) / 255) << shift;
    };
    return 0xFF000000u | channel(16) | channel(8) | channel(0);
}
} // namespace

int SmoothCaption::factorFor(int pixelSize)
{
    if (pixelSize <= 256)
        return 4;
    return pixelSize <= 512 ? 2 : 1;
}

bool SmoothCaption::draw(QImage& image, const QGlyphRun& fineRun, int factor, QPoint origin,
                         const QRect& clip, QRgb color)
{
    const QRect area = clip.intersected(image.rect());
    if (area.isEmpty() || factor < 1)
        return true;
    const int f = factor;
    const int samples = f * f;
    const int h = area.height();
    for (int x0 = area.left(); x0 <= area.right(); x0 += chunkWidth) {
        const int w = std::min(chunkWidth, area.right() + 1 - x0);
        QImage fine(w * f, h * f, QImage::Format_RGB32);
        if (fine.isNull())
            return false;
        fine.fill(0xFF000000u);
        QPainter painter(&fine);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setPen(Qt::white);
        painter.drawGlyphRun(QPointF(double(qint64(origin.x() - x0) * f),
                                     double(qint64(origin.y() - area.top()) * f)),
                             fineRun);
        painter.end();
        for (int y = 0; y < h; ++y) {
            QRgb* out = reinterpret_cast<QRgb*>(image.scanLine(area.top() + y)) + x0;
            for (int x = 0; x < w; ++x) {
                int covered = 0;
                for (int sy = 0; sy < f; ++sy) {
                    const QRgb* row = reinterpret_cast<const QRgb*>(fine.constScanLine(y * f + sy));
                    for (int sx = 0; sx < f; ++sx)
                        covered += int(row[x * f + sx] & 0xFF) >> 7;
                }
                if (covered == 0)
                    continue;
                out[x] = covered == samples
                             ? color
                             : blend(out[x], color, (covered * 255 + samples / 2) / samples);
            }
        }
    }
    return true;
}
