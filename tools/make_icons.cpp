// Renders an icon's SVG into the PNG sizes of the icon theme and the window, named after the
// SVG: brindlewick.svg gives brindlewick-16.png and so on.
//
//   make-icons <icon.svg> <output folder>

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-icons <icon.svg> <output folder>\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "cannot read the icon %s\n", argv[1]);
        return 1;
    }
    const QDir out(QString::fromLocal8Bit(argv[2]));
    const QString stem = QFileInfo(QString::fromLocal8Bit(argv[1])).completeBaseName();
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        svg.render(&p);
        p.end();
        const QString name = QStringLiteral("%1-%2.png").arg(stem).arg(size);
        if (!image.save(out.filePath(name))) {
            std::fprintf(stderr, "cannot write %s into %s\n", qPrintable(name), argv[2]);
            return 1;
        }
    }
    return 0;
}
