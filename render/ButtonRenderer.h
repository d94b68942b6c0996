#pragma once

#include "BackgroundPictures.h"
#include "ButtonFont.h"
#include "ButtonProject.h"
#include "ButtonSizeTables.h"
#include "Failure.h"
#include "GlyphMasks.h"
#include "TextOffsetOptions.h"

#include <QImage>
#include <QSize>
#include <QStringList>
#include <QVector>

#include <memory>

// Where one caption line goes: the line is drawn with its cell's top-left corner at
// (left, top) and clipped to [left, right) x [top, bottom).
struct TextBox
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const TextBox&) const = default;
};

// Composes the picture of one caption in one state: size, background, caption with optional
// shadow, border and press. Fonts are kept between calls and remade when a state's font
// fields change. Captions are smoothed when the project asks for it.
//
// A renderer of scale 2 draws the double-size twin of each image: font, offsets, shifts and
// border runs doubled, pictures taken from a double-size set, and each caption's size twice
// the one a scale-1 renderer stored in sizes, which it only reads.
class ButtonRenderer
{
public:
    ButtonRenderer(const ButtonProject& project, const BackgroundPictures& pictures,
                   const TextOffsetOptions& offsets, ButtonSizeTables& sizes, int scale = 1);
    ~ButtonRenderer();

    // Renders one caption (1-based captionIndex) in one state. Normal also stores W,H in sizes.
    // Returns a QImage::Format_RGB32 image, or ARGB32 (not premultiplied) with rounded
    // corners; a null image when no image can be made: a size
    // that ImageLimits refuses. A Normal button that fails stores 0 x 0, so the other states
    // of that caption fail too instead of using a size from an earlier run.
    QImage render(ButtonState state, int captionIndex, const QString& caption);
    // Why the last render() gave no image; no failure after a success.
    const Failure& error() const { return m_error; }

    // A caption's button in one state as render() would make it, without drawing: its size
    // (empty when no image can be made) and whether a line of text reaches past its edges,
    // so that the image shows only part of it. Normal stores its size as render() does.
    struct Fit
    {
        QSize size;
        bool cut = false;
    };
    Fit fit(ButtonState state, int captionIndex, const QString& caption);

    // The boxes of a caption's one or two lines (lineWidths holds each line's width) in a
    // width x height button.
    static QVector<TextBox> layoutLines(const QVector<int>& lineWidths, int lineHeight, int width,
                                        int height, TextJustification justification,
                                        TextOrientation orientation, int offset, int indent,
                                        bool pressed, int scale = 1);

    static constexpr int variableWidthMargin = 24;
    static constexpr int pressShift = 2;
    static constexpr int shadowShift = 2;

private:
    struct Layout
    {
        qint64 width = 0;
        qint64 height = 0;
        qint64 pictureReach = 0;
        QStringList lines;
        QVector<int> lineWidths;
        bool cutWide = false; // a line longer than any button may be
    };
    // The button's size and the caption's lines; false when the Normal button of the caption
    // failed, with error() saying so.
    bool layOut(ButtonState state, int captionIndex, const QString& caption, Layout& layout);
    // Why no image of the laid-out size could be made.
    Failure sizeFailure(ButtonState state, const Layout& layout) const;
    QVector<TextBox> boxesFor(ButtonState state, const Layout& layout, const QSize& size);
    void storeSize(ButtonState state, int captionIndex, const QSize& size);
    const ButtonFont& fontFor(ButtonState state, const ButtonStateStyle& style);
    const ButtonFont& fineFontFor(ButtonState state, const ButtonStateStyle& style,
                                  const ButtonFont& font);
    void drawCaption(QImage& image, ButtonState state, const ButtonStateStyle& style,
                     const ButtonFont& font, const QStringList& lines,
                     const QVector<TextBox>& boxes);
    const QImage& pictureFor(ButtonState state, const ButtonStateStyle& style);

    const ButtonProject& m_project;
    const BackgroundPictures& m_pictures;
    const TextOffsetOptions& m_offsets;
    ButtonSizeTables& m_sizes;
    const int m_scale;
    std::unique_ptr<ButtonFont> m_fonts[3];
    std::unique_ptr<ButtonFont> m_fineFonts[3];
    // Per state, the glyphs of its fine font already sampled.
    GlyphMasks m_glyphMasks[3];
    // A state's picture in the working format, when it is not already, and the key of the
    // picture it was made from.
    QImage m_converted[3];
    qint64 m_convertedFrom[3] = {0, 0, 0};
    Failure m_error;
};
