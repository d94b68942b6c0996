#include "ButtonFont.h"

#include <QFontMetrics>
#include <QStringView>

#include <algorithm>
#include <cmath>

namespace {
struct Substitute
{
    const char* face;
    const char* family;
};

// Faces of the platform the projects come from, mapped to free fonts that ship with Debian
// (fonts-liberation, fonts-dejavu-core). Liberation Sans stands in for MS Sans Serif because
// its widths are close to the original's (both near Arial), so centred and variable-width
// buttons keep roughly their original proportions; DejaVu Sans runs noticeably wider.
constexpr Substitute substitutes[] = {
    {"MS Sans Serif", "Liberation Sans"},
    {"Microsoft Sans Serif", "Liberation Sans"},
    {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"Verdana", "DejaVu Sans"},
    {"Tahoma", "DejaVu Sans"},
};
} // namespace

ButtonFont::ButtonFont(const ButtonStateStyle& style, int scale, bool hinted)
    : m_faceName(style.fontName), m_points(style.fontSize), m_bold(style.fontBold),
      m_italic(style.fontItalic), m_underline(style.fontUnderline),
      m_strikeOut(style.fontStrikeOut), m_font(fontFor(style, scale, hinted)),
      m_raw(QRawFont::fromFont(m_font, QFontDatabase::Latin))
{
    const QFontMetrics metrics(m_font);
    m_ascent = metrics.ascent();
    m_descent = metrics.descent();
}

QString ButtonFont::familyFor(const QString& faceName)
{
    const QString trimmed = faceName.trimmed();
    for (const Substitute& s : substitutes) {
        if (trimmed.compare(QLatin1String(s.face), Qt::CaseInsensitive) == 0)
            return QLatin1String(s.family);
    }
    return trimmed;
}

int ButtonFont::pixelSizeFor(qint32 points)
{
    // A project file may hold any number; a negative size is read as its magnitude.
    const double pixels = std::round(std::fabs(double(points)) * 96.0 / 72.0);
    if (pixels < 1)
        return 1;
    if (pixels > maxPixelSize)
        return maxPixelSize;
    return int(pixels);
}

QFont ButtonFont::fontFor(const ButtonStateStyle& style, int scale, bool hinted)
{
    QFont font(familyFor(style.fontName));
    font.setPixelSize(pixelSizeFor(style.fontSize) * std::max(scale, 1));
    font.setBold(style.fontBold);
    font.setItalic(style.fontItalic);
    font.setUnderline(style.fontUnderline);
    font.setStrikeOut(style.fontStrikeOut);
    font.setKerning(false);
    font.setHintingPreference(hinted ? QFont::PreferFullHinting : QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    return font;
}

bool ButtonFont::matches(const ButtonStateStyle& style) const
{
    return style.fontSize == m_points && style.fontBold == m_bold && style.fontItalic == m_italic &&
           style.fontUnderline == m_underline && style.fontStrikeOut == m_strikeOut &&
           style.fontName == m_faceName;
}

const ButtonFont::Glyph& ButtonFont::glyph(char32_t codePoint) const
{
    auto it = m_glyphs.constFind(codePoint);
    if (it != m_glyphs.constEnd())
        return *it;
    Glyph g;
    const QList<quint32> indexes = m_raw.glyphIndexesForString(QString::fromUcs4(&codePoint, 1));
    if (!indexes.isEmpty()) {
        g.index = indexes.first();
        const QList<QPointF> advances = m_raw.advancesForGlyphIndexes(QList<quint32>{g.index});
        if (!advances.isEmpty())
            g.advance = qRound(advances.first().x());
    }
    return *m_glyphs.insert(codePoint, g);
}

int ButtonFont::width(const QString& text) const
{
    qint64 sum = 0;
    for (char32_t c : QStringView(text).toUcs4()) {
        sum += glyph(c).advance;
        if (sum >= maxTextWidth)
            return maxTextWidth;
    }
    return int(sum);
}

QStringView ButtonFont::layoutPrefix(QStringView text, int maxWidth, int maxCharacters) const
{
    qint64 sum = 0;
    qsizetype i = 0;
    for (int count = 0; i < text.size() && sum <= maxWidth && count < maxCharacters; ++count) {
        char32_t c = text[i].unicode();
        ++i;
        if (QChar::isHighSurrogate(c) && i < text.size() && text[i].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(char16_t(c), text[i].unicode());
            ++i;
        } else if (QChar::isSurrogate(c)) {
            c = QChar::ReplacementCharacter; // as toUcs4() reads it
        }
        sum += glyph(c).advance;
    }
    return text.left(i);
}

QGlyphRun ButtonFont::glyphRun(const QString& text, const ButtonFont& drawnWith, int factor) const
{
    const QList<uint> codePoints = QStringView(text).toUcs4();
    QList<quint32> indexes;
    QList<QPointF> positions;
    indexes.reserve(codePoints.size());
    positions.reserve(codePoints.size());
    qint64 x = 0;
    for (char32_t c : codePoints) {
        const Glyph& g = glyph(c);
        indexes.append(g.index);
        positions.append(QPointF(double(x * factor), double(m_ascent * factor)));
        x += g.advance;
    }
    QGlyphRun run;
    run.setRawFont(drawnWith.m_raw);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    run.setUnderline(m_underline);
    run.setStrikeOut(m_strikeOut);
    return run;
}
