#include "TextEncoding.h"

namespace {
// Unicode of the Windows-1252 bytes 0x80..0x9F.
constexpr char16_t windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};
} // namespace

void TextEncoding::Utf8Validator::feed(QByteArrayView bytes)
{
    if (!m_valid || bytes.isEmpty())
        return;
    const QString ignored = m_decoder(bytes);
    m_valid = !m_decoder.hasError();
}

bool TextEncoding::Utf8Validator::finish()
{
    // An unfinished sequence at the end turns into an error when followed by plain ASCII.
    feed("\n");
    return m_valid;
}

bool TextEncoding::isValidUtf8(QByteArrayView bytes)
{
    Utf8Validator validator;
    validator.feed(bytes);
    return validator.finish();
}

QString TextEncoding::fromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const uchar b = uchar(c);
        *out++ = QChar(b >= 0x80 && b <= 0x9F ? windows1252High[b - 0x80] : char16_t(b));
    }
    return text;
}
