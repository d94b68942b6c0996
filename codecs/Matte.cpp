#include "Matte.h"

QRgb Matte::over(QRgb pixel, QRgb matte)
{
    const int a = qAlpha(pixel);
    const auto channel = [a](int c, int m) { return (c * a + m * (255 - a) + 127) / 255; };
    return qRgb(channel(qRed(pixel), qRed(matte)), channel(qGreen(pixel), qGreen(matte)),
                channel(qBlue(pixel), qBlue(matte)));
}
