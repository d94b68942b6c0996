// Draws the 100 built-in background pictures, at their size and at twice it for double-size
// images, stores them as 8-bit BMP files, the coverage of each shaped one as a grey PNG beside
// it (name-alpha.png), and draws a contact sheet of the first.
//
//   make-backgrounds <output folder> <contact sheet.png> [<sheet with sample captions.png>]

#include "BackgroundArt.h"
#include "IndexedBmpWriter.h"
#include "PaletteQuantizer.h"
#include "PredefinedBackground.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>

#include <cstdio>

namespace {

QImage contactSheet(const QVector<QImage>& pictures, bool withCaptions)
{
    const int columns = 5, cellWidth = 215, cellHeight = 84, margin = 10;
    const int rows = (int(pictures.size()) + columns - 1) / columns;
    QImage sheet(columns * cellWidth + 2 * margin, rows * cellHeight + 2 * margin,
                 QImage::Format_RGB32);
    sheet.fill(QColor(226, 228, 232));
    QPainter p(&sheet);
    QFont label(QStringLiteral("DejaVu Sans"));
    label.setPixelSize(11);
    QFont caption(QStringLiteral("DejaVu Sans"));
    caption.setPixelSize(12);
    caption.setBold(true);
    for (int i = 0; i < pictures.size(); ++i) {
        const int x = margin + (i % columns) * cellWidth;
        const int y = margin + (i / columns) * cellHeight;
        const QImage& picture = pictures[i];
        const QPoint at(x + (cellWidth - picture.width()) / 2, y + 4);
        p.drawImage(at, picture);
        if (withCaptions) {
            p.setFont(caption);
            p.setPen(i % 2 ? Qt::white : Qt::black);
            p.drawText(QRect(at, picture.size()), Qt::AlignCenter, QStringLiteral("Products"));
        }
        p.setFont(label);
        p.setPen(QColor(30, 30, 30));
        p.drawText(QRect(x, y + 50, cellWidth, 14), Qt::AlignHCenter,
                   QStringLiteral("B%1").arg(i + 1));
        p.setPen(QColor(70, 70, 80));
        p.drawText(QRect(x, y + 64, cellWidth, 14), Qt::AlignHCenter,
                   PredefinedBackground::listText(i).trimmed());
    }
    return sheet;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: make-backgrounds <output folder> <sheet.png> [<captioned "
                             "sheet.png>]\n");
        return 2;
    }
    const QDir out(args[1]);
    if (!out.exists() && !QDir().mkpath(out.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(out.path()));
        return 1;
    }

    QVector<QImage> written;
    double worst = 0;
    // Reads back what the program will really load, not what was painted.
    const auto store = [&](const QImage& art, const QString& name, QSize size, QImage& back) {
        const QImage indexed = PaletteQuantizer::quantize(art);
        const QString path = out.filePath(name + ".bmp");
        IndexedBmpWriter writer;
        if (!writer.write(indexed, path)) {
            std::fprintf(stderr, "%s\n", qPrintable(writer.errorString()));
            return false;
        }
        QImageReader reader(path, "bmp");
        back = reader.read();
        if (back.size() != size) {
            std::fprintf(stderr, "%s did not read back at its size\n", qPrintable(path));
            return false;
        }
        const double error = PaletteQuantizer::meanError(art, back);
        worst = std::max(worst, error);
        std::printf("%-7s %3d colours, mean error %.2f\n", qPrintable(name), indexed.colorCount(),
                    error);
        return true;
    };
    for (int i = 0; i < PredefinedBackground::count; ++i) {
        const QString name = PredefinedBackground::resourceName(i);
        const QSize size = PredefinedBackground::size(i);
        QImage back, doubled;
        if (!store(BackgroundArt::paint(i), name, size, back) ||
            !store(BackgroundArt::paint(i, 2), name + "@2x", size * 2, doubled))
            return 1;
        for (const int scale : {1, 2}) {
            const QImage coverage = BackgroundArt::coverage(i, scale);
            const QString path =
                out.filePath(name + (scale == 2 ? "@2x" : "") + QStringLiteral("-alpha.png"));
            if (!coverage.isNull() && !coverage.save(path, "png")) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                return 1;
            }
        }
        written.append(back.convertToFormat(QImage::Format_RGB32));
    }
    std::printf("worst mean error %.2f\n", worst);

    if (!contactSheet(written, false).save(args[2], "png")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(args[2]));
        return 1;
    }
    if (args.size() > 3 && !contactSheet(written, true).save(args[3], "png")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(args[3]));
        return 1;
    }
    return 0;
}
