#include "CommandLine.h"
#include "CommandLineOptions.h"
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
    QTest::newRow("unknown command")
        << project({}) << QStringList{"render", "p.blp"} << 2
        << "brindlewick-cli: Unknown command 'render'.\n" + tryHelp << QStringList{"p.blp"};
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
    QStringList options{"--output-dir"};
    for (const ProjectKeys::Option& setting : ProjectKeys::optional())
        options << "--" + setting.flag;
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
    QTest::addColumn<bool>("colour"); // else a number from 0 to 64
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("fine");
    QTest::newRow("lowest") << false << "0" << true;
    QTest::newRow("highest") << false << "64" << true;
    QTest::newRow("above") << false << "65" << false;
    QTest::newRow("below") << false << "-1" << false;
    QTest::newRow("not a number") << false << "ten" << false;
    QTest::newRow("empty number") << false << "" << false;
    QTest::newRow("colour") << true << "#0a14FE" << true;
    QTest::newRow("colour without #") << true << "0a14FE" << false;
    QTest::newRow("short colour") << true << "#0a14F" << false;
    QTest::newRow("colour name") << true << "red" << false;
}

// Numbers and colours are checked before anything is read, and a refusal names the option,
// what it takes and what it was given.
void tst_CommandLine::valuesOfSettings()
{
    QFETCH(bool, colour);
    QFETCH(QString, value);
    QFETCH(bool, fine);
    ProjectKeys::Option setting{{"Setting", ButtonState::Normal, ProjectKeys::Kind::Number,
                                 &ButtonProject::buttonHeight, 0, 64},
                                "setting",
                                "N",
                                "",
                                "",
                                ""};
    if (colour)
        setting.key = {"Setting", ButtonState::Selected, ProjectKeys::Kind::WebColour,
                       &ButtonStateStyle::backgroundColor};
    const QString problem = CommandLineOptions::valueProblem(setting, value);
    QCOMPARE(problem.isEmpty(), fine);
    if (!fine) {
        QVERIFY2(problem.startsWith("Option '--setting' takes ") &&
                     problem.endsWith(", not '" + value + "'.") &&
                     problem.contains(colour ? "#RRGGBB" : "from 0 to 64"),
                 qPrintable(problem));
    }
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

QTEST_MAIN(tst_CommandLine)
#include "tst_CommandLine.moc"
