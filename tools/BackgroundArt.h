#pragma once

#include <QImage>

// Paints the true-colour artwork of one catalogue picture (0..99) at its catalogue size, or
// scale times that size: the same drawing on a finer grid.
class BackgroundArt
{
public:
    static QImage paint(int index, int scale = 1);
    // Whether a picture has a shape of its own, with white around it where paint() shows it.
    static bool isShaped(int index);
    // How much of each pixel of a shaped picture the artwork covers, 0 to 255, as a grey
    // picture of paint()'s size; null for the others.
    static QImage coverage(int index, int scale = 1);
};
