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

QTEST_MAIN(tst_OutputNaming)
#include "tst_OutputNaming.moc"
