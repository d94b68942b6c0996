#pragma once

#include "Enumerations.h"

#include <QImage>

// The four outside corners of a button rounded to arcs. Outside the outline the image is
// transparent, inside it keeps its pixels, and the border's rings bend along the arcs: a closed
// ring stays closed, a bevel's light side takes the top-left arc and its dark side the
// bottom-right one. Edge pixels are partly covered when smooth, else in or out by their centre.
class RoundedCorners
{
public:
    // Keeps the corners of a drawn button as they are before its border. The radius, in the
    // image's pixels, is at most half the shorter side: a short button becomes a pill.
    RoundedCorners(const QImage& image, double radius);

    // Draws the corners again over the border, from the pixels kept, and makes image ARGB32
    // (not premultiplied) with the outline's alpha. The rings are scale pixels wide.
    void apply(QImage& image, BorderEffect effect, bool pressed, int scale, bool smooth) const;

    double radius() const { return m_radius; }

private:
    // How far a point lies inside the outline (negative outside), and whether the outline
    // nearest to it faces up or left.
    double inset(double x, double y, bool* lit) const;
    // Whether an edge between two colours may cross pixel (x, y), whose centre lies centre
    // inside the outline.
    bool mixed(int x, int y, double centre, const QRgb* rings, int scale) const;
    QRgb kept(int x, int y) const;
    QRgb pixel(int x, int y, const QRgb* rings, int scale, bool smooth) const;

    int m_width;
    int m_height;
    double m_radius;
    int m_band; // rows and columns along each side that the arcs reach
    QImage m_top;
    QImage m_bottom;
};
