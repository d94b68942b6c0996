#pragma once

#include <QImage>

// The transparent surround of a picture laid on a button drawn over it. The picture is drawn
// as it shows over white; its coverage says how much of each pixel it fills. Where that is
// partial, the pixel's own colour is taken back from white and its alpha lowered; where it is
// nothing, the pixel is transparent. Whole pixels keep their colour.
class TransparentSurround
{
public:
    // image is RGB32 or ARGB32 (not premultiplied) and becomes ARGB32; its alpha is multiplied
    // by the coverage (Grayscale8) placed at (shift, shift). The band that a pressed picture
    // leaves at the top and left is transparent too; columns from reach on, where the picture
    // never lay, and what lies beyond the picture keep their alpha.
    static void apply(QImage& image, const QImage& coverage, int shift, int reach);

    // The colour that, covering a share a of 255 of a pixel over white, shows as shown.
    static QRgb fromWhite(QRgb shown, int a);
};
