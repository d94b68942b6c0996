#pragma once

#include <QtGlobal>

// What a picture file states before its pixels are read: its size, and the most memory its
// decoder will take for it, the decoded picture included. Judged before anything large is
// allocated, so that a tiny file declaring a huge picture can be refused for what it would cost.
struct PictureHeader
{
    qint64 width = 0;
    qint64 height = 0;
    qint64 decodeBytes = 0;

    // The decoded picture alone, as the program keeps it: 32 bits a pixel.
    qint64 pictureBytes() const { return width * height * 4; }
};
