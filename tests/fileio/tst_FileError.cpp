#include "FileError.h"

#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

class tst_FileError : public QObject
{
    Q_OBJECT
private slots:
    void fromErrno_data();
    void fromErrno();
    void classicTexts();
    void messages_data();
    void messages();
};

void tst_FileError::fromErrno_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("name"); // inside a temporary folder; "-" for no path
    QTest::addColumn<QString>("text");
    // The reader's and writer's tests meet ENOENT, EACCES, EMFILE, ENOSPC and EIO for real.
    QTest::newRow("no path at all") << ENOENT << "-"
                                    << "Invalid filename";
    QTest::newRow("not a folder") << ENOTDIR << "x.blp"
                                  << "Invalid filename";
    QTest::newRow("name too long") << ENAMETOOLONG << "x.blp"
                                   << "Invalid filename";
    QTest::newRow("system limit") << ENFILE << "x.blp"
                                  << "Too many open files";
    QTest::newRow("read-only file system") << EROFS << "x.blp"
                                           << "File access denied";
    QTest::newRow("folder given") << 0 << "."
                                  << "File access denied";
    QTest::newRow("quota") << EDQUOT << "x.blp"
                           << "Disk full";
    QTest::newRow("file size limit") << EFBIG << "x.blp"
                                     << "Disk full";
    // errno numbers that equal classic codes must not borrow their texts.
    QTest::newRow("EINTR is not too many files") << EINTR << "x.blp"
                                                 << "I/O error 4";
    QTest::newRow("no reason given") << 0 << "x.blp"
                                     << "I/O error 5";
}

void tst_FileError::fromErrno()
{
    QFETCH(int, error);
    QFETCH(QString, name);
    QFETCH(QString, text);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = name == QLatin1String("-") ? QString() : dir.filePath(name);
    QCOMPARE(FileError(FileError::Code::Open, path, error).ioErrorText(), text);
}

void tst_FileError::classicTexts()
{
    QCOMPARE(FileError::classicText(FileError::ReadBeyondEnd),
             QStringLiteral("Read beyond end of file"));
    QCOMPARE(FileError::classicText(FileError::InvalidNumericInput),
             QStringLiteral("Invalid numeric input"));
    QCOMPARE(FileError::classicText(32), QStringLiteral("I/O error 32"));
    // Only the start of a name too long to show.
    QCOMPARE(FileError(FileError::Code::NameTooLong, QString(50, 'x')).message(),
             "File name too long: " + QString(40, 'x'));
}

void tst_FileError::messages_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("message");
    // A full disk reads the same in a sentence as in a project's I/O error text.
    QTest::newRow("full disk") << int(FileError::Code::Write) << ENOSPC
                               << "Cannot write file \"/d/p.html\". Disk full";
    QTest::newRow("no classic text") << int(FileError::Code::Close) << EIO
                                     << "Cannot write file \"/d/p.html\". Input/output error";
    QTest::newRow("fifo") << int(FileError::Code::NotRegular) << 0
                          << "Cannot read file \"/d/p.html\". Not a regular file";
    QTest::newRow("long name") << int(FileError::Code::NameTooLong) << ENAMETOOLONG
                               << "File name too long: /d/p.html";
}

void tst_FileError::messages()
{
    QFETCH(int, code);
    QFETCH(int, error);
    QFETCH(QString, message);
    QCOMPARE(FileError(FileError::Code(code), "/d/p.html", error).message(), message);
}

QTEST_GUILESS_MAIN(tst_FileError)
#include "tst_FileError.moc"
