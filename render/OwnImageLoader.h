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
    // On failure image() is null.
    Failure load(const QString& path);
    QImage image() const { return m_image; }

    // The picture's size and what decoding it will take, from its header alone; refused as
    // load() refuses the file before it decodes pixels.
    static Failure readHeader(const QString& path, PictureHeader* header);

    // Loads path and, on success, makes it the state's own picture; on failure the pictures
    // stay as they were. A file another state holds, unchanged since, is shared, not decoded
    // again.
    static Failure loadInto(BackgroundPictures& pictures, ButtonState state, const QString& path);

    // An RGB32 copy of image; any transparency is laid over white.
    static QImage toPlainBitmap(QImage image);

private:
    Failure loadBitmap(const QString& path);

    QImage m_image;
};
