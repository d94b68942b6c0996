#pragma once

#include "Enumerations.h"

#include <QImage>

// A two-colour background: each channel runs linearly, rounded, from the first row (or column)
// in one colour to the last in the other.
class GradientFill
{
public:
    // Fills a 32-bit image; a single row (or column) takes the first colour.
    static void fill(QImage& image, QRgb first, QRgb last, GradientDirection direction);
    // The colour at step i of 0 .. steps - 1.
    static QRgb at(QRgb first, QRgb last, int i, int steps);
};
