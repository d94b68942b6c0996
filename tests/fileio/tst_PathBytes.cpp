#include "PathBytes.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstdio>

#include <sys/stat.h>

// Paths whose bytes are not UTF-8 go through the program unchanged.
class tst_PathBytes : public QObject
{
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void openAndFolder();
};

void tst_PathBytes::roundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("escaped"); // bytes that are no part of valid UTF-8
    QTest::newRow("ASCII") << QByteArray("/tmp/out") << 0;
    QTest::newRow("valid UTF-8 of every length")
        << QByteArray("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xEF\xBB\xBF") << 0;
    QTest::newRow("Latin-1 byte") << QByteArray("x\xFFy") << 1;
    QTest::newRow("cut sequence") << QByteArray("a\xE2\x82") << 2;
    QTest::newRow("overlong NUL") << QByteArray("\xC0\x80") << 2;
    QTest::newRow("encoded surrogate") << QByteArray("\xED\xA0\x80") << 3;
    QTest::newRow("past U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << 4;
    QTest::newRow("stray continuation") << QByteArray("\x80z") << 1;
    // A character beyond the BMP whose low surrogate lies in the escapes' range.
    QTest::newRow("pair beside escapes") << QByteArray("\xFF\xF0\x90\x82\x80\xFF") << 2;
}

void tst_PathBytes::roundTrip()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, escaped);
    const QString path = PathBytes::decode(bytes);
    QCOMPARE(PathBytes::encode(path), bytes);
    // Valid UTF-8 reads as Qt reads it.
    if (escaped == 0)
        QCOMPARE(path, QString::fromUtf8(bytes));
    int lone = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const bool paired = i > 0 && path.at(i - 1).isHighSurrogate();
        lone += path.at(i).unicode() >= 0xDC80 && path.at(i).unicode() <= 0xDCFF && !paired;
    }
    QCOMPARE(lone, escaped);
}

void tst_PathBytes::openAndFolder()
{
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path()) + "/d\xFF";
    QVERIFY(::mkdir(folder.constData(), 0700) == 0);
    // QTemporaryDir cannot list these names to remove them.
    const auto cleanUp = qScopeGuard([&folder] {
        std::remove(folder + "/p\xFE.txt");
        std::remove(folder);
    });
    const QString path = PathBytes::decode(folder);
    QVERIFY(PathBytes::isFolder(path));
    QVERIFY(!QFileInfo(path).isDir()); // as Qt names it, another folder
    std::FILE* written = std::fopen(folder + "/p\xFE.txt", "w");
    QVERIFY(written && std::fputs("bytes", written) >= 0 && std::fclose(written) == 0);
    QFile file(path + PathBytes::decode("/p\xFE.txt"));
    QVERIFY(PathBytes::openForReading(file));
    QCOMPARE(file.readAll(), QByteArray("bytes"));
    QFile missing(path + QStringLiteral("/none"));
    QVERIFY(!PathBytes::openForReading(missing));
    QCOMPARE(errno, ENOENT);
}

QTEST_MAIN(tst_PathBytes)
#include "tst_PathBytes.moc"
