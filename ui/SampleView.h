#pragma once

#include <QImage>
#include <QWidget>

// Shows a picture centred and unscaled; a larger picture is cut off equally around the
// centre. Holds its own copy, so it changes only when given a new picture.
class SampleView : public QWidget
{
    Q_OBJECT
public:
    SampleView(const QSize& size, QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
};
