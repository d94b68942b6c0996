#pragma once

#include <QImage>

// Paints the true-colour artwork of one catalogue picture (0..99) at its catalogue size, or
// scale times that size: the same drawing on a finer grid.
class BackgroundArt
{
public:
    static QImage paint(int index, int scale = 1);
};
