#pragma once

#include <QRawFont>
#include <QVector>

#include <unordered_map>

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

    // Null when the glyph's ink does not fit the box its font gives it, or its mask would pass
    // the memory kept for masks: such a run is drawn whole. Masks of another font are dropped
    // first.
    const Mask* mask(const QRawFont& font, quint32 glyph);

    // Huge fonts at double size make masks of megabytes; past this sum they are not kept.
    static constexpr qint64 maxBytes = qint64(16) << 20;

private:
    QRawFont m_font;
    // A node map: a caller holds the masks of a whole run while later glyphs are added, so
    // they must not move. An empty mask: none can be made.
    std::unordered_map<quint32, Mask> m_masks;
    qint64 m_bytes = 0;
};
