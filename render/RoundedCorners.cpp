#include "RoundedCorners.h"

#include "ButtonBorders.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <span>

namespace {
// Rings an effect may draw, and the samples a side of a partly covered pixel takes: finer
// where the outline crosses it, as its alpha shows on any page.
constexpr int ringCount = 3;
constexpr int edgeSamplesPerSide = 8;
constexpr int ringSamplesPerSide = 4;
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

namespace {
// A point's offsets beyond the rectangle the arcs' centres span, along one axis.
struct Offset
{
    double q;  // negative inside that rectangle's span
    bool near; // on the left or top half
};

// How far a point lies inside the outline (negative outside), and whether the outline nearest
// to it faces up or left, from its offsets along both axes.
double insetOf(const Offset& x, const Offset& y, double radius, bool* lit)
{
    if (x.q > 0 && y.q > 0) {
        *lit = (x.near ? -x.q : x.q) + (y.near ? -y.q : y.q) < 0;
        return radius - std::sqrt(x.q * x.q + y.q * y.q);
    }
    *lit = x.q > y.q ? x.near : y.near;
    return radius - std::max(x.q, 0.0) - std::max(y.q, 0.0) - std::min(std::max(x.q, y.q), 0.0);
}
} // namespace

double RoundedCorners::inset(double x, double y, bool* lit) const
{
    const double halfWidth = m_width / 2.0, halfHeight = m_height / 2.0;
    return insetOf({std::abs(x - halfWidth) - (halfWidth - m_radius), x < halfWidth},
                   {std::abs(y - halfHeight) - (halfHeight - m_radius), y < halfHeight}, m_radius,
                   lit);
}

bool RoundedCorners::mixed(int x, int y, double centre, const QRgb* rings, int scale) const
{
    // The outline, or the edge between two rings (or the last one and the inside) of other
    // colours.
    if (std::abs(centre) < halfDiagonal)
        return true;
    for (int ring = 0; ring < ringCount; ++ring) {
        const bool last = ring + 1 == ringCount;
        const bool differs = rings[2 * ring] != (last ? 0 : rings[2 * ring + 2]) ||
                             rings[2 * ring + 1] != (last ? 0 : rings[2 * ring + 3]);
        if (differs && std::abs(centre - (ring + 1) * scale) < halfDiagonal)
            return true;
    }
    // The line between the light and the dark side of a ring, where the two differ: the
    // diagonal through the top-right and bottom-left arcs' centres.
    const bool split = std::any_of(rings, rings + 2 * ringCount, [&](const QRgb& c) {
        const std::ptrdiff_t i = &c - rings;
        return i % 2 == 0 && c != rings[i + 1];
    });
    if (!split || centre > ringCount * scale + halfDiagonal)
        return false;
    const double dx = x + 0.5 - m_width / 2.0, dy = y + 0.5 - m_height / 2.0;
    const double qx = std::abs(dx) - (m_width / 2.0 - m_radius);
    const double qy = std::abs(dy) - (m_height / 2.0 - m_radius);
    return (dx < 0) != (dy < 0) && std::abs(qx - qy) < 2 * halfDiagonal;
}

QRgb RoundedCorners::pixel(int x, int y, const QRgb* rings, int scale, bool smooth) const
{
    bool lit = false;
    const double centre = inset(x + 0.5, y + 0.5, &lit);
    const QRgb own = kept(x, y);
    // A ring's colour, or the pixel's own inside the rings.
    const auto colorAt = [&](double at, bool light) {
        const int ring = int(at / scale);
        const QRgb color = ring < ringCount ? rings[2 * ring + (light ? 0 : 1)] : 0;
        return color ? color : own;
    };
    // Only pixels that an edge between two colours may cross are sampled finely.
    if (!smooth || !mixed(x, y, centre, rings, scale))
        return centre < 0 ? own & 0x00FFFFFFu : colorAt(centre, lit) | 0xFF000000u;
    // The samples' offsets, worked out once per column and per row.
    const int n = std::abs(centre) < halfDiagonal ? edgeSamplesPerSide : ringSamplesPerSide;
    const double halfWidth = m_width / 2.0, halfHeight = m_height / 2.0;
    Offset columns[edgeSamplesPerSide], rows[edgeSamplesPerSide];
    for (int i = 0; i < n; ++i) {
        const double sx = x + (i + 0.5) / n, sy = y + (i + 0.5) / n;
        columns[i] = {std::abs(sx - halfWidth) - (halfWidth - m_radius), sx < halfWidth};
        rows[i] = {std::abs(sy - halfHeight) - (halfHeight - m_radius), sy < halfHeight};
    }
    int inside = 0, red = 0, green = 0, blue = 0;
    for (const Offset& row : std::span(rows, std::size_t(n))) {
        for (const Offset& column : std::span(columns, std::size_t(n))) {
            const double at = insetOf(column, row, m_radius, &lit);
            if (at < 0)
                continue;
            const QRgb color = colorAt(at, lit);
            ++inside;
            red += qRed(color);
            green += qGreen(color);
            blue += qBlue(color);
        }
    }
    if (inside == 0)
        return own & 0x00FFFFFFu;
    const int all = n * n;
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
