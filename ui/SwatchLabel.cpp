#include "SwatchLabel.h"

#include <QPainter>

SwatchLabel::SwatchLabel(const QString& accessibleName, QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::Box);
    setFixedSize(36, 20);
    setAccessibleName(accessibleName);
}

void SwatchLabel::setColor(ColorRef color)
{
    m_color = color;
    update();
}

void SwatchLabel::paintEvent(QPaintEvent* event)
{
    {
        QPainter p(this);
        const QRect inside = contentsRect();
        p.fillRect(inside, QColor::fromRgb(QRgb(Colors::toRgb(m_color))));
        if (!isEnabled())
            p.fillRect(inside, QBrush(palette().color(QPalette::Disabled, QPalette::Window),
                                      Qt::Dense4Pattern));
    }
    QFrame::paintEvent(event);
}
