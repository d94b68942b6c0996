#pragma once

#include <QImage>
#include <QVector>

// The fixed 216-colour palette of GIF output: the 6 x 6 x 6 cube of the levels 0, 51, .., 255.
// Entry index = 36 x red level + 6 x green level + blue level, so 0 is black and 215 white.
class WebPalette
{
public:
    static constexpr int ColorCount = 216;
    // The GIF table: the 216 colours followed by 40 black entries.
    static constexpr int TableSize = 256;

    static int levelOf(int channelValue) { return (channelValue + 3) / 51; }
    static int indexOf(QRgb color)
    {
        return 36 * levelOf(qRed(color)) + 6 * levelOf(qGreen(color)) + levelOf(qBlue(color));
    }
    static QRgb color(int index);
    // TableSize entries, opaque.
    static const QVector<QRgb>& colorTable();

    // Nearest-level reduction without dithering: an Indexed8 image with colorTable().
    static QImage reduceToWebPalette(const QImage& bitmap);
};
