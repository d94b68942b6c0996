#pragma once

#include <QHash>
#include <QRawFont>
#include <QVector>

// The samples each glyph of one raw font covers, drawn once per glyph exactly as a whole run
// draws it (unantialiased, at whole-pixel positions), so that a caption is sampled by laying
// its glyphs' masks together instead of drawing its outlines again for every image.
class GlyphMasks
{
public:
    struct Mask
    {
        int left = 0; // of the mask, relative to the glyph's origin on the baseline
        int top = 0;
        int width = 0;
        int height = 0;
        QVector<uchar> covered; // width x height, 1 where the glyph covers the sample
    };

    // Null when the glyph's ink does not fit the box its font gives it: such a run is drawn
    // whole. Masks of another font are dropped first.
    const Mask* mask(const QRawFont& font, quint32 glyph);

private:
    QRawFont m_font;
    QHash<quint32, Mask> m_masks;
    QHash<quint32, bool> m_unmaskable;
};
