#pragma once

#include "ColorRef.h"

#include <QFrame>

// A small box filled with a colour; hatched while disabled.
class SwatchLabel : public QFrame
{
    Q_OBJECT
public:
    SwatchLabel(const QString& accessibleName, QWidget* parent = nullptr);

    void setColor(ColorRef color);
    ColorRef color() const { return m_color; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ColorRef m_color = 0;
};
