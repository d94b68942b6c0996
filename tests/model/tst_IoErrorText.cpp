#include "IoErrorText.h"

#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

class tst_IoErrorText : public QObject
{
    Q_OBJECT
private slots:
    void fromErrno_data();
    void fromErrno();
    void classicTexts();
};

void tst_IoErrorText::fromErrno_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("name"); // inside a temporary folder; "-" for no path
    QTest::addColumn<QString>("text");
    QTest::newRow("missing file") << ENOENT << "x.blp"
                                  << "File not found";
    QTest::newRow("missing folder") << ENOENT << "nowhere/x.blp"
                                    << "Invalid filename";
    QTest::newRow("no path at all") << ENOENT << "-"
                                    << "Invalid filename";
    QTest::newRow("not a folder") << ENOTDIR << "x.blp"
                                  << "Invalid filename";
    QTest::newRow("name too long") << ENAMETOOLONG << "x.blp"
                                   << "Invalid filename";
    QTest::newRow("process limit") << EMFILE << "x.blp"
                                   << "Too many open files";
    QTest::newRow("system limit") << ENFILE << "x.blp"
                                  << "Too many open files";
    QTest::newRow("permission") << EACCES << "x.blp"
                                << "File access denied";
    QTest::newRow("read-only file system") << EROFS << "x.blp"
                                           << "File access denied";
    QTest::newRow("folder given") << 0 << "."
                                  << "File access denied";
    QTest::newRow("no space") << ENOSPC << "x.blp"
                              << "Disk full";
    QTest::newRow("quota") << EDQUOT << "x.blp"
                           << "Disk full";
    QTest::newRow("file size limit") << EFBIG << "x.blp"
                                     << "Disk full";
    // errno numbers that equal classic codes must not borrow their texts.
    QTest::newRow("EIO is not access denied") << EIO << "x.blp"
                                              << "I/O error 5";
    QTest::newRow("EINTR is not too many files") << EINTR << "x.blp"
                                                 << "I/O error 4";
    QTest::newRow("no reason given") << 0 << "x.blp"
                                     << "I/O error 5";
}

void tst_IoErrorText::fromErrno()
{
    QFETCH(int, error);
    QFETCH(QString, name);
    QFETCH(QString, text);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = name == QLatin1String("-") ? QString() : dir.filePath(name);
    QCOMPARE(IoErrorText::forErrno(error, path), text);
}

void tst_IoErrorText::classicTexts()
{
    QCOMPARE(IoErrorText::text(IoErrorText::ReadBeyondEnd),
             QStringLiteral("Read beyond end of file"));
    QCOMPARE(IoErrorText::text(IoErrorText::InvalidNumericInput),
             QStringLiteral("Invalid numeric input"));
    QCOMPARE(IoErrorText::text(32), QStringLiteral("I/O error 32"));
}

QTEST_GUILESS_MAIN(tst_IoErrorText)
#include "tst_IoErrorText.moc"
