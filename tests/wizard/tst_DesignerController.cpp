#include "DesignGallery.h"
#include "DesignerController.h"
#include "ProjectFileWriter.h"
#include "WizardFixture.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <sys/stat.h>

namespace {
QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

using Choice = PlatformServices::SaveChoice;
} // namespace

class tst_DesignerController : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void modifiedFollowsEditsAndFiles();
    void closingQuestion_data();
    void closingQuestion();
    void recentFilesSurviveAndStayShort();
    void failedOpenKeepsTheProject_data();
    void failedOpenKeepsTheProject();
    void wizardAndDesignerReadEachOther();
    void captionsEditedInPlace();
    void sameAsNormalCopiesOnce();
    void generateChecksThenWrites();

private:
    DesignerController& designer() { return *m_designer; }
    // A designer with one caption, changed and never saved.
    void makeChanged() { designer().captions().insertText(-1, QStringLiteral("Home")); }

    WizardFixture m_fixture;
    std::unique_ptr<DesignerController> m_designer;
};

void tst_DesignerController::init()
{
    m_designer.reset();
    QVERIFY(m_fixture.reset());
    m_designer = std::make_unique<DesignerController>(m_fixture.platform);
    designer().start();
}

void tst_DesignerController::modifiedFollowsEditsAndFiles()
{
    QSignalSpy modified(&designer(), &DesignerController::modifiedChanged);
    QVERIFY(!designer().isModified());
    designer().set(&ButtonProject::buttonWidth, 90);
    QVERIFY(designer().isModified());
    m_fixture.platform.saveFileAnswers = {m_fixture.path("a.blp")};
    QVERIFY(designer().saveProject());
    QVERIFY(!designer().isModified());
    QCOMPARE(designer().documentName(), QStringLiteral("a.blp"));
    // A Save As that fails leaves the name that the title shows and Save writes to.
    m_fixture.platform.saveFileAnswers = {m_fixture.path("missing/b.blp")};
    QVERIFY(!designer().saveProjectAs());
    QCOMPARE(designer().project().projectFileName, m_fixture.path("a.blp"));

    designer().styles().set(ButtonState::Pressed, &ButtonStateStyle::dropShadow, true);
    QVERIFY(designer().isModified());
    m_fixture.platform.saveChoiceAnswers = {Choice::Discard};
    QVERIFY(designer().openProjectFile(m_fixture.path("a.blp")));
    QVERIFY(!designer().isModified());
    QVERIFY(!designer().project().pressed.dropShadow);
    QCOMPARE(designer().project().buttonWidth, 90);

    designer().setFileNamePrefix(QStringLiteral("X"));
    m_fixture.platform.saveChoiceAnswers = {Choice::Discard};
    QVERIFY(designer().newProject());
    QVERIFY(!designer().isModified());
    QCOMPARE(designer().documentName(), QStringLiteral("Untitled"));
    QCOMPARE(designer().project().buttonWidth, ButtonProject().buttonWidth);
    QCOMPARE(modified.size(), 6);

    // A design's looks, unsaved and unnamed; the captions stay.
    makeChanged();
    QVERIFY(designer().newFromDesign(QStringLiteral("midnight")));
    QVERIFY(!designer().isModified());
    QCOMPARE(designer().documentName(), QStringLiteral("Untitled"));
    QCOMPARE(designer().project().captions, CaptionList{QStringLiteral("Home")});
    QCOMPARE(designer().project().normal.backgroundColor,
             DesignGallery::load(QStringLiteral("Midnight"))->normal.backgroundColor);
    QVERIFY(!designer().newFromDesign(QStringLiteral("No such design")));
}

void tst_DesignerController::closingQuestion_data()
{
    QTest::addColumn<bool>("named");
    QTest::addColumn<Choice>("choice");
    QTest::addColumn<bool>("mayClose");
    QTest::addColumn<bool>("written");
    QTest::newRow("save untitled") << false << Choice::Save << true << true;
    QTest::newRow("save named") << true << Choice::Save << true << true;
    QTest::newRow("discard") << true << Choice::Discard << true << false;
    QTest::newRow("cancel") << true << Choice::Cancel << false << false;
}

void tst_DesignerController::closingQuestion()
{
    QFETCH(bool, named);
    QFETCH(Choice, choice);
    QFETCH(bool, mayClose);
    QFETCH(bool, written);
    ScriptedPlatformServices& platform = m_fixture.platform;
    const QString file = m_fixture.path("p.blp");
    QVERIFY(designer().maySaveChanges()); // nothing to lose, nothing asked
    if (named) {
        platform.saveFileAnswers = {file};
        QVERIFY(designer().saveProjectAs());
        QFile::remove(file);
    }
    makeChanged();
    platform.saveChoiceAnswers = {choice};
    platform.saveFileAnswers = {file};
    QCOMPARE(designer().maySaveChanges(), mayClose);
    QCOMPARE(platform.saveQuestions.size(), 1);
    QCOMPARE(platform.saveQuestions[0].text, named ? QStringLiteral("Save changes to p.blp?")
                                                   : QStringLiteral("Save changes to Untitled?"));
    QCOMPARE(QFile::exists(file), written);
    if (written)
        QCOMPARE(fileBytes(file), ProjectFileWriter::toBytes(designer().project()));
    QCOMPARE(designer().isModified(), !written);
    // A cancelled question keeps the project as it was.
    QCOMPARE(designer().project().captions, QStringList{QStringLiteral("Home")});
}

void tst_DesignerController::recentFilesSurviveAndStayShort()
{
    for (int i = 0; i < DesignerController::maxRecentFiles + 2; ++i) {
        m_fixture.platform.saveFileAnswers = {m_fixture.path(QStringLiteral("r%1.blp").arg(i))};
        QVERIFY(designer().saveProjectAs());
    }
    QVERIFY(designer().openProjectFile(m_fixture.path("r3.blp")));
    DesignerController again(m_fixture.platform);
    again.start();
    const QStringList recent = again.recentFiles();
    QCOMPARE(recent.size(), DesignerController::maxRecentFiles);
    QCOMPARE(recent.first(), m_fixture.path("r3.blp"));
    QCOMPARE(recent.at(1), m_fixture.path("r7.blp"));
    QCOMPARE(recent.count(m_fixture.path("r3.blp")), 1);
    // The wizard's option sets stay as they were: none stored.
    QVERIFY(!fileBytes(m_fixture.platform.settingsFile).contains("fOverrideOptions"));
}

void tst_DesignerController::failedOpenKeepsTheProject_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("error");
    QTest::newRow("text") << "text"
                          << "%1 is not a project file";
    QTest::newRow("empty pipe") << "pipe"
                                << "%1 is not a project file";
    QTest::newRow("folder") << "folder"
                            << "%1 is a folder";
    QTest::newRow("deleted") << ""
                             << "File not found";
}

void tst_DesignerController::failedOpenKeepsTheProject()
{
    QFETCH(QString, kind);
    QFETCH(QString, error);
    const QString other = m_fixture.path("other.blp");
    if (kind == QLatin1String("text")) {
        QFile text(other);
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write("# Notes\n\nNo keys here.\n") > 0);
    } else if (kind == QLatin1String("pipe")) {
        QCOMPARE(::mkfifo(QFile::encodeName(other).constData(), 0600), 0);
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkdir(other));
    }
    m_fixture.platform.saveFileAnswers = {m_fixture.path("mine.blp")};
    QVERIFY(designer().saveProjectAs());
    makeChanged();
    m_fixture.platform.saveChoiceAnswers = {Choice::Discard};
    QVERIFY(!designer().openProjectFile(other));
    QCOMPARE(m_fixture.platform.errors, QStringList{error.replace("%1", other)});
    // Nothing was replaced: a Save still goes to the project's own file.
    QCOMPARE(designer().documentName(), QStringLiteral("mine.blp"));
    QCOMPARE(designer().project().captions, QStringList{QStringLiteral("Home")});
    QVERIFY(designer().isModified());
    QCOMPARE(designer().recentFiles(), QStringList{m_fixture.path("mine.blp")});
}

void tst_DesignerController::wizardAndDesignerReadEachOther()
{
    WizardController& wizard = *m_fixture.wizard;
    m_fixture.platform.inputAnswers = {QStringLiteral("One"), QStringLiteral("Two")};
    wizard.captions().addCaption();
    wizard.captions().addCaption();
    wizard.set(&ButtonProject::javaScriptOption, JavaScriptOption::Both);
    wizard.styles().setPredefinedIndex(ButtonState::Selected, 41);
    wizard.styles().set(ButtonState::Pressed, &ButtonStateStyle::fontBold, true);
    wizard.set(&ButtonProject::cssRollovers, true);
    m_fixture.platform.saveFileAnswers = {m_fixture.path("w.blp")};
    QVERIFY(wizard.saveProject());

    QVERIFY(designer().openProjectFile(m_fixture.path("w.blp")));
    QCOMPARE(designer().project().selected, wizard.project().selected);
    m_fixture.platform.saveFileAnswers = {m_fixture.path("d.blp")};
    QVERIFY(designer().saveProjectAs());
    const QByteArray wizardBytes = fileBytes(m_fixture.path("w.blp"));
    QVERIFY(wizardBytes.contains("One"));
    QCOMPARE(fileBytes(m_fixture.path("d.blp")), wizardBytes);

    // And back: the designer's edit opens in a fresh wizard with every value.
    designer().styles().set(ButtonState::Normal, &ButtonStateStyle::dropShadow, true);
    QVERIFY(designer().saveProject());
    WizardController fresh(m_fixture.platform);
    fresh.start();
    QCOMPARE(fresh.openProjectFile(m_fixture.path("d.blp")), WizardController::OpenResult::Read);
    QVERIFY(fresh.project().normal.dropShadow);
    QCOMPARE(fresh.project().pressed, designer().project().pressed);
    QCOMPARE(ProjectFileWriter::toBytes(fresh.project()),
             ProjectFileWriter::toBytes(designer().project()));
}

void tst_DesignerController::captionsEditedInPlace()
{
    CaptionEditor& captions = designer().captions();
    QCOMPARE(captions.insertText(-1, QStringLiteral("B")), 0);
    QCOMPARE(captions.insertText(0, QStringLiteral("A")), 0);
    QCOMPARE(captions.insertText(5, QString(QStringLiteral("C")).repeated(300)), 2);
    QCOMPARE(designer().project().captions.at(2).size(), 255);
    QVERIFY(captions.setText(1, QStringLiteral("Pasted\nin\r\ntwo")));
    QCOMPARE(designer().project().captions.at(1), QStringLiteral("Pasted in  two"));
    QCOMPARE(captions.insertText(3, QStringLiteral("\nD")), 3);
    QCOMPARE(designer().project().captions.at(3), QStringLiteral(" D"));
    QVERIFY(captions.setText(1, QStringLiteral("Bee")));
    QVERIFY(!captions.setText(1, QString()));
    QCOMPARE(m_fixture.platform.beeps, 1);
    QCOMPARE(captions.moveCaption(0, 1), 1);
    QCOMPARE(captions.moveCaption(1, 4), 1); // past the end: stays
    QCOMPARE(designer().project().captions.mid(0, 2),
             (QStringList{QStringLiteral("Bee"), QStringLiteral("A")}));
    QCOMPARE(captions.selectedRow(), 1);
}

void tst_DesignerController::sameAsNormalCopiesOnce()
{
    designer().styles().setPredefinedIndex(ButtonState::Normal, 7);
    designer().styles().set(ButtonState::Normal, &ButtonStateStyle::fontItalic, true);
    designer().copyNormalStyle(ButtonState::Pressed);
    QCOMPARE(designer().project().pressed, designer().project().normal);
    QCOMPARE(designer().pictures().predefined(ButtonState::Pressed),
             designer().pictures().predefined(ButtonState::Normal));
    QVERIFY(!designer().pictures().predefined(ButtonState::Pressed).isNull());
    // Once: a later change of Normal stays Normal's.
    designer().styles().set(ButtonState::Normal, &ButtonStateStyle::fontItalic, false);
    QVERIFY(designer().project().pressed.fontItalic);
    QVERIFY(designer().project().selected != designer().project().normal);
}

void tst_DesignerController::generateChecksThenWrites()
{
    QVERIFY(!designer().generate());
    QCOMPARE(m_fixture.platform.messages,
             QStringList{QStringLiteral("You must enter at least 1 button caption")});
    makeChanged();
    designer().setOutputDirectory(m_fixture.path("out/deeper"));
    m_fixture.platform.confirmAnswers = {true};
    QVERIFY(designer().generate());
    designer().generation().wait();
    QCOMPARE(m_fixture.platform.confirmations.size(), 1); // the folder was offered
    const GenerationResult& result = designer().generation().lastResult();
    QVERIFY(result.everythingWritten());
    QVERIFY(QFile::exists(designer().samplePagePath()));
    QCOMPARE(designer().generationSummary(), QStringLiteral("%1 files written to %2")
                                                 .arg(result.filesWritten)
                                                 .arg(m_fixture.path("out/deeper")));
    // The result speaks of the run, whatever the project has become since.
    const QString summary = designer().generationSummary();
    const QString page = designer().samplePagePath();
    designer().setOutputDirectory(m_fixture.path("elsewhere"));
    designer().setFileNamePrefix(QStringLiteral("zz"));
    QCOMPARE(designer().generationSummary(), summary);
    QVERIFY(designer().openSamplePage());
    QVERIFY(designer().openRunFolder());
    const auto& opened = m_fixture.platform.openedWithApplication;
    QCOMPARE(opened.size(), 2);
    QCOMPARE(QDir(opened[0].second).filePath(opened[0].first), page);
    QCOMPARE(opened[1].first, m_fixture.path("out/deeper"));
}

QTEST_MAIN(tst_DesignerController)
#include "tst_DesignerController.moc"
