#include "RoundedCorners.h"

#include "ButtonBorders.h"

#include <algorithm>
#include <cmath>

namespace {
// Rings an effect may draw, and the samples a side of a partly covered pixel takes.
constexpr int ringCount = 3;
constexpr int samplesPerSide = 8;
// Half a pixel's diagonal: no outline nearer than this to a pixel's centre crosses the pixel.
constexpr double halfDiagonal = 0.7072;
} // namespace

RoundedCorners::RoundedCorners(const QImage& image, double radius)
    : m_width(image.width()), m_height(image.height()),
      m_radius(std::clamp(radius, 0.0, std::min(m_width, m_height) / 2.0)),
      m_band(std::min({int(std::ceil(m_radius)), m_width, m_height})),
      m_top(image.copy(0, 0, m_width, m_band)),
      m_bottom(image.copy(0, m_height - m_band, m_width, m_band))
{
}

QRgb RoundedCorners::kept(int x, int y) const
{
    return y < m_band ? m_top.pixel(x, y) : m_bottom.pixel(x, y - (m_height - m_band));
}

double RoundedCorners::inset(double x, double y, bool* lit) const
{
    // The distance inside the outline, measured from the rectangle the arcs' centres span.
    const double halfWidth = m_width / 2.0, halfHeight = m_height / 2.0;
    const double dx = x - halfWidth, dy = y - halfHeight;
    const double qx = std::abs(dx) - (halfWidth - m_radius);
    const double qy = std::abs(dy) - (halfHeight - m_radius);
    // The light side is where the outline faces up or left.
    if (qx > 0 && qy > 0)
        *lit = std::copysign(qx, dx) + std::copysign(qy, dy) < 0;
    else
        *lit = qx > qy ? dx < 0 : dy < 0;
    return m_radius - std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) -
           std::min(std::max(qx, qy), 0.0);
}

// The colour at a point inside the outline: its ring's, or the pixel's own.
QRgb RoundedCorners::colorAt(double inset, bool lit, int x, int y, const QRgb* rings,
                             int scale) const
{
    const int ring = int(inset / scale);
    const QRgb color = ring < ringCount ? rings[2 * ring + (lit ? 0 : 1)] : 0;
    return color ? color : kept(x, y);
}

QRgb RoundedCorners::pixel(int x, int y, const QRgb* rings, int scale, bool smooth) const
{
    bool lit = false;
    const double centre = inset(x + 0.5, y + 0.5, &lit);
    const QRgb outside = kept(x, y) & 0x00FFFFFFu;
    // Only pixels that the outline or a ring's edge may cross are sampled finely.
    if (!smooth || centre < -halfDiagonal || centre > ringCount * scale + halfDiagonal)
        return centre < 0 ? outside : colorAt(centre, lit, x, y, rings, scale) | 0xFF000000u;
    int inside = 0, red = 0, green = 0, blue = 0;
    for (int sy = 0; sy < samplesPerSide; ++sy) {
        for (int sx = 0; sx < samplesPerSide; ++sx) {
            const double at =
                inset(x + (sx + 0.5) / samplesPerSide, y + (sy + 0.5) / samplesPerSide, &lit);
            if (at < 0)
                continue;
            const QRgb color = colorAt(at, lit, x, y, rings, scale);
            ++inside;
            red += qRed(color);
            green += qGreen(color);
            blue += qBlue(color);
        }
    }
    if (inside == 0)
        return outside;
    constexpr int all = samplesPerSide * samplesPerSide;
    const auto mean = [inside](int sum) { return (sum + inside / 2) / inside; };
    return qRgba(mean(red), mean(green), mean(blue), (inside * 255 + all / 2) / all);
}

void RoundedCorners::apply(QImage& image, BorderEffect effect, bool pressed, int scale,
                           bool smooth) const
{
    if (image.isNull() || image.depth() != 32 || image.width() != m_width ||
        image.height() != m_height)
        return;
    image.reinterpretAsFormat(QImage::Format_ARGB32);
    if (m_radius <= 0)
        return;
    scale = std::max(scale, 1);
    QRgb rings[2 * ringCount];
    for (int ring = 0; ring < ringCount; ++ring) {
        for (const bool lit : {true, false})
            rings[2 * ring + (lit ? 0 : 1)] =
                ButtonBorders::ringColor(effect, pressed, ring, lit).value_or(0);
    }
    for (int y = 0; y < m_height; ++y) {
        if (y == m_band && m_height - m_band > y)
            y = m_height - m_band;
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < m_width; ++x) {
            if (x == m_band && m_width - m_band > x)
                x = m_width - m_band;
            line[x] = pixel(x, y, rings, scale, smooth);
        }
    }
}
