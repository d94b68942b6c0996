#include "ColorRef.h"

#include <QTest>

class tst_ColorRef : public QObject
{
    Q_OBJECT
private slots:
    void webText_data();
    void webText();
    void webTextRoundTrip();
};

void tst_ColorRef::webText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<uint>("rgb"); // 0x00RRGGBB
    QTest::newRow("upper") << "#00FF7F" << true << 0x00FF7Fu;
    QTest::newRow("lower") << "#a0b1c2" << true << 0xA0B1C2u;
    QTest::newRow("white") << "#FFFFFF" << true << 0xFFFFFFu;
    QTest::newRow("short") << "#12345" << false << 0u;
    QTest::newRow("long") << "#1234567" << false << 0u;
    QTest::newRow("no hash") << "1234567" << false << 0u;
    QTest::newRow("not hex") << "#12G456" << false << 0u;
    QTest::newRow("sign") << "#+12345" << false << 0u;
    QTest::newRow("full-width digit") << "#12345\uFF16" << false << 0u;
    QTest::newRow("empty") << "" << false << 0u;
}

void tst_ColorRef::webText()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(uint, rgb);
    ColorRef c = Colors::systemColor(3);
    QCOMPARE(Colors::fromWebText(text, &c), valid);
    QCOMPARE(Colors::toRgb(c), valid ? rgb : 0x808080u); // untouched when refused
}

// Every colour, system ones too, reads back as its RGB from the text written for it.
void tst_ColorRef::webTextRoundTrip()
{
    for (ColorRef c : {Colors::rgb(0, 0, 0), Colors::rgb(1, 2, 254), Colors::rgb(255, 128, 7),
                       Colors::systemColor(13), ColorRef(0x12FFEEDD)}) {
        const QString text = Colors::webText(c);
        QCOMPARE(text, text.toUpper());
        ColorRef back = 0;
        QVERIFY(Colors::fromWebText(text, &back));
        QCOMPARE(Colors::toRgb(back), Colors::toRgb(c));
    }
}

QTEST_GUILESS_MAIN(tst_ColorRef)
#include "tst_ColorRef.moc"
