#pragma once

#include "Failure.h"
#include "JpegFileOptions.h"
#include "PngCodec.h"

#include <QImage>
#include <QList>
#include <QString>

// Writes one button image to the files it is given, each in its own format, replacing existing
// files. The caller names the files: nothing here adds to a path.
class ImageFileWriter
{
public:
    enum class Format
    {
        Jpeg,
        Png,
        Gif,
        WebP
    };
    struct Target
    {
        Format format;
        QString path;
    };

    // The most pixels a side that a format can hold; a larger image cannot be written in it.
    static qint64 maxSide(Format format);

    // The options are read at each write, so changes made between writes take effect. A
    // bitmap with an alpha channel keeps it in PNG and WebP; GIF makes the pixels under half
    // covered transparent and lays the others over the page colour, JPEG lays all over it.
    explicit ImageFileWriter(const JpegFileOptions& options, QRgb pageColor = 0xFFFFFFFF,
                             PngCodec::Form pngForm = PngCodec::Form::Classic);

    // Writes the targets in order. Stops at the first failure, leaving the targets after it
    // unwritten and no partial file of the failing one.
    bool write(const QImage& bitmap, const QList<Target>& targets);
    // Why the last write() failed, with the path that did; no failure after a success.
    const Failure& error() const { return m_error; }
    // How many of the last write()'s targets are written: those before the failing one.
    qsizetype written() const { return m_written; }

    // An opaque RGB32 copy of bitmap as it shows over the page colour.
    static QImage overPage(const QImage& bitmap, QRgb pageColor);

private:
    Failure writeTarget(const QImage& source, const Target& target);

    const JpegFileOptions& m_options;
    const QRgb m_pageColor;
    const PngCodec::Form m_pngForm;
    Failure m_error;
    qsizetype m_written = 0;
};
