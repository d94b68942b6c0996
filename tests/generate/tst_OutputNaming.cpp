#include "ErrorText.h"
#include "OutputNaming.h"

#include <QtTest>

class tst_OutputNaming : public QObject
{
    Q_OBJECT

private slots:
    void normalisedOutputDirectory_data();
    void normalisedOutputDirectory();
    void captionFileName_data();
    void captionFileName();
    void paths_data();
    void paths();
    void stemsFollowCaptionOrder();
    void captionNamesStayInTheFolder();
    void prefixError_data();
    void prefixError();
    void tooLongName_data();
    void tooLongName();
    void tooLongPath_data();
    void tooLongPath();
};

void tst_OutputNaming::normalisedOutputDirectory_data()
{
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QString>("normalised");
    QTest::newRow("without trailing slash") << "/tmp/web"
                                            << "/tmp/web/";
    QTest::newRow("with trailing slash") << "/tmp/web/"
                                         << "/tmp/web/";
    QTest::newRow("root stays root") << "/"
                                     << "/";
    QTest::newRow("directory under root") << "/web"
                                          << "/web/";
    QTest::newRow("doubled slash is kept") << "/tmp//"
                                           << "/tmp//";
    QTest::newRow("relative") << "out"
                              << "out/";
    QTest::newRow("empty means current directory") << ""
                                                   << "./";
    QTest::newRow("dot") << "."
                         << "./";
    QTest::newRow("mixed case kept") << "/Tmp/Web"
                                     << "/Tmp/Web/";
}

void tst_OutputNaming::normalisedOutputDirectory()
{
    QFETCH(QString, entered);
    QFETCH(QString, normalised);
    QCOMPARE(OutputNaming::normalisedOutputDirectory(entered), normalised);
}

void tst_OutputNaming::captionFileName_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("name");
    QTest::newRow("slash colon space plus") << "A/B: C+D"
                                            << "AsBc-CpD";
    QTest::newRow("all eleven") << "/\\:*?\"<>| +"
                                << "sbcahqlgm-p";
    QTest::newRow("two-line caption") << "Top|Bottom"
                                      << "TopmBottom";
    QTest::newRow("case and other characters kept") << "Ver. 2 & #1%"
                                                    << "Ver.-2-&-#1%";
    QTest::newRow("replacements are not replaced again") << "s b"
                                                         << "s-b";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("NUL and other control characters dropped")
        << QStringLiteral("A\0B\x01\tC\x7f\u0085"
                          "D")
        << "ABCD";
}

void tst_OutputNaming::captionFileName()
{
    QFETCH(QString, caption);
    QFETCH(QString, name);
    QCOMPARE(OutputNaming::captionFileName(caption), name);
}

void tst_OutputNaming::paths_data()
{
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<bool>("captionsAsNames");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("stems"); // Normal, Selected, Pressed
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("projectCopy");

    QTest::newRow("default prefix")
        << "/tmp/web"
        << "BTN" << false << "Home"
        << QStringList{"/tmp/web/btn1", "/tmp/web/btn1s", "/tmp/web/btn1p"}
        << "/tmp/web/BTNPAGE.html"
        << "/tmp/web/btnproject.blp";
    QTest::newRow("prefix keeps its case in the page only")
        << "/tmp/web/"
        << "Btn" << false << "Home"
        << QStringList{"/tmp/web/btn1", "/tmp/web/btn1s", "/tmp/web/btn1p"}
        << "/tmp/web/BtnPAGE.html"
        << "/tmp/web/btnproject.blp";
    QTest::newRow("captions as names")
        << "/tmp/web"
        << "BTN" << true << "A/B: C+D"
        << QStringList{"/tmp/web/asbc-cpd", "/tmp/web/asbc-cpds", "/tmp/web/asbc-cpdp"}
        << "/tmp/web/BTNPAGE.html"
        << "/tmp/web/project.blp";
    QTest::newRow("directory case is not touched")
        << "/Tmp/My Web"
        << "BTN" << true << "About Us"
        << QStringList{"/Tmp/My Web/about-us", "/Tmp/My Web/about-uss", "/Tmp/My Web/about-usp"}
        << "/Tmp/My Web/BTNPAGE.html"
        << "/Tmp/My Web/project.blp";
    QTest::newRow("non-ASCII letters keep their case")
        << "/w"
        << "BTN" << true << "ÜBER" << QStringList{"/w/Über", "/w/Übers", "/w/Überp"}
        << "/w/BTNPAGE.html"
        << "/w/project.blp";
    QTest::newRow("every ASCII capital, and the characters around them")
        << "/w"
        << "BTN" << true << "@ABCDEFGHIJKLMNOPQRSTUVWXYZ[`az{"
        << QStringList{"/w/@abcdefghijklmnopqrstuvwxyz[`az{",
                       "/w/@abcdefghijklmnopqrstuvwxyz[`az{s",
                       "/w/@abcdefghijklmnopqrstuvwxyz[`az{p"}
        << "/w/BTNPAGE.html"
        << "/w/project.blp";
    QTest::newRow("empty directory")
        << ""
        << "BTN" << false << "Home" << QStringList{"./btn1", "./btn1s", "./btn1p"}
        << "./BTNPAGE.html"
        << "./btnproject.blp";
}

void tst_OutputNaming::paths()
{
    QFETCH(QString, directory);
    QFETCH(QString, prefix);
    QFETCH(bool, captionsAsNames);
    QFETCH(QString, caption);
    QFETCH(QStringList, stems);
    QFETCH(QString, page);
    QFETCH(QString, projectCopy);

    ButtonProject project;
    project.outputDirectory = directory;
    project.fileNamePrefix = prefix;
    project.useCaptionsAsNames = captionsAsNames;
    project.captions = {caption};
    QCOMPARE(OutputNaming::imagePathStem(project, 1, ButtonState::Normal), stems.at(0));
    QCOMPARE(OutputNaming::imagePathStem(project, 1, ButtonState::Selected), stems.at(1));
    QCOMPARE(OutputNaming::imagePathStem(project, 1, ButtonState::Pressed), stems.at(2));
    QCOMPARE(OutputNaming::samplePagePath(project), page);
    QCOMPARE(OutputNaming::projectCopyPath(project), projectCopy);
}

void tst_OutputNaming::stemsFollowCaptionOrder()
{
    ButtonProject project;
    project.outputDirectory = "/out";
    project.captions = {"About Us", "Home"};
    QCOMPARE(OutputNaming::buttonFileName(project, 2), QString("BTN2"));
    QCOMPARE(OutputNaming::imagePathStem(project, 2, ButtonState::Normal), QString("/out/btn2"));
    project.captions.move(1, 0);
    QCOMPARE(OutputNaming::imagePathStem(project, 1, ButtonState::Normal), QString("/out/btn1"));

    // Home and HOME as names write the same files.
    project.useCaptionsAsNames = true;
    project.captions = {"Home", "HOME"};
    QCOMPARE(OutputNaming::imagePathStem(project, 1, ButtonState::Normal),
             OutputNaming::imagePathStem(project, 2, ButtonState::Normal));
}

void tst_OutputNaming::captionNamesStayInTheFolder()
{
    ButtonProject project;
    project.outputDirectory = "/out";
    project.useCaptionsAsNames = true;
    project.captions = {
        "..", "../..", "/etc/passwd", "..\\x", QStringLiteral("a\0/../b"), QStringLiteral("\n..")};
    for (int n = 1; n <= project.captions.size(); ++n) {
        for (ButtonState state : {ButtonState::Normal, ButtonState::Selected}) {
            const QString stem = OutputNaming::imagePathStem(project, n, state);
            QVERIFY2(stem.startsWith("/out/"), qPrintable(stem));
            const QString name = stem.mid(5);
            QVERIFY2(!name.contains('/') && !name.contains(QChar(0)), qPrintable(stem));
            // With an extension added, ".." can only be the start of a longer name.
            QVERIFY2(name + ".jpg" != ".." && name + ".jpg" != ".", qPrintable(stem));
        }
    }
}

void tst_OutputNaming::prefixError_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("error");
    QTest::newRow("default") << "BTN"
                             << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("dots inside a name") << "..btn"
                                        << "";
    QTest::newRow("non-ASCII") << QStringLiteral("Caf\u00e9") << "";
    QTest::newRow("parent folder") << "../escaped"
                                   << "Invalid file name prefix: \"../escaped\"";
    QTest::newRow("absolute") << "/tmp/x"
                              << "Invalid file name prefix: \"/tmp/x\"";
    QTest::newRow("backslash") << "a\\b"
                               << "Invalid file name prefix: \"a\\\\b\"";
    QTest::newRow("dot") << "."
                         << "Invalid file name prefix: \".\"";
    QTest::newRow("dot dot") << ".."
                             << "Invalid file name prefix: \"..\"";
    QTest::newRow("NUL") << QStringLiteral("A\0") << "Invalid file name prefix: \"A\\x00\"";
    QTest::newRow("line break and quote") << "a\n\"b"
                                          << "Invalid file name prefix: \"a\\x0a\\\"b\"";
    QTest::newRow("long text cut")
        << QString(100, 'x') + '/' << "Invalid file name prefix: \"" + QString(40, 'x') + "...\"";
}

void tst_OutputNaming::prefixError()
{
    QFETCH(QString, prefix);
    QFETCH(QString, error);
    QCOMPARE(ErrorText::message(OutputNaming::prefixError(prefix)), error);
}

void tst_OutputNaming::tooLongName_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("error");
    QTest::addColumn<bool>("webP");
    // Each caption is a file name with ".jpg" after it, in a folder that takes 255 bytes.
    QTest::newRow("ASCII at the limit") << QString(251, 'a') << QString() << false;
    QTest::newRow("ASCII past it")
        << QString(252, 'a') << "File name too long: " + QString(40, 'a') << false;
    QTest::newRow("past it as .webp")
        << QString(251, 'a') << "File name too long: " + QString(40, 'a') << true;
    // 130 characters, 256 bytes in UTF-8
    QTest::newRow("counted in bytes")
        << QString(126, QChar(0xE9)) << "File name too long: " + QString(40, QChar(0xE9)) << false;
    const QString smiles = "a" + QString(QStringLiteral("\U0001F600")).repeated(64);
    QTest::newRow("never half a character")
        << smiles << "File name too long: " + smiles.left(39) << false;
}

void tst_OutputNaming::tooLongName()
{
    QFETCH(QString, caption);
    QFETCH(QString, error);
    QFETCH(bool, webP);
    ButtonProject project;
    project.webPImages = webP;
    project.useCaptionsAsNames = true;
    project.javaScriptOption = JavaScriptOption::Static;
    project.captions = {"Home", caption};
    QCOMPARE(ErrorText::message(OutputNaming::tooLongNameError(project, 255)), error);
}

void tst_OutputNaming::tooLongPath_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("error");
    // With its first and last slash the folder takes 4062 bytes; a temporary's name 33 more,
    // and a NUL: PATH_MAX.
    const QString at = (QString(99, 'd') + '/').repeated(40) + QString(60, 'd');
    QTest::newRow("at the limit") << at << QString();
    QTest::newRow("one byte past it") << at + 'd' << "File name too long: /" + at.left(39);
    // 2043 characters, 4064 bytes in UTF-8
    const QChar e(0xE9);
    QTest::newRow("counted in bytes") << (QString(99, e) + '/').repeated(20) + QString(41, e)
                                      << "File name too long: /" + QString(39, e);
    const QString part(256, 'f');
    QTest::newRow("a folder's own name") << "x/" + part << "File name too long: " + part.left(40);
}

void tst_OutputNaming::tooLongPath()
{
    QFETCH(QString, folder);
    QFETCH(QString, error);
    ButtonProject project;
    project.outputDirectory = "/" + folder;
    project.captions = {"Home"};
    QCOMPARE(ErrorText::message(OutputNaming::tooLongNameError(project, 255)), error);
}

QTEST_MAIN(tst_OutputNaming)
#include "tst_OutputNaming.moc"
