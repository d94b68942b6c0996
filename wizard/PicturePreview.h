#pragma once

#include <QImage>
#include <QString>

// What the own-picture dialog shows beside its list for a file: the picture as the wizard will
// decode it, at most side pixels a side, or the loader's message for a file it cannot read.
class PicturePreview
{
public:
    struct Shown
    {
        QImage image;    // null when there is nothing to show or a message instead
        QString message; // empty unless the file cannot be read as a picture
    };

    static Shown of(const QString& path, int side);
};
