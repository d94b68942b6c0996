#include "SampleView.h"

#include <QPainter>

SampleView::SampleView(const QSize& size, QWidget* parent) : QWidget(parent)
{
    setFixedSize(size);
}

void SampleView::setPicture(const QImage& picture)
{
    m_picture = picture;
    update();
}

void SampleView::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull())
        return;
    QPainter p(this);
    p.drawImage(QPoint((width() - m_picture.width()) / 2, (height() - m_picture.height()) / 2),
                m_picture);
}
