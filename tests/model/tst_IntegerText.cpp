#include "IntegerText.h"

#include <QTest>

class tst_IntegerText : public QObject
{
    Q_OBJECT
private slots:
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();
};

void tst_IntegerText::accepted_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("decimal") << "120" << 120;
    QTest::newRow("negative") << "-16777208" << -16777208;
    QTest::newRow("plus") << "+7" << 7;
    QTest::newRow("minus zero") << "-0" << 0;
    QTest::newRow("leading zeros") << "007" << 7;
    QTest::newRow("leading blanks") << "   40" << 40;
    QTest::newRow("blanks then sign") << "  -3" << -3;
    QTest::newRow("dollar hex") << "$1F" << 31;
    QTest::newRow("x hex") << "x1f" << 31;
    QTest::newRow("X hex") << "X1F" << 31;
    QTest::newRow("0x hex") << "0x1F" << 31;
    QTest::newRow("0X hex") << "0Xff" << 255;
    QTest::newRow("signed hex") << "-$10" << -16;
    QTest::newRow("plus hex") << "+0x10" << 16;
    QTest::newRow("max") << "2147483647" << 2147483647;
    QTest::newRow("min") << "-2147483648" << int(-2147483647 - 1);
    QTest::newRow("hex max positive") << "$7FFFFFFF" << 2147483647;
    // Hexadecimal takes the full 32 bits as a pattern, so colours can be written in hex.
    QTest::newRow("hex wraps") << "$FFFFFFFF" << -1;
    QTest::newRow("hex system colour") << "$FF000008" << -16777208;
    QTest::newRow("hex sign bit") << "$80000000" << int(-2147483647 - 1);
    QTest::newRow("negated pattern") << "-$FFFFFFFF" << 1;
    QTest::newRow("hex leading zeros") << "$000000000001" << 1;
}

void tst_IntegerText::accepted()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    qint32 value = 12345;
    QVERIFY(IntegerText::toInt32(text, &value));
    QCOMPARE(value, expected);
}

void tst_IntegerText::refused_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("blanks only") << "   ";
    QTest::newRow("trailing letters") << "12a";
    QTest::newRow("trailing blank") << "12 ";
    QTest::newRow("tab is no blank") << "\t5";
    QTest::newRow("blank after sign") << "- 5";
    QTest::newRow("sign only") << "-";
    QTest::newRow("two signs") << "+-5";
    QTest::newRow("dollar only") << "$";
    QTest::newRow("0x only") << "0x";
    QTest::newRow("bad hex digit") << "$1G";
    QTest::newRow("sign after prefix") << "x-5";
    QTest::newRow("decimal point") << "3.0";
    QTest::newRow("exponent") << "1e3";
    QTest::newRow("decimal overflow") << "2147483648";
    QTest::newRow("negative overflow") << "-2147483649";
    QTest::newRow("hex overflow") << "$100000000";
    QTest::newRow("huge") << "99999999999999999999999";
    QTest::newRow("arabic-indic digits") << QString::fromUtf8("\u0661\u0662");
    QTest::newRow("fullwidth digits") << QString::fromUtf8("\uFF11\uFF12");
    QTest::newRow("nul inside") << QString::fromLatin1("12\0"
                                                       "3",
                                                       4);
}

void tst_IntegerText::refused()
{
    QFETCH(QString, text);
    qint32 value = 12345;
    QVERIFY(!IntegerText::toInt32(text, &value));
    QCOMPARE(value, 12345);
}

QTEST_GUILESS_MAIN(tst_IntegerText)
#include "tst_IntegerText.moc"
