#pragma once

#include <QImage>

// Paints the true-colour artwork of one catalogue picture (0..99) at its catalogue size.
class BackgroundArt
{
public:
    static QImage paint(int index);
};
