#include "CodecTestSupport.h"
#include "WebPalette.h"

#include <QtTest>

class TestWebPalette : public QObject
{
    Q_OBJECT

private slots:
    void mapsPixelsToIndices_data();
    void mapsPixelsToIndices();
    void tableHoldsCubeThenBlack();
    void everyPaletteColourMapsToItself();
    void reducesWithoutDithering();
};

void TestWebPalette::mapsPixelsToIndices_data()
{
    QTest::addColumn<QRgb>("pixel");
    QTest::addColumn<int>("index");
    QTest::addColumn<QRgb>("color");
    QTest::newRow("(47,48,252)") << qRgb(47, 48, 252) << 11 << qRgb(0, 51, 255);
    QTest::newRow("white") << qRgb(255, 255, 255) << 215 << qRgb(255, 255, 255);
    QTest::newRow("black") << qRgb(0, 0, 0) << 0 << qRgb(0, 0, 0);
    QTest::newRow("98/99/149") << qRgb(98, 99, 149) << 36 + 12 + 2 << qRgb(51, 102, 102);
    QTest::newRow("150/200/201") << qRgb(150, 200, 201) << 108 + 18 + 4 << qRgb(153, 153, 204);
    QTest::newRow("251/252/0") << qRgb(251, 252, 0) << 144 + 30 << qRgb(204, 255, 0);
}

void TestWebPalette::mapsPixelsToIndices()
{
    QFETCH(QRgb, pixel);
    QFETCH(int, index);
    QFETCH(QRgb, color);
    QCOMPARE(WebPalette::indexOf(pixel), index);
    QCOMPARE(WebPalette::color(index), color);

    QImage one(1, 1, QImage::Format_RGB32);
    one.setPixel(0, 0, pixel);
    const QImage reduced = WebPalette::reduceToWebPalette(one);
    QCOMPARE(reduced.format(), QImage::Format_Indexed8);
    QCOMPARE(int(reduced.constScanLine(0)[0]), index);
    QCOMPARE(reduced.pixel(0, 0), color);
}

void TestWebPalette::tableHoldsCubeThenBlack()
{
    const QVector<QRgb>& table = WebPalette::colorTable();
    QCOMPARE(table.size(), 256);
    QCOMPARE(table[0], qRgb(0, 0, 0));
    QCOMPARE(table[1], qRgb(0, 0, 51));
    QCOMPARE(table[6], qRgb(0, 51, 0));
    QCOMPARE(table[36], qRgb(51, 0, 0));
    QCOMPARE(table[215], qRgb(255, 255, 255));
    for (int i = 216; i < 256; ++i)
        QCOMPARE(table[i], qRgb(0, 0, 0));
}

void TestWebPalette::everyPaletteColourMapsToItself()
{
    for (int i = 0; i < WebPalette::ColorCount; ++i)
        QCOMPARE(WebPalette::indexOf(WebPalette::color(i)), i);
}

void TestWebPalette::reducesWithoutDithering()
{
    // A flat colour between two levels must stay one index everywhere: dithering would mix.
    QImage flat(16, 16, QImage::Format_RGB32);
    flat.fill(qRgb(75, 75, 75)); // just below the 48..98 -> 51 boundary mid
    const QImage reduced = WebPalette::reduceToWebPalette(flat);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            QCOMPARE(int(reduced.constScanLine(y)[x]), 36 + 6 + 1);

    // Any input format is taken.
    const QImage button = CodecTest::buttonImage(40, 10, 1);
    QCOMPARE(WebPalette::reduceToWebPalette(button.convertToFormat(QImage::Format_RGB888)),
             WebPalette::reduceToWebPalette(button));
}

QTEST_MAIN(TestWebPalette)
#include "tst_WebPalette.moc"
