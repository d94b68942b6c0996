// Draws the pictures of the wizard: the welcome and generate pictures of the pages, and the
// splash and About picture, whose title and link the window writes on it.
//
//   make-wizard-pictures <output folder>

#include <QDir>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

const QColor page(0xFF, 0xFF, 0xD0);

void drawButton(QPainter& p, const QRectF& r, const QColor& fill, bool pressed)
{
    p.setPen(QPen(fill.darker(220), 1.2));
    p.setBrush(fill);
    p.drawRoundedRect(r, 5, 5);
    p.setPen(QPen(pressed ? fill.darker(150) : QColor(Qt::white), 1.5));
    p.drawLine(r.topLeft() + QPointF(5, 2.5), r.topRight() + QPointF(-5, 2.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0x30, 0x30));
    const QPointF shift = pressed ? QPointF(1.5, 1.5) : QPointF();
    p.drawRoundedRect(QRectF(r.center().x() - 20, r.center().y() - 2, 40, 4).translated(shift), 2,
                      2);
}

void drawPointer(QPainter& p, const QPointF& at)
{
    QPainterPath arrow;
    arrow.moveTo(at);
    const QPointF pts[] = {{0, 17}, {4, 13}, {7.5, 20}, {10, 19}, {6.5, 12}, {12, 12}};
    for (const QPointF& pt : pts)
        arrow.lineTo(at + pt);
    arrow.closeSubpath();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPath(arrow);
}

QImage welcome()
{
    QImage image(105, 105, QImage::Format_RGB32);
    image.fill(page);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawButton(p, QRectF(8.5, 9.5, 86, 24), QColor(0xFF, 0xE0, 0x66), false);
    drawButton(p, QRectF(8.5, 40.5, 86, 24), QColor(0xA8, 0xD8, 0xFF), false);
    drawButton(p, QRectF(10.5, 73.5, 86, 24), QColor(0xF0, 0xA0, 0xA0), true);
    drawPointer(p, QPointF(66, 54));
    return image;
}

void drawFile(QPainter& p, const QRectF& r, const QString& label, const QColor& band)
{
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setPen(Qt::NoPen);
    p.setBrush(band);
    p.drawRect(QRectF(r.left() + 1, r.top() + 1, r.width() - 1, 5));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(0x30, 0x30, 0x30));
    p.drawText(r.adjusted(0, 5, 0, 0), Qt::AlignCenter, label);
}

QImage generate()
{
    QImage image(105, 105, QImage::Format_RGB32);
    image.fill(page);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawButton(p, QRectF(4.5, 40.5, 40, 22), QColor(0xA8, 0xD8, 0xFF), false);
    QPainterPath arrow;
    arrow.moveTo(48, 46);
    arrow.lineTo(56, 46);
    arrow.lineTo(56, 40);
    arrow.lineTo(66, 51.5);
    arrow.lineTo(56, 63);
    arrow.lineTo(56, 57);
    arrow.lineTo(48, 57);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x20, 0x90, 0x30));
    p.drawPath(arrow);
    drawFile(p, QRectF(70.5, 6.5, 30, 26), QStringLiteral("PNG"), QColor(0x40, 0x80, 0xD0));
    drawFile(p, QRectF(70.5, 39.5, 30, 26), QStringLiteral("JPG"), QColor(0xD0, 0x60, 0x40));
    drawFile(p, QRectF(70.5, 72.5, 30, 26), QStringLiteral("GIF"), QColor(0x50, 0xA0, 0x50));
    return image;
}

QImage splash()
{
    QImage image(280, 140, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 140);
    sky.setColorAt(0, QColor(0xFF, 0xFF, 0xE8));
    sky.setColorAt(0.55, page);
    sky.setColorAt(1, QColor(0xFF, 0xE4, 0x8A));
    p.fillRect(image.rect(), sky);
    // An amber band behind the three states; the title above and the link below stay on
    // plain light ground.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xCC, 0x09, 90));
    p.drawRect(QRectF(0, 62, 280, 36));
    drawButton(p, QRectF(24.5, 67.5, 66, 24), QColor(0xFF, 0xE0, 0x66), false);
    drawButton(p, QRectF(106.5, 67.5, 66, 24), QColor(0xA8, 0xD8, 0xFF), false);
    drawButton(p, QRectF(190.5, 68.5, 66, 24), QColor(0xF0, 0xA0, 0xA0), true);
    drawPointer(p, QPointF(150, 80));
    p.setPen(QPen(QColor(0xB0, 0x80, 0x10), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 279, 139));
    return image;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-wizard-pictures <output folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!welcome().save(out.filePath(QStringLiteral("welcome.png"))) ||
        !generate().save(out.filePath(QStringLiteral("generate.png"))) ||
        !splash().save(out.filePath(QStringLiteral("splash.png")))) {
        std::fprintf(stderr, "cannot write the pictures into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
