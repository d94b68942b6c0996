#pragma once

#include "Failure.h"
#include "JpegFileOptions.h"
#include "PictureHeader.h"

#include <QImage>
#include <QString>

// JPEG files through libjpeg. Of the options only quality, grayscale and progressiveEncoding
// reach the file; everything else stays at libjpeg's defaults (JFIF).
class JpegCodec
{
public:
    // Replaces the file only when complete: on failure an existing file stays as it was.
    static Failure write(const QString& path, const QImage& bitmap, const JpegFileOptions& options);
    // Colour, grey and CMYK/YCCK files come out as RGB32. Truncated files are errors.
    static Failure read(const QString& path, QImage* result);
    // The picture's size from the markers before the first scan, refused as read() refuses it.
    static Failure readHeader(const QString& path, PictureHeader* header);
    // The most pixels a side that libjpeg writes.
    static constexpr int maxSide = 65500;
};
