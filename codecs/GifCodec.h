#pragma once

#include "Failure.h"
#include "PictureHeader.h"

#include <QImage>
#include <QString>

// GIF files: written by GifEncoder, read through giflib.
class GifCodec
{
public:
    // The most pixels a side that the format can hold.
    static constexpr int maxSide = 65535;

    // GIF87a: logical screen of the bitmap's size without a global table, one image at (0, 0)
    // with a 256-entry local table (the web palette, then black), LZW code size 8, no extensions.
    // Replaces the file only when complete: on failure an existing file stays as it was.
    static Failure write(const QString& path, const QImage& bitmap);
    // GIF89a, as above with a graphic control block before the image naming a transparent
    // index: the bitmap's pixels under half covered take it, the others are laid over matte.
    static Failure writeTransparent(const QString& path, const QImage& bitmap, QRgb matte);
    // The first frame placed on the full logical screen as RGB32. Where the frame does not
    // cover the screen, the screen's background colour shows (from the global table; white if
    // there is none); transparent pixels of the frame are white. With a transparent index,
    // *coverage (if given) is a Grayscale8 image of the screen: 0 where the frame is
    // transparent, 255 elsewhere.
    static Failure read(const QString& path, QImage* result, QImage* coverage = nullptr);
    // The logical screen's size from the file's first bytes, refused as read() refuses it.
    static Failure readHeader(const QString& path, PictureHeader* header);

private:
    static Failure write(const QString& path, const QImage& bitmap, const QRgb* matte);
};
