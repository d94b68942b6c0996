#include "IniText.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class tst_IniText : public QObject
{
    Q_OBJECT
private slots:
    void edits_data();
    void edits();
    void everyByteReadsBack();
};

void tst_IniText::edits_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after"); // with "V" for the new value's text
    const QByteArray foreign = "; mine\r\n[Other]\r\ncolor=@Variant(\\0\\0\\0\\x43)\r\n";
    QTest::newRow("empty file") << QByteArray() << QByteArray("[Software]\nBRWK400\\k=V\n");
    QTest::newRow("foreign lines stay, line ends followed")
        << foreign << foreign + "\r\n[Software]\r\nBRWK400\\k=V\r\n";
    QTest::newRow("replaced in place, a later twin dropped")
        << QByteArray("[Software]\nBRWK400\\k=old\nz=1\n[Software]\nBRWK400\\k=older\n")
        << QByteArray("[Software]\nBRWK400\\k=V\nz=1\n[Software]\n");
    QTest::newRow("added after the section's last value, continued value kept")
        << QByteArray("[Software]\na=1\\\n  2\n\n[X]\nb=2")
        << QByteArray("[Software]\na=1\\\n  2\nBRWK400\\k=V\n\n[X]\nb=2");
    QTest::newRow("under the section's own header when it holds no value")
        << QByteArray("[Software]\n; kept\n") << QByteArray("[Software]\nBRWK400\\k=V\n; kept\n");
    QTest::newRow("two backslashes end a value")
        << QByteArray("[Software]\na=x\\\\\nBRWK400\\k=old\n")
        << QByteArray("[Software]\na=x\\\\\nBRWK400\\k=V\n");
    QTest::newRow("section spelled with the key's slash")
        << QByteArray("[Software/BRWK400]\nk=old\n") << QByteArray("[Software/BRWK400]\nk=V\n");
}

void tst_IniText::edits()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    const QByteArray value("\x01z");
    IniText text(before);
    text.setByteArray("Software/BRWK400/k", value);
    QCOMPARE(text.bytes(), after.replace("=V", "=" + IniText::byteArrayValue(value)));
    QVERIFY(text.remove("Software/BRWK400/k"));
    QVERIFY(!text.contains("Software/BRWK400/k"));
    QVERIFY(!text.remove("Software/BRWK400/k"));
}

void tst_IniText::everyByteReadsBack()
{
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all += char(i);
    all += "a1F9)\\,;= \"";
    QTemporaryDir dir;
    const QString path = dir.filePath("s.ini");
    IniText text;
    text.setByteArray("Software/BRWK400/k", all);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text.bytes());
    file.close();
    const QSettings settings(path, QSettings::IniFormat);
    QCOMPARE(settings.status(), QSettings::NoError);
    QCOMPARE(settings.value("Software/BRWK400/k").toByteArray(), all);
    // Read back without QSettings too; a value in any other spelling is left to QSettings.
    QCOMPARE(IniText(text.bytes()).byteArray("Software/BRWK400/k"), all);
    for (const QByteArray line : {"k=@ByteArray(\\x4)", "k=@ByteArray(ab)", "k=@ByteArray(\\x41",
                                  "k=abc", "k=@ByteArray(\\x41\\x4)"})
        QVERIFY2(!IniText("[Software]\n" + line).byteArray("Software/k"), line.constData());
    QCOMPARE(
        IniText("[Software]\nk= @ByteArray(\\x41z) \r\nk=@ByteArray(q)\n").byteArray("Software/k"),
        QByteArray("q"));
}

QTEST_GUILESS_MAIN(tst_IniText)
#include "tst_IniText.moc"
