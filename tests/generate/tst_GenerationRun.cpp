#include "../codecs/CodecTestSupport.h"
#include "AtomicOutputFile.h"
#include "ErrorText.h"
#include "GenerationRun.h"
#include "OutputNaming.h"
#include "PngCodec.h"
#include "PredefinedBackground.h"
#include "ProjectFileReader.h"
#include "RunBudget.h"

#include <QtTest>

#include <unistd.h>

namespace {

ButtonProject projectIn(const QString& directory, const QStringList& captions,
                        JavaScriptOption option = JavaScriptOption::MouseOver)
{
    ButtonProject project;
    project.captions = captions;
    project.javaScriptOption = option;
    project.outputDirectory = directory;
    project.normal.fontName = QStringLiteral("DejaVu Sans");
    project.selected.fontName = QStringLiteral("DejaVu Sans");
    project.pressed.fontName = QStringLiteral("DejaVu Sans");
    return project;
}

struct Fixture
{
    BackgroundPictures pictures;
    OptionSets options;
    ButtonSizeTables sizes;

    GenerationResult run(ButtonProject& project)
    {
        return GenerationRun(project, pictures, options, sizes).run();
    }
};

QStringList filesIn(const QString& directory)
{
    QStringList names = QDir(directory).entryList(QDir::Files, QDir::Name);
    return names;
}

QStringList imageFiles(const QStringList& stems)
{
    QStringList names;
    for (const QString& stem : stems)
        names << stem + ".gif" << stem + ".jpg" << stem + ".png";
    return names;
}

// Every file a page or stylesheet refers to (src, srcset, url()), as a name in its folder.
QStringList namedFiles(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {"(unreadable " + path + ")"};
    static const QRegularExpression reference(
        "(src|srcset)(?:=| = )\"([^\"]*)\"|url\\(\"([^\"]*)\"\\)");
    QStringList names;
    for (const QRegularExpressionMatch& m :
         reference.globalMatch(QString::fromUtf8(file.readAll()))) {
        const bool set = m.captured(1) == "srcset";
        const QString urls = m.captured(2) + m.captured(3);
        for (const QString& candidate : urls.split(set ? ", " : "\n")) {
            QString url = set ? candidate.section(' ', 0, 0) : candidate;
            url.replace("&amp;", "&");
            // Read as a URL, a name with a colon must not start a scheme.
            if (!QUrl(url).isRelative())
                return {"(not relative: " + url + ")"};
            names << QUrl::fromPercentEncoding(url.toUtf8()).remove(QRegularExpression("^\\./"));
        }
    }
    return names;
}

QStringList missingFiles(const QString& directory, const QStringList& names)
{
    QStringList missing;
    for (const QString& name : names) {
        if (!QFileInfo(QDir(directory).filePath(name)).isFile())
            missing << name;
    }
    return missing;
}

} // namespace

class tst_GenerationRun : public QObject
{
    Q_OBJECT

private slots:
    void filesPerOption_data();
    void filesPerOption();
    void namesFromCaptionsAndPrefix_data();
    void namesFromCaptionsAndPrefix();
    void otherStatesTakeTheNormalSize();
    void doubleSizeTwinsBesideEachImage_data();
    void doubleSizeTwinsBesideEachImage();
    void projectCopyAndProjectFileName();
    void failedProjectCopyRestoresProjectFileName();
    void unwritableDirectory_data();
    void unwritableDirectory();
    void unrenderableButtonsAreDropped_data();
    void unrenderableButtonsAreDropped();
    void manyDropsAreCountedAndReportedInOrder();
    void pageNamesOnlyWrittenFiles_data();
    void pageNamesOnlyWrittenFiles();
    void threadsWriteWhatOneThreadWrites();
    void refusedNamesWriteNothing_data();
    void refusedNamesWriteNothing();
    void refusedSizesWriteNothing_data();
    void refusedSizesWriteNothing();
    void budgetCountsThePictureBeingDecoded_data();
    void budgetCountsThePictureBeingDecoded();
    void controlCharactersLeaveCaptionNames();
    void temporariesOfKilledRunsAreRemoved();
    void spritesStackTheStates_data();
    void spritesStackTheStates();
    void styleSheetNamesOnlyWrittenSprites();
    void spritesThatCannotBeMadeAreDropped_data();
    void spritesThatCannotBeMadeAreDropped();
    void partlyWrittenImagesAreCountedAndShown_data();
    void partlyWrittenImagesAreCountedAndShown();
    void fullDiskEndsTheRunAtOnce_data();
    void fullDiskEndsTheRunAtOnce();
    void compactPngKeepsPixels_data();
    void compactPngKeepsPixels();
};

void tst_GenerationRun::filesPerOption_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<QStringList>("stems");
    QTest::newRow("Static") << int(JavaScriptOption::Static) << QStringList{"btn1", "btn2"};
    QTest::newRow("no choice") << int(JavaScriptOption::NoChoice) << QStringList{"btn1", "btn2"};
    QTest::newRow("MouseOver") << int(JavaScriptOption::MouseOver)
                               << QStringList{"btn1", "btn1s", "btn2", "btn2s"};
    QTest::newRow("Pressed") << int(JavaScriptOption::Pressed)
                             << QStringList{"btn1", "btn1p", "btn2", "btn2p"};
    QTest::newRow("Both") << int(JavaScriptOption::Both)
                          << QStringList{"btn1", "btn1p", "btn1s", "btn2", "btn2p", "btn2s"};
}

void tst_GenerationRun::filesPerOption()
{
    QFETCH(int, option);
    QFETCH(QStringList, stems);
    QTemporaryDir dir;
    ButtonProject project = projectIn(dir.path(), {"Home", "About Us"}, JavaScriptOption(option));
    Fixture f;
    const GenerationResult result = f.run(project);

    QVERIFY2(result.everythingWritten(), qPrintable(ErrorText::message(result.fatalError)));
    QCOMPARE(result.imagesWritten, stems.size());
    QCOMPARE(result.filesWritten, 3 * stems.size() + 2);
    QStringList expected = imageFiles(stems) << "BTNPAGE.html"
                                             << "btnproject.blp";
    expected.sort();
    QCOMPARE(filesIn(dir.path()), expected);
    QCOMPARE(result.pagePath, dir.filePath("BTNPAGE.html"));
    QCOMPARE(result.projectCopyPath, dir.filePath("btnproject.blp"));
    for (const QString& stem : stems)
        QVERIFY(!QImage(dir.filePath(stem + ".png")).isNull());
}

void tst_GenerationRun::namesFromCaptionsAndPrefix_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<bool>("captionsAsNames");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("captions as names")
        << "BTN" << true << QStringList{"A/B: C+D", "Two|Lines"}
        << QStringList{"BTNPAGE.html", "asbc-cpd.gif",  "asbc-cpd.jpg",  "asbc-cpd.png",
                       "project.blp",  "twomlines.gif", "twomlines.jpg", "twomlines.png"};
    QTest::newRow("mixed-case prefix")
        << "Btn" << false << QStringList{"Home"}
        << QStringList{"BtnPAGE.html", "btn1.gif", "btn1.jpg", "btn1.png", "btnproject.blp"};
    QTest::newRow("same name twice: the later caption wins")
        << "BTN" << true << QStringList{"Home", "HOME"}
        << QStringList{"BTNPAGE.html", "home.gif", "home.jpg", "home.png", "project.blp"};
}

void tst_GenerationRun::namesFromCaptionsAndPrefix()
{
    QFETCH(QString, prefix);
    QFETCH(bool, captionsAsNames);
    QFETCH(QStringList, captions);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    ButtonProject project = projectIn(dir.path() + "/", captions, JavaScriptOption::Static);
    project.fileNamePrefix = prefix;
    project.useCaptionsAsNames = captionsAsNames;
    Fixture f;
    QVERIFY(f.run(project).everythingWritten());
    QCOMPARE(filesIn(dir.path()), expected);
}

void tst_GenerationRun::otherStatesTakeTheNormalSize()
{
    QTemporaryDir dir;
    ButtonProject project =
        projectIn(dir.path(), {"Go", "A much longer caption"}, JavaScriptOption::Both);
    project.variableWidth = true;
    project.selected.fontSize = 20; // would need a wider button of its own
    Fixture f;
    f.sizes.store(2, 999, 999); // left from an earlier run
    QVERIFY(f.run(project).everythingWritten());
    for (int n = 1; n <= 2; ++n) {
        const QSize normal = QImage(dir.filePath(QString("btn%1.png").arg(n))).size();
        QCOMPARE(normal, QSize(f.sizes.width(n), f.sizes.height(n)));
        QCOMPARE(QImage(dir.filePath(QString("btn%1s.png").arg(n))).size(), normal);
        QCOMPARE(QImage(dir.filePath(QString("btn%1p.gif").arg(n))).size(), normal);
    }
    QVERIFY(f.sizes.width(2) > f.sizes.width(1));
    QVERIFY(f.sizes.width(2) < 999);
}

void tst_GenerationRun::doubleSizeTwinsBesideEachImage_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<bool>("variableWidth");
    QTest::addColumn<int>("predefined");
    QTest::newRow("Static") << int(JavaScriptOption::Static) << false << -1;
    QTest::newRow("Both, variable, picture") << int(JavaScriptOption::Both) << true << 84;
}

void tst_GenerationRun::doubleSizeTwinsBesideEachImage()
{
    QFETCH(int, option);
    QFETCH(bool, variableWidth);
    QFETCH(int, predefined);
    QTemporaryDir dir;
    ButtonProject project =
        projectIn(dir.path(), {"Home", "Contact|us today"}, JavaScriptOption(option));
    project.variableWidth = variableWidth;
    project.smoothCaptions = true;
    project.hiDpiImages = true;
    for (ButtonState state : {ButtonState::Normal, ButtonState::Selected, ButtonState::Pressed}) {
        project.style(state).predefinedIndex = predefined;
        if (predefined >= 0)
            project.style(state).backgroundKind = BackgroundKind::Predefined;
    }
    Fixture f;
    PredefinedBackground::reloadPictures(project, f.pictures);
    const GenerationResult result = f.run(project);
    QVERIFY2(result.everythingWritten(), qPrintable(ErrorText::message(result.fatalError)));

    QStringList singles;
    for (const QString& name : filesIn(dir.path()))
        if (name.endsWith(".gif") || name.endsWith(".jpg") || name.endsWith(".png"))
            if (!name.contains("@2x"))
                singles << name;
    QCOMPARE(result.imagesWritten * 3, singles.size() * 2);
    for (const QString& name : singles) {
        const QString twin = QFileInfo(name).completeBaseName() + "@2x." + QFileInfo(name).suffix();
        QCOMPARE(QImage(dir.filePath(twin)).size(), QImage(dir.filePath(name)).size() * 2);
    }
}

void tst_GenerationRun::projectCopyAndProjectFileName()
{
    QTemporaryDir dir;
    ButtonProject project = projectIn(dir.path(), {"Home", "About Us"});
    project.projectFileName = "/home/user/site.blp";
    Fixture f;
    QVERIFY(f.run(project).everythingWritten());
    QCOMPARE(project.projectFileName, QString("/home/user/site.blp"));

    ButtonProject copy;
    copy.projectFileName = dir.filePath("btnproject.blp");
    ProjectFileReader reader(copy);
    const Failure failure = reader.loadProjectFile();
    QVERIFY2(!failure, qPrintable(ErrorText::message(failure)));
    QCOMPARE(copy.captions, project.captions);
    QCOMPARE(copy.outputDirectory, dir.path());
    QCOMPARE(copy.normal.fontName, QString("DejaVu Sans"));
}

void tst_GenerationRun::failedProjectCopyRestoresProjectFileName()
{
    QTemporaryDir dir;
    // A directory where the copy should go: the page is written, the copy cannot be.
    QVERIFY(QDir(dir.path()).mkdir("btnproject.blp"));
    ButtonProject project = projectIn(dir.path(), {"Home"});
    project.projectFileName = "mine.blp";
    Fixture f;
    const GenerationResult result = f.run(project);
    QVERIFY(result.droppedImages.isEmpty());
    QCOMPARE(ErrorText::message(result.fatalError), QString("File access denied"));
    QVERIFY(result.pageWritten);
    QCOMPARE(result.filesWritten, 6 + 1);
    QVERIFY(QFile::exists(dir.filePath("BTNPAGE.html")));
    QCOMPARE(project.projectFileName, QString("mine.blp"));
}

void tst_GenerationRun::unwritableDirectory_data()
{
    QTest::addColumn<QString>("relativeDirectory");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << "missing/deeper"
                             << "No such file or directory";
    QTest::newRow("a file, not a directory") << "plain-file"
                                             << "Not a directory";
}

void tst_GenerationRun::unwritableDirectory()
{
    QFETCH(QString, relativeDirectory);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QFile plain(dir.filePath("plain-file"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();

    const QString output = dir.filePath(relativeDirectory);
    ButtonProject project = projectIn(output, {"Home", "About Us"}, JavaScriptOption::Pressed);
    project.projectFileName = "kept.blp";
    Fixture f;
    const GenerationResult result = f.run(project);

    QCOMPARE(result.droppedImages.size(), 4);
    const QStringList stems = {"btn1", "btn1p", "btn2", "btn2p"};
    for (int i = 0; i < stems.size(); ++i) {
        QCOMPARE(result.droppedImages.at(i).pathStem, output + "/" + stems.at(i));
        QVERIFY(!ErrorText::messageWithPath(result.droppedImages.at(i).reason).isEmpty());
    }
    QCOMPARE(ErrorText::message(result.fatalError),
             QString("Cannot create file \"%1/BTNPAGE.html\". %2").arg(output, reason));
    QCOMPARE(result.imagesWritten, 0);
    QVERIFY(!result.pageWritten);
    QCOMPARE(result.filesWritten, 0);
    QCOMPARE(project.projectFileName, QString("kept.blp"));
    QCOMPARE(filesIn(dir.path()), QStringList{"plain-file"});
}

void tst_GenerationRun::unrenderableButtonsAreDropped_data()
{
    QTest::addColumn<bool>("refused"); // the picture, before any size is known
    QTest::addColumn<QString>("reason");
    QTest::newRow("zero width") << false << "cannot render a 0 x 32 button";
    QTest::newRow("refused picture") << true
                                     << "cannot double the background picture to 40000 x 2 "
                                        "pixels (at most 16384 pixels a side and 64 megapixels)";
}

void tst_GenerationRun::unrenderableButtonsAreDropped()
{
    QFETCH(bool, refused);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    ButtonProject project = projectIn(dir.path(), {"Home"}, JavaScriptOption::MouseOver);
    Fixture f;
    if (refused) {
        project.normal.backgroundKind = BackgroundKind::OwnImage;
        f.pictures.setRefusal(
            ButtonState::Normal, BackgroundKind::OwnImage,
            Failure(Failure::Code::Refuse, FailureReason::DoubledPictureTooLarge, "40000 x 2"));
    } else {
        project.buttonWidth = 0;
    }
    f.sizes.store(1, 120, 32); // an earlier run's size must not be used for Selected
    const GenerationResult result = f.run(project);

    QCOMPARE(result.droppedImages.size(), 2);
    QCOMPARE(result.droppedImages.at(0).pathStem, dir.filePath("btn1"));
    QCOMPARE(ErrorText::messageWithPath(result.droppedImages.at(0).reason), reason);
    QCOMPARE(result.droppedImages.at(1).pathStem, dir.filePath("btn1s"));
    QCOMPARE(ErrorText::messageWithPath(result.droppedImages.at(1).reason),
             QString("not rendered: the normal button of this caption failed"));
    QVERIFY(!result.fatalError);
    QCOMPARE(filesIn(dir.path()), (QStringList{"BTNPAGE.html", "btnproject.blp"}));
    QCOMPARE(result.filesWritten, 2);
}

void tst_GenerationRun::manyDropsAreCountedAndReportedInOrder()
{
    QTemporaryDir dir;
    QStringList captions;
    for (int n = 1; n <= 80; ++n)
        captions << QString("C%1").arg(n);
    ButtonProject project = projectIn(dir.path(), captions, JavaScriptOption::MouseOver);
    project.buttonWidth = 0;
    Fixture f;
    GenerationRun run(project, f.pictures, f.options, f.sizes);
    QStringList reported;
    run.setDropCallback([&reported](const DroppedImage& dropped) { reported << dropped.pathStem; });
    const GenerationResult result = run.run();

    QCOMPARE(result.droppedImageCount, 160);
    QCOMPARE(result.droppedImages.size(), GenerationResult::maxListedDrops);
    QVERIFY(!result.everythingWritten());
    QCOMPARE(reported.size(), 160);
    QCOMPARE(reported.at(0), dir.filePath("btn1"));
    QCOMPARE(reported.at(159), dir.filePath("btn80s"));
    QCOMPARE(result.droppedImages.last().pathStem, reported.at(99));
}

void tst_GenerationRun::pageNamesOnlyWrittenFiles_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("caption"); // named by its caption when not empty
    QTest::addColumn<int>("dropped");
    QTest::addColumn<int>("urls");
    QTest::addColumn<bool>("webP");
    // Per caption and state: src and a srcset of two in the script and in the list; the link
    // shows the Normal state once more.
    const int all = 2 * 3 * 6 + 2 * 3;
    QTest::newRow("twins too long are left out")
        << "BTN" << QString(250, 'y') << 3 << all - 7 << false;
    // One character longer than the Normal twin's, the other states' twins leave alone.
    QTest::newRow("only the other states' twins too long")
        << "BTN" << QString(248, 'y') << 2 << all - 4 << false;
    QTest::newRow("prefix with a colon") << "img:" << QString() << 0 << all << false;
    QTest::newRow("prefix with blank, comma, ampersand")
        << "a b,&" << QString() << 0 << all << false;
    // As .jpg the Normal twin's name would fit.
    QTest::newRow("WebP twins too long are left out")
        << "BTN" << QString(248, 'y') << 3 << all - 7 << true;
}

void tst_GenerationRun::pageNamesOnlyWrittenFiles()
{
    QFETCH(QString, prefix);
    QFETCH(QString, caption);
    QFETCH(int, dropped);
    QFETCH(int, urls);
    QFETCH(bool, webP);
    QTemporaryDir dir;
    ButtonProject project = projectIn(dir.path(), {"Home", caption.isEmpty() ? "Two" : caption},
                                      JavaScriptOption::Both);
    project.fileNamePrefix = prefix;
    project.useCaptionsAsNames = !caption.isEmpty();
    project.hiDpiImages = true;
    project.webPImages = webP;
    Fixture f;
    const GenerationResult result = f.run(project);
    QCOMPARE(result.droppedImageCount, dropped);
    for (const DroppedImage& image : result.droppedImages)
        QCOMPARE(ErrorText::messageWithPath(image.reason), "File name too long");
    QVERIFY(result.pageWritten);

    const QStringList names = namedFiles(result.pagePath);
    QCOMPARE(missingFiles(dir.path(), names), QStringList());
    QCOMPARE(names.filter(QRegularExpression("\\.webp$")).size(), webP ? urls : 0);
    QCOMPARE(names.size(), urls);
}

void tst_GenerationRun::threadsWriteWhatOneThreadWrites()
{
    // Same names several times over (the later caption must win), names held by folders,
    // and enough images to keep every thread busy.
    QStringList captions;
    for (int i = 0; i < 40; ++i)
        captions << QString("Item %1").arg(i % 25) << QString("ITEM %1").arg(i % 25);
    captions.insert(7, "Blocked");

    GenerationResult results[2];
    QTemporaryDir dirs[2];
    Fixture fixtures[2];
    for (int i = 0; i < 2; ++i) {
        ButtonProject project = projectIn(dirs[i].path(), captions, JavaScriptOption::Both);
        project.useCaptionsAsNames = true;
        for (const char* blocked : {"blocked.jpg", "blockeds.jpg", "blockedp.jpg"})
            QVERIFY(QDir(dirs[i].path()).mkdir(blocked));
        project.variableWidth = true;
        Fixture& f = fixtures[i];
        GenerationRun run(project, f.pictures, f.options, f.sizes);
        run.setEncoderThreads(i == 0 ? 1 : 4);
        results[i] = run.run();
    }
    QCOMPARE(results[1].imagesWritten, results[0].imagesWritten);
    QCOMPARE(results[1].filesWritten, results[0].filesWritten);
    QCOMPARE(results[0].droppedImages.size(), 3);
    QCOMPARE(results[1].droppedImages.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(results[1].droppedImages.at(i).pathStem.mid(dirs[1].path().size()),
                 results[0].droppedImages.at(i).pathStem.mid(dirs[0].path().size()));
        QCOMPARE(ErrorText::messageWithPath(results[1].droppedImages.at(i).reason)
                     .replace(dirs[1].path(), "D"),
                 ErrorText::messageWithPath(results[0].droppedImages.at(i).reason)
                     .replace(dirs[0].path(), "D"));
    }

    const QStringList names = filesIn(dirs[0].path());
    QCOMPARE(filesIn(dirs[1].path()), names);
    QCOMPARE(names.size(), 25 * 9 + 2);
    for (const QString& name : names) {
        if (name.endsWith(".blp"))
            continue; // records its own directory
        QFile a(QDir(dirs[0].path()).filePath(name));
        QFile b(QDir(dirs[1].path()).filePath(name));
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QVERIFY2(a.readAll() == b.readAll(), qPrintable(name));
    }
    // The last caption of a name is the one whose files stay; upper case is wider here.
    const int lastItem3 = int(captions.lastIndexOf("ITEM 3")) + 1;
    QVERIFY(fixtures[1].sizes.width(lastItem3) != fixtures[1].sizes.width(lastItem3 - 1));
    QCOMPARE(QImage(dirs[1].filePath("item-3.png")).width(), fixtures[1].sizes.width(lastItem3));
}

void tst_GenerationRun::refusedNamesWriteNothing_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("caption"); // named by its caption when not empty
    QTest::addColumn<QString>("error");
    QTest::addColumn<bool>("css");
    for (const QString& prefix :
         {QString("../escaped"), QString("a\\b"), QStringLiteral("BTN\0"), QString("..")}) {
        const QString error = ErrorText::message(OutputNaming::prefixError(prefix));
        QTest::newRow(qPrintable(error)) << prefix << QString() << error << false;
    }
    const QString x246(246, 'x');
    QTest::newRow("prefix too long for the project copy")
        << x246 << QString() << "File name too long: " + x246.left(40) << false;
    const QString y300(300, 'y');
    QTest::newRow("caption name too long")
        << "BTN" << y300 << "File name too long: " + y300.left(40) << false;
    // Images of 249 + 1 + 4 bytes fit; the sprite takes 7 more.
    const QString z249(249, 'z');
    QTest::newRow("sprite name too long")
        << "BTN" << z249 << "File name too long: " + z249.left(40) << true;
    const QString p247(247, 'p');
    QTest::newRow("stylesheet name too long")
        << p247 << QString() << "File name too long: " + p247.left(40) << true;
    // Different captions, one file through the suffixes the run adds.
    QTest::newRow("a state's name")
        << "BTN"
        << "HomeS"
        << "Captions \"Home\" and \"HomeS\" would both write \"homes.png\"" << false;
    QTest::newRow("the sprite's name")
        << "BTN"
        << "Home Sprite"
        << "Captions \"Home\" and \"Home Sprite\" would both write \"home-sprite.png\"" << true;
    QTest::newRow("the twin's name")
        << "BTN"
        << "HOME@2x"
        << "Captions \"Home\" and \"HOME@2x\" would both write \"home@2x.png\"" << false;
}

void tst_GenerationRun::refusedNamesWriteNothing()
{
    QFETCH(QString, prefix);
    QFETCH(QString, caption);
    QFETCH(QString, error);
    QFETCH(bool, css);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("out"));
    ButtonProject project = projectIn(dir.filePath("out"), {"Home", caption});
    project.fileNamePrefix = prefix;
    project.cssRollovers = css;
    project.hiDpiImages = caption.contains("@2x"); // twins where a caption asks for them
    project.useCaptionsAsNames = !caption.isEmpty();
    Fixture f;
    const GenerationResult result = f.run(project);
    QCOMPARE(ErrorText::message(result.fatalError), error);
    QCOMPARE(result.filesWritten, 0);
    QVERIFY(!result.pageWritten);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"out"});
    QVERIFY(
        QDir(dir.filePath("out")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

void tst_GenerationRun::refusedSizesWriteNothing_data()
{
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("options");   // 1 WebP, 2 double size, 4 CSS sprites
    QTest::addColumn<QString>("error"); // %1: the output folder
    const QString budget = "This run would take %1 MB of memory, more than the 320 MB a run may "
                           "use, mostly for its %2 x %2 buttons.";
    // Two states and their encoders; WebP's take twelve times an image; twins and sprites add
    // 2 x 2, 1 x 2 and 2 x 4 of its size, kept until its sprites are made.
    QTest::newRow("within the budget") << 4000 << 0 << 0 << QString();
    QTest::newRow("over the budget") << 4200 << 0 << 0 << budget.arg(337).arg(4200);
    QTest::newRow("WebP within") << 2500 << 0 << 1 << QString();
    QTest::newRow("WebP over") << 2600 << 0 << 1 << budget.arg(336).arg(2600);
    QTest::newRow("twins and sprites within") << 1280 << 0 << 6 << QString();
    QTest::newRow("twins and sprites over") << 1400 << 0 << 6 << budget.arg(374).arg(1400);
    const QString side = "Cannot write \"%1/%2\": a WebP picture is at most 16383 pixels a side, "
                         "and this one would be %3 pixels.";
    QTest::newRow("WebP side") << 16384 << 1 << 1 << side.arg("%1", "btn1.webp", "16384 x 1");
    QTest::newRow("WebP twin side")
        << 8192 << 1 << 3 << side.arg("%1", "btn1@2x.webp", "16384 x 2");
    QTest::newRow("WebP sprite side")
        << 1 << 8192 << 5 << side.arg("%1", "btn1-sprite.webp", "1 x 16384");
}

void tst_GenerationRun::budgetCountsThePictureBeingDecoded_data()
{
    QTest::addColumn<int>("decoderMegabytes"); // beyond the 187 MB picture itself
    QTest::addColumn<QString>("error");
    QTest::newRow("within") << 130 << QString();
    QTest::newRow("over") << 140
                          << "This run would take 327 MB of memory, more than the 320 MB a run "
                             "may use, mostly for the 7000 x 7000 picture \"big.jpg\".";
}

// While an own picture is decoded, its decoder's memory counts beside every picture held.
void tst_GenerationRun::budgetCountsThePictureBeingDecoded()
{
    QFETCH(int, decoderMegabytes);
    ButtonProject project = projectIn(QDir::tempPath(), {"Home"}, JavaScriptOption::MouseOver);
    project.style(ButtonState::Normal).imageFileName = QStringLiteral("big.jpg");
    std::array<PictureHeader, 3> headers;
    headers[0] = {7000, 7000, qint64(7000) * 7000 * 4 + (qint64(decoderMegabytes) << 20)};
    QTEST(ErrorText::message(RunBudget(project, headers).check()), "error");
}

// A run the budget or a format refuses is refused before anything is drawn or written.
void tst_GenerationRun::refusedSizesWriteNothing()
{
    QFETCH(int, side);
    QFETCH(int, height);
    QFETCH(int, options);
    QFETCH(QString, error);
    QTemporaryDir dir;
    ButtonProject project = projectIn(dir.path(), {"Home"}, JavaScriptOption::MouseOver);
    project.buttonWidth = side;
    project.buttonHeight = height ? height : side;
    project.webPImages = options & 1;
    project.hiDpiImages = options & 2;
    project.cssRollovers = options & 4;
    Fixture f;
    error.replace("%1", dir.path());
    QCOMPARE(ErrorText::message(RunBudget(project, f.pictures).check()), error);
    if (error.isEmpty())
        return; // a run this large is left to the command-line tests
    const GenerationResult result = f.run(project);
    QCOMPARE(ErrorText::message(result.fatalError), error);
    QCOMPARE(result.imagesWritten + result.droppedImageCount, 0);
    QCOMPARE(filesIn(dir.path()), QStringList());
}

void tst_GenerationRun::controlCharactersLeaveCaptionNames()
{
    QTemporaryDir dir;
    ButtonProject project =
        projectIn(dir.path(), {QStringLiteral("A\0"), QStringLiteral("B\0\x01")});
    project.useCaptionsAsNames = true;
    Fixture f;
    const GenerationResult result = f.run(project);
    QVERIFY(result.everythingWritten());
    QCOMPARE(result.filesWritten, 14);
    QCOMPARE(filesIn(dir.path()), QStringList{"BTNPAGE.html"} + imageFiles({"a", "as", "b", "bs"})
                                      << "project.blp");
}

void tst_GenerationRun::temporariesOfKilledRunsAreRemoved()
{
    QTemporaryDir dir;
    AtomicOutputFile live(dir.filePath("probe"));
    QVERIFY(live.open());
    const QString liveTemporary = QFileInfo(live.temporaryPath()).fileName();
    QVERIFY(
        !AtomicOutputFile::writeFile(dir.filePath(".brindlewick-0123abcd.tmp"), "half").isError());

    ButtonProject project = projectIn(dir.path(), {"Home"});
    Fixture f;
    QVERIFY(f.run(project).everythingWritten());
    const QStringList hidden = QDir(dir.path()).entryList({".*"}, QDir::Files | QDir::Hidden);
    QCOMPARE(hidden, QStringList{liveTemporary}); // still being written
}

void tst_GenerationRun::compactPngKeepsPixels_data()
{
    QTest::addColumn<bool>("smooth");
    QTest::addColumn<bool>("hiDpi");
    QTest::addColumn<int>("radius");
    QTest::addColumn<QList<int>>("pictures"); // each state's built-in picture, or -1
    QTest::newRow("own picture, gradient, built-in picture")
        << false << false << 0 << QList<int>{-1, -1, 94};
    QTest::newRow("solid colours, smooth, rounded") << true << false << 6 << QList<int>{};
    // Transparent pictures: shaped ones keep their alpha.
    QTest::newRow("HiDPI, shaped pictures") << false << true << 0 << QList<int>{0, 24, -1};
}

// The same images and sprites as without the option, read by libpng and by Qt, each PNG no
// larger; the other files as they were. Without it, every PNG is RGB or RGBA.
void tst_GenerationRun::compactPngKeepsPixels()
{
    QFETCH(bool, smooth);
    QFETCH(bool, hiDpi);
    QFETCH(int, radius);
    QFETCH(QList<int>, pictures);
    QTemporaryDir dirs[2];
    for (int compact = 0; compact < 2; ++compact) {
        ButtonProject project =
            projectIn(dirs[compact].path(), {"Home", "Contact us"}, JavaScriptOption::Both);
        project.smoothCaptions = smooth;
        project.hiDpiImages = hiDpi;
        project.cornerRadius = radius;
        project.cssRollovers = true;
        project.transparentPictures = hiDpi;
        project.compactPng = compact;
        project.selected.gradientColor = Colors::rgb(0, 0, 128);
        Fixture f;
        for (int i = 0; i < pictures.size(); ++i) {
            ButtonStateStyle& style = project.style(ButtonState(i + 1));
            style.backgroundKind =
                pictures[i] < 0 ? BackgroundKind::Regular : BackgroundKind::Predefined;
            style.predefinedIndex = pictures[i];
        }
        PredefinedBackground::reloadPictures(project, f.pictures);
        if (pictures.value(0) < 0) {
            project.normal.backgroundKind = BackgroundKind::OwnImage;
            f.pictures.setOwnImage(ButtonState::Normal, CodecTest::buttonImage(90, 40));
        }
        QVERIFY(f.run(project).everythingWritten());
    }
    int palettes = 0;
    for (const QString& name : filesIn(dirs[0].path())) {
        const QByteArray classic = CodecTest::readAll(dirs[0].filePath(name));
        const QByteArray compact = CodecTest::readAll(dirs[1].filePath(name));
        if (!name.endsWith(".png")) {
            QVERIFY2(name.endsWith(".blp") || compact == classic, qPrintable(name));
            continue;
        }
        QVERIFY2(compact.size() <= classic.size(), qPrintable(name));
        QVERIFY(classic.at(25) == 2 || classic.at(25) == 6);
        QCOMPARE(CodecTest::pngChunkTypes(classic).size(), 3);
        palettes += compact.at(25) == 3;
        QImage images[2], coverages[2];
        for (int i = 0; i < 2; ++i)
            QVERIFY(!PngCodec::readPng(dirs[i].filePath(name), &images[i], &coverages[i]));
        QVERIFY2(images[1] == images[0] && coverages[1] == coverages[0], qPrintable(name));
        QCOMPARE(QImage(dirs[1].filePath(name)).convertToFormat(QImage::Format_ARGB32),
                 QImage(dirs[0].filePath(name)).convertToFormat(QImage::Format_ARGB32));
    }
    QVERIFY(palettes > 0);
}

QTEST_MAIN(tst_GenerationRun)
#include "tst_GenerationRun.moc"

void tst_GenerationRun::spritesStackTheStates_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<int>("format");
    QTest::addColumn<bool>("hiDpi");
    QTest::addColumn<QStringList>("slices"); // state suffixes, top to bottom
    QTest::addColumn<bool>("webP");
    QTest::addColumn<int>("radius");
    QTest::newRow("MouseOver") << int(JavaScriptOption::MouseOver) << int(ImageFileFormat::Png)
                               << false << QStringList{"", "s"} << false << 0;
    QTest::newRow("Pressed, GIF") << int(JavaScriptOption::Pressed) << int(ImageFileFormat::Gif)
                                  << false << QStringList{"", "p"} << false << 0;
    QTest::newRow("Both, HiDPI") << int(JavaScriptOption::Both) << int(ImageFileFormat::Png) << true
                                 << QStringList{"", "s", "p"} << false << 0;
    QTest::newRow("Static: no sprites")
        << int(JavaScriptOption::Static) << int(ImageFileFormat::Png) << true << QStringList{}
        << false << 0;
    QTest::newRow("Both, HiDPI, WebP") << int(JavaScriptOption::Both) << int(ImageFileFormat::Png)
                                       << true << QStringList{"", "s", "p"} << true << 0;
    // Rounded corners: sprites and twins keep the alpha of their images, WebP that of PNG.
    QTest::newRow("rounded, Pressed, GIF")
        << int(JavaScriptOption::Pressed) << int(ImageFileFormat::Gif) << true
        << QStringList{"", "p"} << false << 5;
    QTest::newRow("rounded, Both, HiDPI, WebP")
        << int(JavaScriptOption::Both) << int(ImageFileFormat::Png) << true
        << QStringList{"", "s", "p"} << true << 7;
}

void tst_GenerationRun::spritesStackTheStates()
{
    QFETCH(int, option);
    QFETCH(int, format);
    QFETCH(bool, hiDpi);
    QFETCH(QStringList, slices);
    QFETCH(bool, webP);
    QFETCH(int, radius);
    QTemporaryDir dir;
    ButtonProject project =
        projectIn(dir.path(), {"Home", "Contact|us today"}, JavaScriptOption(option));
    project.cornerRadius = radius;
    project.variableWidth = true;
    project.cssRollovers = true;
    project.hiDpiImages = hiDpi;
    project.imageFileFormat = ImageFileFormat(format);
    project.webPImages = webP;
    const QString extension = OutputNaming::extension(project.imageFileFormat);
    Fixture f;
    const GenerationResult result = f.run(project);
    QVERIFY2(result.everythingWritten(), qPrintable(ErrorText::message(result.fatalError)));
    QVERIFY(QFileInfo(dir.filePath("BTNPAGE.css")).isFile());

    const int scales = hiDpi ? 2 : 1;
    const int sprites = slices.isEmpty() ? 0 : 2 * scales;
    const int images = 2 * scales * qMax(1, int(slices.size()));
    QCOMPARE(result.imagesWritten, images + sprites);
    const int formats = webP ? 2 : 1;
    QCOMPARE(result.filesWritten, (3 + formats - 1) * images + formats * sprites + 3);
    QStringList spriteFiles = filesIn(dir.path()).filter("-sprite");
    QCOMPARE(spriteFiles.size(), formats * sprites);
    for (const QString& name : spriteFiles)
        QVERIFY2(name.endsWith(extension) || (webP && name.endsWith(".webp")), qPrintable(name));
    // Every image and sprite as WebP, read by libwebp's own decoder: the PNG's pixels, and
    // twins twice the size.
    const QStringList webPs = QDir(dir.path()).entryList({"*.webp"}, QDir::Files);
    QCOMPARE(webPs.size(), webP ? images + sprites : 0);
    for (const QString& name : webPs) {
        const QImage decoded = CodecTest::decodedByDwebp(dir.filePath(name));
        QImage png(dir.filePath(QString(name).replace(".webp", ".png")));
        png.setDevicePixelRatio(1); // Qt reads "@2x" in a name as a ratio
        QCOMPARE(decoded, png.convertToFormat(QImage::Format_ARGB32));
        if (name.contains("@2x"))
            QCOMPARE(
                decoded.size(),
                2 * CodecTest::decodedByDwebp(dir.filePath(QString(name).remove("@2x"))).size());
    }
    QFile sheet(dir.filePath("BTNPAGE.css"));
    QVERIFY(sheet.open(QIODevice::ReadOnly));
    const QByteArray css = sheet.readAll();
    QCOMPARE(css.contains(".webp\")"), webP);
    QCOMPARE(css.contains(extension.toLatin1() + "\")"), !webP && !slices.isEmpty());
    // PNG holds an alpha channel (colour type 6) only with the corners rounded.
    for (const QString& name : QDir(dir.path()).entryList({"*.png"}, QDir::Files)) {
        QFile png(dir.filePath(name));
        QVERIFY(png.open(QIODevice::ReadOnly));
        QCOMPARE(int(png.read(26).at(25)), radius ? 6 : 2);
    }

    for (int n = 1; n <= 2 && !slices.isEmpty(); ++n) {
        for (const QString& scale : QStringList{"", "@2x"}.mid(0, scales)) {
            const QImage sprite =
                QImage(dir.filePath(QString("btn%1-sprite%2%3").arg(n).arg(scale, extension)))
                    .convertToFormat(QImage::Format_ARGB32);
            QVERIFY(!sprite.isNull());
            for (int i = 0; i < slices.size(); ++i) {
                // Both written losslessly in the same format.
                const QImage single =
                    QImage(dir.filePath(
                               QString("btn%1%2%3%4").arg(n).arg(slices.at(i), scale, extension)))
                        .convertToFormat(QImage::Format_ARGB32);
                QCOMPARE(qAlpha(single.pixel(0, 0)), radius ? 0 : 255);
                // Above the caption, each state's own colour: yellow, cyan and green.
                const int state = int(QStringList({"", "s", "p"}).indexOf(slices.at(i)));
                const QRgb grounds[] = {0xFFFFFF00, 0xFF00FFFF, 0xFF00FF00};
                QCOMPARE(single.pixel(single.width() / 2, single.height() / 8), grounds[state]);
                QCOMPARE(sprite.size(), QSize(single.width(), single.height() * slices.size()));
                QCOMPARE(sprite.copy(0, i * single.height(), single.width(), single.height()),
                         single);
            }
        }
    }
}

void tst_GenerationRun::styleSheetNamesOnlyWrittenSprites()
{
    // 244 + 4 bytes for each image and its twin fit; the sprite takes 7 more, its twin 10.
    QTemporaryDir dir;
    ButtonProject project =
        projectIn(dir.path(), {"Home", QString(244, 'y')}, JavaScriptOption::Both);
    project.useCaptionsAsNames = true;
    project.cssRollovers = project.hiDpiImages = true;
    Fixture f;
    const GenerationResult result = f.run(project);
    QCOMPARE(result.droppedImageCount, 1);
    QCOMPARE(ErrorText::messageWithPath(result.droppedImages.at(0).reason), "File name too long");

    const QStringList named = namedFiles(dir.filePath("BTNPAGE.css"));
    QCOMPARE(missingFiles(dir.path(), named), QStringList());
    QCOMPARE(named.filter("@2x").size(), 1);
    QCOMPARE(named.size(), 3 + 1); // Home: url and image-set; the other: url only
}

void tst_GenerationRun::spritesThatCannotBeMadeAreDropped_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QStringList>("shown"); // by the stylesheet, in its stead
    QTest::newRow("a state not drawn")
        << 0 << 32 << "cannot make the sprite: a state of the button was not drawn"
        << QStringList();
    QTest::newRow("states stacked too tall")
        << 10 << 9000
        << "cannot make a 10 x 18000 pixels sprite (at most 16384 pixels a side and 64 megapixels)"
        << QStringList{"btn1.png", "btn1s.png"};
}

void tst_GenerationRun::spritesThatCannotBeMadeAreDropped()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QString, reason);
    QFETCH(QStringList, shown);
    QTemporaryDir dir;
    ButtonProject project = projectIn(dir.path(), {"Home"}, JavaScriptOption::MouseOver);
    project.cssRollovers = true;
    project.buttonWidth = width;
    project.buttonHeight = height;
    Fixture f;
    const GenerationResult result = f.run(project);
    QVERIFY(!result.droppedImages.isEmpty());
    QCOMPARE(result.droppedImages.last().pathStem, dir.filePath("btn1-sprite"));
    QCOMPARE(ErrorText::messageWithPath(result.droppedImages.last().reason), reason);
    QVERIFY(result.pageWritten);
    QCOMPARE(namedFiles(dir.filePath("BTNPAGE.css")), shown);
}

void tst_GenerationRun::partlyWrittenImagesAreCountedAndShown_data()
{
    QTest::addColumn<QString>("blocked"); // a folder where this file goes
    QTest::addColumn<bool>("webP");
    QTest::addColumn<QString>("shown"); // by the page in its stead
    QTest::newRow("PNG blocked") << "btn1.png" << false << "btn1.jpg";
    QTest::newRow("WebP blocked") << "btn1s.webp" << true << "btn1s.png";
    QTest::newRow("twin's PNG blocked") << "btn1@2x.png" << false << "btn1@2x.jpg";
}

void tst_GenerationRun::partlyWrittenImagesAreCountedAndShown()
{
    QFETCH(QString, blocked);
    QFETCH(bool, webP);
    QFETCH(QString, shown);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(blocked));
    ButtonProject project = projectIn(dir.path(), {"Home"}, JavaScriptOption::MouseOver);
    project.webPImages = webP;
    project.hiDpiImages = blocked.contains("@2x");
    Fixture f;
    const GenerationResult result = f.run(project);
    QCOMPARE(result.droppedImageCount, 1);
    QCOMPARE(result.filesWritten, filesIn(dir.path()).size());
    const QStringList named = namedFiles(result.pagePath);
    QCOMPARE(missingFiles(dir.path(), named), QStringList());
    QVERIFY2(named.contains(shown), qPrintable(named.join(' ')));
}

void tst_GenerationRun::fullDiskEndsTheRunAtOnce_data()
{
    QTest::addColumn<int>("threads");
    QTest::addColumn<int>("maxImages"); // handed to the encoder
    QTest::newRow("one thread") << 1 << 4;
    // The images already in flight when the report comes are written or fail quietly.
    QTest::newRow("four threads") << 4 << 40;
}

void tst_GenerationRun::fullDiskEndsTheRunAtOnce()
{
    QFETCH(int, threads);
    QFETCH(int, maxImages);
    QTemporaryDir dir;
    QStringList captions;
    for (int n = 1; n <= 100; ++n)
        captions << QString("C%1").arg(n);
    ButtonProject project = projectIn(dir.path(), captions, JavaScriptOption::MouseOver);
    Fixture f;
    GenerationRun run(project, f.pictures, f.options, f.sizes);
    run.setEncoderThreads(threads);
    std::atomic<int> images{0};
    run.setEncoder([&images](const QImage&, const ImageEncoderPool::Files& files) {
        ++images;
        const QString path = files.first().path;
        return QStringList{"btn1", "btn1s", "btn2"}.contains(QFileInfo(path).completeBaseName())
                   ? Failure()
                   : Failure(Failure::Code::Write, path, ENOSPC);
    });
    QStringList reported;
    run.setDropCallback([&reported](const DroppedImage& dropped) { reported << dropped.pathStem; });
    const GenerationResult result = run.run();

    QVERIFY(result.endedOnFullDisk);
    QCOMPARE(reported, QStringList{dir.filePath("btn2s")});
    QCOMPARE(result.droppedImageCount, 1);
    QVERIFY2(images <= maxImages, qPrintable(QString::number(images)));
    QVERIFY(!result.pageWritten && !result.fatalError);
    QVERIFY(filesIn(dir.path()).isEmpty());
}
