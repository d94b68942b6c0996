#include "ImageLimits.h"

QString ImageLimits::sizeText(qint64 width, qint64 height)
{
    return QStringLiteral("%1 x %2 pixels").arg(width).arg(height);
}

QString ImageLimits::limitText()
{
    return QStringLiteral("at most %1 pixels a side and %2 megapixels")
        .arg(maxSide)
        .arg(maxPixels / (1024 * 1024));
}
