#pragma once

#include <QtGlobal>

// The largest picture any part of the program makes or decodes. Every reader and the renderer
// judge a size here before they allocate its pixels, so that no project or picture file can
// make a run take more memory than a few pictures of this size.
class ImageLimits
{
public:
    static constexpr qint64 maxSide = 16384;
    // 64 megapixels, an 8192 x 8192 square: 256 MB as 32-bit pixels.
    static constexpr qint64 maxPixels = qint64(1) << 26;
    // What one generation run may hold at once for its pictures and images: the own pictures
    // (decoded, and doubled for double-size images), the images drawn and not yet written with
    // the sprites made of them, and the encoders' working memory. With the program's own
    // baseline a run stays under 512 MB.
    static constexpr qint64 runBudget = qint64(320) << 20;

    // A side below 1.
    static constexpr bool isEmpty(qint64 width, qint64 height) { return width < 1 || height < 1; }
    // Not empty, and within the limits on each side and on the area.
    static constexpr bool fits(qint64 width, qint64 height)
    {
        return !isEmpty(width, height) && width <= maxSide && height <= maxSide &&
               width * height <= maxPixels;
    }
};
