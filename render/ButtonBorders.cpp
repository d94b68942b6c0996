#include "ButtonBorders.h"

#include <algorithm>

namespace {
class RunWriter
{
public:
    explicit RunWriter(QImage& image) : m_image(image), m_w(image.width()), m_h(image.height()) {}

    // Row y, x0..x1 inclusive; nothing when x1 < x0.
    void row(int y, int x0, int x1, QRgb color)
    {
        if (y < 0 || y >= m_h)
            return;
        x0 = std::max(x0, 0);
        x1 = std::min(x1, m_w - 1);
        if (x1 < x0)
            return;
        QRgb* line = reinterpret_cast<QRgb*>(m_image.scanLine(y));
        std::fill(line + x0, line + x1 + 1, color);
    }

    // Column x, y0..y1 inclusive; nothing when y1 < y0.
    void column(int x, int y0, int y1, QRgb color)
    {
        if (x < 0 || x >= m_w)
            return;
        y0 = std::max(y0, 0);
        y1 = std::min(y1, m_h - 1);
        for (int y = y0; y <= y1; ++y)
            reinterpret_cast<QRgb*>(m_image.scanLine(y))[x] = color;
    }

    void ring(QRgb color)
    {
        row(0, 0, m_w - 1, color);
        row(m_h - 1, 0, m_w - 1, color);
        column(0, 0, m_h - 1, color);
        column(m_w - 1, 0, m_h - 1, color);
    }

    int w() const { return m_w; }
    int h() const { return m_h; }

private:
    QImage& m_image;
    int m_w;
    int m_h;
};

using B = ButtonBorders;

void bevel3DInset(RunWriter& r, bool pressed)
{
    const int w = r.w(), h = r.h();
    const QRgb outerLight = pressed ? B::black : B::white;
    const QRgb innerLight = pressed ? B::grey : B::silver;
    const QRgb outerDark = pressed ? B::white : B::black;
    const QRgb innerDark = pressed ? B::silver : B::grey;
    r.row(1, 1, w - 3, outerLight);
    r.column(1, 1, h - 3, outerLight);
    r.row(2, 2, w - 4, innerLight);
    r.column(2, 2, h - 4, innerLight);
    r.row(h - 2, 1, w - 3, outerDark);
    r.column(w - 2, 2, h - 2, outerDark);
    r.row(h - 3, 2, w - 4, innerDark);
    r.column(w - 3, 3, h - 3, innerDark);
}

void bevel3D(RunWriter& r, bool pressed)
{
    const int w = r.w(), h = r.h();
    const QRgb outerLight = pressed ? B::black : B::white;
    const QRgb innerLight = pressed ? B::grey : B::silver;
    const QRgb outerDark = pressed ? B::white : B::black;
    const QRgb innerDark = pressed ? B::silver : B::grey;
    r.row(0, 0, w - 1, outerLight);
    r.column(0, 0, h - 2, outerLight);
    r.row(1, 1, w - 2, innerLight);
    r.column(1, 1, h - 3, innerLight);
    r.row(h - 1, 0, w - 1, outerDark);
    r.column(w - 1, 1, h - 1, outerDark);
    r.row(h - 2, 1, w - 2, innerDark);
    r.column(w - 2, 2, h - 2, innerDark);
}

void bevel3DBlackEdge(RunWriter& r, bool pressed)
{
    const int w = r.w(), h = r.h();
    const QRgb light = pressed ? B::grey : B::white;
    const QRgb dark = pressed ? B::white : B::grey;
    r.ring(B::black);
    r.row(1, 1, w - 3, light);
    r.column(1, 1, h - 3, light);
    r.row(2, 2, w - 4, light);
    r.column(2, 2, h - 4, light);
    r.row(h - 2, 1, w - 2, dark);
    r.column(w - 2, 1, h - 2, dark);
    r.row(h - 3, 2, w - 3, dark);
    r.column(w - 3, 2, h - 3, dark);
}
} // namespace

void ButtonBorders::draw(QImage& image, BorderEffect effect, bool pressed)
{
    if (image.isNull() || image.depth() != 32)
        return;
    RunWriter runs(image);
    switch (effect) {
    case BorderEffect::Bevel3DInset:
        bevel3DInset(runs, pressed);
        break;
    case BorderEffect::Bevel3D:
        bevel3D(runs, pressed);
        break;
    case BorderEffect::Bevel3DBlackEdge:
        bevel3DBlackEdge(runs, pressed);
        break;
    case BorderEffect::BlackBorder:
        runs.ring(black);
        break;
    case BorderEffect::None:
    case BorderEffect::NoChoice:
        break;
    }
}
