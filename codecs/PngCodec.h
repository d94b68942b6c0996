#pragma once

#include "Failure.h"
#include "PictureHeader.h"

#include <QImage>
#include <QString>

// PNG files: written with zlib, read through libpng. Written files are 8-bit RGB (RGBA from a
// bitmap with an alpha channel), not interlaced, and hold only IHDR, IDAT and IEND, unless a
// palette is asked for. Read files of any kind come out as opaque RGB32, composited over white.
class PngCodec
{
public:
    enum class Form
    {
        Classic,
        // A picture of at most 256 colours is written with PLTE (and tRNS for its alpha)
        // where that file is smaller than the classic one: the same pixels, never more bytes.
        Smallest
    };
    // Replaces the file only when complete: on failure an existing file stays as it was.
    static Failure writePng(const QString& path, const QImage& bitmap, Form form = Form::Classic);
    // *result (if given) is left as it was on failure. A file with alpha also gives its
    // alpha, as a Grayscale8 image, in *coverage (if given).
    static Failure readPng(const QString& path, QImage* result, QImage* coverage = nullptr);
    // The picture's size from the file's header, refused as readPng() refuses it.
    static Failure readHeader(const QString& path, PictureHeader* header);
    // The most pixels a side that the format, and so the writer, can hold.
    static constexpr qint64 maxSide = 0x7fffffff;
};
