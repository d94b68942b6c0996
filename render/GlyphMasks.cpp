#include "GlyphMasks.h"

#include <QGlyphRun>
#include <QImage>
#include <QPainter>

#include <cmath>

namespace {
// Empty samples around the box: ink found there means the box was too small.
constexpr int margin = 2;
} // namespace

const GlyphMasks::Mask* GlyphMasks::mask(const QRawFont& font, quint32 glyph)
{
    if (!(font == m_font)) {
        m_font = font;
        m_masks.clear();
        m_bytes = 0;
    }
    const auto known = m_masks.find(glyph);
    if (known != m_masks.end())
        return known->second.covered.isEmpty() ? nullptr : &known->second;
    const auto unmaskable = [&] {
        m_masks.emplace(glyph, Mask());
        return nullptr;
    };

    const QRectF box = font.boundingRect(glyph);
    Mask mask;
    mask.left = int(std::floor(box.left())) - margin;
    mask.top = int(std::floor(box.top())) - margin;
    mask.width = int(std::ceil(box.right())) + margin - mask.left;
    mask.height = int(std::ceil(box.bottom())) + margin - mask.top;
    if (mask.width <= 0 || mask.height <= 0 || mask.width > 4096 || mask.height > 4096 ||
        qint64(mask.width) * mask.height > maxBytes - m_bytes)
        return unmaskable();
    QImage image(mask.width, mask.height, QImage::Format_RGB32);
    if (image.isNull())
        return unmaskable();
    image.fill(0xFF000000u);
    QGlyphRun run;
    run.setRawFont(font);
    run.setGlyphIndexes({glyph});
    run.setPositions({QPointF(0, 0)});
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setPen(Qt::white);
    painter.drawGlyphRun(QPointF(-mask.left, -mask.top), run);
    painter.end();

    mask.covered.resize(qsizetype(mask.width) * mask.height);
    bool inkOnRim = false;
    for (int y = 0; y < mask.height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < mask.width; ++x) {
            const uchar covered = uchar((line[x] & 0xFF) >> 7);
            mask.covered[qsizetype(y) * mask.width + x] = covered;
            const bool rim =
                x < margin || y < margin || x >= mask.width - margin || y >= mask.height - margin;
            inkOnRim = inkOnRim || (covered && rim);
        }
    }
    if (inkOnRim)
        return unmaskable();
    m_bytes += mask.covered.size();
    return &m_masks.emplace(glyph, std::move(mask)).first->second;
}
