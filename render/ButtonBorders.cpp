#include "ButtonBorders.h"

#include <algorithm>

namespace {
// A coordinate counted from the near edge (0) or from the far one (the width or height).
struct Coord
{
    bool fromFar;
    int delta;
    int at(int extent) const { return (fromFar ? extent : 0) + delta; }
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

template <size_t N> void drawRuns(QImage& image, const Run (&runs)[N], bool pressed)
{
    const int w = image.width(), h = image.height();
    for (const Run& run : runs) {
        const QRgb color = pressed ? run.pressedColor : run.color;
        if (run.isRow) {
            const int y = run.across.at(h);
            const int x0 = std::max(run.from.at(w), 0);
            const int x1 = std::min(run.to.at(w), w - 1);
            if (y < 0 || y >= h || x1 < x0)
                continue;
            QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            std::fill(line + x0, line + x1 + 1, color);
        } else {
            const int x = run.across.at(w);
            const int y0 = std::max(run.from.at(h), 0);
            const int y1 = std::min(run.to.at(h), h - 1);
            if (x < 0 || x >= w)
                continue;
            for (int y = y0; y <= y1; ++y)
                reinterpret_cast<QRgb*>(image.scanLine(y))[x] = color;
        }
    }
}
} // namespace

void ButtonBorders::draw(QImage& image, BorderEffect effect, bool pressed)
{
    if (image.isNull() || image.depth() != 32)
        return;
    switch (effect) {
    case BorderEffect::Bevel3DInset:
        drawRuns(image, bevel3DInset, pressed);
        break;
    case BorderEffect::Bevel3D:
        drawRuns(image, bevel3D, pressed);
        break;
    case BorderEffect::Bevel3DBlackEdge:
        drawRuns(image, ring, pressed);
        drawRuns(image, bevel3DBlackEdge, pressed);
        break;
    case BorderEffect::BlackBorder:
        drawRuns(image, ring, pressed);
        break;
    case BorderEffect::None:
    case BorderEffect::NoChoice:
        break;
    }
}
