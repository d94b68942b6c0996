#include "DesignerPreviewGrid.h"

#include "DesignerStylePanel.h"
#include "LivePreview.h"
#include "WizardTexts.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QtMath>

DesignerPreviewGrid::DesignerPreviewGrid(LivePreview& preview, QWidget* parent)
    : QAbstractScrollArea(parent), m_preview(preview)
{
    setAccessibleName(QStringLiteral("Preview of every button"));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    verticalScrollBar()->setSingleStep(16);
    horizontalScrollBar()->setSingleStep(16);
}

void DesignerPreviewGrid::setScale(int scale)
{
    if (scale == m_scale || (scale != 1 && scale != 2))
        return;
    m_scale = scale;
    updateScrollBars();
    viewport()->update();
}

void DesignerPreviewGrid::reload()
{
    m_button = m_preview.fit(0).size;
    updateScrollBars();
    viewport()->update();
}

int DesignerPreviewGrid::headerHeight() const
{
    return fontMetrics().height() + gap;
}

// 1x draws each pixel of the 1x image on a logical pixel: the size a page shows it at on any
// screen. 2x draws the run's @2x twin with its pixels on the screen's own: twice the size on a
// 1x screen, and on a HiDPI screen of ratio 2 at the 1x button's size, as a HiDPI page shows it.
qreal DesignerPreviewGrid::imageRatio() const
{
    return m_scale == 1 ? 1.0 : viewport()->devicePixelRatioF();
}

QSize DesignerPreviewGrid::drawnSize(const QSize& button) const
{
    const qreal ratio = imageRatio();
    return QSize(qCeil(button.width() * m_scale / ratio), qCeil(button.height() * m_scale / ratio));
}

int DesignerPreviewGrid::rowHeight() const
{
    return qMax(drawnSize(m_button).height(), fontMetrics().height()) + gap;
}

int DesignerPreviewGrid::columnLeft(int column) const
{
    return captionWidth + column * (drawnSize(m_button).width() + gap);
}

void DesignerPreviewGrid::updateScrollBars()
{
    m_laidOutRatio = imageRatio();
    const int width = columnLeft(m_preview.states().size());
    const int height = headerHeight() + m_preview.rowCount() * rowHeight();
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, qMax(0, width - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setRange(0, qMax(0, height - view.height()));
    verticalScrollBar()->setPageStep(view.height());
}

QPoint DesignerPreviewGrid::cellAt(const QPoint& at) const
{
    const int x = at.x() + horizontalScrollBar()->value();
    const int y = at.y() + verticalScrollBar()->value() - headerHeight();
    if (y < 0 || x < captionWidth || m_button.isEmpty())
        return {-1, -1};
    const int row = y / rowHeight();
    const int column = (x - captionWidth) / (drawnSize(m_button).width() + gap);
    if (row >= m_preview.rowCount() || column >= m_preview.states().size())
        return {-1, -1};
    // Only the button itself, as on the page: not the gap, nor past a narrower button's edge.
    if (!buttonRect(row, column).contains(at))
        return {-1, -1};
    return {column, row};
}

QRect DesignerPreviewGrid::buttonRect(int row, int column) const
{
    return QRect(QPoint(columnLeft(column) - horizontalScrollBar()->value(),
                        headerHeight() + row * rowHeight() - verticalScrollBar()->value()),
                 drawnSize(m_preview.fit(row).size));
}

ButtonState DesignerPreviewGrid::shownState(int row) const
{
    const QList<ButtonState> states = m_preview.states();
    if (m_hover.y() != row || m_hover.x() != 0)
        return ButtonState::Normal;
    if (m_pressed && states.contains(ButtonState::Pressed))
        return ButtonState::Pressed;
    if (states.contains(ButtonState::Selected))
        return ButtonState::Selected;
    return ButtonState::Normal;
}

void DesignerPreviewGrid::paintEvent(QPaintEvent*)
{
    if (imageRatio() != m_laidOutRatio)
        updateScrollBars();
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), QColor::fromRgb(m_preview.pageColor()));
    const QList<ButtonState> states = m_preview.states();
    const int dx = -horizontalScrollBar()->value();
    const int dy = -verticalScrollBar()->value();
    const QColor text = qGray(m_preview.pageColor()) < 128 ? Qt::white : Qt::black;
    p.setPen(text);
    for (int column = 0; column < states.size(); ++column)
        p.drawText(
            QRect(columnLeft(column) + dx, 0, drawnSize(m_button).width() + gap, headerHeight()),
            Qt::AlignLeft | Qt::AlignVCenter, DesignerStylePanel::stateName(states[column]));
    p.setClipRect(0, headerHeight(), viewport()->width(), viewport()->height());
    const int first = qMax(0, (-dy) / rowHeight());
    const int last =
        qMin(m_preview.rowCount() - 1, (viewport()->height() - dy - headerHeight()) / rowHeight());
    for (int row = first; row <= last; ++row) {
        const int top = headerHeight() + row * rowHeight() + dy;
        const ButtonRenderer::Fit fit = m_preview.fit(row);
        const QRect captionArea(dx + 4, top, captionWidth - 8, rowHeight() - gap);
        p.setPen(fit.cut ? QColor(Qt::red) : text);
        p.drawText(captionArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   fontMetrics().elidedText(m_preview.caption(row), Qt::ElideRight,
                                            captionArea.width() - (fit.cut ? 16 : 0)));
        if (fit.cut)
            p.drawText(captionArea, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("\u2702"));
        if (fit.size.width() > m_button.width() || fit.size.height() > m_button.height()) {
            // A wider caption further down: the columns make room for it.
            m_button = m_button.expandedTo(fit.size);
            updateScrollBars();
            viewport()->update();
        }
        const QList<QImage> buttons = m_preview.buttons(row, m_scale);
        for (int column = 0; column < buttons.size(); ++column) {
            const ButtonState shown = column == 0 ? shownState(row) : states[column];
            const QImage& image = buttons.value(states.indexOf(shown));
            if (!image.isNull())
                p.drawImage(
                    QRectF(buttonRect(row, column).topLeft(), QSizeF(image.size()) / imageRatio()),
                    image);
        }
    }
}

void DesignerPreviewGrid::setHover(const QPoint& cell, bool pressed)
{
    if (cell == m_hover && pressed == m_pressed)
        return;
    m_hover = cell;
    m_pressed = pressed;
    viewport()->update();
}

void DesignerPreviewGrid::mouseMoveEvent(QMouseEvent* event)
{
    setHover(cellAt(event->position().toPoint()), m_pressed);
}

void DesignerPreviewGrid::mousePressEvent(QMouseEvent* event)
{
    setHover(cellAt(event->position().toPoint()), event->button() == Qt::LeftButton);
}

void DesignerPreviewGrid::mouseReleaseEvent(QMouseEvent* event)
{
    setHover(cellAt(event->position().toPoint()), false);
}

void DesignerPreviewGrid::leaveEvent(QEvent* event)
{
    setHover({-1, -1}, false);
    QAbstractScrollArea::leaveEvent(event);
}

void DesignerPreviewGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

bool DesignerPreviewGrid::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int x = help->pos().x() + horizontalScrollBar()->value();
        const int y = help->pos().y() + verticalScrollBar()->value() - headerHeight();
        const int row = y >= 0 ? y / rowHeight() : -1;
        if (x < captionWidth && row >= 0 && row < m_preview.rowCount() && m_preview.fit(row).cut)
            QToolTip::showText(help->globalPos(), WizardTexts::captionCutMark, viewport());
        else
            QToolTip::hideText();
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}
