#include "BorderPicture.h"
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

// '.' untouched.
QStringList picture(const QImage& image)
{
    return borderPicture(image, background, '.');
}
} // namespace

class tst_ButtonBorders : public QObject
{
    Q_OBJECT

private slots:
    void runs_data();
    void runs();
    void smallImagesAsDrawn_data();
    void smallImagesAsDrawn();
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

// Squares and strips below 6 pixels a side, in each effect as its lines are drawn. Rows are
// separated by '|'.
const struct
{
    BorderEffect effect;
    int width;
    int height;
    const char* mask;
} smallCases[] = {
    {BorderEffect::Bevel3DInset, 1, 1, "."},
    {BorderEffect::Bevel3DInset, 2, 2, "BB|.W"},
    {BorderEffect::Bevel3DInset, 3, 3, "GGG|G.S|.SS"},
    {BorderEffect::Bevel3DInset, 4, 4, "....|.GG.|.BB.|...."},
    {BorderEffect::Bevel3DInset, 5, 5, ".....|.WW..|.W.B.|.BBB.|....."},
    {BorderEffect::Bevel3DInset, 1, 7, ".|W|S|.|G|B|."},
    {BorderEffect::Bevel3DInset, 2, 7, "..|.W|BS|BW|GG|BB|.."},
    {BorderEffect::Bevel3DInset, 3, 7, "...|...|.BS|GBS|GGG|.B.|..."},
    {BorderEffect::Bevel3DInset, 4, 7, "....|.W..|.WB.|.GB.|.GG.|.BB.|...."},
    {BorderEffect::Bevel3DInset, 5, 7, ".....|.WW..|.W.B.|.WGB.|.WGB.|.BBB.|....."},
    {BorderEffect::Bevel3DInset, 7, 1, ".WS.GB."},
    {BorderEffect::Bevel3DInset, 7, 2, ".BBBGB.|.WSWG.."},
    {BorderEffect::Bevel3DInset, 7, 3, "..GGG..|.BBBG..|..SS..."},
    {BorderEffect::Bevel3DInset, 7, 4, ".......|.WGGG..|.BBBBB.|......."},
    {BorderEffect::Bevel3DInset, 7, 5, ".......|.WWWW..|.WGG.B.|.BBBBB.|......."},
    {BorderEffect::Bevel3D, 1, 1, "W"},
    {BorderEffect::Bevel3D, 2, 2, "GG|BB"},
    {BorderEffect::Bevel3D, 3, 3, "WWW|WSB|BBB"},
    {BorderEffect::Bevel3D, 4, 4, "WWWW|WSSB|WGGB|BBBB"},
    {BorderEffect::Bevel3D, 5, 5, "WWWWW|WSSSB|WS.GB|WGGGB|BBBBB"},
    {BorderEffect::Bevel3D, 1, 7, "W|B|B|B|B|G|B"},
    {BorderEffect::Bevel3D, 2, 7, "WW|WB|GB|GB|GB|GG|BB"},
    {BorderEffect::Bevel3D, 3, 7, "WWW|WSB|WGB|WGB|WGB|WGB|BBB"},
    {BorderEffect::Bevel3D, 4, 7, "WWWW|WSSB|WSGB|WSGB|WSGB|WGGB|BBBB"},
    {BorderEffect::Bevel3D, 5, 7, "WWWWW|WSSSB|WS.GB|WS.GB|WS.GB|WGGGB|BBBBB"},
    {BorderEffect::Bevel3D, 7, 1, "BBBBBGW"},
    {BorderEffect::Bevel3D, 7, 2, "WGGGGGW|BBBBBBB"},
    {BorderEffect::Bevel3D, 7, 3, "WWWWWWW|WGGGGSB|BBBBBBB"},
    {BorderEffect::Bevel3D, 7, 4, "WWWWWWW|WSSSSSB|WGGGGGB|BBBBBBB"},
    {BorderEffect::Bevel3D, 7, 5, "WWWWWWW|WSSSSSB|WS...GB|WGGGGGB|BBBBBBB"},
    {BorderEffect::Bevel3DBlackEdge, 1, 1, "."},
    {BorderEffect::Bevel3DBlackEdge, 2, 2, "BG|BW"},
    {BorderEffect::Bevel3DBlackEdge, 3, 3, "GGG|BGW|BWW"},
    {BorderEffect::Bevel3DBlackEdge, 4, 4, "BBBB|BWGB|BGGB|BBBB"},
    {BorderEffect::Bevel3DBlackEdge, 5, 5, "BBBBB|BWWGB|BWGGB|BGGGB|BBBBB"},
    {BorderEffect::Bevel3DBlackEdge, 1, 7, "B|W|W|B|G|G|B"},
    {BorderEffect::Bevel3DBlackEdge, 2, 7, "BB|GW|GW|GW|GG|GG|BB"},
    {BorderEffect::Bevel3DBlackEdge, 3, 7, "BBB|BGB|GGW|GGW|GGG|BGB|BBB"},
    {BorderEffect::Bevel3DBlackEdge, 4, 7, "BBBB|BWGB|BGGB|BGGB|BGGB|BGGB|BBBB"},
    {BorderEffect::Bevel3DBlackEdge, 5, 7, "BBBBB|BWWGB|BWGGB|BWGGB|BWGGB|BGGGB|BBBBB"},
    {BorderEffect::Bevel3DBlackEdge, 7, 1, "BWWBGBB"},
    {BorderEffect::Bevel3DBlackEdge, 7, 2, "BGGGGBB|BWWWWBB"},
    {BorderEffect::Bevel3DBlackEdge, 7, 3, "BBGGGBB|BGGGGGB|BBWWBBB"},
    {BorderEffect::Bevel3DBlackEdge, 7, 4, "BBBBBBB|BWGGWGB|BGGGGGB|BBBBBBB"},
    {BorderEffect::Bevel3DBlackEdge, 7, 5, "BBBBBBB|BWWWWGB|BWGGGGB|BGGGGGB|BBBBBBB"},
    {BorderEffect::BlackBorder, 1, 1, "."},
    {BorderEffect::BlackBorder, 2, 2, "BB|BB"},
    {BorderEffect::BlackBorder, 3, 3, "BBB|B.B|BBB"},
    {BorderEffect::BlackBorder, 4, 4, "BBBB|B..B|B..B|BBBB"},
    {BorderEffect::BlackBorder, 5, 5, "BBBBB|B...B|B...B|B...B|BBBBB"},
    {BorderEffect::BlackBorder, 1, 7, "B|B|B|B|B|B|B"},
    {BorderEffect::BlackBorder, 2, 7, "BB|BB|BB|BB|BB|BB|BB"},
    {BorderEffect::BlackBorder, 3, 7, "BBB|B.B|B.B|B.B|B.B|B.B|BBB"},
    {BorderEffect::BlackBorder, 4, 7, "BBBB|B..B|B..B|B..B|B..B|B..B|BBBB"},
    {BorderEffect::BlackBorder, 5, 7, "BBBBB|B...B|B...B|B...B|B...B|B...B|BBBBB"},
    {BorderEffect::BlackBorder, 7, 1, "BBBBBBB"},
    {BorderEffect::BlackBorder, 7, 2, "BBBBBBB|BBBBBBB"},
    {BorderEffect::BlackBorder, 7, 3, "BBBBBBB|B.....B|BBBBBBB"},
    {BorderEffect::BlackBorder, 7, 4, "BBBBBBB|B.....B|B.....B|BBBBBBB"},
    {BorderEffect::BlackBorder, 7, 5, "BBBBBBB|B.....B|B.....B|B.....B|BBBBBBB"},
};

void tst_ButtonBorders::smallImagesAsDrawn_data()
{
    QTest::addColumn<BorderEffect>("effect");
    QTest::addColumn<QStringList>("expected");
    for (const auto& c : smallCases) {
        const QStringList expected = QString::fromLatin1(c.mask).split(u'|');
        QTest::addRow("%d %dx%d", int(c.effect), c.width, c.height) << c.effect << expected;
    }
}

void tst_ButtonBorders::smallImagesAsDrawn()
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
