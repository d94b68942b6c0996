#include "BackgroundPictures.h"
#include "PredefinedBackground.h"
#include "ProjectFileCommands.h"
#include "ProjectFileWriter.h"
#include "ScriptedPlatformServices.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {
QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
} // namespace

class tst_ProjectFileCommands : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanupTestCase() { delete m_dir; }
    void saveWithoutNameGoesToSaveAs();
    void saveUsesTheNameWithoutAsking();
    void saveAsOverExistingFile_data();
    void saveAsOverExistingFile();
    void saveAsCancelled();
    void saveAsReplacesALinkItself_data();
    void saveAsReplacesALinkItself();
    void saveAsThenSave();
    void failedSaveShowsNoSavedMessage();
    void openMissingFile();
    void openBadInteger();
    void openCancelled();
    void openDialogAndLaterFolder();
    void openFollowsPictures();
    void openWithUnreadableOwnImage();

private:
    QTemporaryDir* m_dir = nullptr;
    QString path(const QString& name) const { return m_dir->filePath(name); }
    ButtonProject m_project;
    BackgroundPictures m_pictures;
    ScriptedPlatformServices m_platform;
};

void tst_ProjectFileCommands::init()
{
    delete m_dir;
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    m_project = ButtonProject();
    m_project.captions = {QStringLiteral("Home")};
    m_pictures = BackgroundPictures();
    m_platform = ScriptedPlatformServices();
}

void tst_ProjectFileCommands::saveWithoutNameGoesToSaveAs()
{
    m_platform.saveFileAnswers = {path("new.blp")};
    ProjectFileCommands commands(m_project, m_pictures, m_platform);
    QVERIFY(commands.save());
    QCOMPARE(m_platform.saveDialogs.size(), 1);
    const auto& dialog = m_platform.saveDialogs[0];
    QCOMPARE(dialog.title, QStringLiteral("Button Layout Project File Save As..."));
    QCOMPARE(dialog.filter,
             QStringLiteral("Button Layout Project (*.BLP)|*.blp|All Files (*.*)|*.*"));
    QCOMPARE(dialog.defaultExtension, QStringLiteral("blp"));
    QCOMPARE(dialog.fileName, QString());
    QCOMPARE(m_project.projectFileName, path("new.blp"));
    QCOMPARE(fileBytes(path("new.blp")), ProjectFileWriter::toBytes(m_project));
    // A new file is saved without a word.
    QVERIFY(m_platform.messages.isEmpty());
    QVERIFY(m_platform.confirmations.isEmpty());
}

void tst_ProjectFileCommands::saveUsesTheNameWithoutAsking()
{
    m_project.projectFileName = path("p.blp");
    QVERIFY(writeFile(m_project.projectFileName, "old"));
    ProjectFileCommands commands(m_project, m_pictures, m_platform);
    QVERIFY(commands.save());
    QVERIFY(m_platform.saveDialogs.isEmpty());
    QVERIFY(m_platform.confirmations.isEmpty());
    QCOMPARE(m_platform.messages,
             QStringList{"Button Layout Project File\n\n" + path("p.blp") + "\n\nSaved."});
    QCOMPARE(fileBytes(path("p.blp")), ProjectFileWriter::toBytes(m_project));
}

void tst_ProjectFileCommands::saveAsOverExistingFile_data()
{
    QTest::addColumn<bool>("replace");
    QTest::newRow("Cancel") << false;
    QTest::newRow("OK") << true;
}

void tst_ProjectFileCommands::saveAsOverExistingFile()
{
    QFETCH(bool, replace);
    m_project.projectFileName = path("current.blp");
    const QString other = path("other.blp");
    QVERIFY(writeFile(other, "old"));
    m_platform.saveFileAnswers = {other};
    m_platform.confirmAnswers = {replace};
    ProjectFileCommands commands(m_project, m_pictures, m_platform);
    QCOMPARE(commands.saveAs(), replace);

    QCOMPARE(m_platform.saveDialogs.size(), 1);
    QCOMPARE(m_platform.saveDialogs[0].fileName, path("current.blp"));
    QCOMPARE(m_platform.confirmations.size(), 1);
    QCOMPARE(m_platform.confirmations[0].title, QStringLiteral("Confirm"));
    QCOMPARE(m_platform.confirmations[0].text, "Replace Existing File?\n\n" + other);
    if (replace) {
        QCOMPARE(m_project.projectFileName, other);
        QCOMPARE(fileBytes(other), ProjectFileWriter::toBytes(m_project));
        QCOMPARE(m_platform.messages, QStringList{ProjectFileCommands::savedMessage(other)});
    } else {
        QCOMPARE(m_project.projectFileName, path("current.blp"));
        QCOMPARE(fileBytes(other), QByteArray("old"));
        QVERIFY(m_platform.messages.isEmpty());
    }
    QVERIFY(m_platform.errors.isEmpty());
}

void tst_ProjectFileCommands::saveAsCancelled()
{
    m_project.projectFileName = path("current.blp");
    ProjectFileCommands commands(m_project, m_pictures, m_platform);
    QVERIFY(!commands.saveAs());
    QCOMPARE(m_project.projectFileName, path("current.blp"));
    QVERIFY(!QFile::exists(path("current.blp")));
    QVERIFY(m_platform.messages.isEmpty() && m_platform.errors.isEmpty());
}

void tst_ProjectFileCommands::saveAsReplacesALinkItself_data()
{
    QTest::addColumn<bool>("dangling");
    QTest::newRow("link to a file") << false;
    QTest::newRow("dangling link") << true;
}

void tst_ProjectFileCommands::saveAsReplacesALinkItself()
{
    QFETCH(bool, dangling);
    const QString target = path("target.blp");
    if (!dangling)
        QVERIFY(writeFile(target, "theirs"));
    QVERIFY(QFile::link(target, path("link.blp")));
    m_platform.saveFileAnswers = {path("link.blp")};
    m_platform.confirmAnswers = {true};
    ProjectFileCommands commands(m_project, m_pictures, m_platform);
    QVERIFY(commands.saveAs());
    QCOMPARE(m_platform.confirmations.size(), 1);
    QVERIFY(!QFileInfo(path("link.blp")).isSymLink());
    QCOMPARE(fileBytes(path("link.blp")), ProjectFileWriter::toBytes(m_project));
    QCOMPARE(QFile::exists(target), !dangling);
    QCOMPARE(fileBytes(target), dangling ? QByteArray() : QByteArray("theirs"));
}

void tst_ProjectFileCommands::saveAsThenSave()
{
    m_platform.saveFileAnswers = {path("a.blp")};
    ProjectFileCommands commands(m_project, m_pictures, m_platform);
    QVERIFY(commands.saveAs());
    m_project.captions.append(QStringLiteral("About Us"));
    QVERIFY(commands.save());
    QCOMPARE(m_platform.saveDialogs.size(), 1);
    QVERIFY(m_platform.confirmations.isEmpty());
    QCOMPARE(fileBytes(path("a.blp")), ProjectFileWriter::toBytes(m_project));
    QCOMPARE(m_platform.messages, QStringList{ProjectFileCommands::savedMessage(path("a.blp"))});
}

void tst_ProjectFileCommands::failedSaveShowsNoSavedMessage()
{
    m_platform.saveFileAnswers = {path("missing/folder.blp")};
    ProjectFileCommands commands(m_project, m_pictures, m_platform);
    QVERIFY(!commands.save());
    QCOMPARE(m_platform.errors, QStringList{"Invalid filename"});
    QVERIFY(m_platform.messages.isEmpty());
    QCOMPARE(m_project.projectFileName, path("missing/folder.blp"));

    // Replacing an existing name that cannot be written: the error, not "Saved.".
    QVERIFY(QDir(m_dir->path()).mkdir("folder.blp"));
    m_platform.saveFileAnswers = {path("folder.blp")};
    m_platform.confirmAnswers = {true};
    QVERIFY(!commands.saveAs());
    QCOMPARE(m_platform.errors.last(), QStringLiteral("File access denied"));
    QVERIFY(m_platform.messages.isEmpty());
}

void tst_ProjectFileCommands::openMissingFile()
{
    m_platform.openFileAnswers = {path("missing.blp")};
    ProjectFileCommands commands(m_project, m_pictures, m_platform);
    QCOMPARE(commands.open(), ProjectFileCommands::OpenResult::ReadWithError);
    QCOMPARE(m_platform.errors, QStringList{"File not found"});
    QCOMPARE(m_project.projectFileName, path("missing.blp"));
    QCOMPARE(m_project.captions, QStringList{"Home"});

    // The name is kept, so a later Save creates that file.
    QVERIFY(commands.save());
    QVERIFY(QFile::exists(path("missing.blp")));
}

void tst_ProjectFileCommands::openBadInteger()
{
    QVERIFY(writeFile(path("bad.blp"), "ButtonLayoutFileVersion=400\r\nLabelText=A\r\n"
                                       "fWidth=80\r\nfHeight=4O\r\nLabelText=B\r\n"));
    m_platform.openFileAnswers = {path("bad.blp")};
    ProjectFileCommands commands(m_project, m_pictures, m_platform);
    QCOMPARE(commands.open(), ProjectFileCommands::OpenResult::ReadWithError);
    QCOMPARE(m_platform.errors, QStringList{"'4O' is not a valid integer value"});
    QCOMPARE(m_project.captions, QStringList{"A"});
    QCOMPARE(m_project.buttonWidth, 80);
    QCOMPARE(m_project.buttonHeight, 32);
}

void tst_ProjectFileCommands::openCancelled()
{
    m_project.projectFileName = path("current.blp");
    ProjectFileCommands commands(m_project, m_pictures, m_platform);
    QCOMPARE(commands.open(), ProjectFileCommands::OpenResult::Cancelled);
    QCOMPARE(m_project.projectFileName, path("current.blp"));
    QCOMPARE(m_project.captions, QStringList{"Home"});
    QVERIFY(m_platform.errors.isEmpty());
}

void tst_ProjectFileCommands::openDialogAndLaterFolder()
{
    QVERIFY(writeFile(path("p.blp"), "LabelText=X\r\n"));
    m_platform.openFileAnswers = {path("p.blp")};
    ProjectFileCommands commands(m_project, m_pictures, m_platform);
    QCOMPARE(commands.open(), ProjectFileCommands::OpenResult::Read);
    QCOMPARE(commands.open(), ProjectFileCommands::OpenResult::Cancelled);
    QCOMPARE(m_platform.openDialogs.size(), 2);
    const auto& first = m_platform.openDialogs[0];
    QCOMPARE(first.title, QStringLiteral("Open Button Layout File"));
    QCOMPARE(first.filter, ProjectFileCommands::filter);
    QCOMPARE(first.defaultExtension, QStringLiteral("blp"));
    QCOMPARE(first.initialDirectory, QString());
    QCOMPARE(m_platform.openDialogs[1].initialDirectory, QCoreApplication::applicationDirPath());
    QCOMPARE(m_project.captions, QStringList{"X"});
    QCOMPARE(m_project.projectFileName, path("p.blp"));
}

void tst_ProjectFileCommands::openFollowsPictures()
{
    QImage own(21, 13, QImage::Format_RGB32);
    own.fill(Qt::red);
    QVERIFY(own.save(path("own.bmp"), "BMP"));
    const QImage stale(5, 5, QImage::Format_RGB32);
    m_pictures.setOwnImage(ButtonState::Pressed, stale);
    m_pictures.setPredefined(ButtonState::Pressed, stale);
    m_project.normal.imageFileName = path("gone.bmp");
    m_project.pressed.imageFileName = path("kept.bmp");
    m_pictures.setOwnImage(ButtonState::Normal, stale);

    const QByteArray file = "cbNormalButtonPredefinedBitmaps=10\r\n"
                            "cbPressedButtonPredefinedBitmaps=150\r\n"
                            "lblSelectedButtonBMPfilename=" +
                            path("own.bmp").toUtf8() +
                            "\r\n"
                            "lblNormalButtonBMPfilename=\r\n";
    QVERIFY(writeFile(path("p.blp"), file));
    m_platform.openFileAnswers = {path("p.blp")};
    ProjectFileCommands commands(m_project, m_pictures, m_platform);
    QCOMPARE(commands.open(), ProjectFileCommands::OpenResult::Read);
    QVERIFY(m_platform.errors.isEmpty());

    QCOMPARE(m_pictures.predefined(ButtonState::Normal), PredefinedBackground::load(10));
    QVERIFY(!m_pictures.predefined(ButtonState::Normal).isNull());
    QVERIFY(m_pictures.predefined(ButtonState::Pressed).isNull());
    QCOMPARE(m_pictures.ownImage(ButtonState::Selected).size(), QSize(21, 13));
    QCOMPARE(m_pictures.ownImage(ButtonState::Selected).pixel(0, 0), QColor(Qt::red).rgb());
    // The file cleared the normal image's name: its old picture goes too.
    QVERIFY(m_pictures.ownImage(ButtonState::Normal).isNull());
    // The file did not name the pressed image: its picture stays.
    QCOMPARE(m_pictures.ownImage(ButtonState::Pressed), stale);
}

void tst_ProjectFileCommands::openWithUnreadableOwnImage()
{
    QVERIFY(writeFile(path("p.blp"), "LabelText=A\r\nlblNormalButtonBMPfilename=/pics/a.tif\r\n"
                                     "LabelText=B\r\n"));
    m_platform.openFileAnswers = {path("p.blp")};
    ProjectFileCommands commands(m_project, m_pictures, m_platform);
    QCOMPARE(commands.open(), ProjectFileCommands::OpenResult::ReadWithError);
    QCOMPARE(m_platform.errors.size(), 1);
    QVERIFY2(m_platform.errors[0].contains(QLatin1String("tif")), qPrintable(m_platform.errors[0]));
    QCOMPARE(m_project.captions, QStringList{"A"});
    QVERIFY(m_pictures.ownImage(ButtonState::Normal).isNull());
}

QTEST_MAIN(tst_ProjectFileCommands)
#include "tst_ProjectFileCommands.moc"
