#include "CodeViewer.h"
#include "DesignGallery.h"
#include "ErrorText.h"
#include "PredefinedBackground.h"
#include "ProjectFileWriter.h"
#include "WizardFixture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <sys/stat.h>

using Page = WizardController::Page;
using Setup = std::function<void(WizardController&, ScriptedPlatformServices&)>;
Q_DECLARE_METATYPE(Setup)

namespace {

QList<int> pages(std::initializer_list<int> numbers)
{
    QList<int> indices;
    for (int n : numbers)
        indices << n - 1;
    return indices;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// A new empty current folder for one test, and the old one again after it.
class CurrentFolder
{
public:
    CurrentFolder() { QDir::setCurrent(m_folder.path()); }
    ~CurrentFolder() { QDir::setCurrent(m_before); }
    QString filePath(const QString& name) const { return m_folder.filePath(name); }

private:
    const QString m_before = QDir::currentPath();
    QTemporaryDir m_folder;
};

} // namespace

// Navigation, page checks, first-pass copies, start-up and the generation run.
class tst_WizardController : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void routing_data();
    void routing();
    void routingWithoutOption();
    void checks_data();
    void checks();
    void checksPassWithDefaults();
    void firstPassCopies_data();
    void firstPassCopies();
    void firstPassAgainFromStart();
    void openAndFirstPass_data();
    void openAndFirstPass();
    void newFromDesign_data();
    void newFromDesign();
    void startUpOutputDirectory_data();
    void startUpOutputDirectory();
    void generationWalk();
    void moreOptionsReachTheRun();
    void generationReportsDroppedImages();
    void generationReportsFatalError();
    void generationRefusedOverBudget();
    void stopMidRun();
    void helpAndBrowserPreview();
    void typedNewFolder();
    void help_data();
    void help();
    void helpPagesThatAreNoFiles();
    void viewCode();

private:
    QString path(const QString& name) const { return m_fixture.path(name); }

    WizardFixture m_fixture;
    ScriptedPlatformServices& m_platform = m_fixture.platform;
    std::unique_ptr<WizardController>& m_wizard = m_fixture.wizard;
};

void tst_WizardController::init()
{
    QVERIFY(m_fixture.reset());
}

void tst_WizardController::routing_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<QList<int>>("visited");
    // Next from 6 and 9, Previous from 10 and 13, also where the route never goes.
    QTest::addColumn<QList<int>>("routed");
    QTest::newRow("mouse-over") << int(JavaScriptOption::MouseOver)
                                << pages({1, 2, 3, 4, 5, 6, 7, 8, 9, 13, 14, 15, 16})
                                << pages({7, 13, 9, 9});
    QTest::newRow("pressed") << int(JavaScriptOption::Pressed)
                             << pages({1, 2, 3, 4, 5, 6, 10, 11, 12, 13, 14, 15, 16})
                             << pages({10, 10, 6, 12});
    QTest::newRow("both") << int(JavaScriptOption::Both)
                          << pages({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16})
                          << pages({7, 10, 9, 12});
    QTest::newRow("static") << int(JavaScriptOption::Static)
                            << pages({1, 2, 3, 4, 5, 6, 13, 14, 15, 16}) << pages({13, 13, 6, 6});
}

void tst_WizardController::routing()
{
    QFETCH(int, option);
    QFETCH(QList<int>, visited);
    QFETCH(QList<int>, routed);
    const auto js = JavaScriptOption(option);

    QList<int> forward{0};
    while (forward.size() <= Page::PageCount) {
        const int next = WizardController::nextPage(forward.last(), js);
        if (next == forward.last())
            break;
        forward << next;
    }
    QCOMPARE(forward, visited);

    QList<int> backward{Page::Finished};
    while (backward.size() <= Page::PageCount) {
        const int previous = WizardController::previousPage(backward.first(), js);
        if (previous == backward.first())
            break;
        backward.prepend(previous);
    }
    QCOMPARE(backward, visited);

    QCOMPARE((QList<int>{WizardController::nextPage(Page::NormalButtonPickFont, js),
                         WizardController::nextPage(Page::SelectedButtonPickFont, js),
                         WizardController::previousPage(Page::ButtonPressed, js),
                         WizardController::previousPage(Page::OutputDirectory, js)}),
             routed);
    QCOMPARE(WizardController::previousPage(Page::Start, js), int(Page::Start));
    QCOMPARE(WizardController::nextPage(Page::Finished, js), int(Page::Finished));
}

void tst_WizardController::routingWithoutOption()
{
    // A project file that stores no option leaves the four routed buttons where they are.
    const auto none = JavaScriptOption::NoChoice;
    QCOMPARE(WizardController::nextPage(Page::NormalButtonPickFont, none),
             int(Page::NormalButtonPickFont));
    QCOMPARE(WizardController::nextPage(Page::SelectedButtonPickFont, none),
             int(Page::SelectedButtonPickFont));
    QCOMPARE(WizardController::previousPage(Page::ButtonPressed, none), int(Page::ButtonPressed));
    QCOMPARE(WizardController::previousPage(Page::OutputDirectory, none),
             int(Page::OutputDirectory));
    QCOMPARE(WizardController::nextPage(Page::Html, none), int(Page::Generate));
}

void tst_WizardController::checks_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("message");

    const auto nothing = [](WizardController&, ScriptedPlatformServices&) {};
    QTest::newRow("no caption") << int(Page::LabelText) << Setup(nothing)
                                << "You must enter at least 1 button caption";
    QTest::newRow("no JavaScript option")
        << int(Page::JavaScriptOptions)
        << Setup([](WizardController& w, ScriptedPlatformServices&) {
               w.set(&ButtonProject::javaScriptOption, JavaScriptOption::NoChoice);
           })
        << "Please select a value for JavaScript Options";
    QTest::newRow("own image missing")
        << int(Page::NormalButton) << Setup([](WizardController& w, ScriptedPlatformServices&) {
               w.styles().setBackgroundKind(ButtonState::Normal, BackgroundKind::OwnImage);
           })
        << "Invalid file for Normal background BMP file";
    QTest::newRow("own image is a folder")
        << int(Page::NormalButton) << Setup([](WizardController& w, ScriptedPlatformServices&) {
               w.styles().set(ButtonState::Normal, &ButtonStateStyle::imageFileName,
                              QDir::tempPath());
               w.styles().setBackgroundKind(ButtonState::Normal, BackgroundKind::OwnImage);
           })
        << "Invalid file for Normal background BMP file";

    const struct
    {
        Page page;
        ButtonState state;
        const char* name;
    } fontPages[] = {{Page::NormalButtonPickFont, ButtonState::Normal, "Normal"},
                     {Page::SelectedButtonPickFont, ButtonState::Selected, "Selected"},
                     {Page::ButtonPressedPickFont, ButtonState::Pressed, "Pressed"}};
    for (const auto& f : fontPages) {
        const ButtonState state = f.state;
        const QString name = QString::fromLatin1(f.name);
        QTest::addRow("%s orientation first", f.name)
            << int(f.page) << Setup([state](WizardController& w, ScriptedPlatformServices&) {
                   w.styles().set(state, &ButtonStateStyle::textOrientation,
                                  TextOrientation::NoChoice);
                   w.styles().set(state, &ButtonStateStyle::textJustification,
                                  TextJustification::NoChoice);
               })
            << "Please select a value for " + name + " Button Text Orientation";
        QTest::addRow("%s justification", f.name)
            << int(f.page) << Setup([state](WizardController& w, ScriptedPlatformServices&) {
                   w.styles().set(state, &ButtonStateStyle::textJustification,
                                  TextJustification::NoChoice);
               })
            << "Please select a value for " + name + " Button Text Justification";
    }

    // The folder is checked before the prefix, so a bad folder wins.
    QTest::newRow("file as folder and empty prefix")
        << int(Page::OutputDirectory) << Setup([](WizardController& w, ScriptedPlatformServices&) {
               w.set(&ButtonProject::outputDirectory, QStringLiteral("/dev/null"));
               w.setFileNamePrefix(QString());
           })
        << "Invalid output directory specified";
    QTest::newRow("empty folder") << int(Page::OutputDirectory)
                                  << Setup([](WizardController& w, ScriptedPlatformServices&) {
                                         w.set(&ButtonProject::outputDirectory, QString());
                                     })
                                  << "Invalid output directory specified";
    QTest::newRow("empty prefix") << int(Page::OutputDirectory)
                                  << Setup([](WizardController& w, ScriptedPlatformServices&) {
                                         w.setFileNamePrefix(QString());
                                     })
                                  << "File Name Prefix must be 1 - 8 characters";
    QTest::newRow("prefix leaving the folder")
        << int(Page::OutputDirectory) << Setup([](WizardController& w, ScriptedPlatformServices&) {
               w.setFileNamePrefix(QStringLiteral("../up"));
           })
        << "Invalid file name prefix: \"../up\"";
    QTest::newRow("no HTML direction")
        << int(Page::Html) << Setup([](WizardController& w, ScriptedPlatformServices&) {
               w.set(&ButtonProject::htmlDirection, HtmlDirection::NoChoice);
           })
        << "Please select a value for HTML Direction";
}

void tst_WizardController::checks()
{
    QFETCH(int, page);
    QFETCH(Setup, setup);
    QFETCH(QString, message);

    setup(*m_wizard, m_platform);
    m_wizard->showPage(page);
    const QByteArray before = ProjectFileWriter::toBytes(m_wizard->project());
    const bool firstPass = m_wizard->firstPass();
    QSignalSpy pageChanges(m_wizard.get(), &WizardController::pageChanged);

    QVERIFY(!m_wizard->next());
    QCOMPARE(m_platform.messages, QStringList{message});
    QCOMPARE(m_wizard->currentPage(), page);
    QCOMPARE(pageChanges.count(), 0);
    QCOMPARE(ProjectFileWriter::toBytes(m_wizard->project()), before);
    QCOMPARE(m_wizard->firstPass(), firstPass);
}

void tst_WizardController::checksPassWithDefaults()
{
    // Defaults pass every check but the caption list's.
    m_platform.inputAnswers = {QStringLiteral("Home")};
    m_wizard->captions().addCaption();
    for (int page = 0; page < Page::Finished; ++page)
        QVERIFY2(WizardController::pageCheckMessage(page, m_wizard->project()).isEmpty(),
                 qPrintable(QString::number(page)));
}

void tst_WizardController::firstPassCopies_data()
{
    // The selected state copies the normal press effect; the pressed state is always pressed.
    QTest::addColumn<PressEffect>("press");
    QTest::newRow("not pressed") << PressEffect::None;
    QTest::newRow("pressed") << PressEffect::Pressed;
}

void tst_WizardController::firstPassCopies()
{
    QFETCH(PressEffect, press);
    m_platform.colorAnswers = {Colors::rgb(10, 20, 30)};
    m_wizard->styles().chooseBackgroundColor(ButtonState::Normal);
    m_wizard->styles().setPredefinedIndex(ButtonState::Normal, 50);
    m_wizard->styles().set(ButtonState::Normal, &ButtonStateStyle::borderEffect,
                           BorderEffect::BlackBorder);
    m_wizard->styles().set(ButtonState::Normal, &ButtonStateStyle::pressEffect, press);
    m_wizard->styles().set(ButtonState::Normal, &ButtonStateStyle::textJustification,
                           TextJustification::Right);
    m_wizard->styles().set(ButtonState::Normal, &ButtonStateStyle::textOrientation,
                           TextOrientation::Bottom);
    m_wizard->styles().set(ButtonState::Normal, &ButtonStateStyle::dropShadow, true);
    m_platform.fontAnswers = {m_wizard->project().normal};
    m_platform.fontAnswers[0]->fontSize = 20;
    m_wizard->styles().chooseFont(ButtonState::Normal);
    m_wizard->set(&ButtonProject::javaScriptOption, JavaScriptOption::Static);
    const ButtonProject defaults;

    m_wizard->showPage(Page::NormalButton);
    QVERIFY(m_wizard->next());
    const ButtonProject& p = m_wizard->project();
    for (const ButtonStateStyle* other : {&p.selected, &p.pressed}) {
        QCOMPARE(other->backgroundColor, Colors::rgb(10, 20, 30));
        QCOMPARE(other->backgroundKind, BackgroundKind::Predefined);
        QCOMPARE(other->predefinedIndex, 50);
        QCOMPARE(other->borderEffect, defaults.selected.borderEffect); // not yet
    }
    QCOMPARE(m_wizard->pictures().predefined(ButtonState::Pressed).size(), QSize(100, 30));

    QVERIFY(m_wizard->next());
    QCOMPARE(p.selected.borderEffect, BorderEffect::BlackBorder);
    QCOMPARE(p.pressed.borderEffect, BorderEffect::BlackBorder);
    QCOMPARE(p.selected.pressEffect, press);
    QCOMPARE(p.pressed.pressEffect, PressEffect::Pressed);
    QVERIFY(m_wizard->firstPass());

    QVERIFY(m_wizard->next());
    QCOMPARE(m_wizard->currentPage(), int(Page::OutputDirectory)); // static
    for (const ButtonStateStyle* other : {&p.selected, &p.pressed}) {
        QCOMPARE(other->textJustification, TextJustification::Right);
        QCOMPARE(other->textOrientation, TextOrientation::Bottom);
        // Fonts and shadows are never copied.
        QCOMPARE(other->fontSize, defaults.selected.fontSize);
        QCOMPARE(other->dropShadow, false);
    }
    QVERIFY(!m_wizard->firstPass());

    // A second pass copies nothing.
    m_wizard->styles().set(ButtonState::Normal, &ButtonStateStyle::borderEffect,
                           BorderEffect::None);
    m_wizard->styles().set(ButtonState::Normal, &ButtonStateStyle::textOrientation,
                           TextOrientation::Top);
    m_platform.colorAnswers = {Colors::rgb(1, 2, 3)};
    m_wizard->styles().chooseBackgroundColor(ButtonState::Normal);
    m_wizard->showPage(Page::NormalButton);
    QVERIFY(m_wizard->next() && m_wizard->next() && m_wizard->next());
    QCOMPARE(p.selected.backgroundColor, Colors::rgb(10, 20, 30));
    QCOMPARE(p.pressed.borderEffect, BorderEffect::BlackBorder);
    QCOMPARE(p.selected.textOrientation, TextOrientation::Bottom);

    // Previous never copies either.
    m_wizard->showPage(Page::Start);
    m_wizard->showPage(Page::NormalButtonPickFont);
    m_wizard->previous();
    m_wizard->previous();
    QCOMPARE(m_wizard->currentPage(), int(Page::NormalButton));
    QCOMPARE(p.pressed.borderEffect, BorderEffect::BlackBorder);
}

void tst_WizardController::firstPassAgainFromStart()
{
    m_wizard->showPage(Page::NormalButton);
    m_wizard->next();
    m_wizard->next();
    m_wizard->next();
    QVERIFY(!m_wizard->firstPass());
    m_wizard->styles().set(ButtonState::Normal, &ButtonStateStyle::borderEffect,
                           BorderEffect::Bevel3D);

    m_wizard->showPage(Page::Start);
    QVERIFY(m_wizard->firstPass());
    m_wizard->showPage(Page::NormalButtonOptions);
    QVERIFY(m_wizard->next());
    QCOMPARE(m_wizard->project().selected.borderEffect, BorderEffect::Bevel3D);
}

void tst_WizardController::openAndFirstPass_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("firstPassAfter");
    QTest::addColumn<bool>("namedAtStartUp");
    for (const bool named : {false, true}) {
        const char* how = named ? ", named at start-up" : ", File > Open";
        QTest::addRow("clean read%s", how)
            << QByteArray("LabelText=A\r\nrgSelectedButtonBorders=4\r\n")
            << int(WizardController::OpenResult::Read) << false << named;
        QTest::addRow("read with an error%s", how)
            << QByteArray("LabelText=A\r\nrgSelectedButtonBorders=4\r\nfWidth=x\r\n")
            << int(WizardController::OpenResult::ReadWithError) << true << named;
    }
}

void tst_WizardController::openAndFirstPass()
{
    QFETCH(QByteArray, file);
    QFETCH(int, result);
    QFETCH(bool, firstPassAfter);
    QFETCH(bool, namedAtStartUp);
    QVERIFY(writeFile(path("p.blp"), file));
    m_wizard->showPage(Page::NormalButtonOptions);
    m_wizard->styles().set(ButtonState::Normal, &ButtonStateStyle::borderEffect,
                           BorderEffect::None);
    QSignalSpy replaced(m_wizard.get(), &WizardController::projectReplaced);

    QCOMPARE(int(m_wizard->openProject()), int(WizardController::OpenResult::Cancelled));
    QCOMPARE(replaced.count(), 0);
    QVERIFY(m_wizard->firstPass());

    m_platform.openFileAnswers = {path("p.blp")};
    QCOMPARE(
        int(namedAtStartUp ? m_wizard->openProjectFile(path("p.blp")) : m_wizard->openProject()),
        result);
    QCOMPARE(replaced.count(), 1);
    QCOMPARE(m_wizard->firstPass(), firstPassAfter);
    QCOMPARE(m_wizard->currentPage(), int(Page::NormalButtonOptions));
    QCOMPARE(m_wizard->project().captions, QStringList{"A"});

    // Only a clean read protects the loaded selected state from the copies.
    QVERIFY(m_wizard->next());
    QCOMPARE(m_wizard->project().selected.borderEffect,
             firstPassAfter ? BorderEffect::None : BorderEffect::BlackBorder);

    // Another project after it: the preview draws that one, nothing of the first.
    QVERIFY(!m_wizard->preview().buttons(0).isEmpty());
    QVERIFY(writeFile(path("q.blp"), "LabelText=B\r\nimage1.canvas.brush.color=255\r\n"
                                     "rgNormalButtonBorders=0\r\n"));
    QCOMPARE(m_wizard->openProjectFile(path("q.blp")), WizardController::OpenResult::Read);
    QCOMPARE(m_wizard->preview().buttons(0).first().pixel(1, 1), qRgb(255, 0, 0));
}

void tst_WizardController::newFromDesign_data()
{
    QTest::addColumn<QString>("design");
    QTest::addColumn<QStringList>("captions"); // the user's, before
    QTest::addColumn<QStringList>("after");    // empty: the design's own
    QTest::newRow("captions kept") << "gems" << QStringList{"A", "B"} << QStringList{"A", "B"};
    QTest::newRow("none: the design's") << "Midnight" << QStringList{} << QStringList{};
    QTest::newRow("unknown: nothing changes") << "Gem" << QStringList{"A"} << QStringList{"A"};
}

// The design replaces an opened project as Open does, but unnamed and keeping captions and
// folder; its pictures replace the old project's own ones.
void tst_WizardController::newFromDesign()
{
    QFETCH(QString, design);
    QFETCH(QStringList, captions);
    QFETCH(QStringList, after);
    QVERIFY(writeFile(path("p.blp"), "LabelText=X\r\nrgNormalButtonBorders=4\r\n"));
    QCOMPARE(int(m_wizard->openProjectFile(path("p.blp"))),
             int(WizardController::OpenResult::Read));
    m_wizard->showPage(Page::Start);
    m_wizard->set(&ButtonProject::captions, captions);
    const ButtonProject before = m_wizard->project();
    QSignalSpy replaced(m_wizard.get(), &WizardController::projectReplaced);
    const std::optional<ButtonProject> wanted = DesignGallery::load(design);

    QCOMPARE(m_wizard->newFromDesign(design), wanted.has_value());
    QCOMPARE(replaced.count(), wanted ? 1 : 0);
    const ButtonProject& now = m_wizard->project();
    QCOMPARE(now.captions, wanted && after.isEmpty() ? wanted->captions : after);
    QCOMPARE(now.normal, wanted ? wanted->normal : before.normal);
    QCOMPARE(now.outputDirectory, before.outputDirectory);
    QCOMPARE(now.projectFileName.isEmpty(), wanted.has_value());
    QCOMPARE(m_wizard->firstPass(), !wanted);
    QCOMPARE(m_wizard->pictures().predefined(ButtonState::Normal),
             PredefinedBackground::load(now.normal.predefinedIndex));
}

void tst_WizardController::startUpOutputDirectory_data()
{
    QTest::addColumn<QString>("temporary");
    QTest::addColumn<QString>("expected");
    const QString program = QStringLiteral("/opt/brindlewick/");
    QTest::newRow("temporary folder") << "/var/tmp/"
                                      << "/var/tmp/";
    QTest::newRow("none reported") << QString() << program;
    const QString longest = QLatin1Char('/') + QString(247, QLatin1Char('t')) + QLatin1Char('/');
    QTest::newRow("249 characters") << longest << longest;
    QTest::newRow("250 characters") << longest + QLatin1Char('x') << program;
}

void tst_WizardController::startUpOutputDirectory()
{
    QFETCH(QString, temporary);
    QFETCH(QString, expected);
    m_platform.temporaryFolder = temporary;
    m_platform.inputAnswers = {QStringLiteral("Old")};
    m_wizard->captions().addCaption();
    m_wizard->showPage(Page::Html);
    QSignalSpy pageChanges(m_wizard.get(), &WizardController::pageChanged);

    m_wizard->start();
    QCOMPARE(m_wizard->project().outputDirectory, expected);
    QVERIFY(m_wizard->project().captions.isEmpty());
    QVERIFY(m_wizard->project().projectFileName.isEmpty());
    QCOMPARE(m_wizard->currentPage(), int(Page::Start));
    QCOMPARE(pageChanges.count(), 1);
    QVERIFY(m_wizard->firstPass());
}

void tst_WizardController::generationWalk()
{
    m_platform.inputAnswers = {QStringLiteral("Home"), QStringLiteral("Products|and Services")};
    m_wizard->captions().addCaption();
    m_wizard->captions().addCaption();
    m_wizard->set(&ButtonProject::javaScriptOption, JavaScriptOption::Both);
    m_wizard->set(&ButtonProject::imageFileFormat, ImageFileFormat::Gif);

    QList<int> visited{m_wizard->currentPage()};
    QSignalSpy progress(&m_wizard->generation(), &GenerationJob::progress);
    int pageDuringRun = -1;
    connect(&m_wizard->generation(), &GenerationJob::started, this, [&] {
        pageDuringRun = m_wizard->currentPage();
        QVERIFY(m_wizard->generation().isRunning());
        QVERIFY(!m_wizard->next()); // the run is not entered twice
    });
    while (m_wizard->next() && !m_wizard->generation().isRunning())
        visited << m_wizard->currentPage();
    m_wizard->generation().wait();

    // Page 16 only once the run has ended.
    QCOMPARE(visited.size(), 15);
    QCOMPARE(pageDuringRun, int(Page::Generate));
    QCOMPARE(m_wizard->currentPage(), int(Page::Finished));
    QVERIFY(!m_wizard->generation().isRunning());
    QVERIFY(m_platform.messages.isEmpty());
    QVERIFY(m_platform.errors.isEmpty());
    QVERIFY(m_wizard->generation().lastResult().everythingWritten());
    QCOMPARE(m_wizard->generation().lastResult().imagesWritten, 6);
    QCOMPARE(progress.count(), 2);
    QCOMPARE(progress.last(), (QList<QVariant>{6, 6}));
    const QStringList written = QDir(m_fixture.dir->path()).entryList(QDir::Files);
    QVERIFY2(written.contains(QStringLiteral("btn2p.gif")), qPrintable(written.join(' ')));
    QVERIFY(written.contains(QStringLiteral("BTNPAGE.html")));
}

void tst_WizardController::moreOptionsReachTheRun()
{
    m_platform.inputAnswers = {QStringLiteral("Home")};
    m_wizard->captions().addCaption();
    m_wizard->set(&ButtonProject::hiDpiImages, true);
    m_wizard->set(&ButtonProject::keyboardRollovers, true);
    m_wizard->set(&ButtonProject::smoothCaptions, true);
    m_wizard->set(&ButtonProject::smoothCaptions, false);
    m_wizard->showPage(Page::Generate);
    QVERIFY(m_wizard->next());
    m_wizard->generation().wait();

    QVERIFY(m_wizard->generation().lastResult().everythingWritten());
    QFile page(m_fixture.path(QStringLiteral("BTNPAGE.html")));
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QByteArray html = page.readAll();
    QVERIFY(html.contains("srcset=\"btn1.png 1x, btn1@2x.png 2x\""));
    QVERIFY(html.contains("onFocus="));
    QFile copy(m_fixture.path(QStringLiteral("btnproject.blp")));
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QVERIFY(copy.readAll().endsWith("\r\nHiDpiImages=T\r\nKeyboardRollovers=T\r\n"));
    page.close();
    copy.close();

    // Again into the same folder with the options off, after a Stop that came too late: a whole
    // run whose page and copy name nothing of the first.
    m_wizard->generation().stop();
    m_wizard->set(&ButtonProject::hiDpiImages, false);
    m_wizard->set(&ButtonProject::keyboardRollovers, false);
    m_wizard->set(&ButtonProject::buttonWidth, 90);
    m_wizard->showPage(Page::Generate);
    QVERIFY(m_wizard->next());
    m_wizard->generation().wait();
    QVERIFY(m_wizard->generation().lastResult().everythingWritten());
    QVERIFY(page.open(QIODevice::ReadOnly) && copy.open(QIODevice::ReadOnly));
    const QByteArray again = page.readAll();
    QVERIFY(!again.contains("@2x") && !again.contains("onFocus="));
    QVERIFY(again.contains("src=\"btn1.png\" alt=\"Home\" width=90 height="));
    QVERIFY(!copy.readAll().contains("HiDpiImages"));
}

void tst_WizardController::generationReportsDroppedImages()
{
    // A caption far wider than any picture may be: its images are dropped, the rest written.
    m_platform.inputAnswers = {QString(40, QLatin1Char('W')), QStringLiteral("Fine")};
    m_wizard->captions().addCaption();
    m_wizard->captions().addCaption();
    m_wizard->set(&ButtonProject::variableWidth, true);
    m_platform.fontAnswers = {m_wizard->project().normal};
    m_platform.fontAnswers[0]->fontSize = 1000;
    m_wizard->styles().chooseFont(ButtonState::Normal);
    m_wizard->showPage(Page::Generate);

    QVERIFY(m_wizard->next());
    m_wizard->generation().wait();
    const GenerationResult& result = m_wizard->generation().lastResult();
    QCOMPARE(result.droppedImages.size(), 2);
    QCOMPARE(result.imagesWritten, 2);
    QCOMPARE(m_platform.errors.size(), 1);
    const QString& message = m_platform.errors.first();
    QVERIFY2(message.startsWith(QStringLiteral("2 images could not be written.")),
             qPrintable(message));
    QVERIFY2(message.contains(ErrorText::messageWithPath(result.droppedImages.first().reason)),
             qPrintable(message));
    QCOMPARE(m_wizard->currentPage(), int(Page::Finished));
}

void tst_WizardController::generationReportsFatalError()
{
    // A folder where the sample page belongs: the page cannot be written.
    QVERIFY(QDir(m_fixture.dir->path()).mkdir(QStringLiteral("BTNPAGE.html")));
    m_platform.inputAnswers = {QStringLiteral("Home")};
    m_wizard->captions().addCaption();
    m_wizard->showPage(Page::Generate);

    QVERIFY(m_wizard->next());
    m_wizard->generation().wait();
    QVERIFY(!m_wizard->generation().lastResult().pageWritten);
    QCOMPARE(m_platform.errors,
             QStringList{QStringLiteral("Cannot create file \"%1\". Is a directory")
                             .arg(m_fixture.path(QStringLiteral("BTNPAGE.html")))});
    QCOMPARE(m_wizard->currentPage(), int(Page::Finished));
}

void tst_WizardController::generationRefusedOverBudget()
{
    // 35 bytes declare a 2048 x 2048 picture: its double-size buttons would pass the budget.
    QFile gif(m_fixture.path(QStringLiteral("wide.gif")));
    QVERIFY(gif.open(QIODevice::WriteOnly));
    gif.write(QByteArray::fromHex("474946383961000800088000000000 00ffffff 2c 0000000001000100 00"
                                  "02024c01003b"));
    gif.close();
    m_platform.openFileAnswers = {gif.fileName()};
    QVERIFY(m_wizard->styles().chooseOwnImage(ButtonState::Normal));
    m_platform.inputAnswers = {QStringLiteral("Home")};
    m_wizard->captions().addCaption();
    m_wizard->set(&ButtonProject::hiDpiImages, true);
    m_wizard->showPage(Page::Generate);

    QVERIFY(m_wizard->next());
    m_wizard->generation().wait();
    QCOMPARE(m_platform.errors,
             QStringList{"This run would take 400 MB of memory, more than the 320 MB a run may "
                         "use, mostly for its 2048 x 2048 buttons."});
    QCOMPARE(m_wizard->generation().lastResult().filesWritten, 0);
}

void tst_WizardController::stopMidRun()
{
    const int captions = 2000;
    for (int n = 0; n < captions; ++n)
        m_platform.inputAnswers << QStringLiteral("Caption %1").arg(n);
    for (int n = 0; n < captions; ++n)
        m_wizard->captions().addCaption();
    m_wizard->set(&ButtonProject::javaScriptOption, JavaScriptOption::Both);
    m_wizard->showPage(Page::Generate);
    GenerationJob& job = m_wizard->generation();
    connect(&job, &GenerationJob::progress, this, [&](int done) {
        if (done >= 30)
            job.stop();
    });
    QSignalSpy finished(&job, &GenerationJob::finished);

    QVERIFY(m_wizard->next());
    QVERIFY(finished.wait(120000));
    const GenerationResult& result = job.lastResult();
    QVERIFY(result.stopped);
    QCOMPARE(result.imagesPlanned, captions * 3);
    QVERIFY2(result.imagesWritten >= 30 && result.imagesWritten < captions * 3,
             qPrintable(QString::number(result.imagesWritten)));
    QCOMPARE(m_platform.messages,
             QStringList{QStringLiteral("Generation stopped: %1 of 6000 images written")
                             .arg(result.imagesWritten)});
    QVERIFY(m_platform.errors.isEmpty());
    QVERIFY(!result.pageWritten);
    // The Generate page stays, telling how far the run got until it is left.
    QCOMPARE(m_wizard->currentPage(), int(Page::Generate));
    QCOMPARE(m_wizard->stoppedRunText(),
             m_platform.messages.first() +
                 QStringLiteral("\nNo sample page or project copy was written."));
    m_wizard->previous();
    QVERIFY(m_wizard->stoppedRunText().isEmpty());

    // Only whole images, three files each: no page, no project copy, no temporary.
    const QFileInfoList files = QDir(m_fixture.dir->path()).entryInfoList(QDir::Files);
    QCOMPARE(files.size(), result.imagesWritten * 3);
    for (const QFileInfo& file : files) {
        QVERIFY2(QStringList({"jpg", "png", "gif"}).contains(file.suffix()),
                 qPrintable(file.fileName()));
        QVERIFY2(!QImage(file.filePath()).isNull(), qPrintable(file.fileName()));
    }
}

void tst_WizardController::helpAndBrowserPreview()
{
    m_wizard->setFileNamePrefix(QStringLiteral("Nav"));
    QVERIFY(m_wizard->previewInBrowser());
    using Opened = QPair<QString, QString>;
    QCOMPARE(m_platform.openedWithApplication,
             (QList<Opened>{{"NavPAGE.html", m_fixture.dir->path() + "/"}}));

    // A failure is told, with the platform's reason.
    m_platform.openWithApplicationFailure = QStringLiteral("No browser");
    QVERIFY(!m_wizard->openOutputFolder());
    QCOMPARE(
        m_platform.errors,
        QStringList{QStringLiteral("Cannot open \"%1\". No browser").arg(m_fixture.dir->path())});
}

void tst_WizardController::typedNewFolder()
{
    const QString typed = path(QStringLiteral("new/sub"));
    m_wizard->set(&ButtonProject::outputDirectory, typed);
    m_wizard->showPage(Page::OutputDirectory);
    m_platform.confirmAnswers = {false, true};
    QVERIFY(!m_wizard->next());
    QVERIFY(!QFileInfo::exists(typed));
    QVERIFY(m_wizard->next());
    QVERIFY(QFileInfo(typed).isDir());
    QCOMPARE(m_wizard->currentPage(), int(Page::Html));
    QCOMPARE(m_platform.confirmations.size(), 2);
    QCOMPARE(m_platform.confirmations[1].text,
             QStringLiteral("The specified directory does not exist. Create it?"));
    QVERIFY(m_platform.messages.isEmpty() && m_platform.errors.isEmpty());

    // A prefix that will be refused is told first: no question, no folder.
    const QString other = path(QStringLiteral("other"));
    m_wizard->set(&ButtonProject::outputDirectory, other);
    m_wizard->showPage(Page::OutputDirectory);
    for (const QString& prefix : {QString(), QStringLiteral("a/b")}) {
        m_wizard->setFileNamePrefix(prefix);
        m_platform.messages.clear();
        QVERIFY(!m_wizard->next());
        QCOMPARE(m_platform.messages.size(), 1);
        QCOMPARE(m_platform.confirmations.size(), 2);
        QVERIFY(!QFileInfo::exists(other));
    }
}

void tst_WizardController::help_data()
{
    QTest::addColumn<bool>("inCurrentFolder");
    QTest::addColumn<bool>("installed");
    QTest::newRow("current folder first") << true << true;
    QTest::newRow("current folder only") << true << false;
    QTest::newRow("installed copy") << false << true;
    QTest::newRow("neither") << false << false;
}

void tst_WizardController::help()
{
    QFETCH(bool, inCurrentFolder);
    QFETCH(bool, installed);
    const CurrentFolder current;
    m_platform.programFolder = path(QStringLiteral("prefix/bin/"));
    const QString installedPath = m_wizard->installedHelpPath();
    QVERIFY(installedPath.startsWith(path(QStringLiteral("prefix/"))));
    QVERIFY(installedPath.endsWith(QStringLiteral("/brwk4.html")));
    if (inCurrentFolder)
        QVERIFY(writeFile(current.filePath(QStringLiteral("brwk4.html")), "<html>"));
    if (installed) {
        QVERIFY(QDir().mkpath(QFileInfo(installedPath).path()));
        QVERIFY(writeFile(installedPath, "<html>"));
    }

    using Opened = QPair<QString, QString>;
    const bool found = inCurrentFolder || installed;
    QCOMPARE(m_wizard->showHelp(), found);
    // The About box's link always takes the program's own copy.
    QCOMPARE(m_wizard->showProgramHelp(), installed);
    QList<Opened> opened;
    if (inCurrentFolder)
        opened.append({"brwk4.html", QString()});
    else if (installed)
        opened.append({installedPath, QString()});
    if (installed)
        opened.append({installedPath, QString()});
    QCOMPARE(m_platform.openedWithApplication, opened);
    const QString missing =
        QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(installedPath);
    QCOMPARE(m_platform.errors.size(), int(!installed) + int(!found));
    for (const QString& error : m_platform.errors)
        QCOMPARE(error, missing);
}

// A browser handed a FIFO would wait for it forever: each is named instead.
void tst_WizardController::helpPagesThatAreNoFiles()
{
    const CurrentFolder current;
    m_platform.programFolder = path(QStringLiteral("prefix/bin/"));
    const QString installed = m_wizard->installedHelpPath();
    const QString here = current.filePath(QStringLiteral("brwk4.html"));
    QVERIFY(QDir().mkpath(QFileInfo(installed).path()));
    for (const QString& page : {installed, here})
        QVERIFY(::mkfifo(QFile::encodeName(page).constData(), 0644) == 0);
    QVERIFY(!m_wizard->showHelp());
    QVERIFY(!m_wizard->showProgramHelp());
    QCOMPARE(m_platform.errors,
             QStringList({here + " is not a regular file", installed + " is not a regular file"}));
    QVERIFY(m_platform.openedWithApplication.isEmpty());
}

void tst_WizardController::viewCode()
{
    m_wizard->setFileNamePrefix(QStringLiteral("btn"));
    const QString page = path(QStringLiteral("btnPAGE.html"));
    QCOMPARE(m_wizard->samplePagePath(), page);
    QVERIFY(!m_wizard->openCodeViewer());
    QCOMPARE(m_platform.errors,
             QStringList{
                 QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(page)});

    // After a run the viewer shows the page as written.
    m_platform.inputAnswers = {QStringLiteral("Home")};
    m_wizard->captions().addCaption();
    m_wizard->showPage(Page::Generate);
    QVERIFY(m_wizard->next());
    m_wizard->generation().wait();
    QFile written(page);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const std::unique_ptr<CodeViewer> viewer = m_wizard->openCodeViewer();
    QVERIFY(viewer);
    QCOMPARE(viewer->text() + QStringLiteral("\r\n"), QString::fromLatin1(written.readAll()));
    QCOMPARE(m_platform.errors.size(), 1);

    // With CSS rollovers the stylesheet follows the page.
    m_wizard->set(&ButtonProject::cssRollovers, true);
    m_wizard->showPage(Page::Generate);
    QVERIFY(m_wizard->next());
    m_wizard->generation().wait();
    QByteArray both;
    for (const QString& name : {page, path(QStringLiteral("btnPAGE.css"))}) {
        QFile file(name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        both += file.readAll();
    }
    QVERIFY(both.contains("<link rel=\"stylesheet\" href=\"btnPAGE.css\">"));
    QCOMPARE(m_wizard->openCodeViewer()->text() + QStringLiteral("\r\n"), QString::fromUtf8(both));
}

QTEST_MAIN(tst_WizardController)
#include "tst_WizardController.moc"
