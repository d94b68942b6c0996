#pragma once

#include <QByteArray>
#include <QString>

// Decoding of 8-bit text files that may come from this program (UTF-8) or from its
// predecessor on another platform (Windows-1252).
class TextEncoding
{
public:
    // Skips a leading UTF-8 byte-order mark; decodes the rest as UTF-8 when it is valid
    // UTF-8 and otherwise, all of it, as Windows-1252.
    static QString decode(const QByteArray& bytes);

    static bool isValidUtf8(QByteArrayView bytes);
    // 0x80..0x9F by the Windows-1252 table (its five unassigned bytes map to the C1
    // controls of the same number, as Windows itself does); every other byte is Latin-1.
    static QString fromWindows1252(QByteArrayView bytes);
};
