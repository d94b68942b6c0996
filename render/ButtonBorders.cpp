#include "ButtonBorders.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>

namespace {
// A coordinate counted from the near edge (0) or from the far one (the width or height).
struct Coord
{
    bool fromFar;
    int delta;
};

constexpr Coord near(int delta)
{
    return {false, delta};
}
constexpr Coord far(int delta)
{
    return {true, delta};
}

struct Point
{
    Coord x;
    Coord y;
};

// Lines drawn one after the other from point to point, each line taking its start point
// and leaving out its end point. On small images the lines run backwards or past the edges,
// and only what falls inside is drawn.
struct Polyline
{
    Point points[5];
    int count;
    QRgb color;
    QRgb pressedColor;
};

using B = ButtonBorders;

constexpr Point at(Coord x, Coord y)
{
    return {x, y};
}

constexpr Polyline ring = {{at(near(0), far(-1)), at(near(0), near(0)), at(far(-1), near(0)),
                            at(far(-1), far(-1)), at(near(0), far(-1))},
                           5,
                           B::black,
                           B::black};

constexpr Polyline bevel3DInset[] = {
    {{at(near(1), far(-2)), at(near(1), near(1)), at(far(-2), near(1))}, 3, B::white, B::black},
    {{at(near(2), far(-3)), at(near(2), near(2)), at(far(-3), near(2))}, 3, B::silver, B::grey},
    {{at(near(1), far(-2)), at(far(-2), far(-2)), at(far(-2), near(1))}, 3, B::black, B::white},
    {{at(near(2), far(-3)), at(far(-3), far(-3)), at(far(-3), near(2))}, 3, B::grey, B::silver},
};

constexpr Polyline bevel3D[] = {
    {{at(near(0), far(-1)), at(near(0), near(0)), at(far(0), near(0))}, 3, B::white, B::black},
    {{at(near(1), far(-2)), at(near(1), near(1)), at(far(-1), near(1))}, 3, B::silver, B::grey},
    {{at(near(0), far(-1)), at(far(-1), far(-1)), at(far(-1), near(0))}, 3, B::black, B::white},
    {{at(near(1), far(-2)), at(far(-2), far(-2)), at(far(-2), near(1))}, 3, B::grey, B::silver},
};

constexpr Polyline bevel3DBlackEdge[] = {
    ring,
    {{at(near(1), far(-2)), at(near(1), near(1)), at(far(-2), near(1))}, 3, B::white, B::grey},
    {{at(near(2), far(-3)), at(near(2), near(2)), at(far(-3), near(2))}, 3, B::white, B::grey},
    {{at(near(1), far(-2)), at(far(-2), far(-2)), at(far(-2), near(0))}, 3, B::grey, B::white},
    {{at(near(2), far(-3)), at(far(-3), far(-3)), at(far(-3), near(1))}, 3, B::grey, B::white},
};

constexpr Polyline blackBorder[] = {ring};

// Each pixel of a line becomes a scale x scale block; a coordinate names its block's first
// pixel.
class Canvas
{
public:
    Canvas(QImage& image, int scale) : m_image(image), m_scale(scale) {}

    void draw(const Polyline& line, bool pressed)
    {
        const QRgb color = pressed ? line.pressedColor : line.color;
        for (int i = 1; i < line.count; ++i) {
            const Point& from = line.points[i - 1];
            const Point& to = line.points[i];
            const int x = xOf(from.x), y = yOf(from.y);
            const int toX = xOf(to.x), toY = yOf(to.y);
            // A line that ends where it starts leaves out its only point.
            if (x == toX && y == toY)
                continue;
            // Only straight lines: one of the spans is a single block.
            fill(span(x, toX), span(y, toY), color);
        }
    }

private:
    struct Span
    {
        int begin;
        int end; // excluded
    };

    int xOf(Coord c) const { return (c.fromFar ? m_image.width() : 0) + c.delta * m_scale; }
    int yOf(Coord c) const { return (c.fromFar ? m_image.height() : 0) + c.delta * m_scale; }

    // The blocks from the one at a towards the one at b, leaving b out; just a's block when
    // a == b, the line running along the other coordinate.
    Span span(int a, int b) const
    {
        const int blocks = (std::abs(b - a) + m_scale - 1) / m_scale;
        if (b > a)
            return {a, a + blocks * m_scale};
        if (b < a)
            return {a - (blocks - 1) * m_scale, a + m_scale};
        return {a, a + m_scale};
    }

    void fill(Span xs, Span ys, QRgb color)
    {
        const int left = std::max(xs.begin, 0), right = std::min(xs.end, m_image.width());
        const int top = std::max(ys.begin, 0), bottom = std::min(ys.end, m_image.height());
        for (int row = top; row < bottom && left < right; ++row) {
            QRgb* line = reinterpret_cast<QRgb*>(m_image.scanLine(row));
            std::fill(line + left, line + right, color);
        }
    }

    QImage& m_image;
    int m_scale;
};

// The lines of an effect, in drawing order.
struct Lines
{
    const Polyline* first = nullptr;
    std::size_t count = 0;
    const Polyline* begin() const { return first; }
    const Polyline* end() const { return first + count; }
};

template <std::size_t N> constexpr Lines linesOf(const Polyline (&lines)[N])
{
    return {lines, N};
}

Lines linesOf(BorderEffect effect)
{
    switch (effect) {
    case BorderEffect::Bevel3DInset:
        return linesOf(bevel3DInset);
    case BorderEffect::Bevel3D:
        return linesOf(bevel3D);
    case BorderEffect::Bevel3DBlackEdge:
        return linesOf(bevel3DBlackEdge);
    case BorderEffect::BlackBorder:
        return linesOf(blackBorder);
    case BorderEffect::None:
    case BorderEffect::NoChoice:
        break;
    }
    return {};
}
} // namespace

void ButtonBorders::draw(QImage& image, BorderEffect effect, bool pressed, int scale)
{
    if (image.isNull() || image.depth() != 32)
        return;
    Canvas canvas(image, std::max(scale, 1));
    for (const Polyline& line : linesOf(effect))
        canvas.draw(line, pressed);
}

std::optional<QRgb> ButtonBorders::ringColor(BorderEffect effect, bool pressed, int ring, bool lit)
{
    // A line's corner point tells its ring and its side: near, near for the top and left
    // sides, far, far for the others; a closed ring runs round both. Later lines win, as
    // they are drawn over the earlier ones.
    std::optional<QRgb> color;
    for (const Polyline& line : linesOf(effect)) {
        const Coord corner = line.points[1].x;
        const int inset = corner.fromFar ? -corner.delta - 1 : corner.delta;
        const bool closed = line.count == 5;
        if (inset == ring && (closed || corner.fromFar != lit))
            color = pressed ? line.pressedColor : line.color;
    }
    return color;
}
