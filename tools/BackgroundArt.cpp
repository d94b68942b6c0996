#include "BackgroundArt.h"

#include "PredefinedBackground.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QtMath>

#include <cmath>

namespace {

// ---- colour helpers -------------------------------------------------------------------

QColor mix(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t),
                            float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

// Positive amounts lighten towards white, negative ones darken towards black.
QColor shade(const QColor& c, double amount)
{
    return amount >= 0 ? mix(c, Qt::white, amount) : mix(c, Qt::black, -amount);
}

QColor withAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

// The ten colours most families come in, in catalogue order.
const QColor tenColours[10] = {
    QColor(250, 206, 22), // yellow
    QColor(36, 84, 204),  // blue
    QColor(92, 168, 238), // light blue
    QColor(212, 38, 32),  // red
    QColor(244, 128, 22), // orange
    QColor(34, 156, 52),  // green
    QColor(148, 198, 34), // yellow-green
    QColor(24, 184, 204), // cyan
    QColor(210, 36, 170), // magenta
    QColor(122, 54, 182), // purple
};

const QColor simpleColours[14] = {
    QColor(150, 150, 150), // gray
    QColor(208, 208, 208), // light gray
    QColor(214, 62, 52),   // red
    QColor(166, 204, 64),  // yellow-green
    QColor(66, 170, 76),   // green
    QColor(64, 194, 208),  // cyan
    QColor(76, 116, 214),  // blue
    QColor(142, 84, 190),  // purple
    QColor(38, 128, 84),   // green 2
    QColor(128, 196, 124), // green 3
    QColor(44, 72, 150),   // blue 2
    QColor(124, 172, 230), // blue 3
    QColor(178, 46, 112),  // purple-red
    QColor(192, 112, 46),  // brown-orange
};

const QColor controlColours[8] = {
    QColor(186, 192, 200), // silver
    QColor(200, 42, 42),   // red
    QColor(210, 166, 58),  // gold
    QColor(128, 68, 178),  // purple
    QColor(48, 150, 70),   // green
    QColor(48, 100, 200),  // blue
    QColor(138, 88, 50),   // brown
    QColor(240, 208, 40),  // yellow
};

// ---- noise for the textures ------------------------------------------------------------

double hashNoise(int x, int y, int seed)
{
    quint32 h = quint32(x) * 374761393u + quint32(y) * 668265263u + quint32(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / double(0xFFFFFF);
}

double smooth(double t)
{
    return t * t * (3 - 2 * t);
}

// Value noise in 0..1.
double valueNoise(double x, double y, int seed)
{
    const int x0 = int(std::floor(x));
    const int y0 = int(std::floor(y));
    const double fx = smooth(x - x0);
    const double fy = smooth(y - y0);
    const double a = hashNoise(x0, y0, seed);
    const double b = hashNoise(x0 + 1, y0, seed);
    const double c = hashNoise(x0, y0 + 1, seed);
    const double d = hashNoise(x0 + 1, y0 + 1, seed);
    return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
}

double fbm(double x, double y, int seed, int octaves = 4)
{
    double sum = 0;
    double amplitude = 0.5;
    double norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * valueNoise(x, y, seed + i * 17);
        norm += amplitude;
        x *= 2;
        y *= 2;
        amplitude *= 0.5;
    }
    return sum / norm;
}

// ---- shared drawing helpers -------------------------------------------------------------

// A soft shadow made of a few widening, faint copies of the shape.
void softShadow(QPainter& p, const QPainterPath& shape, QPointF offset, int strength = 70)
{
    p.save();
    p.setPen(Qt::NoPen);
    const int steps = 3;
    for (int i = steps; i >= 1; --i) {
        QPainterPathStroker stroker;
        stroker.setWidth(i * 1.6);
        stroker.setJoinStyle(Qt::RoundJoin);
        QPainterPath grown = stroker.createStroke(shape).united(shape);
        p.setBrush(QColor(0, 0, 0, strength / (steps + 1)));
        p.drawPath(grown.translated(offset));
    }
    p.setBrush(QColor(0, 0, 0, strength / 2));
    p.drawPath(shape.translated(offset));
    p.restore();
}

QLinearGradient vertical(double top, double bottom)
{
    return QLinearGradient(QPointF(0, top), QPointF(0, bottom));
}

QPainterPath roundedRect(const QRectF& r, double radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

QPainterPath ellipse(const QRectF& r)
{
    QPainterPath path;
    path.addEllipse(r);
    return path;
}

QPainterPath polygonPath(const QPolygonF& polygon)
{
    QPainterPath path;
    path.addPolygon(polygon);
    path.closeSubpath();
    return path;
}

// A two-pixel raised bevel inside r, as on classic push buttons.
void raisedBevel(QPainter& p, const QRect& r, const QColor& face, double depth = 1.0)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor lightOuter = shade(face, 0.75 * depth);
    const QColor lightInner = shade(face, 0.4 * depth);
    const QColor darkOuter = shade(face, -0.72 * depth);
    const QColor darkInner = shade(face, -0.36 * depth);
    const int l = r.left(), t = r.top(), rr = r.right(), b = r.bottom();
    p.setPen(lightOuter);
    p.drawLine(l, t, rr - 1, t);
    p.drawLine(l, t, l, b - 1);
    p.setPen(darkOuter);
    p.drawLine(l, b, rr, b);
    p.drawLine(rr, t, rr, b);
    p.setPen(lightInner);
    p.drawLine(l + 1, t + 1, rr - 2, t + 1);
    p.drawLine(l + 1, t + 1, l + 1, b - 2);
    p.setPen(darkInner);
    p.drawLine(l + 1, b - 1, rr - 1, b - 1);
    p.drawLine(rr - 1, t + 1, rr - 1, b - 1);
    p.restore();
}

// ---- families ---------------------------------------------------------------------------

// Glossy rounded button with a glass highlight over the top half.
void paintButton(QPainter& p, QSize size, const QColor& c)
{
    const double w = size.width(), h = size.height();
    const QRectF body(1.5, 1.0, w - 3.5, h - 4.0);
    const double radius = 9;
    softShadow(p, roundedRect(body, radius), QPointF(0.6, 1.4));

    QLinearGradient fill = vertical(body.top(), body.bottom());
    fill.setColorAt(0.0, shade(c, 0.55));
    fill.setColorAt(0.48, shade(c, 0.12));
    fill.setColorAt(0.52, c);
    fill.setColorAt(1.0, shade(c, -0.12));
    p.setPen(QPen(shade(c, -0.45), 1.0));
    p.setBrush(fill);
    p.drawPath(roundedRect(body, radius));

    // Light returning through the bottom of the glass.
    QRadialGradient glow(QPointF(w / 2, body.bottom()), w * 0.5);
    glow.setColorAt(0.0, withAlpha(shade(c, 0.65), 150));
    glow.setColorAt(1.0, withAlpha(shade(c, 0.65), 0));
    p.save();
    p.setTransform(QTransform()
                       .translate(w / 2, body.bottom())
                       .scale(1.0, 0.22)
                       .translate(-w / 2, -body.bottom()),
                   true);
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(w / 2, body.bottom()), w * 0.5, w * 0.5);
    p.restore();
    p.setPen(QPen(shade(c, -0.45), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(roundedRect(body, radius));

    const QRectF glass(body.left() + 3, body.top() + 1.5, body.width() - 6, body.height() * 0.44);
    QLinearGradient shine = vertical(glass.top(), glass.bottom());
    shine.setColorAt(0.0, QColor(255, 255, 255, 215));
    shine.setColorAt(1.0, QColor(255, 255, 255, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawPath(roundedRect(glass, radius - 3));
}

// A bevelled metal plate tinted in the colour, held by a screw at each end.
void paintPlate(QPainter& p, QSize size, const QColor& c, int seed)
{
    const int w = size.width(), h = size.height();
    const QColor face = mix(c, QColor(200, 200, 200), 0.18);

    QLinearGradient fill = vertical(0, h);
    fill.setColorAt(0.0, shade(face, 0.3));
    fill.setColorAt(0.5, shade(face, 0.1));
    fill.setColorAt(1.0, shade(face, -0.1));
    p.fillRect(QRect(0, 0, w, h), fill);

    // Faint brushing across the plate.
    QRandomGenerator rng{quint32(seed)};
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int y = 4; y < h - 4; ++y) {
        const int x = 4 + int(rng.bounded(w / 2));
        const int length = 20 + int(rng.bounded(w / 2));
        const bool light = rng.bounded(2) == 0;
        p.setPen(light ? QColor(255, 255, 255, 24) : QColor(0, 0, 0, 12));
        p.drawLine(x, y, std::min(w - 5, x + length), y);
    }

    // Chamfered edge: lit from the top left.
    const int e = 3;
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(shade(face, 0.6));
    p.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(w, 0), QPointF(w - e, e), QPointF(e, e)}));
    p.setBrush(shade(face, 0.35));
    p.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(e, e), QPointF(e, h - e), QPointF(0, h)}));
    p.setBrush(shade(face, -0.45));
    p.drawPolygon(
        QPolygonF({QPointF(0, h), QPointF(e, h - e), QPointF(w - e, h - e), QPointF(w, h)}));
    p.setBrush(shade(face, -0.3));
    p.drawPolygon(
        QPolygonF({QPointF(w, 0), QPointF(w, h), QPointF(w - e, h - e), QPointF(w - e, e)}));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(shade(face, -0.65));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, w - 1, h - 1);
    p.setRenderHint(QPainter::Antialiasing, true);

    // Screws.
    for (double x : {9.5, w - 9.5}) {
        const QPointF centre(x, h / 2.0);
        QRadialGradient head(centre + QPointF(-1.2, -1.2), 4.5);
        head.setColorAt(0.0, shade(face, 0.8));
        head.setColorAt(0.7, shade(face, -0.05));
        head.setColorAt(1.0, shade(face, -0.4));
        p.setPen(QPen(shade(face, -0.55), 0.8));
        p.setBrush(head);
        p.drawEllipse(centre, 3.6, 3.6);
        p.setPen(QPen(shade(face, -0.6), 1.0));
        p.drawLine(centre + QPointF(-2.2, 1.2), centre + QPointF(2.2, -1.2));
    }
}

// A jagged starburst, bright at its heart, with a smaller burst inside.
void paintExplosion(QPainter& p, QSize size, const QColor& c, int seed)
{
    const double w = size.width(), h = size.height();
    const QPointF centre(w / 2, h / 2);
    QRandomGenerator rng{quint32(seed)};

    auto burst = [&](int spikes, double rx, double ry, double inner, double jitter) {
        QPolygonF star;
        for (int i = 0; i < spikes * 2; ++i) {
            const double a = (i + (rng.generateDouble() - 0.5) * 0.5) * M_PI / spikes - M_PI / 2;
            const double r = i % 2 == 0 ? 1.0 - rng.generateDouble() * jitter
                                        : inner + (rng.generateDouble() - 0.5) * 0.08;
            star << centre + QPointF(std::cos(a) * rx * r, std::sin(a) * ry * r);
        }
        return star;
    };

    const QPolygonF outer = burst(22, w / 2 - 1, h / 2 - 0.5, 0.74, 0.16);
    // A unit gradient stretched onto the burst's half axes.
    QRadialGradient unit(QPointF(0, 0), 1.0);
    unit.setColorAt(0.0, shade(c, 0.9));
    unit.setColorAt(0.5, shade(c, 0.55));
    unit.setColorAt(0.82, c);
    unit.setColorAt(1.0, shade(c, -0.35));
    QBrush unitBrush(unit);
    unitBrush.setTransform(QTransform().translate(centre.x(), centre.y()).scale(w / 2, h / 2));
    p.setPen(QPen(shade(c, -0.5), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin));
    p.setBrush(unitBrush);
    p.drawPolygon(outer);

    const QPolygonF inner = burst(16, w / 2 * 0.8, h / 2 * 0.78, 0.8, 0.1);
    QRadialGradient core(QPointF(0, 0), 1.0);
    core.setColorAt(0.0, QColor(255, 255, 250));
    core.setColorAt(0.6, shade(c, 0.82));
    core.setColorAt(1.0, shade(c, 0.45));
    QBrush coreBrush(core);
    coreBrush.setTransform(
        QTransform().translate(centre.x(), centre.y()).scale(w / 2 * 0.8, h / 2 * 0.78));
    p.setPen(QPen(withAlpha(shade(c, 0.2), 160), 0.8));
    p.setBrush(coreBrush);
    p.drawPolygon(inner);
}

// A box frame leaning forward as if in flight, with speed streaks behind it.
void paintFlyingBox(QPainter& p, QSize size, const QColor& c)
{
    const double w = size.width(), h = size.height();
    const double lean = 7;
    const double left = 22, right = w - 4, top = 4, bottom = h - 6;
    const QPolygonF outer({QPointF(left + lean, top), QPointF(right, top),
                           QPointF(right - lean, bottom), QPointF(left, bottom)});
    const double b = 4.5;
    const QPolygonF inner({QPointF(left + lean + b, top + b), QPointF(right - b, top + b),
                           QPointF(right - lean - b, bottom - b), QPointF(left + b, bottom - b)});

    // Streaks trail off to the left.
    for (int i = 0; i < 3; ++i) {
        const double y = top + 6 + i * 8.5;
        const double length = 16 - i * 3 + (i == 1 ? 5 : 0);
        const double x1 = left + lean * (bottom - y) / (bottom - top) - 3;
        QLinearGradient streak(QPointF(x1 - length, 0), QPointF(x1, 0));
        streak.setColorAt(0.0, withAlpha(c, 0));
        streak.setColorAt(1.0, withAlpha(shade(c, -0.1), 230));
        p.setPen(QPen(QBrush(streak), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x1 - length, y), QPointF(x1, y));
    }

    softShadow(p, polygonPath(outer), QPointF(2.5, 3.0), 90);

    QLinearGradient frame = vertical(top, bottom);
    frame.setColorAt(0.0, shade(c, 0.45));
    frame.setColorAt(0.45, c);
    frame.setColorAt(1.0, shade(c, -0.35));
    p.setPen(QPen(shade(c, -0.5), 1.0));
    p.setBrush(frame);
    p.drawPolygon(outer);

    QLinearGradient paper = vertical(top + b, bottom - b);
    paper.setColorAt(0.0, mix(Qt::white, c, 0.04));
    paper.setColorAt(1.0, mix(Qt::white, c, 0.16));
    p.setPen(QPen(shade(c, -0.4), 1.0));
    p.setBrush(paper);
    p.drawPolygon(inner);
    // A lit lower edge on the inside reads as depth.
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.0));
    p.drawLine(inner[2] + QPointF(-0.5, -1), inner[3] + QPointF(1, -1));
}

// A domed oval with a highlight across its top.
void paintOval(QPainter& p, QSize size, const QColor& c)
{
    const double w = size.width(), h = size.height();
    const QRectF body(1.5, 1.0, w - 3.5, h - 3.8);
    softShadow(p, ellipse(body), QPointF(0.5, 1.4));

    QRadialGradient dome(QPointF(0, 0), 1.0);
    dome.setColorAt(0.0, shade(c, 0.5));
    dome.setColorAt(0.65, shade(c, 0.2));
    dome.setColorAt(1.0, shade(c, -0.3));
    QBrush domeBrush(dome);
    domeBrush.setTransform(QTransform()
                               .translate(body.center().x(), body.center().y() + 2)
                               .scale(body.width() / 2 * 1.05, body.height() / 2 * 1.1));
    p.setPen(QPen(shade(c, -0.5), 1.0));
    p.setBrush(domeBrush);
    p.drawEllipse(body);

    const QRectF glare(body.left() + body.width() * 0.12, body.top() + 1.5, body.width() * 0.76,
                       body.height() * 0.42);
    QLinearGradient shine = vertical(glare.top(), glare.bottom());
    shine.setColorAt(0.0, QColor(255, 255, 255, 200));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawEllipse(glare);
}

// A plain raised push button.
void paintSimple(QPainter& p, QSize size, const QColor& c)
{
    const int w = size.width(), h = size.height();
    QLinearGradient fill = vertical(0, h);
    fill.setColorAt(0.0, shade(c, 0.16));
    fill.setColorAt(1.0, shade(c, -0.1));
    p.fillRect(QRect(0, 0, w, h), fill);
    raisedBevel(p, QRect(0, 0, w, h), c);
}

// A pill in a bezel ring.
void paintRounded(QPainter& p, QSize size, const QColor& c)
{
    const double w = size.width(), h = size.height();
    const QRectF ring(1.0, 1.0, w - 2.5, h - 3.5);
    const double radius = ring.height() / 2;
    softShadow(p, roundedRect(ring, radius), QPointF(0.5, 1.5));

    QLinearGradient bezel = vertical(ring.top(), ring.bottom());
    bezel.setColorAt(0.0, shade(c, 0.6));
    bezel.setColorAt(0.5, shade(c, 0.05));
    bezel.setColorAt(1.0, shade(c, -0.5));
    p.setPen(QPen(shade(c, -0.55), 1.0));
    p.setBrush(bezel);
    p.drawPath(roundedRect(ring, radius));

    const QRectF face = ring.adjusted(3.2, 3.2, -3.2, -3.2);
    QLinearGradient dome = vertical(face.top(), face.bottom());
    dome.setColorAt(0.0, shade(c, -0.15));
    dome.setColorAt(0.35, shade(c, 0.1));
    dome.setColorAt(1.0, shade(c, 0.45));
    p.setPen(QPen(shade(c, -0.35), 0.8));
    p.setBrush(dome);
    p.drawPath(roundedRect(face, face.height() / 2));

    const QRectF glare =
        face.adjusted(face.height() * 0.35, 1.0, -face.height() * 0.35, -face.height() * 0.55);
    QLinearGradient shine = vertical(glare.top(), glare.bottom());
    shine.setColorAt(0.0, QColor(255, 255, 255, 150));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawPath(roundedRect(glare, glare.height() / 2));
}

// A metal panel key with an indicator lamp on the left and grip ridges on the right.
void paintControl(QPainter& p, QSize size, const QColor& c)
{
    const double w = size.width(), h = size.height();
    const QRectF frame(0.5, 0.5, w - 1, h - 1);
    QLinearGradient dark = vertical(0, h);
    dark.setColorAt(0.0, shade(c, -0.65));
    dark.setColorAt(1.0, shade(c, -0.35));
    p.setPen(QPen(shade(c, -0.8), 1.0));
    p.setBrush(dark);
    p.drawPath(roundedRect(frame, 6));

    const QRectF face = frame.adjusted(3, 3, -3, -3);
    QLinearGradient metal = vertical(face.top(), face.bottom());
    metal.setColorAt(0.0, shade(c, 0.7));
    metal.setColorAt(0.42, shade(c, 0.22));
    metal.setColorAt(0.5, shade(c, 0.02));
    metal.setColorAt(0.85, shade(c, 0.12));
    metal.setColorAt(1.0, shade(c, 0.4));
    p.setPen(QPen(shade(c, 0.75), 0.8));
    p.setBrush(metal);
    p.drawPath(roundedRect(face, 4));

    // Indicator lamp.
    const QPointF lamp(face.left() + 10, h / 2);
    p.setPen(QPen(shade(c, -0.6), 1.0));
    p.setBrush(shade(c, -0.4));
    p.drawEllipse(lamp, 5.2, 5.2);
    QRadialGradient glow(lamp + QPointF(-1, -1.2), 5);
    // A lamp in the key's own colour would vanish on silver and yellow keys.
    const QColor lit =
        c.lightness() > 150 ? QColor(255, 96, 32) : QColor::fromHsv(c.hsvHue(), 200, 255);
    glow.setColorAt(0.0, Qt::white);
    glow.setColorAt(0.35, shade(lit, 0.5));
    glow.setColorAt(1.0, shade(lit, -0.25));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(lamp, 4.0, 4.0);

    // Grip ridges.
    for (int i = 0; i < 3; ++i) {
        const double x = face.right() - 11 + i * 3.5;
        p.setPen(QPen(shade(c, -0.45), 1.0));
        p.drawLine(QPointF(x, h / 2 - 7), QPointF(x, h / 2 + 7));
        p.setPen(QPen(shade(c, 0.7), 1.0));
        p.drawLine(QPointF(x + 1, h / 2 - 7), QPointF(x + 1, h / 2 + 7));
    }
}

// A cut stone: a flat table in the middle surrounded by facets.
void paintGem(QPainter& p, QSize size, const QColor& c)
{
    const double w = size.width() - 1, h = size.height() - 1.5;
    const double m = h / 2;
    const double tip = 15, ti = 25, tt = 9.5;
    const QPointF o[6] = {QPointF(0.5, m),     QPointF(tip, 0.5),         QPointF(w - tip, 0.5),
                          QPointF(w - 0.5, m), QPointF(w - tip, h - 0.5), QPointF(tip, h - 0.5)};
    const QPointF t[6] = {QPointF(11, m),     QPointF(ti, tt),         QPointF(w - ti, tt),
                          QPointF(w - 11, m), QPointF(w - ti, h - tt), QPointF(ti, h - tt)};
    const QPolygonF outline({o[0], o[1], o[2], o[3], o[4], o[5]});
    softShadow(p, polygonPath(outline), QPointF(0.5, 1.5), 60);

    auto facet = [&](std::initializer_list<QPointF> pts, const QColor& from, const QColor& to,
                     QPointF a, QPointF b) {
        QLinearGradient g(a, b);
        g.setColorAt(0.0, from);
        g.setColorAt(1.0, to);
        p.setPen(QPen(withAlpha(shade(c, 0.6), 120), 0.7));
        p.setBrush(g);
        p.drawPolygon(QPolygonF(QVector<QPointF>(pts)));
    };
    const QPointF topMid((o[1].x() + o[2].x()) / 2, 0.5);
    const QPointF bottomMid(topMid.x(), h - 0.5);
    // Top crown, split so the two halves catch the light differently.
    facet({o[1], topMid, t[1]}, shade(c, 0.7), shade(c, 0.4), o[1], t[1]);
    facet({topMid, t[2], t[1]}, shade(c, 0.5), shade(c, 0.25), topMid, t[1]);
    facet({topMid, o[2], t[2]}, shade(c, 0.6), shade(c, 0.3), o[2], t[2]);
    facet({o[0], o[1], t[1], t[0]}, shade(c, 0.45), shade(c, 0.15), o[0], t[1]);
    facet({o[2], o[3], t[3], t[2]}, shade(c, 0.2), shade(c, -0.05), o[2], t[3]);
    facet({o[3], o[4], t[4], t[3]}, shade(c, -0.35), shade(c, -0.15), o[4], t[3]);
    facet({o[5], o[0], t[0], t[5]}, shade(c, -0.15), shade(c, 0.05), o[5], t[0]);
    facet({o[4], bottomMid, t[4]}, shade(c, -0.5), shade(c, -0.25), o[4], t[4]);
    facet({bottomMid, t[5], t[4]}, shade(c, -0.3), shade(c, -0.1), bottomMid, t[4]);
    facet({bottomMid, o[5], t[5]}, shade(c, -0.45), shade(c, -0.2), o[5], t[5]);

    // The table: calm and light so a caption reads on it.
    QLinearGradient table(t[1], t[4]);
    table.setColorAt(0.0, shade(c, 0.62));
    table.setColorAt(0.55, shade(c, 0.38));
    table.setColorAt(1.0, shade(c, 0.22));
    p.setPen(QPen(withAlpha(Qt::white, 170), 0.8));
    p.setBrush(table);
    p.drawPolygon(QPolygonF({t[0], t[1], t[2], t[3], t[4], t[5]}));

    p.setPen(QPen(shade(c, -0.55), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(outline);

    // Sparkle on the upper left crown.
    const QPointF s(tip + 9, 5.5);
    QPainterPath star;
    star.moveTo(s + QPointF(0, -4.5));
    star.quadTo(s, s + QPointF(4.5, 0));
    star.quadTo(s, s + QPointF(0, 4.5));
    star.quadTo(s, s + QPointF(-4.5, 0));
    star.quadTo(s, s + QPointF(0, -4.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawPath(star);
}

// ---- textures ---------------------------------------------------------------------------

using TextureFn = QColor (*)(double x, double y);

QColor marble(double x, double y)
{
    const double n = fbm(x / 28, y / 14, 11, 5);
    const double vein = std::abs(std::sin((x * 0.05 + y * 0.11 + n * 6.0)));
    const double v = std::pow(vein, 0.35);
    return mix(QColor(150, 150, 160), QColor(238, 236, 232), 0.35 + 0.65 * v);
}

QColor wood(double x, double y)
{
    const double n = fbm(x / 60, y / 6, 23, 4);
    const double rings = std::sin((y * 0.55 + n * 9.0)) * 0.5 + 0.5;
    const double grain = fbm(x / 3, y / 0.8, 29, 2);
    return mix(QColor(150, 92, 46), QColor(210, 154, 96), 0.25 + 0.55 * rings + 0.2 * grain);
}

QColor granite(double x, double y)
{
    const double speck = hashNoise(int(x), int(y), 37);
    const double cloud = fbm(x / 10, y / 10, 41, 3);
    QColor base = mix(QColor(138, 136, 134), QColor(196, 194, 190), cloud);
    if (speck > 0.94)
        base = shade(base, -0.3);
    else if (speck > 0.88)
        base = mix(base, QColor(190, 150, 130), 0.45);
    else if (speck < 0.06)
        base = shade(base, 0.4);
    return base;
}

QColor brushedSteel(double x, double y)
{
    const double streak = fbm(x / 40, y * 1.3, 53, 4);
    const double fine = hashNoise(int(x / 5), int(y), 59);
    return mix(QColor(150, 156, 164), QColor(222, 226, 232), 0.3 + 0.5 * streak + 0.2 * fine);
}

QColor linen(double x, double y)
{
    const int ix = int(x), iy = int(y);
    const double warp = (ix % 3 == 0) ? -0.08 : 0.0;
    const double weft = (iy % 3 == 0) ? -0.08 : 0.0;
    const double slub = fbm(x / 12, y / 2, 61, 3) * 0.12;
    return shade(QColor(216, 202, 170), warp + weft + slub - 0.02);
}

QColor parchment(double x, double y)
{
    const double blotch = fbm(x / 22, y / 12, 71, 5);
    const double edge = std::min({x, y, 172 - x, 31 - y});
    const double burn = edge < 9 ? (9 - edge) / 9 * 0.22 : 0;
    return shade(mix(QColor(226, 200, 146), QColor(248, 234, 196), blotch), -burn);
}

QColor leather(double x, double y)
{
    // Cell pattern: distance to the nearest of a jittered grid of points.
    const double cell = 5.0;
    const int cx = int(std::floor(x / cell)), cy = int(std::floor(y / cell));
    double nearest = 1e9, second = 1e9;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const double px = (cx + dx + hashNoise(cx + dx, cy + dy, 83)) * cell;
            const double py = (cy + dy + hashNoise(cx + dx, cy + dy, 89)) * cell;
            const double d = std::hypot(x - px, y - py);
            if (d < nearest) {
                second = nearest;
                nearest = d;
            } else if (d < second) {
                second = d;
            }
        }
    }
    const double crease = std::min(1.0, (second - nearest) / 1.6);
    const double tone = fbm(x / 30, y / 15, 97, 3);
    return shade(mix(QColor(156, 88, 52), QColor(188, 116, 70), tone), -0.18 * (1 - crease));
}

QColor denim(double x, double y)
{
    const int d = (int(x) + int(y)) % 4;
    const double twill = d == 0 ? 0.1 : (d == 1 ? 0.04 : 0.0);
    const double fade = fbm(x / 35, y / 10, 101, 4);
    const double thread = hashNoise(int(x), int(y), 103) * 0.08;
    return shade(mix(QColor(58, 88, 140), QColor(120, 150, 196), fade), twill + thread);
}

const TextureFn textures[8] = {marble, wood,      granite, brushedSteel,
                               linen,  parchment, leather, denim};

void paintTexture(QPainter& p, QSize size, int which, int scale)
{
    const int w = size.width(), h = size.height();
    // Sampled at the device's own pixels, so that a finer grid shows finer grain.
    QImage face(size * scale, QImage::Format_RGB32);
    for (int y = 0; y < h * scale; ++y)
        for (int x = 0; x < w * scale; ++x)
            face.setPixel(x, y, textures[which]((x + 0.5) / scale, (y + 0.5) / scale).rgb());
    p.drawImage(QRectF(0, 0, w, h), face);
    // Light the top and darken the bottom a little, then frame it.
    QLinearGradient light = vertical(0, h);
    light.setColorAt(0.0, QColor(255, 255, 255, 60));
    light.setColorAt(0.5, QColor(255, 255, 255, 0));
    light.setColorAt(1.0, QColor(0, 0, 0, 40));
    p.fillRect(QRect(0, 0, w, h), light);
    const QColor average = textures[which](w / 2.0, h / 2.0);
    raisedBevel(p, QRect(0, 0, w, h), average, 0.9);
}

} // namespace

namespace {
// The artwork over a background: white as the pictures are stored, or transparent for the
// share of each pixel that the artwork covers.
QImage paintOver(int index, int scale, const QColor& background)
{
    const QSize size = PredefinedBackground::size(index);
    if (!size.isValid() || scale < 1)
        return QImage();
    QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(scale, scale);
    const int seed = 1000 + index;
    if (index < 10)
        paintButton(p, size, tenColours[index]);
    else if (index < 20)
        paintPlate(p, size, tenColours[index - 10], seed);
    else if (index < 30)
        paintExplosion(p, size, tenColours[index - 20], seed);
    else if (index < 40)
        paintFlyingBox(p, size, tenColours[index - 30]);
    else if (index < 50)
        paintOval(p, size, tenColours[index - 40]);
    else if (index < 64)
        paintSimple(p, size, simpleColours[index - 50]);
    else if (index < 74)
        paintRounded(p, size, tenColours[index - 64]);
    else if (index < 82)
        paintControl(p, size, controlColours[index - 74]);
    else if (index < 92)
        paintGem(p, size, tenColours[index - 82]);
    else
        paintTexture(p, size, index - 92, scale);
    p.end();
    return image;
}
} // namespace

QImage BackgroundArt::paint(int index, int scale)
{
    const QImage image = paintOver(index, scale, Qt::white);
    return image.isNull() ? image : image.convertToFormat(QImage::Format_RGB32);
}

bool BackgroundArt::isShaped(int index)
{
    // Plates, simple buttons and textures fill their whole rectangle.
    return (index >= 0 && index < 10) || (index >= 20 && index < 50) || (index >= 64 && index < 92);
}

QImage BackgroundArt::coverage(int index, int scale)
{
    if (!isShaped(index))
        return QImage();
    QImage alpha = paintOver(index, scale, Qt::transparent).convertToFormat(QImage::Format_Alpha8);
    // Stored as a grey picture: white where the artwork covers the pixel.
    alpha.reinterpretAsFormat(QImage::Format_Grayscale8);
    return alpha;
}
