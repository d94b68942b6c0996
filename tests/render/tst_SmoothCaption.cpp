#include "ButtonFont.h"
#include "GlyphMasks.h"
#include "SmoothCaption.h"

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
}

QTEST_MAIN(tst_SmoothCaption)
#include "tst_SmoothCaption.moc"
