#pragma once

#include "Failure.h"
#include "JpegFileOptions.h"

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

    // The options are read at each write, so changes made between writes take effect.
    explicit ImageFileWriter(const JpegFileOptions& options);

    // Writes the targets in order. Stops at the first failure, leaving the targets after it
    // unwritten and no partial file of the failing one.
    bool write(const QImage& bitmap, const QList<Target>& targets);
    // Why the last write() failed, with the path that did; no failure after a success.
    const Failure& error() const { return m_error; }

private:
    Failure writeTarget(const QImage& source, const Target& target);

    const JpegFileOptions& m_options;
    Failure m_error;
};
