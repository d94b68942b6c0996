#include "ErrorText.h"
#include "ProjectFileReader.h"
#include "ProjectFileWriter.h"
#include "ProjectKeys.h"
#include "TextEncoding.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
// What the writer puts on a key's line: checks every field through its file form.
QString writtenValue(const ButtonProject& project, const QString& key)
{
    const QStringList lines = QString::fromUtf8(ProjectFileWriter::toBytes(project)).split("\r\n");
    for (const QString& line : lines) {
        if (line.startsWith(key + u'='))
            return line.mid(key.size() + 1);
    }
    // An option at its default is left out of the file.
    const ProjectKeys::Key* known = ProjectKeys::find(key);
    return known ? known->valueText(project) : QStringLiteral("<no such key>");
}

QString projectPath(const char* name)
{
    return QStringLiteral(TEST_DATA_DIR "/projects/") + QLatin1String(name);
}
} // namespace

class tst_ProjectFileReader : public QObject
{
    Q_OBJECT
private slots:
    void readingRules_data();
    void readingRules();
    void ownImages_data();
    void ownImages();
    void ownImageFailureStopsReading();
    void encodings_data();
    void encodings();
    void utf8Validation_data();
    void utf8Validation();
    void windows1252Table();
    void encodingIsDecidedForTheWholeFile();
    void openFailureChangesNothing_data();
    void openFailureChangesNothing();
    void filesThatAreNoProjectFiles_data();
    void filesThatAreNoProjectFiles();
};

void tst_ProjectFileReader::readingRules_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("error"); // empty: reading succeeds
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("keyValues"); // key, expected written value, ...

    const QStringList none;
    QTest::newRow("version only clears captions")
        << QByteArray("ButtonLayoutFileVersion=400\r\n") << "" << none
        << QStringList{"fHeight", "32", "fWidth", "120"};
    QTest::newRow("other version read alike")
        << QByteArray("ButtonLayoutFileVersion=999\r\nfHeight=40\r\n") << "" << none
        << QStringList{"fHeight", "40"};
    QTest::newRow("no version line")
        << QByteArray("fWidth=77\r\n") << "" << none << QStringList{"fWidth", "77"};
    QTest::newRow("empty file") << QByteArray() << "" << none << QStringList{"fHeight", "32"};
    QTest::newRow("lower case keys") << QByteArray("labeltext=Home\r\nfheight=50\r\n") << ""
                                     << QStringList{"Home"} << QStringList{"fHeight", "50"};
    QTest::newRow("upper case key")
        << QByteArray("FHEIGHT=51\r\nRGIMAGEFILEFORMAT=1\r\n") << "" << none
        << QStringList{"fHeight", "51", "rgImageFileFormat", "1"};
    QTest::newRow("kelvin sign is no k") << QByteArray("rgHTMLMa\xE2\x84\xAA"
                                                       "eTable=1\r\n")
                                         << "" << none << QStringList{"rgHTMLMakeTable", "0"};
    QTest::newRow("caption holding =")
        << QByteArray("LabelText=A=B\r\n") << "" << QStringList{"A=B"} << none;
    QTest::newRow("empty caption") << QByteArray("LabelText=\r\n") << "" << QStringList{""} << none;
    QTest::newRow("captions in order")
        << QByteArray("LabelText=Home\r\nLabelText=About Us\r\nLabelText= spaced \r\n") << ""
        << QStringList{"Home", "About Us", " spaced "} << none;
    QTest::newRow("blanks around =")
        << QByteArray("fHeight = 40\r\n") << "" << none << QStringList{"fHeight", "32"};
    QTest::newRow("lines without =") << QByteArray("just words\r\n\r\nfHeight=40\r\n") << "" << none
                                     << QStringList{"fHeight", "40"};
    QTest::newRow("unknown key not parsed")
        << QByteArray("fDepth=abc\r\n") << "" << none << QStringList{"fHeight", "32"};
    QTest::newRow("leading blanks")
        << QByteArray("fHeight=  40\r\n") << "" << none << QStringList{"fHeight", "40"};
    QTest::newRow("dollar hex") << QByteArray("fHeight=$1F\r\n") << "" << none
                                << QStringList{"fHeight", "31"};
    QTest::newRow("trailing letters")
        << QByteArray("fHeight=40px\r\n") << "'40px' is not a valid integer value" << none
        << QStringList{"fHeight", "32"};
    QTest::newRow("empty integer") << QByteArray("fWidth=\r\n") << "'' is not a valid integer value"
                                   << none << QStringList{"fWidth", "120"};
    // A long value is quoted only up to 40 characters, and never half of one.
    const QString forty = QString(39, u'9') + u'x';
    QTest::newRow("40 characters quoted whole")
        << "fWidth=" + forty.toLatin1() << "'" + forty + "' is not a valid integer value" << none
        << QStringList{"fWidth", "120"};
    QTest::newRow("longer value cut at 40")
        << "fWidth=" + forty.toLatin1() + "123"
        << "'" + forty + "...' is not a valid integer value" << none << none;
    QTest::newRow("a megabyte of value")
        << "fWidth=" + QByteArray(1 << 20, 'z')
        << "'" + QString(40, u'z') + "...' is not a valid integer value" << none << none;
    QTest::newRow("no half character quoted")
        << "fWidth=" + QByteArray(39, 'a') + "\xF0\x9F\x98\x80" + "b"
        << "'" + QString(39, u'a') + "...' is not a valid integer value" << none << none;
    QTest::newRow("reading stops at the failure")
        << QByteArray("LabelText=A\r\nfWidth=50\r\nfHeight=x\r\nLabelText=B\r\nfWidth=5\r\n")
        << "'x' is not a valid integer value" << QStringList{"A"}
        << QStringList{"fWidth", "50", "fHeight", "32"};
    QTest::newRow("bad colour") << QByteArray("image2.canvas.brush.color=yellow\r\n")
                                << "'yellow' is not a valid integer value" << none
                                << QStringList{"image2.canvas.brush.color", "16776960"};
    QTest::newRow("boolean T") << QByteArray("cbNormalButtonVariableWidth=T\r\n") << "" << none
                               << QStringList{"cbNormalButtonVariableWidth", "T"};
    QTest::newRow("boolean t is false")
        << QByteArray("cbNormalButtonVariableWidth=T\r\ncbNormalButtonVariableWidth=t\r\n") << ""
        << none << QStringList{"cbNormalButtonVariableWidth", "F"};
    QTest::newRow("boolean True is false")
        << QByteArray("cbPressedButtonPickFontDropShadow=T\r\n"
                      "cbPressedButtonPickFontDropShadow=True\r\n")
        << "" << none << QStringList{"cbPressedButtonPickFontDropShadow", "F"};
    QTest::newRow("boolean T with blank is false")
        << QByteArray("cbOutputDirectoryUseLabelsAsNames=T \r\n") << "" << none
        << QStringList{"cbOutputDirectoryUseLabelsAsNames", "F"};
    QTest::newRow("enumeration beyond last") << QByteArray("rgImageFileFormat=7\r\n") << "" << none
                                             << QStringList{"rgImageFileFormat", "2"};
    QTest::newRow("enumeration below -1") << QByteArray("rgImageFileFormat=-5\r\n") << "" << none
                                          << QStringList{"rgImageFileFormat", "-1"};
    QTest::newRow("enumerations of each group")
        << QByteArray("rgJavascriptOptions=9\r\nrgSelectedButtonBorders=5\r\n"
                      "rgPressedButtonPress=-1\r\nrgNormalButtonTextJustification=4\r\n"
                      "rgNormalButtonTextOrientation=3\r\nrgHTMLDirection=2\r\n"
                      "rgNormalButtonBackground=2\r\n")
        << "" << none
        << QStringList{"rgJavascriptOptions",
                       "3",
                       "rgSelectedButtonBorders",
                       "4",
                       "rgPressedButtonPress",
                       "-1",
                       "rgNormalButtonTextJustification",
                       "4",
                       "rgNormalButtonTextOrientation",
                       "2",
                       "rgHTMLDirection",
                       "1",
                       "rgNormalButtonBackground",
                       "2"};
    QTest::newRow("predefined 150 is none")
        << QByteArray("cbSelectedButtonPredefinedBitmaps=150\r\n") << "" << none
        << QStringList{"cbSelectedButtonPredefinedBitmaps", "-1"};
    QTest::newRow("predefined bounds")
        << QByteArray(
               "cbNormalButtonPredefinedBitmaps=99\r\ncbSelectedButtonPredefinedBitmaps=0\r\n"
               "cbPressedButtonPredefinedBitmaps=100\r\n")
        << "" << none << QStringList{"cbNormalButtonPredefinedBitmaps",   "99",
                                     "cbSelectedButtonPredefinedBitmaps", "0",
                                     "cbPressedButtonPredefinedBitmaps",  "-1"};
    QTest::newRow("colours unchanged")
        << QByteArray("image1.canvas.brush.color=$FF000008\r\nimage3.canvas.font.color=255\r\n"
                      "lblSelectedButtonPickFontDropShadowColor.color=-1\r\n")
        << "" << none
        << QStringList{"image1.canvas.brush.color",
                       "-16777208",
                       "image3.canvas.font.color",
                       "255",
                       "lblSelectedButtonPickFontDropShadowColor.color",
                       "-1"};
    QTest::newRow("size without limits")
        << QByteArray("fHeight=-3\r\nfWidth=5000\r\nimage2.canvas.font.size=72\r\n") << "" << none
        << QStringList{"fHeight", "-3", "fWidth", "5000", "image2.canvas.font.size", "72"};
    QTest::newRow("empty font name keeps the face")
        << QByteArray("image1.canvas.font.name=\r\n") << "" << none
        << QStringList{"image1.canvas.font.name", "MS Sans Serif"};
    QTest::newRow("font name replaced") << QByteArray("image2.canvas.font.name= Arial\r\n") << ""
                                        << none << QStringList{"image2.canvas.font.name", " Arial"};
    QTest::newRow("long font name cut to 31")
        << QByteArray("image3.canvas.font.name=ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghij\r\n") << ""
        << none << QStringList{"image3.canvas.font.name", "ABCDEFGHIJKLMNOPQRSTUVWXYZabcde"};
    QTest::newRow("style flags one by one")
        << QByteArray("image1.canvas.font.style.fsBold=T\r\nimage1.canvas.font.style.fsItalic=F\r\n"
                      "image1.canvas.font.style.fsUnderline=T\r\n")
        << "" << none << QStringList{"image1.canvas.font.style.fsBold",      "T",
                                     "image1.canvas.font.style.fsItalic",    "F",
                                     "image1.canvas.font.style.fsUnderline", "T",
                                     "image1.canvas.font.style.fsStrikeOut", "F"};
    QTest::newRow("texts untrimmed")
        << QByteArray("edOutputDirectoryFileNamePrefix= LONGPREFIX12 \r\n"
                      "lblOutputDirectoryFileName=/tmp/out=1/\r\n")
        << "" << none
        << QStringList{"edOutputDirectoryFileNamePrefix", " LONGPREFIX12 ",
                       "lblOutputDirectoryFileName", "/tmp/out=1/"};
    QTest::newRow("0x1A ends the file")
        << QByteArray("LabelText=A\r\nfHeight=40\x1A"
                      "fWidth=50\r\nLabelText=B\r\n")
        << "" << QStringList{"A"} << QStringList{"fHeight", "40", "fWidth", "120"};
    QTest::newRow("no final line end") << QByteArray("LabelText=A\r\nfHeight=40") << ""
                                       << QStringList{"A"} << QStringList{"fHeight", "40"};
    QTest::newRow("LF line ends") << QByteArray("LabelText=A\nLabelText=B\nfHeight=40\n") << ""
                                  << QStringList{"A", "B"} << QStringList{"fHeight", "40"};
    QTest::newRow("CR at end of data")
        << QByteArray("fHeight=40\r") << "" << none << QStringList{"fHeight", "40"};
    QTest::newRow("key twice, last wins")
        << QByteArray("fHeight=40\r\nFHEIGHT=41\r\nLabelText=A\r\nLabelText=A\r\n") << ""
        << QStringList{"A", "A"} << QStringList{"fHeight", "41"};
    // The looks: a radius brought into its range, words and colours in any case.
    QTest::newRow("corner radius bounds")
        << QByteArray("CornerRadius=65\r\n") << "" << none << QStringList{"CornerRadius", "64"};
    QTest::newRow("corner radius below 0")
        << QByteArray("CornerRadius=-1\r\n") << "" << none << QStringList{"CornerRadius", "0"};
    QTest::newRow("corner radius not a number")
        << QByteArray("CornerRadius=6px\r\n") << "'6px' is not a valid integer value" << none
        << QStringList{"CornerRadius", "0"};
    QTest::newRow("direction in any case")
        << QByteArray("gradientdirection=HORIZONTAL\r\nPageColor=#a0b0c0\r\n") << "" << none
        << QStringList{"GradientDirection", "Horizontal", "PageColor", "#A0B0C0"};
    QTest::newRow("direction unknown") << QByteArray("GradientDirection=Diagonal\r\n")
                                       << "'Diagonal' is not one of the values of this key" << none
                                       << QStringList{"GradientDirection", "Vertical"};
    QTest::newRow("gradient set and off")
        << QByteArray("NormalGradient=#336699\r\nPressedGradient=#000001\r\n"
                      "PressedGradient=Off\r\n")
        << "" << none << QStringList{"NormalGradient", "#336699", "PressedGradient", "off"};
    QTest::newRow("gradient not a colour") << QByteArray("SelectedGradient=336699\r\n")
                                           << "'336699' is not a colour of the form #RRGGBB" << none
                                           << QStringList{"SelectedGradient", "off"};
    QTest::newRow("short own image name kept")
        << QByteArray("lblNormalButtonBMPfilename=a.b\r\n") << "" << none
        << QStringList{"lblNormalButtonBMPfilename", "a.b"};
}

void tst_ProjectFileReader::readingRules()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, error);
    QFETCH(QStringList, captions);
    QFETCH(QStringList, keyValues);

    ButtonProject project;
    project.captions = {QStringLiteral("Old")};
    ProjectFileReader reader(project);
    const Failure failure = reader.loadFromBytes(input);
    QCOMPARE(failure.isError(), !error.isEmpty());
    QCOMPARE(ErrorText::message(failure), error);
    QCOMPARE(project.captions, captions);
    for (int i = 0; i + 1 < keyValues.size(); i += 2)
        QCOMPARE(writtenValue(project, keyValues[i]), keyValues[i + 1]);
}

void tst_ProjectFileReader::ownImages_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("loadedPath"); // empty: the loader is not asked

    QTest::newRow("normal") << QByteArray("lblNormalButtonBMPfilename=/pics/a.bmp") << 1
                            << "/pics/a.bmp";
    QTest::newRow("selected, key case")
        << QByteArray("LBLSELECTEDBUTTONBMPFILENAME=/pics/b.jpg") << 2 << "/pics/b.jpg";
    QTest::newRow("pressed, four characters")
        << QByteArray("lblPressedButtonBMPfilename=a.gi") << 3 << "a.gi";
    QTest::newRow("three characters") << QByteArray("lblPressedButtonBMPfilename=a.b") << 3 << "";
    QTest::newRow("empty") << QByteArray("lblNormalButtonBMPfilename=") << 1 << "";
    QTest::newRow("shortened path")
        << QByteArray("lblNormalButtonBMPfilename=C:\\...\\pics\\a.bmp") << 1 << "";
}

void tst_ProjectFileReader::ownImages()
{
    QFETCH(QByteArray, line);
    QFETCH(int, state);
    QFETCH(QString, loadedPath);

    ButtonProject project;
    QList<QPair<int, QString>> calls;
    ProjectFileReader reader(project, [&calls](ButtonState s, const QString& path) {
        calls.append({int(s), path});
        return Failure();
    });
    QVERIFY(!reader.loadFromBytes(line).isError());
    const QString value = QString::fromUtf8(line.mid(line.indexOf('=') + 1));
    QCOMPARE(project.style(ButtonState(state)).imageFileName, value);
    if (loadedPath.isEmpty()) {
        QVERIFY(calls.isEmpty());
    } else {
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls[0].first, state);
        QCOMPARE(calls[0].second, loadedPath);
    }
}

void tst_ProjectFileReader::ownImageFailureStopsReading()
{
    ButtonProject project;
    const auto refusal = [](const QString& path) {
        return Failure(Failure::Code::Refuse, path)
            .because(FailureReason::UnknownExtension, path.section('.', -1));
    };
    ProjectFileReader reader(project,
                             [&](ButtonState, const QString& path) { return refusal(path); });
    QCOMPARE(reader.loadFromBytes("LabelText=A\r\nlblSelectedButtonBMPfilename=/pics/a.tif\r\n"
                                  "LabelText=B\r\n"),
             refusal("/pics/a.tif"));
    QCOMPARE(project.captions, QStringList{"A"});
    QCOMPARE(project.selected.imageFileName, QStringLiteral("/pics/a.tif"));
}

void tst_ProjectFileReader::encodings_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("windows-1252") << projectPath("windows1252.blp");
    QTest::newRow("utf-8") << projectPath("utf8.blp");
    QTest::newRow("utf-8 with byte-order mark") << projectPath("utf8-bom.blp");
}

void tst_ProjectFileReader::encodings()
{
    QFETCH(QString, file);
    ButtonProject project;
    project.projectFileName = file;
    ProjectFileReader reader(project);
    const Failure failure = reader.loadProjectFile();
    QVERIFY2(!failure, qPrintable(ErrorText::message(failure)));
    const QStringList expected{QString::fromUtf8("Caf\u00E9"),
                               QString::fromUtf8("\u20ACuro Stra\u00DFe"),
                               QString::fromUtf8("Na\u00EFve \u2013 \u201Cquoted\u201D"),
                               QString::fromUtf8("\u0152uvre|\u2122")};
    QCOMPARE(project.captions, expected);
    QCOMPARE(project.normal.fontName, QString::fromUtf8("Tr\u00E9buchet"));
    QCOMPARE(project.fileNamePrefix, QStringLiteral("BTN"));
}

void tst_ProjectFileReader::utf8Validation_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("valid");
    QTest::newRow("ascii") << QByteArray("fHeight=40") << true;
    QTest::newRow("two bytes") << QByteArray("Caf\xC3\xA9") << true;
    QTest::newRow("four bytes") << QByteArray("\xF0\x9F\x98\x80") << true;
    QTest::newRow("latin-1 byte") << QByteArray("Caf\xE9") << false;
    QTest::newRow("truncated at end") << QByteArray("Caf\xC3") << false;
    QTest::newRow("overlong slash") << QByteArray("\xC0\xAF") << false;
    QTest::newRow("encoded surrogate") << QByteArray("\xED\xA0\x80") << false;
    QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << false;
}

void tst_ProjectFileReader::utf8Validation()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, valid);
    QCOMPARE(TextEncoding::isValidUtf8(bytes), valid);
}

void tst_ProjectFileReader::windows1252Table()
{
    QByteArray all;
    for (int b = 0x80; b <= 0xFF; ++b)
        all.append(char(b));
    const QString text = TextEncoding::fromWindows1252(all);
    QCOMPARE(text.size(), 128);
    QCOMPARE(text[0x80 - 0x80], QChar(0x20AC));
    QCOMPARE(text[0x81 - 0x80], QChar(0x0081));
    QCOMPARE(text[0x8A - 0x80], QChar(0x0160));
    QCOMPARE(text[0x96 - 0x80], QChar(0x2013));
    QCOMPARE(text[0x99 - 0x80], QChar(0x2122));
    QCOMPARE(text[0x9F - 0x80], QChar(0x0178));
    for (int b = 0xA0; b <= 0xFF; ++b)
        QCOMPARE(text[b - 0x80], QChar(b));
}

void tst_ProjectFileReader::encodingIsDecidedForTheWholeFile()
{
    // Valid UTF-8 on the first line does not make the file UTF-8 when a later line is not.
    QByteArray data = "LabelText=Caf\xC3\xA9\r\n";
    data += QByteArray(100000, 'x') + "\r\nLabelText=\xE9\r\n";
    ButtonProject project;
    ProjectFileReader reader(project);
    QVERIFY(!reader.loadFromBytes(data).isError());
    QCOMPARE(project.captions.size(), 2);
    QCOMPARE(project.captions[0], QString::fromUtf8("Caf\u00C3\u00A9"));
    QCOMPARE(project.captions[1], QString::fromUtf8("\u00E9"));

    // A byte-order mark is skipped; beyond 0x1A nothing counts, invalid bytes included.
    QVERIFY(!reader.loadFromBytes("\xEF\xBB\xBFLabelText=\xE2\x82\xAC\r\n\x1A\xFF").isError());
    QCOMPARE(project.captions, QStringList{QString::fromUtf8("\u20AC")});

    // Pieces of a sequence fed apart still make valid UTF-8.
    TextEncoding::Utf8Validator validator;
    validator.feed("Caf\xC3");
    validator.feed("\xA9");
    QVERIFY(validator.finish());
}

void tst_ProjectFileReader::openFailureChangesNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("error");
    QTest::newRow("missing file") << "missing.blp"
                                  << "File not found";
    QTest::newRow("missing folder") << "no/such/folder/x.blp"
                                    << "Invalid filename";
    QTest::newRow("folder as file") << "."
                                    << "%1 is a folder";
    QTest::newRow("no name") << QString() << "Invalid filename";
}

void tst_ProjectFileReader::openFailureChangesNothing()
{
    QFETCH(QString, name);
    QFETCH(QString, error);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    ButtonProject project;
    project.captions = {QStringLiteral("Keep")};
    project.projectFileName = name.isNull() ? name : QDir::cleanPath(dir.filePath(name));
    ProjectFileReader reader(project);
    QCOMPARE(ErrorText::message(reader.loadProjectFile()),
             QString(error).replace("%1", project.projectFileName));
    QCOMPARE(project.captions, QStringList{"Keep"});
}

void tst_ProjectFileReader::filesThatAreNoProjectFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("error"); // %1 for the path; empty: read as an empty project
    QTest::newRow("64 MB of nothing, read") << "sparse 64"
                                            << "";
    QTest::newRow("just past 64 MB of nothing")
        << "sparse 64+1"
        << "%1 is larger than 64 MB; it is not a project file";
    QTest::newRow("socket") << "socket"
                            << "%1 is not a regular file";
    QTest::newRow("endless device") << "/dev/zero"
                                    << "%1 is not a regular file";
    QTest::newRow("FIFO that nobody writes to") << "fifo"
                                                << "";
}

// Each is found out before it is read, and none holds its reader.
void tst_ProjectFileReader::filesThatAreNoProjectFiles()
{
    QFETCH(QString, kind);
    QFETCH(QString, error);
    QTemporaryDir dir;
    QString path = dir.filePath(kind);
    const QByteArray encoded = QFile::encodeName(path);
    if (kind.startsWith("sparse")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize((qint64(64) << 20) + kind.endsWith("+1")));
    } else if (kind == "socket") {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, encoded.constData(), sizeof address.sun_path);
        QVERIFY(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0);
        ::close(fd);
    } else if (kind == "fifo") {
        QVERIFY(::mkfifo(encoded.constData(), 0600) == 0);
    } else {
        path = kind;
    }
    ButtonProject project;
    project.captions = {QStringLiteral("Keep")};
    project.projectFileName = path;
    ProjectFileReader reader(project);
    QCOMPARE(ErrorText::message(reader.loadProjectFile()), QString(error).replace("%1", path));
    QCOMPARE(project.captions, error.isEmpty() ? QStringList() : QStringList{"Keep"});
    QVERIFY(!reader.namedProjectKey());
}

QTEST_GUILESS_MAIN(tst_ProjectFileReader)
#include "tst_ProjectFileReader.moc"
