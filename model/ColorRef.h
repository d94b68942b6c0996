#pragma once

#include <QString>
#include <QtGlobal>

// A colour as the project stores it: 0x00BBGGRR for RGB, 0xFF0000ii for system colour ii.
using ColorRef = quint32;

namespace Colors {
constexpr ColorRef rgb(int r, int g, int b)
{
    return ColorRef(r & 0xFF) | (ColorRef(g & 0xFF) << 8) | (ColorRef(b & 0xFF) << 16);
}
constexpr ColorRef systemColor(int index)
{
    return 0xFF000000u | ColorRef(index & 0xFF);
}
constexpr bool isSystemColor(ColorRef c)
{
    return (c >> 24) == 0xFF;
}
constexpr ColorRef windowText = systemColor(8);

// 0x00RRGGBB of a colour. System colours come from a fixed table of the classic desktop
// scheme, not the running desktop, so a project renders the same everywhere. Other high
// bytes are ignored, as the drawing layer of the original platform did.
quint32 toRgb(ColorRef c);

// "#RRGGBB", upper-case, as a web page spells a colour.
QString webText(ColorRef c);
// The colour of "#RRGGBB" (either case); false for any other text.
bool fromWebText(QStringView text, ColorRef* c);
} // namespace Colors
