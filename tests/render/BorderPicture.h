#pragma once

#include "ButtonBorders.h"

#include <QImage>
#include <QStringList>

// One character per pixel: '.' transparent, backgroundMark the background, W, S, G, B the
// border's white, silver, grey and black; '?' anything else or partly covered.
inline QStringList borderPicture(const QImage& image, QRgb background, QChar backgroundMark)
{
    QStringList rows;
    for (int y = 0; y < image.height(); ++y) {
        QString row;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            row += qAlpha(p) == 0               ? QChar('.')
                   : qAlpha(p) != 255           ? QChar('?')
                   : p == background            ? backgroundMark
                   : p == ButtonBorders::white  ? QChar('W')
                   : p == ButtonBorders::silver ? QChar('S')
                   : p == ButtonBorders::grey   ? QChar('G')
                   : p == ButtonBorders::black  ? QChar('B')
                                                : QChar('?');
        }
        rows << row;
    }
    return rows;
}
