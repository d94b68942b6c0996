#pragma once

#include "Enumerations.h"

#include <QImage>

// The border effects, written straight into a 32-bit image. Each effect is a fixed set of
// 1-pixel runs along the edges (scale pixels in a double-size image); on images smaller than
// 6 pixels a side only the parts of the runs that fall inside are drawn.
class ButtonBorders
{
public:
    static void draw(QImage& image, BorderEffect effect, bool pressed, int scale = 1);

    static constexpr QRgb black = 0xFF000000;
    static constexpr QRgb grey = 0xFF808080;
    static constexpr QRgb silver = 0xFFC0C0C0;
    static constexpr QRgb white = 0xFFFFFFFF;
};
