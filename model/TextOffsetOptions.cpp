#include "TextOffsetOptions.h"

const TextOffsetOptions& TextOffsetOptions::defaults()
{
    static const TextOffsetOptions d;
    return d;
}

void TextOffsetOptions::validate()
{
    if (textOffset < 0 || textOffset > 24)
        textOffset = defaults().textOffset;
    if (textIndent < 0 || textIndent > 200)
        textIndent = defaults().textIndent;
}
