#include "CaptionList.h"

CaptionLines splitCaption(const QString& caption)
{
    const qsizetype bar = caption.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return {{caption}};
    return {{caption.left(bar), caption.mid(bar + 1)}};
}
