#include "ButtonFont.h"
#include "GlyphMasks.h"
#include "SmoothCaption.h"

#include <QPainter>
#include <QtTest>

class tst_SmoothCaption : public QObject
{
    Q_OBJECT

private slots:
    void masksGiveTheSamePixels_data();
    void masksGiveTheSamePixels();
};

void tst_SmoothCaption::masksGiveTheSamePixels_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("points");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QPoint>("origin");
    QTest::addColumn<int>("width");
    QTest::newRow("small, whole") << "DejaVu Sans" << 8 << false << "Button 17" << QPoint(10, 8)
                                  << 120;
    // Outlines this large are filled as paths rather than taken from the glyph cache.
    QTest::newRow("large italic, overlapping")
        << "Liberation Serif" << 40 << true << "Wavy fjord" << QPoint(4, 2) << 400;
    QTest::newRow("cut at left and top")
        << "DejaVu Sans" << 14 << true << "AVA jjj" << QPoint(-7, -5) << 90;
    // Masks made for later glyphs must leave those of earlier ones where they are.
    QTest::newRow("many different glyphs")
        << "DejaVu Sans" << 8 << false
        << "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789" << QPoint(2, 8) << 500;
    QTest::newRow("across sampling chunks")
        << "Liberation Sans" << 30 << false << QString("WMW Bg ").repeated(12) << QPoint(3, 0)
        << 1100;
}

void tst_SmoothCaption::masksGiveTheSamePixels()
{
    QFETCH(QString, face);
    QFETCH(int, points);
    QFETCH(bool, italic);
    QFETCH(QString, caption);
    QFETCH(QPoint, origin);
    QFETCH(int, width);
    ButtonStateStyle style;
    style.fontName = face;
    style.fontSize = points;
    style.fontItalic = italic;
    const ButtonFont font(style, 1, false);
    const int factor = SmoothCaption::factorFor(font.font().pixelSize());
    const ButtonFont fine(style, factor, false);
    const QGlyphRun run = font.glyphRun(caption, fine, factor);

    QImage drawn(width, font.height() + 6, QImage::Format_RGB32);
    drawn.fill(qRgb(200, 220, 240));
    QImage masked = drawn;
    const QRect clip(0, 0, width - 5, font.height() + 4);
    QVERIFY(SmoothCaption::draw(drawn, run, factor, origin, clip, qRgb(10, 20, 30)));
    QVERIFY(drawn != masked);
    GlyphMasks masks;
    for (int pass = 0; pass < 2; ++pass) { // the second finds every glyph made
        QImage copy = masked;
        QVERIFY(SmoothCaption::draw(copy, run, factor, origin, clip, qRgb(10, 20, 30), &masks));
        QCOMPARE(copy, drawn);
    }
    QVERIFY(masks.mask(run.rawFont(), run.glyphIndexes().first())); // the masks were used

    // Each pixel moves from the ground towards the text colour by the share of its samples
    // that the glyphs cover on the fine grid.
    QImage grid(clip.size() * factor, QImage::Format_RGB32);
    grid.fill(Qt::black);
    QPainter painter(&grid);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setPen(Qt::white);
    painter.drawGlyphRun(QPointF(origin * factor), run);
    painter.end();
    int partial = 0;
    for (int y = 0; y < clip.height(); ++y) {
        for (int x = 0; x < clip.width(); ++x) {
            int n = 0;
            for (int s = 0; s < factor * factor; ++s)
                n += qRed(grid.pixel(x * factor + s % factor, y * factor + s / factor)) >> 7;
            const double share = double(n) / (factor * factor);
            partial += n > 0 && share < 1;
            const QRgb want =
                qRgb(qRound(200 + (10 - 200) * share), qRound(220 + (20 - 220) * share),
                     qRound(240 + (30 - 240) * share));
            const QRgb got = drawn.pixel(x, y);
            QVERIFY2(qAbs(qRed(got) - qRed(want)) <= 1 && qAbs(qGreen(got) - qGreen(want)) <= 1 &&
                         qAbs(qBlue(got) - qBlue(want)) <= 1,
                     qPrintable(QString("(%1, %2): %3 samples of %4, %5 for %6")
                                    .arg(x)
                                    .arg(y)
                                    .arg(n)
                                    .arg(factor * factor)
                                    .arg(got, 0, 16)
                                    .arg(want, 0, 16)));
        }
    }
    QVERIFY(partial > 0);
}

QTEST_MAIN(tst_SmoothCaption)
#include "tst_SmoothCaption.moc"
