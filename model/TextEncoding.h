#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

// Decoding of 8-bit text files that may come from this program (UTF-8) or from its
// predecessor on another platform (Windows-1252). A file is one or the other as a whole:
// UTF-8 when all of it is valid UTF-8, otherwise Windows-1252.
class TextEncoding
{
public:
    // Tells whether bytes fed piece by piece, split anywhere, form valid UTF-8.
    class Utf8Validator
    {
    public:
        void feed(QByteArrayView bytes);
        // Whether everything fed so far is valid, with no sequence left unfinished.
        // Ends the input: feed nothing after it.
        bool finish();

    private:
        QStringDecoder m_decoder{QStringDecoder::Utf8};
        bool m_valid = true;
    };

    static bool isValidUtf8(QByteArrayView bytes);
    // 0x80..0x9F by the Windows-1252 table (its five unassigned bytes map to the C1
    // controls of the same number, as Windows itself does); every other byte is Latin-1.
    static QString fromWindows1252(QByteArrayView bytes);
    static QString decode(QByteArrayView bytes, bool utf8)
    {
        return utf8 ? QString::fromUtf8(bytes) : fromWindows1252(bytes);
    }
    static bool startsWithByteOrderMark(QByteArrayView bytes)
    {
        return bytes.startsWith("\xEF\xBB\xBF");
    }
};
