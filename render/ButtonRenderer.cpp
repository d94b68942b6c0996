#include "ButtonRenderer.h"

#include "ButtonBorders.h"
#include "CaptionList.h"
#include "ColorRef.h"
#include "GradientFill.h"
#include "ImageLimits.h"
#include "RoundedCorners.h"
#include "SmoothCaption.h"
#include "TransparentSurround.h"

#include <QPainter>

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>

namespace {
int slot(ButtonState state)
{
    return std::clamp(int(state), 1, 3) - 1;
}

QRgb pixelOf(ColorRef color)
{
    return 0xFF000000u | Colors::toRgb(color);
}

// Copies picture unscaled with its top-left corner at (dx, dy); nothing lands at or beyond
// column reach, the width the button had when the picture was laid down.
void copyPicture(QImage& image, const QImage& picture, int dx, int dy, int reach)
{
    const int right = std::min({reach, image.width(), dx + picture.width()});
    const int bottom = std::min(image.height(), dy + picture.height());
    if (right <= dx)
        return;
    const size_t bytes = size_t(right - dx) * sizeof(QRgb);
    for (int y = dy; y < bottom; ++y) {
        const uchar* from = picture.constScanLine(y - dy);
        std::memcpy(image.scanLine(y) + size_t(dx) * sizeof(QRgb), from, bytes);
    }
}

} // namespace

ButtonRenderer::ButtonRenderer(const ButtonProject& project, const BackgroundPictures& pictures,
                               const TextOffsetOptions& offsets, ButtonSizeTables& sizes, int scale)
    : m_project(project), m_pictures(pictures), m_offsets(offsets), m_sizes(sizes),
      m_scale(std::max(scale, 1))
{
}

ButtonRenderer::~ButtonRenderer() = default;

const ButtonFont& ButtonRenderer::fontFor(ButtonState state, const ButtonStateStyle& style)
{
    std::unique_ptr<ButtonFont>& font = m_fonts[slot(state)];
    const bool hinted = !m_project.smoothCaptions;
    if (!font || !font->matches(style) || font->hinted() != hinted)
        font = std::make_unique<ButtonFont>(style, m_scale, hinted);
    return *font;
}

const ButtonFont& ButtonRenderer::fineFontFor(ButtonState state, const ButtonStateStyle& style,
                                              const ButtonFont& font)
{
    std::unique_ptr<ButtonFont>& fine = m_fineFonts[slot(state)];
    if (!fine || !fine->matches(style))
        fine = std::make_unique<ButtonFont>(
            style, m_scale * SmoothCaption::factorFor(font.font().pixelSize()), false);
    return *fine;
}

void ButtonRenderer::drawCaption(QImage& image, ButtonState state, const ButtonStateStyle& style,
                                 const ButtonFont& font, const QStringList& lines,
                                 const QVector<TextBox>& boxes)
{
    const int shadow = shadowShift * m_scale;
    const int factor =
        m_project.smoothCaptions ? SmoothCaption::factorFor(font.font().pixelSize()) : 0;
    QPainter painter;
    for (int k = 0; k < lines.size(); ++k) {
        const TextBox& box = boxes[k];
        if (lines[k].isEmpty() || box.right <= box.left || box.bottom <= box.top)
            continue;
        const QRect clip(box.left, box.top, box.right - box.left, box.bottom - box.top);
        if (factor > 0) {
            const QGlyphRun fine = font.glyphRun(lines[k], fineFontFor(state, style, font), factor);
            const QPoint at(box.left, box.top);
            bool drawn =
                !style.dropShadow ||
                SmoothCaption::draw(image, fine, factor, at + QPoint(shadow, shadow), clip,
                                    pixelOf(style.dropShadowColor), &m_glyphMasks[slot(state)]);
            drawn =
                drawn && SmoothCaption::draw(image, fine, factor, at, clip,
                                             pixelOf(style.fontColor), &m_glyphMasks[slot(state)]);
            if (drawn)
                continue;
        }
        if (!painter.isActive()) {
            painter.begin(&image);
            painter.setRenderHint(QPainter::TextAntialiasing, false);
        }
        const QGlyphRun run = font.glyphRun(lines[k]);
        painter.setClipRect(clip);
        if (style.dropShadow) {
            painter.setPen(QColor::fromRgb(pixelOf(style.dropShadowColor)));
            painter.drawGlyphRun(QPointF(box.left + shadow, box.top + shadow), run);
        }
        painter.setPen(QColor::fromRgb(pixelOf(style.fontColor)));
        painter.drawGlyphRun(QPointF(box.left, box.top), run);
    }
}

const QImage& ButtonRenderer::pictureFor(ButtonState state, const ButtonStateStyle& style)
{
    const QImage& picture = m_pictures.backgroundFor(state, style.backgroundKind);
    if (picture.isNull() || picture.format() == QImage::Format_RGB32)
        return picture;
    const int s = slot(state);
    if (m_converted[s].isNull() || m_convertedFrom[s] != picture.cacheKey()) {
        m_converted[s] = picture.convertToFormat(QImage::Format_RGB32);
        m_convertedFrom[s] = picture.cacheKey();
    }
    return m_converted[s];
}

Failure ButtonRenderer::sizeFailure(ButtonState state, const Layout& layout) const
{
    const bool tooLarge = !ImageLimits::isEmpty(layout.width, layout.height) &&
                          !ImageLimits::fits(layout.width, layout.height);
    if (tooLarge && layout.cutWide && state == ButtonState::Normal && m_project.variableWidth)
        return Failure(Failure::Code::Refuse, FailureReason::CaptionTooLong);
    return Failure(Failure::Code::Refuse,
                   tooLarge ? FailureReason::ButtonTooLarge : FailureReason::ButtonNotDrawn,
                   QStringLiteral("%1 x %2").arg(layout.width).arg(layout.height));
}

bool ButtonRenderer::layOut(ButtonState state, int captionIndex, const QString& caption,
                            Layout& layout)
{
    const ButtonStateStyle& style = m_project.style(state);
    const bool normal = state == ButtonState::Normal;
    const QImage& picture = pictureFor(state, style);

    qint64& width = layout.width;
    qint64& height = layout.height;
    if (m_scale > 1) {
        width = qint64(m_sizes.width(captionIndex)) * m_scale;
        height = qint64(m_sizes.height(captionIndex)) * m_scale;
    } else if (!normal) {
        width = m_sizes.width(captionIndex);
        height = m_sizes.height(captionIndex);
    } else if (!picture.isNull()) {
        width = picture.width();
        height = picture.height();
    } else {
        // Also the size when no picture has been chosen yet: a 0 x 0 button could not be
        // stored by any writer.
        width = m_project.buttonWidth;
        height = m_project.buttonHeight;
    }

    m_error = m_pictures.refusal(state, style.backgroundKind);
    if (m_error)
        return false;
    if ((!normal || m_scale > 1) && width == 0 && height == 0) {
        m_error = Failure(Failure::Code::Refuse, FailureReason::NormalButtonFailed);
        return false;
    }

    const ButtonFont& font = fontFor(state, style);
    layout.lines = splitCaption(caption).lines;
    layout.lineWidths.clear();
    layout.cutWide = false;
    for (QString& line : layout.lines) {
        // No button is wider than maxSide, so a line is laid out only until it passes that.
        const int limit = int(ImageLimits::maxSide);
        const qsizetype full = line.size();
        line.truncate(font.layoutPrefix(line, limit, limit).size());
        layout.lineWidths.append(font.width(line));
        layout.cutWide = layout.cutWide || (line.size() < full && layout.lineWidths.last() > limit);
    }
    const int widest = *std::max_element(layout.lineWidths.cbegin(), layout.lineWidths.cend());

    // The picture was laid down before the button widened, so it never reaches further.
    layout.pictureReach = width;
    if (m_scale > 1 && normal && m_project.variableWidth)
        layout.pictureReach =
            picture.isNull() ? qint64(m_project.buttonWidth) * m_scale : picture.width();
    else if (normal && m_project.variableWidth)
        width = qint64(widest) + variableWidthMargin;
    return true;
}

void ButtonRenderer::storeSize(ButtonState state, int captionIndex, const QSize& size)
{
    if (state == ButtonState::Normal && m_scale == 1)
        m_sizes.store(captionIndex, size.width(), size.height());
}

QVector<TextBox> ButtonRenderer::boxesFor(ButtonState state, const Layout& layout,
                                          const QSize& size)
{
    const ButtonStateStyle& style = m_project.style(state);
    return layoutLines(layout.lineWidths, fontFor(state, style).height(), size.width(),
                       size.height(), style.textJustification, style.textOrientation,
                       m_offsets.textOffset, m_offsets.textIndent,
                       style.pressEffect == PressEffect::Pressed, m_scale);
}

ButtonRenderer::Fit ButtonRenderer::fit(ButtonState state, int captionIndex, const QString& caption)
{
    Layout layout;
    if (!layOut(state, captionIndex, caption, layout) ||
        !ImageLimits::fits(layout.width, layout.height)) {
        // As render() marks a failed button: the other states see 0 x 0, not a negative size.
        storeSize(state, captionIndex, QSize(0, 0));
        return {};
    }
    const QSize size(int(layout.width), int(layout.height));
    storeSize(state, captionIndex, size);
    const QVector<TextBox> boxes = boxesFor(state, layout, size);
    bool cut = layout.cutWide;
    for (int k = 0; k < boxes.size() && !cut; ++k) {
        // The text, not its box: a left-justified box is as wide as the widest line.
        const TextBox& box = boxes[k];
        cut =
            !layout.lines[k].isEmpty() &&
            (box.left < 0 || box.top < 0 ||
             qint64(box.left) + layout.lineWidths[k] > size.width() || box.bottom > size.height());
    }
    return {size, cut};
}

QImage ButtonRenderer::render(ButtonState state, int captionIndex, const QString& caption)
{
    const ButtonStateStyle& style = m_project.style(state);
    const bool pressed = style.pressEffect == PressEffect::Pressed;
    Layout layout;
    if (!layOut(state, captionIndex, caption, layout))
        return QImage();
    const qint64 width = layout.width;
    const qint64 height = layout.height;

    QImage image;
    if (ImageLimits::fits(width, height))
        image = QImage(int(width), int(height), QImage::Format_RGB32);
    if (image.isNull())
        m_error = sizeFailure(state, layout);
    storeSize(state, captionIndex, image.size());
    if (image.isNull())
        return image;

    if (style.backgroundKind == BackgroundKind::Regular && style.gradientColor)
        GradientFill::fill(image, pixelOf(style.backgroundColor), pixelOf(*style.gradientColor),
                           m_project.gradientDirection);
    else
        image.fill(pixelOf(style.backgroundColor));
    const QImage& picture = pictureFor(state, style);
    const int shift = pressed ? pressShift * m_scale : 0;
    const int reach = int(std::min(layout.pictureReach, width));
    if (!picture.isNull())
        copyPicture(image, picture, shift, shift, reach);

    drawCaption(image, state, style, fontFor(state, style), layout.lines,
                boxesFor(state, layout, image.size()));
    // Borders only touch their own runs, so one pass after all lines leaves the same
    // picture as redrawing them after every line.
    std::optional<RoundedCorners> corners;
    if (m_project.cornerRadius > 0)
        corners.emplace(image, double(m_project.cornerRadius) * m_scale);
    ButtonBorders::draw(image, style.borderEffect, pressed, m_scale);
    if (corners)
        corners->apply(image, style.borderEffect, pressed, m_scale, m_project.smoothCaptions);
    if (m_project.transparentPictures && !picture.isNull())
        TransparentSurround::apply(image, m_pictures.coverageFor(state, style.backgroundKind),
                                   shift, reach);
    return image;
}

QVector<TextBox> ButtonRenderer::layoutLines(const QVector<int>& lineWidths, int lineHeight,
                                             int width, int height, TextJustification justification,
                                             TextOrientation orientation, int offset, int indent,
                                             bool pressed, int scale)
{
    // Wide enough that offsets taken from anywhere cannot overflow; saturated when stored.
    const qint64 W = width, H = height, th = lineHeight, off = qint64(offset) * scale,
                 ind = qint64(indent) * scale;
    const bool twoLines = lineWidths.size() == 2;
    const qint64 wmax =
        lineWidths.isEmpty() ? 0 : *std::max_element(lineWidths.cbegin(), lineWidths.cend());
    const auto saturate = [](qint64 v) {
        return int(std::clamp<qint64>(v, std::numeric_limits<int>::min(),
                                      std::numeric_limits<int>::max()));
    };
    QVector<TextBox> boxes;
    for (int k = 0; k < lineWidths.size(); ++k) {
        const qint64 wk = lineWidths[k];
        qint64 left = 0, right = 0, top = 0;
        switch (justification) {
        case TextJustification::Left:
            left = off;
            right = off + wmax;
            break;
        case TextJustification::Right:
            left = W - wk - off;
            right = W - off;
            break;
        case TextJustification::IndentLeft:
            left = off + ind;
            right = off + ind + wmax;
            break;
        case TextJustification::IndentRight:
            left = W - wk - off - ind;
            right = W - off - ind;
            break;
        case TextJustification::Center:
        case TextJustification::NoChoice:
            left = (W - wk) / 2;
            right = left + wk;
            break;
        }
        const bool second = k == 1;
        switch (orientation) {
        case TextOrientation::Top:
            top = second ? th + 2 * off : off;
            break;
        case TextOrientation::Bottom:
            top = !twoLines || second ? H - th - off : H - 2 * th - 2 * off;
            break;
        case TextOrientation::Center:
        case TextOrientation::NoChoice:
            if (!twoLines)
                top = (H - th) / 2;
            else
                top = second ? H / 2 + off : H / 2 - th - off;
            break;
        }
        const qint64 shift = pressed ? qint64(pressShift) * scale : 0;
        boxes.append({saturate(left + shift), saturate(top + shift), saturate(right + shift),
                      saturate(top + th + shift)});
    }
    return boxes;
}
