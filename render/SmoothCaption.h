#pragma once

#include <QGlyphRun>
#include <QImage>
#include <QRect>

class GlyphMasks;

// Greyscale antialiased captions that no platform plugin or font preference can change: the
// glyphs are drawn without antialiasing, as plain captions are, on a grid factor times finer,
// and each pixel is blended by the share of its samples that they cover.
class SmoothCaption
{
public:
    // The grid factor for a font of pixelSize pixels: 4 for text sizes, less for huge text,
    // where the steps no longer show and fine glyphs would cost too much.
    static int factorFor(int pixelSize);

    // Blends color into the RGB32 image inside clip wherever fineRun covers it; fineRun is
    // placed in coordinates factor times finer with its origin at the image point origin.
    // False, with nothing drawn, when the fine grid cannot be allocated. With masks, glyphs
    // drawn once are reused: the same pixels at a fraction of the cost.
    static bool draw(QImage& image, const QGlyphRun& fineRun, int factor, QPoint origin,
                     const QRect& clip, QRgb color, GlyphMasks* masks = nullptr);

    // Wider lines are sampled in pieces, keeping the fine grid small and within the range
    // the raster engine handles exactly.
    static constexpr int chunkWidth = 512;
};
