#pragma once

#include "Enumerations.h"
#include "Failure.h"
#include "JpegFileOptions.h"

#include <QImage>
#include <QString>

// Writes one button image as stem.jpg, stem.png and stem.gif, and stem.webp when asked,
// replacing existing files.
class ImageFileWriter
{
public:
    // The options are read at each write, so changes made between writes take effect.
    explicit ImageFileWriter(const JpegFileOptions& options, bool alsoWebP = false);

    // Nothing of the stem is cut: "ver.-2" gives "ver.-2.jpg". Stops at the first failure,
    // leaving the formats after it unwritten and no partial file of the failing one.
    bool writeButtonImages(const QImage& bitmap, const QString& stem);
    // Only stem plus the format's extension (PNG for a format not chosen), and stem.webp when
    // asked.
    bool writeImage(const QImage& bitmap, const QString& stem, ImageFileFormat format);
    // Names the path that failed.
    QString errorString() const;

private:
    Failure writeFormat(const QImage& source, const QString& stem, ImageFileFormat format);
    Failure writeWebP(const QImage& source, const QString& stem);

    const JpegFileOptions& m_options;
    bool m_alsoWebP;
    Failure m_error;
};
