#pragma once

#include <QImage>
#include <QVector>

// Reduces a true-colour picture to at most 256 colours chosen for that picture: median cut
// for a start, then k-means passes. Colours that cover large areas (such as the plain
// surroundings of a button) are kept exact so flat regions do not turn blotchy.
class PaletteQuantizer
{
public:
    // An Indexed8 image with the picture's own palette.
    static QImage quantize(const QImage& source, int maxColors = 256);
    // Mean distance per pixel between two pictures of one size, in 0..255 channel units.
    static double meanError(const QImage& a, const QImage& b);
};
