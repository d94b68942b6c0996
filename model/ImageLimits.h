#pragma once

#include <QString>

// The largest picture any part of the program makes or decodes. Every reader and the renderer
// judge a size here before they allocate its pixels, so that no project or picture file can
// make a run take more memory than a few pictures of this size.
class ImageLimits
{
public:
    static constexpr qint64 maxSide = 16384;
    // 64 megapixels, an 8192 x 8192 square: 256 MB as 32-bit pixels.
    static constexpr qint64 maxPixels = qint64(1) << 26;

    enum class Verdict
    {
        Fits,
        Empty,   // a side below 1
        TooLarge // a side or the area beyond the limits
    };

    static constexpr Verdict judge(qint64 width, qint64 height)
    {
        if (width < 1 || height < 1)
            return Verdict::Empty;
        if (width > maxSide || height > maxSide || width * height > maxPixels)
            return Verdict::TooLarge;
        return Verdict::Fits;
    }
    static constexpr bool fits(qint64 width, qint64 height)
    {
        return judge(width, height) == Verdict::Fits;
    }

    // "W x H pixels"
    static QString sizeText(qint64 width, qint64 height);
    // "at most 16384 pixels a side and 64 megapixels"
    static QString limitText();
};
