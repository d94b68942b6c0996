#include "CodeViewer.h"
#include "ErrorText.h"
#include "ScriptedPlatformServices.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// Reading the sample page as lines and "Copy to Clipboard".
class tst_CodeViewer : public QObject
{
    Q_OBJECT
private slots:
    void readsLines_data();
    void readsLines();
    void refusesWhatCannotBeShown();
    void copy_data();
    void copy();

private:
    QString write(const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("BTNPAGE.html"));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return QString();
        return path;
    }

    QTemporaryDir m_dir;
};

void tst_CodeViewer::readsLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR LF, final line end")
        << QByteArray("<html>\r\n<body>\r\n") << QStringList{"<html>", "<body>"};
    QTest::newRow("LF and CR mixed, none final")
        << QByteArray("a\nb\rc") << QStringList{"a", "b", "c"};
    QTest::newRow("blank lines kept") << QByteArray("a\r\n\r\nb\r\n") << QStringList{"a", "", "b"};
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("UTF-8") << QByteArray("caf\xC3\xA9\r\n") << QStringList{QStringLiteral("café")};
    QTest::newRow("Windows-1252") << QByteArray("caf\xE9 \x80\r\n")
                                  << QStringList{QStringLiteral("café €")};
}

void tst_CodeViewer::readsLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    ScriptedPlatformServices platform;
    CodeViewer viewer(platform);
    QVERIFY(!viewer.load(write(bytes)));
    QCOMPARE(viewer.lines(), lines);
    QCOMPARE(viewer.text(), lines.join(QStringLiteral("\r\n")));
}

void tst_CodeViewer::refusesWhatCannotBeShown()
{
    ScriptedPlatformServices platform;
    CodeViewer viewer(platform);
    const QString missing = m_dir.filePath(QStringLiteral("NOPAGE.html"));
    QCOMPARE(ErrorText::message(viewer.load(missing)),
             QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(missing));

    QCOMPARE(ErrorText::message(viewer.load(m_dir.path())),
             QStringLiteral("Cannot open file \"%1\". Is a directory").arg(m_dir.path()));

    // Too large to show: refused before it is read, and nothing of an earlier file remains.
    QVERIFY(!viewer.load(write("kept\r\n")));
    QFile big(write(QByteArray()));
    QVERIFY(big.resize(CodeViewer::maxFileSize + 1));
    QCOMPARE(ErrorText::message(viewer.load(big.fileName())),
             QStringLiteral("Cannot open file \"%1\". The file is larger than 16 MB.")
                 .arg(big.fileName()));
    QVERIFY(viewer.lines().isEmpty());
    QVERIFY(platform.messages.isEmpty() && platform.errors.isEmpty());
}

void tst_CodeViewer::copy_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("copied");
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("one character") << QByteArray("x\r\n") << false;
    // Two empty lines join into the two characters CR LF.
    QTest::newRow("two empty lines") << QByteArray("\r\n\r\n") << true;
    QTest::newRow("a page") << QByteArray("<html>\r\n<body>\r\n</html>\r\n") << true;
}

void tst_CodeViewer::copy()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, copied);
    ScriptedPlatformServices platform;
    CodeViewer viewer(platform);
    QVERIFY(!viewer.load(write(bytes)));
    QSignalSpy selection(&viewer, &CodeViewer::selectionChanged);
    QList<qsizetype> messagesAtSelection;
    connect(&viewer, &CodeViewer::selectionChanged, this,
            [&] { messagesAtSelection.append(platform.messages.size()); });

    QCOMPARE(viewer.copyToClipboard(), copied);
    if (copied) {
        QCOMPARE(platform.clipboardTexts, QStringList{viewer.text()});
        QCOMPARE(platform.messages, QStringList{QStringLiteral("Code copied to clipboard")});
        // Selected for the copy, then unselected before the message.
        QCOMPARE(selection.size(), 2);
        QCOMPARE(selection[1][0].toBool(), false);
        QCOMPARE(messagesAtSelection, (QList<qsizetype>{0, 0}));
        QVERIFY(!viewer.wholeTextSelected());
    } else {
        QVERIFY(platform.clipboardTexts.isEmpty());
        QVERIFY(platform.messages.isEmpty());
        QCOMPARE(selection.size(), 1);
        QVERIFY(viewer.wholeTextSelected());
    }
}

QTEST_GUILESS_MAIN(tst_CodeViewer)
#include "tst_CodeViewer.moc"
