#include "SmoothCaption.h"

#include "GlyphMasks.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
QRgb blend(QRgb under, QRgb over, int alpha)
{
    const auto channel = [&](int shift) {
        const int a = int((under >> shift) & 0xFF), b = int((over >> shift) & 0xFF);
        return quint32((a * (255 - alpha) + b * alpha + 127) / 255) << shift;
    };
    return 0xFF000000u | channel(16) | channel(8) | channel(0);
}

// Blends color into out[0 .. w) wherever the f x f samples of a pixel are covered; covered(sy, i)
// is 1 where sample i of the pixel row's sub-row sy is.
template <typename Covered> void blendRow(QRgb* out, int w, int f, Covered covered, QRgb color)
{
    const int samples = f * f;
    for (int x = 0; x < w; ++x) {
        int count = 0;
        for (int sy = 0; sy < f; ++sy)
            for (int sx = 0; sx < f; ++sx)
                count += covered(sy, x * f + sx);
        if (count == 0)
            continue;
        out[x] =
            count == samples ? color : blend(out[x], color, (count * 255 + samples / 2) / samples);
    }
}

struct PlacedMask
{
    const GlyphMasks::Mask* mask;
    qint64 x;
    qint64 y;
};

// The masks of the run's glyphs at their places, or nothing when a glyph has none or the run
// has lines that are not glyphs.
std::vector<PlacedMask> placeMasks(const QGlyphRun& run, GlyphMasks& masks)
{
    std::vector<PlacedMask> placed;
    if (run.underline() || run.strikeOut() || run.overline())
        return placed;
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    if (glyphs.size() != positions.size())
        return placed;
    const QRawFont font = run.rawFont();
    placed.reserve(std::size_t(glyphs.size()));
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        const QPointF at = positions[i];
        const GlyphMasks::Mask* mask = masks.mask(font, glyphs[i]);
        if (!mask || at.x() != std::floor(at.x()) || at.y() != std::floor(at.y()) ||
            std::fabs(at.x()) > 1e15 || std::fabs(at.y()) > 1e15)
            return {};
        placed.push_back({mask, qint64(at.x()) + mask->left, qint64(at.y()) + mask->top});
    }
    return placed;
}
} // namespace

int SmoothCaption::factorFor(int pixelSize)
{
    if (pixelSize <= 256)
        return 4;
    return pixelSize <= 512 ? 2 : 1;
}

bool SmoothCaption::draw(QImage& image, const QGlyphRun& fineRun, int factor, QPoint origin,
                         const QRect& clip, QRgb color, GlyphMasks* masks)
{
    const QRect area = clip.intersected(image.rect());
    if (area.isEmpty() || factor < 1)
        return true;
    const int f = factor;
    const int h = area.height();
    const std::vector<PlacedMask> placed =
        masks ? placeMasks(fineRun, *masks) : std::vector<PlacedMask>();
    if (!placed.empty()) {
        std::vector<const uchar*> rows(std::size_t(f), nullptr);
        for (int x0 = area.left(); x0 <= area.right(); x0 += chunkWidth) {
            const int w = std::min(chunkWidth, area.right() + 1 - x0);
            const qint64 fineWidth = qint64(w) * f, fineHeight = qint64(h) * f;
            std::vector<uchar> fine;
            try {
                fine.assign(std::size_t(fineWidth * fineHeight), 0);
            } catch (const std::bad_alloc&) {
                return false;
            }
            const qint64 dx = qint64(origin.x() - x0) * f, dy = qint64(origin.y() - area.top()) * f;
            for (const PlacedMask& p : placed) {
                const GlyphMasks::Mask& m = *p.mask;
                const qint64 left = dx + p.x, top = dy + p.y;
                const qint64 x1 = std::max<qint64>(0, left);
                const qint64 x2 = std::min<qint64>(fineWidth, left + m.width);
                const qint64 y1 = std::max<qint64>(0, top);
                const qint64 y2 = std::min<qint64>(fineHeight, top + m.height);
                for (qint64 y = y1; y < y2; ++y) {
                    uchar* to = fine.data() + y * fineWidth + x1;
                    const uchar* from = m.covered.constData() + (y - top) * m.width + (x1 - left);
                    for (qint64 x = 0; x < x2 - x1; ++x)
                        to[x] |= from[x];
                }
            }
            for (int y = 0; y < h; ++y) {
                for (int sy = 0; sy < f; ++sy)
                    rows[std::size_t(sy)] = fine.data() + (qint64(y) * f + sy) * fineWidth;
                blendRow(
                    reinterpret_cast<QRgb*>(image.scanLine(area.top() + y)) + x0, w, f,
                    [&rows](int sy, int i) { return int(rows[std::size_t(sy)][i]); }, color);
            }
        }
        return true;
    }
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
        std::vector<const QRgb*> rows(std::size_t(f), nullptr);
        for (int y = 0; y < h; ++y) {
            for (int sy = 0; sy < f; ++sy)
                rows[std::size_t(sy)] =
                    reinterpret_cast<const QRgb*>(fine.constScanLine(y * f + sy));
            blendRow(
                reinterpret_cast<QRgb*>(image.scanLine(area.top() + y)) + x0, w, f,
                [&rows](int sy, int i) { return int(rows[std::size_t(sy)][i] & 0xFF) >> 7; },
                color);
        }
    }
    return true;
}
