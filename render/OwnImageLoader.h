#pragma once

#include "Enumerations.h"
#include "Failure.h"
#include "PictureHeader.h"

#include <QImage>
#include <QString>

class BackgroundPictures;

// Reads a picture file the user chose as a state's background into a plain RGB32 bitmap.
// The file's extension, in any letter case, decides how: ".bmp" is read here, ".png", ".jpg",
// ".jpeg", ".gif" and ".webp" by the codecs.
class OwnImageLoader
{
public:
    // On failure image() is null. A picture with transparent parts is laid over white, and
    // coverage() tells how much of each pixel it covers (Grayscale8); null for opaque ones.
    Failure load(const QString& path);
    QImage image() const { return m_image; }
    QImage coverage() const { return m_coverage; }

    // The picture's size and what decoding it will take, from its header alone; refused as
    // load() refuses the file before it decodes pixels.
    static Failure readHeader(const QString& path, PictureHeader* header);

    // Loads path and, on success, makes it the state's own picture, with its coverage; on
    // failure the pictures stay as they were. A file another state holds, unchanged since, is
    // shared, not decoded again.
    static Failure loadInto(BackgroundPictures& pictures, ButtonState state, const QString& path);

    // An RGB32 copy of image; any transparency is laid over white.
    static QImage toPlainBitmap(QImage image);
    // The alpha of a picture with an alpha channel as a Grayscale8 image; null for others.
    static QImage coverageOf(const QImage& picture);

private:
    Failure loadBitmap(const QString& path);
    void keepCoverage(const QImage& coverage);

    QImage m_image;
    QImage m_coverage;
};
