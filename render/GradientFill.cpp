#include "GradientFill.h"

#include <algorithm>

QRgb GradientFill::at(QRgb first, QRgb last, int i, int steps)
{
    const qint64 span = steps - 1;
    if (span <= 0)
        return first;
    // Rounded half up; both ends land exactly on their colours.
    const auto channel = [&](int from, int to) {
        return int((qint64(from) * (span - i) + qint64(to) * i + span / 2) / span);
    };
    return qRgb(channel(qRed(first), qRed(last)), channel(qGreen(first), qGreen(last)),
                channel(qBlue(first), qBlue(last)));
}

void GradientFill::fill(QImage& image, QRgb first, QRgb last, GradientDirection direction)
{
    if (image.isNull() || image.depth() != 32)
        return;
    const int width = image.width();
    const int height = image.height();
    if (direction == GradientDirection::Horizontal) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(0));
        for (int x = 0; x < width; ++x)
            row[x] = at(first, last, x, width);
        for (int y = 1; y < height; ++y)
            std::copy(row, row + width, reinterpret_cast<QRgb*>(image.scanLine(y)));
        return;
    }
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(row, row + width, at(first, last, y, height));
    }
}
