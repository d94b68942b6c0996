#pragma once

#include "Enumerations.h"

#include <QImage>

#include <optional>

// The border effects, written straight into a 32-bit image. Each effect is a fixed set of
// 1-pixel lines along the edges (scale pixels wide in a double-size image), each line taking
// its start point and leaving out its end point. From 6 pixels a side they form the usual
// rings; on smaller images they cross or run backwards, and what falls inside is drawn.
class ButtonBorders
{
public:
    static void draw(QImage& image, BorderEffect effect, bool pressed, int scale = 1);
    // The colour of ring number ring (0 along the edge, 1 inside it, ...) of an effect on the
    // side that faces up and left (lit) or down and right; none where the effect leaves that
    // ring as it was. Rounded outlines draw their arcs with these.
    static std::optional<QRgb> ringColor(BorderEffect effect, bool pressed, int ring, bool lit);

    static constexpr QRgb black = 0xFF000000;
    static constexpr QRgb grey = 0xFF808080;
    static constexpr QRgb silver = 0xFFC0C0C0;
    static constexpr QRgb white = 0xFFFFFFFF;
};
