#pragma once

#include "Enumerations.h"

#include <QAbstractScrollArea>

class LivePreview;

// Every caption in every state the JavaScript option uses, at real size or as the run's
// double-size twins, on the page's colour, one row per caption. The Normal button under the mouse
// shows the selected state and, while pressed, the pressed one, as the page will. A caption that
// its button cuts is marked. Only the rows in view are drawn.
class DesignerPreviewGrid : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit DesignerPreviewGrid(LivePreview& preview, QWidget* parent = nullptr);

    int scale() const { return m_scale; }
    // 1 for the images, 2 for their double-size twins.
    void setScale(int scale);
    // After any change: the sizes anew and the rows in view redrawn.
    void reload();
    // The state the Normal button of a row shows now.
    ButtonState shownState(int row) const;
    // The row and column of the button under a point of the viewport; -1 for none.
    QPoint cellAt(const QPoint& at) const;
    // Where a row's button of a column is drawn in the viewport.
    QRect buttonRect(int row, int column) const;

    static constexpr int captionWidth = 160;
    static constexpr int gap = 8;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    // Image pixels per logical pixel at the scale shown.
    qreal imageRatio() const;
    // The logical size a button of this 1x size is drawn at.
    QSize drawnSize(const QSize& button) const;
    int rowHeight() const;
    int headerHeight() const;
    int columnLeft(int column) const;
    void updateScrollBars();
    void setHover(const QPoint& cell, bool pressed);

    LivePreview& m_preview;
    int m_scale = 1;
    // The largest button of the rows drawn so far, so that columns grow and never jump back.
    QSize m_button;
    // The ratio the scroll bars were set for: a move to another screen may change it.
    qreal m_laidOutRatio = 1;
    QPoint m_hover{-1, -1};
    bool m_pressed = false;
};
