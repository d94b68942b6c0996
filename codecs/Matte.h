#pragma once

#include <QRgb>

// A pixel with alpha laid over an opaque colour, for the formats that hold no alpha.
class Matte
{
public:
    static QRgb over(QRgb pixel, QRgb matte);
};
