#pragma once

#include <QString>

// Text to 32-bit integer as project files have always been read: leading blanks, an optional
// "+" or "-", then decimal digits or hexadecimal digits after "$", "x", "X", "0x" or "0X".
// Nothing else may follow. Decimal values must fit in a signed 32-bit integer; hexadecimal
// ones may use all 32 bits (up to FFFFFFFF) and are taken as the bit pattern, so "$FF000008"
// reads as the system colour -16777208 and "-" negates that pattern in two's complement.
class IntegerText
{
public:
    static bool toInt32(QStringView text, qint32* value);
};
