#include "BorderPicture.h"
#include "ButtonBorders.h"
#include "RoundedCorners.h"

#include <QTest>

#include <cmath>

namespace {
constexpr QRgb background = 0xFF123456;

// A button as drawn before its corners are rounded: its background and its border.
QImage rounded(int w, int h, double radius, BorderEffect effect, bool pressed, bool smooth)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(background);
    const RoundedCorners corners(image, radius);
    ButtonBorders::draw(image, effect, pressed);
    corners.apply(image, effect, pressed, 1, smooth);
    return image;
}

// 'o' the background.
QStringList picture(const QImage& image)
{
    return borderPicture(image, background, 'o');
}

// The share of pixel (x, y) inside the outline, counted on a grid much finer than the
// renderer's: circles of the radius at the four corners of a w x h rectangle.
double covered(int x, int y, int w, int h, double r)
{
    constexpr int n = 128;
    int inside = 0;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            const double px = x + (i + 0.5) / n, py = y + (j + 0.5) / n;
            const double cx = std::clamp(px, r, w - r), cy = std::clamp(py, r, h - r);
            inside += std::hypot(px - cx, py - cy) <= r;
        }
    }
    return double(inside) / (n * n);
}
} // namespace

class tst_RoundedCorners : public QObject
{
    Q_OBJECT

private slots:
    void hardEdges_data();
    void hardEdges();
    void smoothEdgesFollowTheArea_data();
    void smoothEdgesFollowTheArea();
    void smoothRingsBlendTheirColours();
};

void tst_RoundedCorners::hardEdges_data()
{
    QTest::addColumn<double>("radius");
    QTest::addColumn<BorderEffect>("effect");
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<QStringList>("expected");
    // Pixels whose centre is inside the outline are whole; the black ring stays closed.
    QTest::newRow("radius 3, black ring")
        << 3.0 << BorderEffect::BlackBorder << false
        << QStringList{".BBBBBBBBBB.", "BBooooooooBB", "BooooooooooB", "BooooooooooB",
                       "BooooooooooB", "BooooooooooB", "BBooooooooBB", ".BBBBBBBBBB."};
    // Half the height: a pill. The bevel's light rings take the top-left arc, its dark ones
    // the bottom-right, and the other two arcs split on their diagonals.
    QTest::newRow("radius 4, bevel")
        << 4.0 << BorderEffect::Bevel3D << false
        << QStringList{"..WWWWWWWW..", ".WSSSSSSSSB.", "WSSooooooGGB", "WSooooooooGB",
                       "WSooooooooGB", "WSGooooooGGB", ".BGGGGGGGGB.", "..BBBBBBBB.."};
    QTest::newRow("radius 4, bevel pressed")
        << 4.0 << BorderEffect::Bevel3D << true
        << QStringList{"..BBBBBBBB..", ".BGGGGGGGGW.", "BGGooooooSSW", "BGooooooooSW",
                       "BGooooooooSW", "BGSooooooSSW", ".WSSSSSSSSW.", "..WWWWWWWW.."};
    QTest::newRow("radius beyond half the height is half of it")
        << 20.0 << BorderEffect::None << false
        << QStringList{"..oooooooo..", ".oooooooooo.", "oooooooooooo", "oooooooooooo",
                       "oooooooooooo", "oooooooooooo", ".oooooooooo.", "..oooooooo.."};
}

void tst_RoundedCorners::hardEdges()
{
    QFETCH(double, radius);
    QFETCH(BorderEffect, effect);
    QFETCH(bool, pressed);
    QFETCH(QStringList, expected);
    const QImage image = rounded(12, 8, radius, effect, pressed, false);
    QCOMPARE(image.format(), QImage::Format_ARGB32);
    QCOMPARE(picture(image), expected);
}

void tst_RoundedCorners::smoothEdgesFollowTheArea_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<double>("radius");
    QTest::newRow("12 x 8, radius 3") << 12 << 8 << 3.0;
    QTest::newRow("12 x 8, radius 4") << 12 << 8 << 4.0;
    QTest::newRow("odd height, a pill") << 15 << 7 << 9.0;
    QTest::newRow("large radius") << 40 << 30 << 12.5;
}

// Each pixel's alpha is the share of it inside the outline, to within the renderer's samples;
// whole pixels keep their colour.
void tst_RoundedCorners::smoothEdgesFollowTheArea()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(double, radius);
    const QImage image = rounded(width, height, radius, BorderEffect::None, false, true);
    const double r = std::min(radius, std::min(width, height) / 2.0);
    int partial = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const QRgb p = image.pixel(x, y);
            const double share = covered(x, y, width, height, r);
            QVERIFY2(std::abs(qAlpha(p) - 255 * share) <= 8,
                     qPrintable(QStringLiteral("(%1, %2): %3").arg(x).arg(y).arg(qAlpha(p))));
            QCOMPARE(p & 0xFFFFFF, background & 0xFFFFFF);
            partial += qAlpha(p) > 0 && qAlpha(p) < 255;
        }
    }
    QVERIFY(partial >= 8);
}

// A partly covered pixel of a ring is the mean of what covers it: ring and background, both
// opaque, give an opaque pixel between them.
void tst_RoundedCorners::smoothRingsBlendTheirColours()
{
    const QImage image = rounded(12, 8, 4.0, BorderEffect::BlackBorder, false, true);
    const QRgb edge = image.pixel(2, 1); // the ring's inner edge crosses it, not the outline
    QCOMPARE(qAlpha(edge), 255);
    QVERIFY(qRed(edge) > 0 && qRed(edge) < qRed(background));
    QVERIFY(qBlue(edge) > 0 && qBlue(edge) < qBlue(background));
    QCOMPARE(image.pixel(5, 0), ButtonBorders::black);
    QCOMPARE(image.pixel(5, 3), background);
}

QTEST_GUILESS_MAIN(tst_RoundedCorners)
#include "tst_RoundedCorners.moc"
