#include "ErrorText.h"
#include "ProjectFileReader.h"
#include "ProjectFileWriter.h"
#include "ProjectKeys.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {
QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Temporarily lowers one resource limit of the process.
class LimitGuard
{
public:
    LimitGuard(int resource, rlim_t soft) : m_resource(resource)
    {
        getrlimit(resource, &m_old);
        rlimit l = m_old;
        l.rlim_cur = soft;
        m_ok = setrlimit(resource, &l) == 0;
    }
    ~LimitGuard() { setrlimit(m_resource, &m_old); }
    bool ok() const { return m_ok; }

private:
    int m_resource;
    rlimit m_old;
    bool m_ok = false;
};

ButtonProject everyFieldChanged()
{
    ButtonProject p;
    p.captions = {"Home", "About|Us", "", "Caf\u00E9 \u20AC", "A=B"};
    p.javaScriptOption = JavaScriptOption::Static;
    p.buttonHeight = 7;
    p.buttonWidth = -300;
    p.variableWidth = true;
    int i = 0;
    for (ButtonStateStyle* s : {&p.normal, &p.selected, &p.pressed}) {
        ++i;
        s->backgroundKind = BackgroundKind::OwnImage;
        s->backgroundColor = Colors::rgb(10 * i, 20, 30);
        s->predefinedIndex = 98 + i - 2;
        s->imageFileName = QStringLiteral("...%1").arg(i); // never loaded
        s->borderEffect = BorderEffect::BlackBorder;
        s->pressEffect = i == 3 ? PressEffect::NoChoice : PressEffect::Pressed;
        s->fontName = QStringLiteral("Font %1").arg(i);
        s->fontColor = Colors::systemColor(i);
        s->fontSize = 10 + i;
        s->fontBold = i != 1;
        s->fontItalic = i != 2;
        s->fontUnderline = i != 3;
        s->fontStrikeOut = true;
        s->textJustification = TextJustification::IndentRight;
        s->textOrientation = TextOrientation::Bottom;
        s->dropShadow = true;
        s->dropShadowColor = Colors::rgb(1, 2, i);
    }
    p.outputDirectory = QStringLiteral("/srv/out dir/");
    p.fileNamePrefix = QStringLiteral("LONGERTHAN8");
    p.useCaptionsAsNames = true;
    p.htmlDirection = HtmlDirection::Across;
    p.htmlTable = HtmlTable::NoTable;
    p.imageFileFormat = ImageFileFormat::NoChoice;
    return p;
}

// Gives a key's member a value that differs from the start-up default.
void changeMember(const ProjectKeys::Key& key, ButtonProject& p)
{
    using Kind = ProjectKeys::Kind;
    switch (key.kind) {
    case Kind::Flag:
        key.ref<bool>(p) = !key.ref<bool>(p);
        break;
    case Kind::Number: {
        qint32& n = key.ref<qint32>(p);
        n = key.minimum < -123456 ? -123456 : n == key.maximum ? key.minimum : key.maximum;
        break;
    }
    case Kind::Colour:
        key.ref<ColorRef>(p) = Colors::systemColor(5);
        break;
    case Kind::WebColour:
        key.ref<ColorRef>(p) = key.ref<ColorRef>(p) == Colors::rgb(1, 2, 254)
                                   ? Colors::rgb(0, 0, 0)
                                   : Colors::rgb(1, 2, 254);
        break;
    case Kind::Choice: {
        const int before = key.choice(p);
        key.setChoice(p, 1000); // the last choice
        if (key.choice(p) == before)
            key.setChoice(p, -1);
        break;
    }
    case Kind::PredefinedIndex:
        key.ref<qint32>(p) = 42;
        break;
    case Kind::NamedChoice:
        key.setChoice(p, (key.choice(p) + 1) % key.names.size());
        break;
    case Kind::OptionalColour: {
        std::optional<ColorRef>& colour = key.ref<std::optional<ColorRef>>(p);
        colour = colour ? std::nullopt : std::optional<ColorRef>(Colors::rgb(1, 2, 254));
        break;
    }
    case Kind::Text:
    case Kind::FontName:
    case Kind::ImageFileName:
        key.ref<QString>(p) = QStringLiteral("x=y \u00E9");
        break;
    }
}

QList<QByteArray> changedLines(const QByteArray& from, const QByteArray& to)
{
    const QList<QByteArray> a = from.split('\n');
    const QList<QByteArray> b = to.split('\n');
    QList<QByteArray> changed;
    for (const QByteArray& line : b) {
        if (!a.contains(line))
            changed.append(line.trimmed());
    }
    return changed;
}
} // namespace

class tst_ProjectFileWriter : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { std::signal(SIGXFSZ, SIG_IGN); }
    void defaultProject();
    void roundTripOfFixture();
    void roundTripOfEveryField();
    void roundTripOfEachKey();
    void optionalKeys();
    void valuesWithoutLineBreaks();
    void saveWritesTheBytes();
    void shortWriteKeepsOldFile_data();
    void shortWriteKeepsOldFile();
    void tooManyOpenFilesKeepsOldFile();
    void unwritableFolderKeepsOldFile();
    void missingFolder();
};

void tst_ProjectFileWriter::defaultProject()
{
    ButtonProject project;
    project.captions = {QStringLiteral("Home")};
    project.outputDirectory = QStringLiteral("C:\\TEMP\\");
    const QByteArray expected =
        fileBytes(QStringLiteral(TEST_DATA_DIR "/projects/default-one-caption.blp"));
    QCOMPARE(ProjectFileWriter::toBytes(project), expected);
}

void tst_ProjectFileWriter::roundTripOfFixture()
{
    const QString path = QStringLiteral(TEST_DATA_DIR "/projects/default-one-caption.blp");
    ButtonProject project = everyFieldChanged();
    project.projectFileName = path;
    ProjectFileReader reader(project);
    QVERIFY(!reader.loadProjectFile().isError());
    QCOMPARE(ProjectFileWriter::toBytes(project), fileBytes(path));
}

void tst_ProjectFileWriter::roundTripOfEveryField()
{
    const ButtonProject original = everyFieldChanged();
    const QByteArray bytes = ProjectFileWriter::toBytes(original);
    ButtonProject copy;
    ProjectFileReader reader(copy);
    QVERIFY(!reader.loadFromBytes(bytes).isError());
    QCOMPARE(copy.captions, original.captions);
    QCOMPARE(copy.javaScriptOption, original.javaScriptOption);
    QCOMPARE(copy.buttonHeight, original.buttonHeight);
    QCOMPARE(copy.buttonWidth, original.buttonWidth);
    QCOMPARE(copy.variableWidth, original.variableWidth);
    QVERIFY(copy.normal == original.normal);
    QVERIFY(copy.selected == original.selected);
    QVERIFY(copy.pressed == original.pressed);
    QCOMPARE(copy.outputDirectory, original.outputDirectory);
    QCOMPARE(copy.fileNamePrefix, original.fileNamePrefix);
    QCOMPARE(copy.useCaptionsAsNames, original.useCaptionsAsNames);
    QCOMPARE(copy.htmlDirection, original.htmlDirection);
    QCOMPARE(copy.htmlTable, original.htmlTable);
    QCOMPARE(copy.imageFileFormat, original.imageFileFormat);
    QCOMPARE(ProjectFileWriter::toBytes(copy), bytes);
}

// Each key's member alone changed comes back from the file, and changes that key's line only.
void tst_ProjectFileWriter::roundTripOfEachKey()
{
    const QByteArray defaults = ProjectFileWriter::toBytes(ButtonProject());
    QList<ProjectKeys::Key> keys = ProjectKeys::all();
    for (const ProjectKeys::Option& option : ProjectKeys::optional())
        keys.append(option.key);
    for (const ProjectKeys::Key& key : keys) {
        ButtonProject changed;
        changeMember(key, changed);
        const QByteArray bytes = ProjectFileWriter::toBytes(changed);
        const QList<QByteArray> lines = changedLines(defaults, bytes);
        QVERIFY2(lines.size() == 1 && lines[0].startsWith((key.name + u'=').toUtf8()),
                 qPrintable(key.name));
        ButtonProject copy;
        ProjectFileReader reader(copy);
        QVERIFY(!reader.loadFromBytes(bytes).isError());
        QCOMPARE(ProjectFileWriter::toBytes(copy), bytes);
    }
}

// An option is written only when it differs from a new project's, after the classic keys and
// in the table's order, so that older projects keep their bytes; a file without its line
// reads as a new project's value, whatever the project held before.
void tst_ProjectFileWriter::optionalKeys()
{
    const QByteArray plain = ProjectFileWriter::toBytes(ButtonProject());
    QVERIFY(plain.endsWith("\r\nrgImageFileFormat=0\r\n"));
    ButtonProject everything;
    for (const ProjectKeys::Option& option : ProjectKeys::optional())
        changeMember(option.key, everything);
    QByteArray allLines;
    for (const ProjectKeys::Option& option : ProjectKeys::optional()) {
        ButtonProject one;
        changeMember(option.key, one);
        const QByteArray bytes = ProjectFileWriter::toBytes(one);
        QVERIFY2(bytes.startsWith(plain), qPrintable(option.key.name));
        const QByteArray line = bytes.mid(plain.size());
        QVERIFY(line.startsWith((option.key.name + u'=').toUtf8()) && line.count('\n') == 1);
        if (option.key.kind == ProjectKeys::Kind::Flag)
            QVERIFY(line.endsWith("=T\r\n"));
        allLines += line;

        ButtonProject copy = everything;
        ProjectFileReader reader(copy);
        QVERIFY(!reader.loadFromBytes(bytes).isError());
        QCOMPARE(ProjectFileWriter::toBytes(copy), bytes);
    }
    QCOMPARE(ProjectFileWriter::toBytes(everything), plain + allLines);
}

void tst_ProjectFileWriter::valuesWithoutLineBreaks()
{
    ButtonProject project;
    project.captions = {QStringLiteral("A\r\nB"), QStringLiteral("C\x1A"),
                        QStringLiteral("D\rE\nF")};
    project.fileNamePrefix = QStringLiteral("P\nQ");
    const QByteArray bytes = ProjectFileWriter::toBytes(project);
    QCOMPARE(bytes.count("\r\n"), 62 + 3);
    QVERIFY(bytes.endsWith("rgImageFileFormat=0\r\n"));
    QVERIFY(!bytes.contains('\x1A'));
    ButtonProject copy;
    ProjectFileReader reader(copy);
    QVERIFY(!reader.loadFromBytes(bytes).isError());
    QCOMPARE(copy.captions, (QStringList{"A  B", "C ", "D E F"}));
    QCOMPARE(copy.fileNamePrefix, QStringLiteral("P Q"));
}

void tst_ProjectFileWriter::saveWritesTheBytes()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    ButtonProject project = everyFieldChanged();
    project.projectFileName = dir.filePath("p.blp");
    QVERIFY(writeFile(project.projectFileName, "an older, longer file than this one would be? no"));
    const Failure failure = ProjectFileWriter::saveProjectFile(project);
    QVERIFY2(!failure, qPrintable(ErrorText::message(failure)));
    QCOMPARE(fileBytes(project.projectFileName), ProjectFileWriter::toBytes(project));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"p.blp"});
}

void tst_ProjectFileWriter::shortWriteKeepsOldFile_data()
{
    QTest::addColumn<int>("limit");
    QTest::newRow("nothing fits") << 0;
    QTest::newRow("fails mid-way") << 100;
}

void tst_ProjectFileWriter::shortWriteKeepsOldFile()
{
    QFETCH(int, limit);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("p.blp");
    const QByteArray old("ButtonLayoutFileVersion=400\r\nLabelText=Old\r\n");
    QVERIFY(writeFile(path, old));
    ButtonProject project;
    project.projectFileName = path;
    Failure failure;
    {
        // A file size limit fails the write just as a full disk does.
        LimitGuard guard(RLIMIT_FSIZE, rlim_t(limit));
        QVERIFY(guard.ok());
        failure = ProjectFileWriter::saveProjectFile(project);
    }
    QCOMPARE(ErrorText::message(failure), QStringLiteral("Disk full"));
    QCOMPARE(fileBytes(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"p.blp"});
}

void tst_ProjectFileWriter::tooManyOpenFilesKeepsOldFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("p.blp");
    QVERIFY(writeFile(path, "old"));
    ButtonProject project;
    project.projectFileName = path;
    const int lowestFree = ::open("/dev/null", O_RDONLY);
    QVERIFY(lowestFree >= 0);
    ::close(lowestFree);
    Failure failure;
    {
        LimitGuard limit(RLIMIT_NOFILE, rlim_t(lowestFree));
        QVERIFY(limit.ok());
        failure = ProjectFileWriter::saveProjectFile(project);
    }
    QCOMPARE(ErrorText::message(failure), QStringLiteral("Too many open files"));
    QCOMPARE(fileBytes(path), QByteArray("old"));
}

void tst_ProjectFileWriter::unwritableFolderKeepsOldFile()
{
    if (::geteuid() == 0)
        QSKIP("folder permissions do not bind the superuser");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("p.blp");
    QVERIFY(writeFile(path, "old"));
    QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    ButtonProject project;
    project.projectFileName = path;
    const Failure failure = ProjectFileWriter::saveProjectFile(project);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(ErrorText::message(failure), QStringLiteral("File access denied"));
    QCOMPARE(fileBytes(path), QByteArray("old"));
}

void tst_ProjectFileWriter::missingFolder()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    ButtonProject project;
    project.projectFileName = dir.filePath("nowhere/p.blp");
    QCOMPARE(ErrorText::message(ProjectFileWriter::saveProjectFile(project)),
             QStringLiteral("Invalid filename"));
    project.projectFileName.clear();
    QCOMPARE(ErrorText::message(ProjectFileWriter::saveProjectFile(project)),
             QStringLiteral("Invalid filename"));
}

QTEST_GUILESS_MAIN(tst_ProjectFileWriter)
#include "tst_ProjectFileWriter.moc"
