#pragma once

#include "JpegFileOptions.h"

#include <QImage>
#include <QString>

// JPEG files through libjpeg. Of the options only quality, grayscale and progressiveEncoding
// reach the file; everything else stays at libjpeg's defaults (JFIF).
class JpegCodec
{
public:
    // Replaces the file only when complete: on failure an existing file stays as it was and
    // *error (if given) says why.
    static bool write(const QString& path, const QImage& bitmap, const JpegFileOptions& options,
                      QString* error);
    // Colour, grey and CMYK/YCCK files come out as RGB32. Truncated files are errors.
    static bool read(const QString& path, QImage* result, QString* error);
};
