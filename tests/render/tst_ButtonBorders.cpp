#include "ButtonBorders.h"

#include <QTest>

namespace {
constexpr QRgb background = 0xFF123456;

QImage blank(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(background);
    return image;
}

// One character per pixel: '.' untouched, W white, S silver, G grey, B black.
QStringList picture(const QImage& image)
{
    QStringList rows;
    for (int y = 0; y < image.height(); ++y) {
        QString row;
        for (int x = 0; x < image.width(); ++x) {
            switch (image.pixel(x, y)) {
            case background:
                row += QLatin1Char('.');
                break;
            case ButtonBorders::white:
                row += QLatin1Char('W');
                break;
            case ButtonBorders::silver:
                row += QLatin1Char('S');
                break;
            case ButtonBorders::grey:
                row += QLatin1Char('G');
                break;
            case ButtonBorders::black:
                row += QLatin1Char('B');
                break;
            default:
                row += QLatin1Char('?');
            }
        }
        rows << row;
    }
    return rows;
}
} // namespace

class tst_ButtonBorders : public QObject
{
    Q_OBJECT

private slots:
    void runs_data();
    void runs();
    void smallImagesGetWhatFallsInside_data();
    void smallImagesGetWhatFallsInside();
    void doubleSizeIsEachPixelDoubled_data();
    void doubleSizeIsEachPixelDoubled();
};

void tst_ButtonBorders::runs_data()
{
    QTest::addColumn<BorderEffect>("effect");
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<QStringList>("expected");

    const QString empty = QStringLiteral("..........");
    QTest::newRow("inset") << BorderEffect::Bevel3DInset << false
                           << QStringList{empty,        ".WWWWWWW..", ".WSSSSS.B.", ".WS....GB.",
                                          ".WS....GB.", ".WGGGGGGB.", ".BBBBBBBB.", empty};
    QTest::newRow("inset pressed")
        << BorderEffect::Bevel3DInset << true
        << QStringList{empty,        ".BBBBBBB..", ".BGGGGG.W.", ".BG....SW.",
                       ".BG....SW.", ".BSSSSSSW.", ".WWWWWWWW.", empty};
    QTest::newRow("3d") << BorderEffect::Bevel3D << false
                        << QStringList{"WWWWWWWWWW", "WSSSSSSSSB", "WS......GB", "WS......GB",
                                       "WS......GB", "WS......GB", "WGGGGGGGGB", "BBBBBBBBBB"};
    QTest::newRow("3d pressed") << BorderEffect::Bevel3D << true
                                << QStringList{"BBBBBBBBBB", "BGGGGGGGGW", "BG......SW",
                                               "BG......SW", "BG......SW", "BG......SW",
                                               "BSSSSSSSSW", "WWWWWWWWWW"};
    QTest::newRow("black edge") << BorderEffect::Bevel3DBlackEdge << false
                                << QStringList{"BBBBBBBBBB", "BWWWWWWWGB", "BWWWWWWGGB",
                                               "BWW....GGB", "BWW....GGB", "BWGGGGGGGB",
                                               "BGGGGGGGGB", "BBBBBBBBBB"};
    QTest::newRow("black edge pressed")
        << BorderEffect::Bevel3DBlackEdge << true
        << QStringList{"BBBBBBBBBB", "BGGGGGGGWB", "BGGGGGGWWB", "BGG....WWB",
                       "BGG....WWB", "BGWWWWWWWB", "BWWWWWWWWB", "BBBBBBBBBB"};
    const QStringList ring{"BBBBBBBBBB", "B........B", "B........B", "B........B",
                           "B........B", "B........B", "B........B", "BBBBBBBBBB"};
    QTest::newRow("black border") << BorderEffect::BlackBorder << false << ring;
    QTest::newRow("black border pressed") << BorderEffect::BlackBorder << true << ring;
    const QStringList untouched(8, empty);
    QTest::newRow("none") << BorderEffect::None << false << untouched;
    QTest::newRow("none pressed") << BorderEffect::None << true << untouched;
    QTest::newRow("no choice") << BorderEffect::NoChoice << false << untouched;
}

void tst_ButtonBorders::runs()
{
    QFETCH(BorderEffect, effect);
    QFETCH(bool, pressed);
    QFETCH(QStringList, expected);

    QImage image = blank(10, 8);
    ButtonBorders::draw(image, effect, pressed);
    QCOMPARE(picture(image), expected);
}

void tst_ButtonBorders::smallImagesGetWhatFallsInside_data()
{
    QTest::addColumn<BorderEffect>("effect");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("inset 4x4") << BorderEffect::Bevel3DInset
                               << QStringList{"....", ".W..", ".BB.", "...."};
    QTest::newRow("inset 1x1") << BorderEffect::Bevel3DInset << QStringList{"."};
    QTest::newRow("3d 3x3") << BorderEffect::Bevel3D << QStringList{"WWW", "WGB", "BBB"};
    QTest::newRow("3d 1x2") << BorderEffect::Bevel3D << QStringList{"W", "B"};
    QTest::newRow("black edge 3x2") << BorderEffect::Bevel3DBlackEdge << QStringList{"BGB", "BBB"};
    QTest::newRow("black edge 4x4")
        << BorderEffect::Bevel3DBlackEdge << QStringList{"BBBB", "BWGB", "BGGB", "BBBB"};
    QTest::newRow("black border 2x1") << BorderEffect::BlackBorder << QStringList{"BB"};
}

void tst_ButtonBorders::smallImagesGetWhatFallsInside()
{
    QFETCH(BorderEffect, effect);
    QFETCH(QStringList, expected);

    QImage image = blank(expected.first().size(), expected.size());
    ButtonBorders::draw(image, effect, false);
    QCOMPARE(picture(image), expected);
}

void tst_ButtonBorders::doubleSizeIsEachPixelDoubled_data()
{
    QTest::addColumn<BorderEffect>("effect");
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<QSize>("size");
    for (BorderEffect effect : {BorderEffect::Bevel3DInset, BorderEffect::Bevel3D,
                                BorderEffect::Bevel3DBlackEdge, BorderEffect::BlackBorder}) {
        for (bool pressed : {false, true}) {
            for (QSize size : {QSize(10, 8), QSize(3, 2)})
                QTest::addRow("%d %s %dx%d", int(effect), pressed ? "pressed" : "raised",
                              size.width(), size.height())
                    << effect << pressed << size;
        }
    }
}

void tst_ButtonBorders::doubleSizeIsEachPixelDoubled()
{
    QFETCH(BorderEffect, effect);
    QFETCH(bool, pressed);
    QFETCH(QSize, size);

    QImage single = blank(size.width(), size.height());
    ButtonBorders::draw(single, effect, pressed);
    QImage doubled = blank(size.width() * 2, size.height() * 2);
    ButtonBorders::draw(doubled, effect, pressed, 2);
    QCOMPARE(doubled, single.scaled(size * 2));
}

QTEST_MAIN(tst_ButtonBorders)
#include "tst_ButtonBorders.moc"
