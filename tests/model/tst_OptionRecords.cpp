#include "OptionRecords.h"

#include <QTest>

class tst_OptionRecords : public QObject
{
    Q_OBJECT
private slots:
    void layouts();
    void loadInto_data();
    void loadInto();
};

// Each field at its byte, little-endian, reserved bytes zero.
void tst_OptionRecords::layouts()
{
    JpegFileOptions jpeg;
    jpeg.quality = 77;
    jpeg.pixelFormat = 1;
    jpeg.performance = 1;
    jpeg.grayscale = 1;
    jpeg.progressiveEncoding = 0;
    jpeg.progressiveDisplay = 1;
    jpeg.smoothing = 0;
    jpeg.retainSettings = 1;
    QByteArray expected(58, '\0');
    expected.replace(0, 8, QByteArray::fromHex("4d01010100010001"));
    QCOMPARE(OptionRecords::encode(jpeg), expected);

    TextOffsetOptions text;
    text.textIndent = 0x01020304;
    text.textOffset = -2;
    text.retainSettings = 1;
    QCOMPARE(OptionRecords::encode(text), QByteArray::fromHex("04030201feffffff01000000"));

    QCOMPARE(OptionRecords::encode(JpegFileOptions()).toHex(),
             QByteArray("5a00000000000100") + QByteArray(100, '0'));
    QCOMPARE(OptionRecords::encode(TextOffsetOptions()).toHex(),
             QByteArray("280000000200000000000000"));

    // And back.
    JpegFileOptions jpegBack;
    QVERIFY(OptionRecords::loadInto(jpegBack, OptionRecords::encode(jpeg)));
    QCOMPARE(jpegBack, jpeg);
    TextOffsetOptions textBack;
    QVERIFY(OptionRecords::loadInto(textBack, OptionRecords::encode(text)));
    QCOMPARE(textBack, text);
}

void tst_OptionRecords::loadInto_data()
{
    QTest::addColumn<QByteArray>("jpegBytes");
    QTest::addColumn<bool>("jpegTaken");
    QTest::addColumn<QByteArray>("jpegAfter"); // first 8 bytes of the record after loading
    QTest::addColumn<QByteArray>("textBytes");
    QTest::addColumn<bool>("textTaken");
    QTest::addColumn<QByteArray>("textAfter");

    const QByteArray jpegDefault = QByteArray::fromHex("5a00000000000100");
    const QByteArray textDefault = QByteArray::fromHex("280000000200000000000000");
    QTest::newRow("empty records change nothing")
        << QByteArray() << true << jpegDefault << QByteArray() << true << textDefault;
    QTest::newRow("short records replace their first bytes")
        << QByteArray::fromHex("32010107") << true << QByteArray::fromHex("3201010700000100")
        << QByteArray::fromHex("0a00") << true << QByteArray::fromHex("0a0000000200000000000000");
    QTest::newRow("whole records")
        << QByteArray::fromHex("640100010100000100") + QByteArray(49, '\x05') << true
        << QByteArray::fromHex("6401000101000001")
        << QByteArray::fromHex("c80000001800000001090909") << true
        << QByteArray::fromHex("c80000001800000001000000");
    QTest::newRow("one byte too long is refused") << QByteArray(59, '\x01') << false << jpegDefault
                                                  << QByteArray(13, '\x01') << false << textDefault;
}

void tst_OptionRecords::loadInto()
{
    QFETCH(QByteArray, jpegBytes);
    QFETCH(QByteArray, textBytes);
    JpegFileOptions jpeg;
    QTEST(OptionRecords::loadInto(jpeg, jpegBytes), "jpegTaken");
    QTEST(OptionRecords::encode(jpeg).left(8), "jpegAfter");
    TextOffsetOptions text;
    QTEST(OptionRecords::loadInto(text, textBytes), "textTaken");
    QTEST(OptionRecords::encode(text), "textAfter");
}

QTEST_APPLESS_MAIN(tst_OptionRecords)
#include "tst_OptionRecords.moc"
