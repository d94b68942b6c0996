#pragma once

#include "ButtonStateStyle.h"

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QRawFont>

// A state's caption font, resolved the same way on every machine: sizes at a fixed 96 dpi,
// installed stand-ins for the faces the projects were made with, no antialiasing and full
// hinting set on the font itself (so neither the platform plugin nor the desktop's font
// preferences can change a pixel), and text measured as the plain sum of each character's
// advance: no kerning, no ligatures, no special characters.
class ButtonFont
{
public:
    // scale multiplies the pixel size: 2 for the double-size images, more for the finer grid
    // that smooth captions are sampled on. Smooth captions take the outlines and advances
    // unhinted: a user's fontconfig can force the autohinter on hinted glyphs, never on
    // unhinted ones.
    explicit ButtonFont(const ButtonStateStyle& style, int scale = 1, bool hinted = true);

    // The installed family that stands in for a face name; unknown names pass through.
    static QString familyFor(const QString& faceName);
    // Points to pixels at 96 dpi, at least 1 and at most maxPixelSize.
    static int pixelSizeFor(qint32 points);
    static QFont fontFor(const ButtonStateStyle& style, int scale = 1, bool hinted = true);

    // Whether the font fields of style are the ones this font was made from.
    bool matches(const ButtonStateStyle& style) const;

    const QFont& font() const { return m_font; }
    bool hinted() const { return m_font.hintingPreference() != QFont::PreferNoHinting; }
    int ascent() const { return m_ascent; }
    int descent() const { return m_descent; }
    // The cell height, the same for every text.
    int height() const { return m_ascent + m_descent; }
    // Sum of the characters' advances, capped at maxTextWidth.
    int width(const QString& text) const;
    // The part of text worth laying out: it ends with the character that takes its width past
    // maxWidth, or after maxCharacters characters. A caption far wider than any button then
    // costs what its visible part costs.
    QStringView layoutPrefix(QStringView text, int maxWidth, int maxCharacters) const;
    // The text's glyphs placed for drawing with the cell's top-left corner at the origin.
    QGlyphRun glyphRun(const QString& text) const { return glyphRun(text, *this, 1); }
    // The same placement times factor, drawn with the glyphs of drawnWith (this face at
    // factor times the size), so that a larger copy keeps this font's layout.
    QGlyphRun glyphRun(const QString& text, const ButtonFont& drawnWith, int factor) const;

    static constexpr int maxPixelSize = 2048;
    static constexpr int maxTextWidth = 1 << 28;

private:
    struct Glyph
    {
        quint32 index = 0;
        int advance = 0;
    };
    const Glyph& glyph(char32_t codePoint) const;

    QString m_faceName;
    qint32 m_points;
    bool m_bold, m_italic, m_underline, m_strikeOut;
    QFont m_font;
    QRawFont m_raw;
    int m_ascent = 0;
    int m_descent = 0;
    mutable QHash<char32_t, Glyph> m_glyphs;
};
