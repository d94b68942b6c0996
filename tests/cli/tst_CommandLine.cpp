#include "CommandLine.h"
#include "CommandLineOptions.h"
#include "DesignGallery.h"
#include "ProjectFileReader.h"
#include "ProjectKeys.h"

#include <QtTest>

class tst_CommandLine : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void run_data();
    void run();
    void helpMatchesManualPage_data();
    void helpMatchesManualPage();
    void valuesOfSettings_data();
    void valuesOfSettings();
    void everyOptionIsSettable_data();
    void everyOptionIsSettable();
    void designs();
    void newFromDesign_data();
    void newFromDesign();

private:
    int runIn(const QStringList& arguments, QString* out, QString* err);
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_home;
};

namespace {
const QString tryHelp = QStringLiteral("Try 'brindlewick-cli --help'.\n");

QByteArray project(const QStringList& lines)
{
    return (QStringList{"ButtonLayoutFileVersion=400", "LabelText=Home", "rgJavascriptOptions=3"} +
            lines)
               .join("\r\n")
               .toUtf8() +
           "\r\n";
}
} // namespace

void tst_CommandLine::init()
{
    m_home = QDir::currentPath();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

int tst_CommandLine::runIn(const QStringList& arguments, QString* out, QString* err)
{
    QTextStream outStream(out);
    QTextStream errStream(err);
    return CommandLine::run(QStringList{"brindlewick-cli"} + arguments, outStream, errStream);
}

void tst_CommandLine::run_data()
{
    QTest::addColumn<QByteArray>("file"); // written as p.blp into the current folder
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("err");
    QTest::addColumn<QStringList>("written"); // every file under the folder afterwards

    const QStringList page{"out/BTNPAGE.html", "out/btnproject.blp", "p.blp"};
    QTest::newRow("not a project") << QByteArray("# Buttons\r\nA list = of things\r\n")
                                   << QStringList{"generate", "p.blp", "--output-dir", "out"} << 2
                                   << "p.blp is not a project file\n"
                                   << QStringList{"p.blp"};
    QTest::newRow("no captions still runs")
        << QByteArray("rgJavascriptOptions=3\r\n")
        << QStringList{"generate", "p.blp", "--output-dir", "out"} << 0 << "" << page;
    QTest::newRow("missing output folder made with parents")
        << project({}) << QStringList{"generate", "p.blp", "--output-dir=a/b/c"} << 0 << ""
        << QStringList{"a/b/c/BTNPAGE.html", "a/b/c/btn1.gif",       "a/b/c/btn1.jpg",
                       "a/b/c/btn1.png",     "a/b/c/btnproject.blp", "p.blp"};
    QTest::newRow("relative folder of the project")
        << project({"lblOutputDirectoryFileName=buttons"}) << QStringList{"generate", "p.blp"} << 0
        << "" << QStringList{"buttons/BTNPAGE.html", "buttons/btn1.gif",       "buttons/btn1.jpg",
                             "buttons/btn1.png",     "buttons/btnproject.blp", "p.blp"};
    const QString prefix(246, 'x');
    QTest::newRow("name too long: nothing written, no folder")
        << project({"edOutputDirectoryFileNamePrefix=" + prefix})
        << QStringList{"generate", "p.blp", "--output-dir", "out"} << 2
        << "File name too long: " + prefix.left(40) + "\n"
        << QStringList{"p.blp"};
    QTest::newRow("unknown option")
        << project({}) << QStringList{"generate", "p.blp", "--colour"} << 2
        << "brindlewick-cli: Unknown option '--colour'.\n" + tryHelp << QStringList{"p.blp"};
    QTest::newRow("unknown option with a value and one dash")
        << project({}) << QStringList{"generate", "p.blp", "-hdpi=2", "--smooth"} << 2
        << "brindlewick-cli: Unknown option '-hdpi'.\n" + tryHelp << QStringList{"p.blp"};
    QTest::newRow("empty output folder")
        << project({}) << QStringList{"generate", "p.blp", "--output-dir="} << 2
        << "brindlewick-cli: --output-dir needs a folder\n" + tryHelp << QStringList{"p.blp"};
    QTest::newRow("option without its value")
        << project({}) << QStringList{"generate", "p.blp", "--output-dir"} << 2
        << "brindlewick-cli: Missing value after '--output-dir'.\n" + tryHelp
        << QStringList{"p.blp"};
    QTest::newRow("radius beyond its range, nothing written")
        << project({}) << QStringList{"generate", "p.blp", "--corner-radius", "65"} << 2
        << "brindlewick-cli: Corner radius must be 0 to 64, not '65'.\n" + tryHelp
        << QStringList{"p.blp"};
    QTest::newRow("unknown command")
        << project({}) << QStringList{"render", "p.blp"} << 2
        << "brindlewick-cli: Unknown command 'render'.\n" + tryHelp << QStringList{"p.blp"};
    QTest::newRow("option of another command")
        << project({}) << QStringList{"generate", "p.blp", "--caption", "A"} << 2
        << "brindlewick-cli: Option '--caption' is not one of 'generate'.\n" + tryHelp
        << QStringList{"p.blp"};
    QTest::newRow("new without its file")
        << project({}) << QStringList{"new", "Flat Blue"} << 2
        << "brindlewick-cli: No project file given.\n" + tryHelp << QStringList{"p.blp"};
    QTest::newRow("new with an empty file name")
        << project({}) << QStringList{"new", "Flat Blue", ""} << 2
        << "brindlewick-cli: No project file given.\n" + tryHelp << QStringList{"p.blp"};
    QTest::newRow("no project") << project({}) << QStringList{"generate"} << 2
                                << "brindlewick-cli: No project file given.\n" + tryHelp
                                << QStringList{"p.blp"};
}

void tst_CommandLine::run()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, err);
    QFETCH(QStringList, written);

    QVERIFY(QDir::setCurrent(m_dir->path()));
    QFile blp("p.blp");
    QVERIFY(blp.open(QIODevice::WriteOnly) && blp.write(file) == file.size());
    blp.close();
    QString out;
    QString errText;
    const int code = runIn(arguments, &out, &errText);
    QDir::setCurrent(m_home);

    QCOMPARE(errText, err);
    QCOMPARE(code, exitCode);
    QCOMPARE(out.isEmpty(), exitCode != 0);
    QStringList files;
    QDirIterator it(m_dir->path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(m_dir->path()).relativeFilePath(it.next());
    files.sort();
    QCOMPARE(files, written);
}

void tst_CommandLine::helpMatchesManualPage_data()
{
    QTest::addColumn<QString>("option");
    QStringList options{"--output-dir", "--caption", "--force"};
    for (const ProjectKeys::Option& setting : ProjectKeys::optional())
        options << "--" + setting.flag;
    options.removeDuplicates();
    for (const QString& option : options + QStringList{"--help", "--version"})
        QTest::newRow(qPrintable(option)) << option;
}

void tst_CommandLine::helpMatchesManualPage()
{
    QFETCH(QString, option);
    QString help;
    QString err;
    QCOMPARE(runIn({"--help"}, &help, &err), 0);
    QFile manFile(CLI_MAN_PAGE);
    QVERIFY(manFile.open(QIODevice::ReadOnly));
    const QString man = QString::fromUtf8(manFile.readAll());

    // As many option lines in --help as tagged paragraphs in the page's OPTIONS.
    static const QRegularExpression helpEntry("^  -", QRegularExpression::MultilineOption);
    const qsizetype start = man.indexOf(".SH OPTIONS");
    const QString options = man.mid(start, man.indexOf(".SH", start + 1) - start);
    QCOMPARE(help.count(helpEntry), options.count(".TP\n"));
    QVERIFY2(help.contains(QRegularExpression("^  (-\\w, )?" + option + "\\b",
                                              QRegularExpression::MultilineOption)),
             qPrintable(help));
    QString roff = option;
    roff.replace("-", "\\-");
    QVERIFY2(man.contains(QRegularExpression("^\\.TP\\n\\.B[IR]? (\\S+ \", \" )?" +
                                                 QRegularExpression::escape(roff) + "\\b",
                                             QRegularExpression::MultilineOption)),
             qPrintable(roff));
}

void tst_CommandLine::valuesOfSettings_data()
{
    QTest::addColumn<QString>("flag");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("key");     // the row the value sets
    QTest::addColumn<QString>("problem"); // empty: the value will do
    const QString radius = "CornerRadius", page = "PageColor";
    QTest::newRow("lowest") << "corner-radius"
                            << "0" << radius << "";
    QTest::newRow("highest") << "corner-radius"
                             << "64" << radius << "";
    QTest::newRow("above") << "corner-radius"
                           << "65" << radius << "Corner radius must be 0 to 64, not '65'.";
    QTest::newRow("below") << "corner-radius"
                           << "-1" << radius << "Corner radius must be 0 to 64, not '-1'.";
    QTest::newRow("not a number") << "corner-radius"
                                  << "ten" << radius << "Corner radius must be 0 to 64, not 'ten'.";
    QTest::newRow("colour") << "page-color"
                            << "#0a14FE" << page << "";
    for (const char* bad : {"0a14FE", "#0a14F", "red", ""})
        QTest::newRow(qPrintable(QStringLiteral("colour '%1'").arg(bad)))
            << "page-color" << bad << page
            << QStringLiteral("Option '--page-color' takes a colour as #RRGGBB, not '%1'.")
                   .arg(bad);
    // One flag, three rows: the word before "=" picks the state, in any case.
    QTest::newRow("gradient") << "gradient"
                              << "Selected=#336699"
                              << "SelectedGradient"
                              << "";
    QTest::newRow("gradient off") << "gradient"
                                  << "pressed=OFF"
                                  << "PressedGradient"
                                  << "";
    QTest::newRow("gradient half a colour")
        << "gradient"
        << "Normal=#3366"
        << "NormalGradient"
        << "Option '--gradient' takes a colour as #RRGGBB or off, not '#3366'.";
    for (const char* bad : {"Hover=#336699", "#336699", "=#336699"})
        QTest::newRow(bad) << "gradient" << bad << ""
                           << QStringLiteral("Option '--gradient' takes STATE=#RRGGBB where STATE "
                                             "is Normal, Selected or Pressed, not '%1'.")
                                  .arg(bad);
    QTest::newRow("direction") << "gradient-direction"
                               << "horizontal"
                               << "GradientDirection"
                               << "";
    QTest::newRow("direction unknown")
        << "gradient-direction"
        << "Diagonal"
        << "GradientDirection"
        << "Option '--gradient-direction' takes Vertical or Horizontal, not 'Diagonal'.";
}

// Values are checked before anything is read, and a refusal names the option, what it takes
// and what it was given.
void tst_CommandLine::valuesOfSettings()
{
    QFETCH(QString, flag);
    QFETCH(QString, value);
    QFETCH(QString, key);
    QFETCH(QString, problem);
    const QList<CommandLineOptions::Option>& options = CommandLineOptions::all();
    const auto option = std::find_if(options.begin(), options.end(),
                                     [&](const auto& o) { return o.names.first() == flag; });
    QVERIFY(option != options.end());
    const ProjectKeys::Option* setting = nullptr;
    QString found = CommandLineOptions::settingOf(*option, &value, &setting);
    QCOMPARE(setting ? setting->key.name : QString(), key);
    if (setting)
        found = CommandLineOptions::valueProblem(*setting, value);
    QCOMPARE(found, problem);
}

void tst_CommandLine::everyOptionIsSettable_data()
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < ProjectKeys::optional().size(); ++i)
        QTest::newRow(qPrintable(ProjectKeys::optional()[i].flag)) << i;
}

// Each option of the table, given on the command line, reaches the run: the copy of the
// project records it, and nothing else changes.
void tst_CommandLine::everyOptionIsSettable()
{
    QFETCH(int, row);
    const ProjectKeys::Option& option = ProjectKeys::optional()[row];
    const ProjectKeys::Key& key = option.key;
    QStringList arguments{"generate", "p.blp", "--output-dir", "out", "--" + option.flag};
    ButtonProject expected;
    switch (key.kind) {
    case ProjectKeys::Kind::Flag:
        key.ref<bool>(expected) = true;
        break;
    case ProjectKeys::Kind::Number:
        key.ref<qint32>(expected) = key.maximum;
        arguments << QString::number(key.maximum);
        break;
    case ProjectKeys::Kind::NamedChoice:
        key.setChoice(expected, key.names.size() - 1);
        arguments << key.names.last();
        break;
    case ProjectKeys::Kind::OptionalColour:
        key.ref<std::optional<ColorRef>>(expected) = Colors::rgb(10, 20, 254);
        arguments << option.qualifier + QStringLiteral("=#0a14FE");
        break;
    default:
        key.ref<ColorRef>(expected) = Colors::rgb(10, 20, 254);
        arguments << QStringLiteral("#0a14FE");
        break;
    }
    QVERIFY(!key.sameIn(expected, ButtonProject()));

    QVERIFY(QDir::setCurrent(m_dir->path()));
    QFile blp("p.blp");
    const QByteArray file = project({});
    QVERIFY(blp.open(QIODevice::WriteOnly) && blp.write(file) == file.size());
    blp.close();
    QString out;
    QString err;
    const int code = runIn(arguments, &out, &err);
    ButtonProject copy;
    copy.projectFileName = QStringLiteral("out/btnproject.blp");
    const Failure read = ProjectFileReader(copy).loadProjectFile();
    QDir::setCurrent(m_home);
    QCOMPARE(err, QString());
    QCOMPARE(code, 0);
    QVERIFY(!read);
    for (const ProjectKeys::Option& other : ProjectKeys::optional())
        QVERIFY2(other.key.sameIn(copy, expected), qPrintable(other.key.name));
}

void tst_CommandLine::designs()
{
    QString out;
    QString err;
    QCOMPARE(runIn({"designs"}, &out, &err), 0);
    QStringList expected;
    for (const DesignGallery::Design& design : DesignGallery::designs())
        expected << design.name + '\t' + design.description;
    QCOMPARE(out, expected.join('\n') + '\n');
    QCOMPARE(err, QString());
}

void tst_CommandLine::newFromDesign_data()
{
    QTest::addColumn<QString>("before"); // what n.blp is: "", "file" or "link" to t.blp
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("err");
    QTest::addColumn<QStringList>("captions"); // of n.blp after; empty: the design's own
    const QStringList design{"new", "flat BLUE", "n.blp"};
    const QString taken = "n.blp already exists; add --force to replace it.\n";
    QTest::newRow("design's captions") << "" << design << 0 << "" << QStringList{};
    QTest::newRow("captions given") << "" << design + QStringList{"--caption", "A|B", "--caption=C"}
                                    << 0 << "" << QStringList{"A|B", "C"};
    QTest::newRow("unknown design")
        << "" << QStringList{"new", "Flat Bleu", "n.blp"} << 2
        << "Unknown design 'Flat Bleu'. Try 'brindlewick-cli designs'.\n"
        << QStringList{};
    QTest::newRow("empty caption") << "" << design + QStringList{"--caption", "A", "--caption", ""}
                                   << 2 << "A caption cannot be empty.\n"
                                   << QStringList{};
    QTest::newRow("file kept") << "file" << design << 2 << taken << QStringList{};
    QTest::newRow("link kept") << "link" << design << 2 << taken << QStringList{};
    QTest::newRow("file replaced")
        << "file" << design + QStringList{"--force"} << 0 << "" << QStringList{};
    QTest::newRow("link replaced, not followed")
        << "link" << design + QStringList{"--force"} << 0 << "" << QStringList{};
    QTest::newRow("folder kept") << "folder" << design + QStringList{"--force"} << 2
                                 << "n.blp is a folder\n"
                                 << QStringList{};
}

// new writes a project that reads back with the design's looks, the captions and ./buttons,
// and that generates at once; what is at its name stays unless --force.
void tst_CommandLine::newFromDesign()
{
    QFETCH(QString, before);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, err);
    QFETCH(QStringList, captions);
    QVERIFY(QDir::setCurrent(m_dir->path()));
    const auto restore = qScopeGuard([this] { QDir::setCurrent(m_home); });
    QFile old(before == "link" ? "t.blp" : "n.blp");
    if (before == "folder")
        QVERIFY(QDir().mkdir("n.blp"));
    else
        QVERIFY(before.isEmpty() || (old.open(QIODevice::WriteOnly) && old.write("old") == 3));
    old.close();
    QVERIFY(before != "link" || QFile::link("t.blp", "n.blp"));

    QString out;
    QString errText;
    QCOMPARE(runIn(arguments, &out, &errText), exitCode);
    QCOMPARE(errText, err);
    QCOMPARE(QFileInfo("n.blp").isSymLink(), before == "link" && exitCode != 0);
    QCOMPARE(QFileInfo::exists("n.blp"), exitCode == 0 || !before.isEmpty());
    if (before == "link" || (before == "file" && exitCode != 0)) {
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old"));
        old.close();
    }
    if (exitCode != 0)
        return;
    ButtonProject written;
    written.projectFileName = "n.blp";
    QVERIFY(!ProjectFileReader(written).loadProjectFile());
    const ButtonProject design = *DesignGallery::load("Flat Blue");
    QCOMPARE(written.captions, captions.isEmpty() ? design.captions : captions);
    QCOMPARE(written.outputDirectory, QStringLiteral("buttons"));
    QCOMPARE(written.normal, design.normal);
    QCOMPARE(runIn({"generate", "n.blp"}, &out, &errText), 0);
    QVERIFY(QFileInfo::exists("buttons/BTNPAGE.html"));
}

QTEST_MAIN(tst_CommandLine)
#include "tst_CommandLine.moc"
