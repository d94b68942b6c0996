#pragma once

#include "Failure.h"
#include "PictureHeader.h"

#include <QImage>
#include <QString>

// WebP files through libwebp.
class WebPCodec
{
public:
    // The most pixels a side that the format can hold; a larger picture cannot be written.
    static constexpr int maxSide = 16383;

    // Lossless: decoding the file gives exactly the bitmap's pixels, with their alpha when the
    // bitmap has an alpha channel. Replaces the file only when complete: on failure an
    // existing file stays as it was.
    static Failure write(const QString& path, const QImage& bitmap);
    // Still pictures, lossy or lossless. Comes out as RGB32, or as ARGB32 where the file has
    // an alpha channel.
    static Failure read(const QString& path, QImage* result);
    // The picture's size from the file's first bytes, refused as read() refuses it.
    static Failure readHeader(const QString& path, PictureHeader* header);
};
