#include "ButtonBorders.h"

#include <algorithm>

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

// One 1-pixel run: a row at y = across from x = from..to, or a column at x = across from
// y = from..to, both ends included; empty when to < from.
struct Run
{
    bool isRow;
    Coord across;
    Coord from;
    Coord to;
    QRgb color;
    QRgb pressedColor;
};

using B = ButtonBorders;

constexpr Run ring[] = {
    {true, near(0), near(0), far(-1), B::black, B::black},
    {true, far(-1), near(0), far(-1), B::black, B::black},
    {false, near(0), near(0), far(-1), B::black, B::black},
    {false, far(-1), near(0), far(-1), B::black, B::black},
};

constexpr Run bevel3DInset[] = {
    {true, near(1), near(1), far(-3), B::white, B::black},
    {false, near(1), near(1), far(-3), B::white, B::black},
    {true, near(2), near(2), far(-4), B::silver, B::grey},
    {false, near(2), near(2), far(-4), B::silver, B::grey},
    {true, far(-2), near(1), far(-3), B::black, B::white},
    {false, far(-2), near(2), far(-2), B::black, B::white},
    {true, far(-3), near(2), far(-4), B::grey, B::silver},
    {false, far(-3), near(3), far(-3), B::grey, B::silver},
};

constexpr Run bevel3D[] = {
    {true, near(0), near(0), far(-1), B::white, B::black},
    {false, near(0), near(0), far(-2), B::white, B::black},
    {true, near(1), near(1), far(-2), B::silver, B::grey},
    {false, near(1), near(1), far(-3), B::silver, B::grey},
    {true, far(-1), near(0), far(-1), B::black, B::white},
    {false, far(-1), near(1), far(-1), B::black, B::white},
    {true, far(-2), near(1), far(-2), B::grey, B::silver},
    {false, far(-2), near(2), far(-2), B::grey, B::silver},
};

// Drawn after the ring.
constexpr Run bevel3DBlackEdge[] = {
    {true, near(1), near(1), far(-3), B::white, B::grey},
    {false, near(1), near(1), far(-3), B::white, B::grey},
    {true, near(2), near(2), far(-4), B::white, B::grey},
    {false, near(2), near(2), far(-4), B::white, B::grey},
    {true, far(-2), near(1), far(-2), B::grey, B::white},
    {false, far(-2), near(1), far(-2), B::grey, B::white},
    {true, far(-3), near(2), far(-3), B::grey, B::white},
    {false, far(-3), near(2), far(-3), B::grey, B::white},
};

// Each pixel of a run becomes a scale x scale block: a run starts at its first block's first
// pixel and ends at its last block's last one.
template <size_t N> void drawRuns(QImage& image, const Run (&runs)[N], bool pressed, int scale)
{
    const int w = image.width(), h = image.height();
    const auto first = [scale](Coord c, int extent) {
        return (c.fromFar ? extent : 0) + c.delta * scale;
    };
    const auto last = [&](Coord c, int extent) { return first(c, extent) + scale - 1; };
    for (const Run& run : runs) {
        const QRgb color = pressed ? run.pressedColor : run.color;
        const int across = run.isRow ? h : w, along = run.isRow ? w : h;
        const int from = std::max(first(run.from, along), 0);
        const int to = std::min(last(run.to, along), along - 1);
        for (int a = first(run.across, across); a <= last(run.across, across); ++a) {
            if (a < 0 || a >= across || to < from)
                continue;
            if (run.isRow) {
                QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(a));
                std::fill(line + from, line + to + 1, color);
            } else {
                for (int y = from; y <= to; ++y)
                    reinterpret_cast<QRgb*>(image.scanLine(y))[a] = color;
            }
        }
    }
}
} // namespace

void ButtonBorders::draw(QImage& image, BorderEffect effect, bool pressed, int scale)
{
    if (image.isNull() || image.depth() != 32)
        return;
    scale = std::max(scale, 1);
    switch (effect) {
    case BorderEffect::Bevel3DInset:
        drawRuns(image, bevel3DInset, pressed, scale);
        break;
    case BorderEffect::Bevel3D:
        drawRuns(image, bevel3D, pressed, scale);
        break;
    case BorderEffect::Bevel3DBlackEdge:
        drawRuns(image, ring, pressed, scale);
        drawRuns(image, bevel3DBlackEdge, pressed, scale);
        break;
    case BorderEffect::BlackBorder:
        drawRuns(image, ring, pressed, scale);
        break;
    case BorderEffect::None:
    case BorderEffect::NoChoice:
        break;
    }
}
