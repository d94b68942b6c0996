#include "ColorRef.h"

namespace {
// The classic desktop scheme, 0x00RRGGBB, indexed by system colour number.
constexpr quint32 classicSystemColors[] = {
    0xC0C0C0, // 0 scroll bar
    0x008080, // 1 background
    0x000080, // 2 active caption
    0x808080, // 3 inactive caption
    0xC0C0C0, // 4 menu
    0xFFFFFF, // 5 window
    0x000000, // 6 window frame
    0x000000, // 7 menu text
    0x000000, // 8 window text
    0xFFFFFF, // 9 caption text
    0xC0C0C0, // 10 active border
    0xC0C0C0, // 11 inactive border
    0x808080, // 12 app workspace
    0x000080, // 13 highlight
    0xFFFFFF, // 14 highlight text
    0xC0C0C0, // 15 button face
    0x808080, // 16 button shadow
    0x808080, // 17 grey text
    0x000000, // 18 button text
    0xC0C0C0, // 19 inactive caption text
    0xFFFFFF, // 20 button highlight
    0x000000, // 21 3D dark shadow
    0xC0C0C0, // 22 3D light
    0x000000, // 23 info text
    0xFFFFE1, // 24 info background
    0xB5B5B5, // 25 (unused slot)
    0x0000FF, // 26 hot light
    0x1084D0, // 27 gradient active caption
    0xB5B5B5, // 28 gradient inactive caption
    0x316AC5, // 29 menu highlight
    0xECE9D8, // 30 menu bar
};
} // namespace

quint32 Colors::toRgb(ColorRef c)
{
    if (isSystemColor(c)) {
        const quint32 index = c & 0xFF;
        if (index < sizeof(classicSystemColors) / sizeof(classicSystemColors[0]))
            return classicSystemColors[index];
        return 0x000000;
    }
    const quint32 r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    return (r << 16) | (g << 8) | b;
}

QString Colors::webText(ColorRef c)
{
    return QStringLiteral("#%1").arg(toRgb(c), 6, 16, QLatin1Char('0')).toUpper();
}

bool Colors::fromWebText(QStringView text, ColorRef* c)
{
    if (text.size() != 7 || text.front() != u'#')
        return false;
    quint32 value = 0;
    for (const QChar ch : text.mid(1)) {
        const char16_t u = ch.unicode();
        int digit;
        if (u >= u'0' && u <= u'9')
            digit = u - u'0';
        else if (u >= u'a' && u <= u'f')
            digit = u - u'a' + 10;
        else if (u >= u'A' && u <= u'F')
            digit = u - u'A' + 10;
        else
            return false;
        value = value << 4 | quint32(digit);
    }
    *c = rgb(int(value >> 16), int(value >> 8), int(value));
    return true;
}
