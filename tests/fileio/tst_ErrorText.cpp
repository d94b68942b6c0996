#include "ErrorText.h"

#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

class tst_ErrorText : public QObject
{
    Q_OBJECT
private slots:
    void ioText_data();
    void ioText();
    void classicTexts();
    void messages_data();
    void messages();
};

void tst_ErrorText::ioText_data()
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

void tst_ErrorText::ioText()
{
    QFETCH(int, error);
    QFETCH(QString, name);
    QFETCH(QString, text);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = name == QLatin1String("-") ? QString() : dir.filePath(name);
    QCOMPARE(ErrorText::ioText(Failure(Failure::Code::Open, path, error)), text);
}

void tst_ErrorText::classicTexts()
{
    QCOMPARE(ErrorText::classicText(ErrorText::ReadBeyondEnd),
             QStringLiteral("Read beyond end of file"));
    QCOMPARE(ErrorText::classicText(ErrorText::InvalidNumericInput),
             QStringLiteral("Invalid numeric input"));
    QCOMPARE(ErrorText::classicText(32), QStringLiteral("I/O error 32"));
}

void tst_ErrorText::messages_data()
{
    using Code = Failure::Code;
    QTest::addColumn<Failure>("failure");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("namesPath"); // else messageWithPath() adds it
    const QString page = QStringLiteral("/d/p.html");
    // A full disk reads the same in a sentence as in a project's I/O error text.
    QTest::newRow("full disk") << Failure(Code::Write, page, ENOSPC)
                               << "Cannot write file \"/d/p.html\". Disk full" << true;
    QTest::newRow("no classic text")
        << Failure(Code::Close, page, EIO) << "Cannot write file \"/d/p.html\". Input/output error"
        << true;
    QTest::newRow("fifo") << Failure(Code::NotRegular, page)
                          << "Cannot read file \"/d/p.html\". Not a regular file" << true;
    QTest::newRow("reason given by Qt")
        << Failure(Code::Open, page, ENOENT).withDetail("Is a directory")
        << "Cannot open file \"/d/p.html\". Is a directory" << true;
    QTest::newRow("long name") << Failure(Code::NameTooLong, page, ENAMETOOLONG)
                               << "File name too long: /d/p.html" << true;
    // Only the start of a name too long to show, and never half a character.
    const QString emoji = QStringLiteral("\U0001F600");
    QTest::newRow("longer name") << Failure(Code::NameTooLong, QString(50, 'x'))
                                 << "File name too long: " + QString(40, 'x') << false;
    QTest::newRow("cut before a pair") << Failure(Code::NameTooLong, QString(39, 'x') + emoji)
                                       << "File name too long: " + QString(39, 'x') << false;
    QTest::newRow("no name") << Failure(Code::NameTooLong, QString()) << "File name too long"
                             << true;
    // The codecs' sentences: the path and detail go in once, whatever they hold.
    QTest::newRow("path holding %2")
        << Failure(Code::Encode, "/d/%2.jpg").because(FailureReason::JpegWrite, "bad")
        << "Error writing JPEG file \"/d/%2.jpg\": bad" << true;
    QTest::newRow("file reason in codec words")
        << Failure(Code::Create, "/d/p.png", ENOSPC).because(FailureReason::PngOpenFile)
        << "Error Opening File /d/p.png! Disk full" << true;
    QTest::newRow("sentence without the path")
        << Failure(Code::Encode, "/d/p.png").because(FailureReason::PngWrite)
        << "Error Writing PNG File!" << false;
    QTest::newRow("with the limits")
        << Failure(Code::Refuse, FailureReason::ButtonTooLarge, "20000 x 10")
        << "cannot render a 20000 x 10 button (at most 16384 pixels a side and 64 megapixels)"
        << true;
    // The folder's reason in the system's words, as it has always read: no "Disk full".
    QTest::newRow("system's own words")
        << Failure(Code::Create, "/d/out", ENOSPC).because(FailureReason::FolderNotCreated)
        << "Cannot create folder \"/d/out\". No space left on device" << true;
    // A project file's failure reads as its classic text; a value is quoted from the file.
    QTest::newRow("project file")
        << Failure(Code::Write, page, ENOSPC).because(FailureReason::ProjectFileAccess)
        << "Disk full" << false;
    QTest::newRow("colour cut at 40")
        << Failure(Code::Unparsable, FailureReason::NotAColour, QString(39, 'r') + "%1xyz")
        << "'" + QString(39, 'r') + "%' is not a colour of the form #RRGGBB" << true;
    QTest::newRow("none") << Failure() << QString() << true;
}

void tst_ErrorText::messages()
{
    QFETCH(Failure, failure);
    QFETCH(QString, message);
    QFETCH(bool, namesPath);
    QCOMPARE(ErrorText::message(failure), message);
    QCOMPARE(ErrorText::messageWithPath(failure),
             namesPath ? message : message + " (" + failure.path() + ")");
}

QTEST_GUILESS_MAIN(tst_ErrorText)
#include "tst_ErrorText.moc"
