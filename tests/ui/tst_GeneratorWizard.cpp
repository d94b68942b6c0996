#include "../wizard/ScriptedPlatformServices.h"
#include "DesignGallery.h"
#include "DesignGalleryDialog.h"
#include "GeneratorWizard.h"
#include "LabelTextPage.h"
#include "LaidOut.h"
#include "LivePreviewModel.h"
#include "LivePreviewWindow.h"
#include "SampleView.h"
#include "SplashForm.h"
#include "StateBackgroundPage.h"
#include "StateFontPage.h"
#include "WizardController.h"
#include "WizardPage.h"
#include "WizardTexts.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <numeric>

class tst_GeneratorWizard : public QObject
{
    Q_OBJECT
private slots:
    void windowSize();
    void backgroundSample_data();
    void backgroundSample();
    void textSample();
    void saveAsAsksBeforeReplacing();
    void newFromDesignByKeyboard();
    void walkGeneratesWhatTheCommandLineGenerates();
    void stopButtonAndClosingEndTheRun();
    void tabOrderAndAccessibleNames();
    void keyboardOnlyWalk();
    void assistiveChangesReachTheProject();
    void moreOptionsByKeyboard();
    void livePreviewFollowsSelectionAndChanges();
    void splashClosesByTimerUnlessAboutOpens();
    void viewCodeOnMissingPage();
    void readableUnderDarkTheme_data();
    void readableUnderDarkTheme();
};

namespace {
QPushButton* buttonWithText(const QWidget* page, const QString& text)
{
    const QList<QPushButton*> buttons = page->findChildren<QPushButton*>();
    for (QPushButton* b : buttons) {
        if (b->text() == text && b->isVisibleTo(page))
            return b;
    }
    return nullptr;
}

void click(const QWidget* page, const QString& text)
{
    QPushButton* b = buttonWithText(page, text);
    QVERIFY2(b, qPrintable(QStringLiteral("no button \"%1\"").arg(text)));
    QVERIFY2(b->isEnabled(), qPrintable(text));
    QTest::mouseClick(b, Qt::LeftButton);
}

// The contrast ratio of two colours from their relative luminance, as WCAG defines both.
double contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QImage grabbed(QWidget* widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Each pixel's colour tells where it is in the picture.
QImage coordinatePicture(const QSize& size)
{
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            picture.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, 0x80 | (x >> 8) << 4 | (y >> 8)));
    }
    return picture;
}
} // namespace

void tst_GeneratorWizard::windowSize()
{
    ScriptedPlatformServices platform;
    GeneratorWizard wizard(platform);
    wizard.show();
    QVERIFY(QTest::qWaitForWindowExposed(&wizard));
    QCOMPARE(wizard.pages()->size(), QSize(622, 311));
    QCOMPARE(wizard.width(), 622);
    QCOMPARE(wizard.windowTitle(), QStringLiteral("The Brindlewick v4.00"));
    QCOMPARE(wizard.pages()->currentIndex(), 0);

    // Cancel ends it without a question.
    click(wizard.page(0), QStringLiteral("Cancel"));
    QVERIFY(!wizard.isVisible());
    QVERIFY(platform.confirmations.isEmpty() && platform.messages.isEmpty());
}

void tst_GeneratorWizard::backgroundSample_data()
{
    QTest::addColumn<QSize>("pictureSize");
    QTest::newRow("smaller: centred") << QSize(120, 32);
    QTest::newRow("larger: central part") << QSize(400, 200);
    QTest::newRow("odd difference") << QSize(301, 135);
    QTest::newRow("wider only") << QSize(512, 20);
}

void tst_GeneratorWizard::backgroundSample()
{
    QFETCH(QSize, pictureSize);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("picture.png"));
    const QImage picture = coordinatePicture(pictureSize);
    QVERIFY(picture.save(path));

    ScriptedPlatformServices platform;
    platform.openFileAnswers = {path};
    GeneratorWizard wizard(platform);
    wizard.controller().showPage(WizardController::NormalButton);
    auto* page = static_cast<StateBackgroundPage*>(wizard.page(WizardController::NormalButton));
    click(page, QStringLiteral("Select your own background image..."));
    QCOMPARE(platform.openDialogs.size(), 1);
    QVERIFY(platform.openDialogs[0].picturePreview);

    const QImage shown = grabbed(page->sample());
    QCOMPARE(shown.size(), QSize(300, 132));
    const QColor pageColor(0xFF, 0xFF, 0xD0);
    const int left = (300 - pictureSize.width()) / 2;
    const int top = (132 - pictureSize.height()) / 2;
    for (int y = 0; y < 132; ++y) {
        for (int x = 0; x < 300; ++x) {
            const QPoint at(x - left, y - top);
            const QRgb expected = picture.rect().contains(at) ? picture.pixel(at) : pageColor.rgb();
            if (shown.pixel(x, y) != expected)
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
        }
    }
}

void tst_GeneratorWizard::textSample()
{
    ScriptedPlatformServices platform;
    ButtonStateStyle font;
    font.fontName = QStringLiteral("DejaVu Sans");
    font.fontSize = 36;
    font.fontColor = Colors::rgb(0, 0, 255);
    platform.fontAnswers = {font};
    platform.colorAnswers = {Colors::rgb(255, 0, 0)};
    GeneratorWizard wizard(platform);
    WizardController& c = wizard.controller();
    c.showPage(WizardController::NormalButtonPickFont);
    auto* page = static_cast<StateFontPage*>(wizard.page(WizardController::NormalButtonPickFont));
    QLabel* sample = page->textSample();
    QCOMPARE(sample->size(), QSize(257, 41));
    QCOMPARE(sample->text(), QStringLiteral("Text Sample"));

    click(page, QStringLiteral("Select Font..."));
    QCOMPARE(platform.fontRequests.size(), 1);
    const QImage shown = grabbed(sample);
    QCOMPARE(shown.size(), QSize(257, 41));
    QCOMPARE(QColor(shown.pixel(256, 40)), QColor(255, 255, 0)); // the state's background
    int blue = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x)
            blue += qBlue(shown.pixel(x, y)) > 200 && qRed(shown.pixel(x, y)) < 60;
    }
    QVERIFY2(blue > 200, "the text is drawn in the chosen colour");

    // The shadow colour controls follow the box.
    QPushButton* shadowColor = buttonWithText(page, QStringLiteral("Shadow Color..."));
    QVERIFY(shadowColor && !shadowColor->isEnabled());
    QCheckBox* box =
        page->findChild<QCheckBox*>(QStringLiteral("cbNormalButtonPickFontDropShadow"));
    QVERIFY(box);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    QVERIFY(c.project().normal.dropShadow);
    QVERIFY(shadowColor->isEnabled());
    click(page, QStringLiteral("Shadow Color..."));
    QCOMPARE(c.project().normal.dropShadowColor, Colors::rgb(255, 0, 0));
}

void tst_GeneratorWizard::saveAsAsksBeforeReplacing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kept.blp"));
    {
        QFile existing(path);
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("old");
    }
    ScriptedPlatformServices platform;
    platform.saveFileAnswers = {path, path};
    platform.confirmAnswers = {false, true};
    GeneratorWizard wizard(platform);
    QAction* saveAs = wizard.findChild<QAction*>(QStringLiteral("Saveas1"));
    QVERIFY(saveAs);

    saveAs->trigger();
    QTRY_COMPARE(platform.confirmations.size(), 1);
    QVERIFY(platform.confirmations[0].text.contains(QStringLiteral("kept.blp")));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("old"));
    file.close();

    saveAs->trigger();
    QTRY_COMPARE(platform.confirmations.size(), 2);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("ButtonLayoutFileVersion="));
}

// File > New from Design: the first item; the gallery's grid answers to the arrow keys and
// Enter, and the design chosen replaces the project, the captions kept.
void tst_GeneratorWizard::newFromDesignByKeyboard()
{
    ScriptedPlatformServices platform;
    GeneratorWizard wizard(platform);
    WizardController& controller = wizard.controller();
    controller.set(&ButtonProject::captions, QStringList{"Mine"});
    QMenu* file = wizard.menuBar()->findChild<QMenu*>();
    QVERIFY(file);
    QCOMPARE(file->actions().first()->text(), QStringLiteral("New from &Design\u2026"));
    QCOMPARE(file->actions().at(1)->objectName(), QStringLiteral("Open1"));

    QStringList names;
    // The menu opens the dialog from the event loop: answer it once it is there.
    QTimer answer;
    connect(&answer, &QTimer::timeout, &wizard, [&names, &answer] {
        auto* dialog = qobject_cast<DesignGalleryDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        answer.stop();
        // Whatever fails here, the dialog closes.
        const auto close = qScopeGuard([dialog] {
            if (dialog->isVisible())
                dialog->reject();
        });
        QListWidget* list = dialog->designList();
        for (int i = 0; i < list->count(); ++i) {
            const QListWidgetItem* item = list->item(i);
            names << item->text();
            QVERIFY(!item->icon().isNull());
            QCOMPARE(item->data(Qt::AccessibleDescriptionRole).toString(), item->toolTip());
        }
        QCOMPARE(dialog->focusWidget(), list);
        compareWithStored(layoutLines(dialog, dialog->windowTitle())
                              << pictureLine(dialog, dialog->windowTitle()),
                          QStringLiteral("texts/layout-gallery.txt"));
        QTest::keyClick(list, Qt::Key_Right);
        QTest::keyClick(list, Qt::Key_Return);
    });
    answer.start(10);
    file->actions().first()->trigger();
    QTRY_COMPARE(controller.project().normal, DesignGallery::load(names.value(1))->normal);
    QCOMPARE(controller.project().captions, QStringList{"Mine"});
    QCOMPARE(names.size(), DesignGallery::designs().size());
}

void tst_GeneratorWizard::walkGeneratesWhatTheCommandLineGenerates()
{
    QTemporaryDir dir;
    const QString wizardOut = dir.filePath(QStringLiteral("wizard"));
    const QString cliOut = dir.filePath(QStringLiteral("cli"));
    QVERIFY(QDir().mkpath(wizardOut) && QDir().mkpath(cliOut));

    ScriptedPlatformServices platform;
    platform.inputAnswers = {QStringLiteral("Home"), QStringLiteral("About|Us"),
                             QStringLiteral("Start")};
    platform.directoryAnswers = {wizardOut};
    platform.programFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    GeneratorWizard wizard(platform);
    wizard.show();
    QVERIFY(QTest::qWaitForWindowExposed(&wizard));
    WizardController& c = wizard.controller();
    const auto current = [&wizard] { return wizard.page(wizard.pages()->currentIndex()); };

    click(current(), QStringLiteral("Next >>"));
    QCOMPARE(c.currentPage(), int(WizardController::LabelText));
    click(current(), QStringLiteral("Next >>")); // no caption yet
    QCOMPARE(platform.messages,
             QStringList{QStringLiteral("You must enter at least 1 button caption")});
    click(current(), QStringLiteral("Add  a new caption ( at end )"));
    click(current(), QStringLiteral("Add  a new caption ( at end )"));
    auto* list = static_cast<LabelTextPage*>(current())->captionList();
    list->setCurrentRow(0);
    click(current(), QStringLiteral("Insert new caption ( above selected )"));
    QCOMPARE(c.project().captions, (QStringList{QStringLiteral("Start"), QStringLiteral("Home"),
                                                QStringLiteral("About|Us")}));
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->currentRow(), 0); // the new caption, where the selection was
    QCOMPARE(platform.inputs[0].title, QStringLiteral("Label text for Button"));

    // F1 reaches the help from a focused list, Shift+F1 too.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_F1);
    QTest::keyClick(list, Qt::Key_F1, Qt::ShiftModifier);
    QCOMPARE(platform.openedWithApplication.size(), 2);
    QCOMPARE(platform.openedWithApplication[0].first, c.installedHelpPath());

    // Enter in the list moves on, as "Next >>" is the default.
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(c.currentPage(), int(WizardController::JavaScriptOptions));
    click(current(), QStringLiteral("Next >>"));
    QCOMPARE(c.currentPage(), int(WizardController::NormalButton));
    click(current(), QStringLiteral("+10"));
    QCOMPARE(current()->findChild<QLabel*>(QStringLiteral("lblNormalButtonWidth"))->text(),
             QStringLiteral("130"));
    for (int page = WizardController::NormalButton; page < WizardController::OutputDirectory;) {
        click(current(), QStringLiteral("Next >>"));
        QVERIFY(c.currentPage() > page);
        page = c.currentPage();
    }
    QCOMPARE(c.currentPage(), int(WizardController::OutputDirectory));
    click(current(), QStringLiteral("Select Folder..."));
    QCOMPARE(current()->findChild<QLineEdit*>(QStringLiteral("lblOutputDirectoryFileName"))->text(),
             c.project().outputDirectory);
    click(current(), QStringLiteral("Next >>"));
    click(current(), QStringLiteral("Next >>"));
    QCOMPARE(c.currentPage(), int(WizardController::Generate));
    int shownPageWhenRunStarted = -1;
    connect(&c.generation(), &GenerationJob::started, this,
            [&] { shownPageWhenRunStarted = wizard.pages()->currentIndex(); });
    int progressReports = 0, enabledDuringRun = 0;
    connect(&c.generation(), &GenerationJob::progress, this, [&] {
        ++progressReports;
        for (QPushButton* b : wizard.page(WizardController::Generate)->findChildren<QPushButton*>())
            enabledDuringRun += b->isVisible() && b->isEnabled() && b->text() != "Stop";
    });
    click(current(), QStringLiteral("Next >>"));
    c.generation().wait();
    QCOMPARE(shownPageWhenRunStarted, int(WizardController::Generate));
    QVERIFY(progressReports > 0);
    QCOMPARE(enabledDuringRun, 0);
    QCOMPARE(c.currentPage(), int(WizardController::Finished));
    QVERIFY(buttonWithText(current(), QStringLiteral("Close"))->isEnabled());
    QVERIFY(c.generation().lastResult().everythingWritten());
    QCOMPARE(platform.messages.size(), 1);

    // The command line, given the project copy the run saved, writes the same files.
    const QString copy = c.generation().lastResult().projectCopyPath;
    QVERIFY(QFileInfo::exists(copy));
    QProcess cli;
    cli.start(QStringLiteral(BRINDLEWICK_CLI),
              {QStringLiteral("generate"), copy, QStringLiteral("--output-dir"), cliOut});
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(cli.exitCode(), 0);
    QStringList compared;
    QDirIterator files(wizardOut, QDir::Files);
    while (files.hasNext()) {
        const QString wizardFile = files.next();
        if (wizardFile == copy)
            continue; // it names its own output folder
        QFile a(wizardFile), b(QDir(cliOut).filePath(files.fileName()));
        QVERIFY2(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly),
                 qPrintable(files.fileName()));
        QVERIFY2(a.readAll() == b.readAll(), qPrintable(files.fileName()));
        compared.append(files.fileName());
    }
    // Three captions in two states, three formats each, and the page.
    QCOMPARE(compared.size(), 3 * 2 * 3 + 1);
}

void tst_GeneratorWizard::stopButtonAndClosingEndTheRun()
{
    QTemporaryDir dir;
    ScriptedPlatformServices platform;
    platform.temporaryFolder = dir.path() + QLatin1Char('/');
    for (int n = 0; n < 2000; ++n)
        platform.inputAnswers << QStringLiteral("Caption %1").arg(n);
    GeneratorWizard wizard(platform);
    wizard.show();
    WizardController& c = wizard.controller();
    for (int n = 0; n < 2000; ++n)
        c.captions().addCaption();
    c.set(&ButtonProject::javaScriptOption, JavaScriptOption::Both);
    WizardPage* generate = wizard.page(WizardController::Generate);
    auto* stop = generate->findChild<QPushButton*>(QStringLiteral("btnStopGeneration"));
    auto* said = generate->findChild<QLabel*>(QStringLiteral("lblGenerationProgress"));

    // The run keeps page 15 with Stop focused, which the keyboard presses.
    c.showPage(WizardController::Generate);
    QVERIFY(c.next());
    QVERIFY2(c.generation().isRunning(), "the run ended before Stop could be pressed");
    QCOMPARE(wizard.pages()->currentWidget(), generate);
    QVERIFY(stop->isVisible());
    QCOMPARE(wizard.focusWidget(), stop);
    QCOMPARE(QAccessible::queryAccessibleInterface(stop)->text(QAccessible::Name),
             QStringLiteral("Stop"));
    // The run's lines start under step 14, where the picture stood.
    const auto left = [generate](QWidget* w) { return w->mapTo(generate, QPoint()).x(); };
    const QList<QLabel*> labels = generate->findChildren<QLabel*>();
    const auto step = std::find_if(labels.begin(), labels.end(),
                                   [](QLabel* l) { return l->text() == QLatin1String("14."); });
    QVERIFY(step != labels.end());
    QCOMPARE(left(said), left(*step));
    QTest::keyClick(stop, Qt::Key_Space);
    QVERIFY(!stop->isEnabled()); // nothing more to stop while the run winds down
    QTRY_VERIFY_WITH_TIMEOUT(!c.generation().isRunning(), 30000);
    QVERIFY(c.generation().lastResult().stopped);
    QCOMPARE(wizard.pages()->currentWidget(), generate);
    QVERIFY(!stop->isVisible());
    QVERIFY(said->isVisible());
    QCOMPARE(said->text(), c.stoppedRunText());
    QCOMPARE(QAccessible::queryAccessibleInterface(said)->text(QAccessible::Name), said->text());

    c.showPage(WizardController::Generate);
    QVERIFY(c.next());
    wizard.close();
    QVERIFY(!c.generation().isRunning());
    QVERIFY(c.generation().lastResult().stopped);
    QCOMPARE(platform.messages.size(), 2);
    QVERIFY(platform.messages[1].startsWith(QStringLiteral("Generation stopped: ")));
    QVERIFY(!QFileInfo::exists(c.samplePagePath()));
}

void tst_GeneratorWizard::tabOrderAndAccessibleNames()
{
    ScriptedPlatformServices platform;
    platform.inputAnswers = {QStringLiteral("Home")};
    // The help page copied beside the built programs.
    platform.programFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    GeneratorWizard wizard(platform);
    wizard.show();
    QVERIFY(QTest::qWaitForWindowExposed(&wizard));
    wizard.controller().captions().addCaption();
    // A path of its own: the stored pictures show it.
    wizard.controller().set(&ButtonProject::outputDirectory, QStringLiteral("/srv/www/buttons/"));
    QStringList layout;
    for (int index = 0; index < WizardController::PageCount; ++index) {
        wizard.controller().showPage(index);
        WizardPage* page = wizard.page(index);
        QList<QWidget*> stops;
        for (QWidget* w = page->nextInFocusChain(); w != page; w = w->nextInFocusChain()) {
            if (page->isAncestorOf(w) && w->isVisible() && w->isEnabled() &&
                (w->focusPolicy() & Qt::TabFocus))
                stops.append(w);
        }
        const QString where = WizardTexts::pageNumberText(index);
        QVERIFY2(stops.size() >= 2, qPrintable(where));
        // Focus starts on the first control holding a value, not on a button.
        const auto firstValue = std::find_if(
            stops.begin(), stops.end(), [](QWidget* w) { return !qobject_cast<QPushButton*>(w); });
        QVERIFY2(QApplication::focusWidget() == *firstValue, qPrintable(where));
        // F1 opens the help from the focused control of every page.
        const qsizetype helpOpened = platform.openedWithApplication.size();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1, Qt::ControlModifier);
        QVERIFY2(platform.openedWithApplication.size() == helpOpened + 1, qPrintable(where));
        // The page buttons come last, left to right.
        QList<QWidget*> buttons;
        for (QPushButton* b : {page->cancelButton(), page->previousButton(), page->nextButton()}) {
            if (b->isVisible())
                buttons.append(b);
        }
        QVERIFY2(stops.mid(stops.size() - buttons.size()) == buttons, qPrintable(where));
        checkLaidOut(page, where);
        layout << layoutLines(page, where) << pictureLine(page, where);
        for (QWidget* w : stops) {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(w);
            QVERIFY2(accessible && !accessible->text(QAccessible::Name).isEmpty(),
                     qPrintable(where + QStringLiteral(": ") + w->metaObject()->className() +
                                QStringLiteral(" ") + w->objectName()));
        }
    }
    // The fixed pages compared whole, so that a spacing or margin that moves fails.
    compareWithStored(layout, QStringLiteral("texts/wizard-layout.txt"));
}

void tst_GeneratorWizard::keyboardOnlyWalk()
{
    QTemporaryDir dir;
    ScriptedPlatformServices platform;
    platform.inputAnswers = {QStringLiteral("Home")};
    platform.temporaryFolder = dir.path() + QLatin1Char('/');
    GeneratorWizard wizard(platform);
    wizard.show();
    // The start-up splash is shown first and may hold the activation for a moment.
    QTRY_COMPARE(QApplication::activeWindow(), &wizard);
    WizardController& c = wizard.controller();
    const auto key = [](Qt::Key k, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), k, modifiers);
    };
    const auto tabTo = [&key](const QString& name) {
        for (int i = 0; i < 40; ++i) {
            QWidget* focused = QApplication::focusWidget();
            if (QAccessible::queryAccessibleInterface(focused)->text(QAccessible::Name) == name)
                return true;
            key(Qt::Key_Tab);
        }
        return false;
    };
    QList<int> visited{c.currentPage()};
    while (c.currentPage() != WizardController::Finished && visited.size() <= 16) {
        const int index = c.currentPage();
        QWidget* focused = QApplication::focusWidget();
        QVERIFY2(wizard.page(index)->isAncestorOf(focused) && !qobject_cast<QPushButton*>(focused),
                 qPrintable(WizardTexts::pageNumberText(index)));
        if (index == WizardController::LabelText) {
            QVERIFY(tabTo(QStringLiteral("Add  a new caption ( at end )")));
            key(Qt::Key_Space);
        } else if (index == WizardController::JavaScriptOptions) {
            // Arrows check the next radio button: "both", which walks every page.
            key(Qt::Key_Down);
            key(Qt::Key_Down);
            QCOMPARE(c.project().javaScriptOption, JavaScriptOption::Both);
        } else if (index == WizardController::NormalButton) {
            // After another button was pressed, Enter is still Next.
            QVERIFY(tabTo(QStringLiteral("Width +10")));
            key(Qt::Key_Space);
            QCOMPARE(c.project().buttonWidth, 130);
        }
        key(Qt::Key_Return);
        // Page 16 follows the run.
        QTRY_VERIFY_WITH_TIMEOUT(c.currentPage() != index, 30000);
        visited.append(c.currentPage());
    }
    QList<int> all(WizardController::PageCount);
    std::iota(all.begin(), all.end(), 0);
    QCOMPARE(visited, all);
    QTRY_VERIFY_WITH_TIMEOUT(!c.generation().isRunning(), 30000);
    QVERIFY(c.generation().lastResult().everythingWritten());

    // Page 16 keeps "<< Previous" in its place and "Close" in Cancel's.
    const WizardPage* finished = wizard.page(WizardController::Finished);
    QCOMPARE(finished->previousButton()->geometry(), wizard.page(1)->previousButton()->geometry());
    QCOMPARE(finished->cancelButton()->geometry(), wizard.page(1)->cancelButton()->geometry());
    key(Qt::Key_P, Qt::AltModifier);
    QTRY_COMPARE(c.currentPage(), int(WizardController::Generate));
    key(Qt::Key_P, Qt::AltModifier);
    QTRY_COMPARE(c.currentPage(), int(WizardController::Html));
    key(Qt::Key_N, Qt::AltModifier);
    QTRY_COMPARE(c.currentPage(), int(WizardController::Generate));
    QCOMPARE(wizard.page(WizardController::Generate)->nextButton()->text(),
             QStringLiteral("Next >>"));
    key(Qt::Key_Escape);
    QTRY_VERIFY(!wizard.isVisible());
}

void tst_GeneratorWizard::assistiveChangesReachTheProject()
{
    ScriptedPlatformServices platform;
    GeneratorWizard wizard(platform);
    WizardController& c = wizard.controller();
    // What a screen reader does: the radio button's own toggle action, and set-text.
    const auto toggle = [](QWidget* w) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        a->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    };
    const auto setText = [](QWidget* w, const QString& text) {
        QAccessible::queryAccessibleInterface(w)->setText(QAccessible::Value, text);
    };
    c.showPage(WizardController::JavaScriptOptions);
    WizardPage* page = wizard.page(WizardController::JavaScriptOptions);
    toggle(page->findChildren<QRadioButton*>().at(3));
    QCOMPARE(c.project().javaScriptOption, JavaScriptOption::Static);
    toggle(page->findChild<QCheckBox*>());
    QVERIFY(c.project().variableWidth);

    c.showPage(WizardController::OutputDirectory);
    page = wizard.page(WizardController::OutputDirectory);
    auto* prefix = page->findChild<QLineEdit*>(QStringLiteral("edOutputDirectoryFileNamePrefix"));
    setText(prefix, QStringLiteral("nav"));
    QCOMPARE(c.project().fileNamePrefix, QStringLiteral("nav"));
    setText(page->findChild<QLineEdit*>(QStringLiteral("lblOutputDirectoryFileName")),
            QStringLiteral("/srv/www"));
    QCOMPARE(c.project().outputDirectory, QStringLiteral("/srv/www"));

    // Set-text and a paste are cut to the limit, as typing is.
    QAccessible::queryAccessibleInterface(prefix)->editableTextInterface()->replaceText(
        0, 3, QStringLiteral("abcdefghijkl"));
    QCOMPARE(prefix->text(), QStringLiteral("abcdefgh"));
    QCOMPARE(c.project().fileNamePrefix, prefix->text());
    prefix->setText(QStringLiteral("ab"));
    QApplication::clipboard()->setText(QStringLiteral("0123456789"));
    prefix->setCursorPosition(1);
    prefix->paste();
    QCOMPARE(prefix->text(), QStringLiteral("a012345b"));
    QCOMPARE(prefix->cursorPosition(), 7);
    QCOMPARE(c.project().fileNamePrefix, prefix->text());

    // A longer prefix from elsewhere is shown whole; typing cannot lengthen it.
    c.set(&ButtonProject::fileNamePrefix, QStringLiteral("longprefix12"));
    QCOMPARE(prefix->text(), QStringLiteral("longprefix12"));
    prefix->setFocus();
    prefix->end(false);
    QTest::keyClick(prefix, Qt::Key_X);
    QTest::keyClick(prefix, Qt::Key_Backspace);
    QCOMPARE(c.project().fileNamePrefix, QStringLiteral("longprefix1"));
    prefix->clear();
    QTest::keyClicks(prefix, QStringLiteral("abcdefghij"));
    QCOMPARE(c.project().fileNamePrefix, QStringLiteral("abcdefgh"));
}

void tst_GeneratorWizard::moreOptionsByKeyboard()
{
    ScriptedPlatformServices platform;
    GeneratorWizard wizard(platform);
    wizard.show();
    QVERIFY(QTest::qWaitForWindowExposed(&wizard));
    wizard.controller().set(&ButtonProject::keyboardRollovers, true);
    wizard.controller().showPage(WizardController::Generate);
    QPushButton* more =
        buttonWithText(wizard.page(WizardController::Generate), WizardTexts::moreOptionsButton);
    QVERIFY(more);
    more->setFocus();
    QStringList names;
    QTimer::singleShot(0, this, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        for (int i = 0; i < 5; ++i) {
            // The dialog's own focus: the window need not be active on every platform plugin.
            QWidget* focused = dialog->focusWidget();
            if (!focused)
                break;
            names << QAccessible::queryAccessibleInterface(focused)->text(QAccessible::Name);
            // Smooth on, HiDPI on, keyboard rollovers (on before) off, CSS rollovers on, WebP
            // on.
            QTest::keyClick(focused, Qt::Key_Space);
            QTest::keyClick(focused, Qt::Key_Tab);
        }
        QTest::keyClick(dialog, Qt::Key_Return);
        if (dialog->isVisible())
            static_cast<QDialog*>(dialog)->reject();
    });
    QTest::keyClick(more, Qt::Key_Space);
    QCOMPARE(names, (QStringList{"Smooth captions", "HiDPI images", "Keyboard rollovers",
                                 "CSS rollovers", "WebP images"}));
    const ButtonProject& project = wizard.controller().project();
    QVERIFY(project.smoothCaptions);
    QVERIFY(project.hiDpiImages);
    QVERIFY(!project.keyboardRollovers);
    QVERIFY(project.cssRollovers);
    QVERIFY(project.webPImages);
}

void tst_GeneratorWizard::livePreviewFollowsSelectionAndChanges()
{
    ScriptedPlatformServices platform;
    platform.inputAnswers = {QStringLiteral("Home"), QStringLiteral("About|Us"),
                             QStringLiteral("A caption far wider than its button")};
    GeneratorWizard wizard(platform);
    wizard.show();
    WizardController& c = wizard.controller();
    c.captions().addCaption();
    c.captions().addCaption();
    c.showPage(WizardController::LabelText);
    wizard.livePreviewAction()->setChecked(true);
    LivePreviewWindow* preview = wizard.livePreview();
    QVERIFY(preview->isVisible());
    compareWithStored(layoutLines(preview, preview->windowTitle()),
                      QStringLiteral("texts/layout-live-preview.txt"));
    QAbstractItemModel* rows = preview->list()->model();
    // Each row's picture holds its buttons side by side, as the preview draws them.
    const auto shownMatches = [&](int row) {
        const QList<QImage> buttons = c.preview().buttons(row);
        const QIcon icon = rows->data(rows->index(row, 0), Qt::DecorationRole).value<QIcon>();
        const QImage shown = icon.pixmap(preview->list()->iconSize())
                                 .toImage()
                                 .convertToFormat(QImage::Format_RGB32);
        int x = 0;
        for (const QImage& button : buttons) {
            if (shown.copy(x, 0, button.width(), button.height()) != button)
                return false;
            x += button.width() + LivePreviewModel::gap;
        }
        return x - LivePreviewModel::gap == shown.width();
    };
    QCOMPARE(rows->rowCount(), 2);
    QVERIFY(shownMatches(0));
    QVERIFY(shownMatches(1));

    static_cast<LabelTextPage*>(wizard.page(WizardController::LabelText))
        ->captionList()
        ->setCurrentRow(1);
    QCOMPARE(preview->list()->currentIndex().row(), 1);

    c.set(&ButtonProject::javaScriptOption, JavaScriptOption::Both);
    c.styles().set(ButtonState::Pressed, &ButtonStateStyle::borderEffect,
                   BorderEffect::BlackBorder);
    QCOMPARE(c.preview().buttons(0).size(), 3);
    QVERIFY(shownMatches(0));

    c.captions().addCaption();
    QCOMPARE(rows->rowCount(), 3);
    QVERIFY(!rows->data(rows->index(0, 0)).toString().contains(WizardTexts::captionCutMark));
    QVERIFY(rows->data(rows->index(2, 0)).toString().contains(WizardTexts::captionCutMark));
    QCOMPARE(rows->data(rows->index(2, 0), Qt::ToolTipRole).toString(),
             WizardTexts::captionCutMark);
    QCOMPARE(rows->data(rows->index(2, 0), Qt::ForegroundRole).value<QColor>(),
             QColor(Qt::darkRed));
    QCOMPARE(rows->data(rows->index(0, 0), Qt::ToolTipRole).toString(), QString());
    QVERIFY(!rows->data(rows->index(0, 0), Qt::ForegroundRole).isValid());

    // The Generate page names it, and still lets the run go on.
    c.showPage(WizardController::Generate);
    auto* note = wizard.page(WizardController::Generate)
                     ->findChild<QLabel*>(QStringLiteral("lblCutCaptions"));
    QVERIFY(note->isVisible());
    QCOMPARE(note->toolTip(), WizardTexts::cutCaptionsNote({c.project().captions.last()}));

    // Rounded buttons stand on the page colour.
    ButtonProject looks = c.project();
    looks.cornerRadius = 8;
    looks.pageColor = Colors::rgb(10, 20, 30);
    c.takeOptions(looks);
    const QImage button = c.preview().buttons(0).first();
    const QImage shown = rows->data(rows->index(0, 0), Qt::DecorationRole)
                             .value<QIcon>()
                             .pixmap(preview->list()->iconSize())
                             .toImage();
    QCOMPARE(qAlpha(button.pixel(0, 0)), 0);
    QCOMPARE(shown.pixel(0, 0), qRgb(10, 20, 30));
    QCOMPARE(shown.pixel(20, 10), button.pixel(20, 10));

    wizard.livePreviewAction()->setChecked(false);
    QVERIFY(!preview->isVisible());
}

void tst_GeneratorWizard::splashClosesByTimerUnlessAboutOpens()
{
    ScriptedPlatformServices platform;
    platform.programFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    GeneratorWizard timed(platform);
    GeneratorWizard withAbout(platform);
    for (GeneratorWizard* wizard : {&timed, &withAbout}) {
        QVERIFY(wizard->splash() && wizard->splash()->isVisible());
        QCOMPARE(wizard->splash()->mode(), SplashForm::StartUp);
        QVERIFY(wizard->splashTimer()->isActive());
    }

    // The About box is modal; its link opens the program's web page.
    bool aboutShown = false;
    QTimer::singleShot(0, this, [&] {
        auto* about = qobject_cast<SplashForm*>(QApplication::activeModalWidget());
        if (about && about->mode() == SplashForm::About) {
            aboutShown = true;
            QTest::mouseClick(about->linkLabel(), Qt::LeftButton, {},
                              about->linkLabel()->rect().center());
            about->reject();
        }
    });
    withAbout.showAbout();
    QVERIFY(aboutShown);
    QCOMPARE(platform.openedWithApplication,
             (QList<QPair<QString, QString>>{{WizardTexts::webPageAddress(), {}}}));
    QVERIFY(!withAbout.splashTimer()->isActive());

    QTRY_VERIFY_WITH_TIMEOUT(!timed.splash(), 3000);
    // Stopped by About, the start-up splash stays until its picture is clicked.
    QPointer<SplashForm> kept = withAbout.splash();
    QVERIFY(kept && kept->isVisible());
    QTest::mouseClick(kept, Qt::LeftButton);
    QTRY_VERIFY(!kept);
}

void tst_GeneratorWizard::viewCodeOnMissingPage()
{
    QTemporaryDir empty;
    ScriptedPlatformServices platform;
    platform.temporaryFolder = empty.path() + QLatin1Char('/');
    GeneratorWizard wizard(platform);
    bool viewerShown = false;
    QTimer::singleShot(0, this, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            viewerShown = true;
            dialog->reject();
        }
    });
    wizard.viewCode();
    QVERIFY(!viewerShown);
    QCOMPARE(platform.errors,
             QStringList{QStringLiteral("Cannot open file \"%1\". No such file or directory")
                             .arg(wizard.controller().samplePagePath())});
}

void tst_GeneratorWizard::readableUnderDarkTheme_data()
{
    QTest::addColumn<bool>("themeFirst");
    QTest::newRow("dark theme at start-up") << true;
    QTest::newRow("dark theme while open") << false;
}

void tst_GeneratorWizard::readableUnderDarkTheme()
{
    QFETCH(bool, themeFirst);
    const QPalette desktop = QApplication::palette();
    const auto restore = qScopeGuard([&] { QApplication::setPalette(desktop); });
    const QPalette dark(QColor(0x3C, 0x3C, 0x3C), QColor(0x30, 0x30, 0x30));
    QCOMPARE(dark.color(QPalette::Text), QColor(Qt::white));
    if (themeFirst)
        QApplication::setPalette(dark);
    ScriptedPlatformServices platform;
    GeneratorWizard wizard(platform);
    if (!themeFirst) {
        QApplication::setPalette(dark);
        QCoreApplication::processEvents();
    }

    QCOMPARE(wizard.palette().color(QPalette::Window), QColor(0xFF, 0xFF, 0xD0));
    QLabel* pageNumber = nullptr;
    for (QLabel* label : wizard.page(0)->findChildren<QLabel*>())
        if (label->text() == QStringLiteral("Page 1 of 16"))
            pageNumber = label;
    QVERIFY(pageNumber);
    QWidget* captions = wizard.page(1)->findChild<QListView*>();
    QVERIFY(captions);
    const struct
    {
        QWidget* widget;
        QPalette::ColorRole text, ground;
    } pairs[] = {{&wizard, QPalette::WindowText, QPalette::Window},
                 {&wizard, QPalette::ButtonText, QPalette::Button},
                 {pageNumber, QPalette::WindowText, QPalette::Window},
                 {captions, QPalette::Text, QPalette::Base},
                 {captions, QPalette::HighlightedText, QPalette::Highlight}};
    // Disabled controls are greyed, and still read.
    for (const auto& pair : pairs) {
        const QPalette p = pair.widget->palette();
        for (const QPalette::ColorGroup group :
             {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            const double ratio = contrast(p.color(group, pair.text), p.color(group, pair.ground));
            QVERIFY2(ratio >= (group == QPalette::Disabled ? 3.0 : 4.5),
                     qPrintable(QStringLiteral("%1, group %2, roles %3 on %4: %5:1")
                                    .arg(pair.widget->metaObject()->className())
                                    .arg(group)
                                    .arg(pair.text)
                                    .arg(pair.ground)
                                    .arg(ratio)));
        }
        QVERIFY(p.color(QPalette::Disabled, pair.text) != p.color(QPalette::Active, pair.text) ||
                p.color(QPalette::Disabled, pair.ground) != p.color(QPalette::Active, pair.ground));
    }
    // Message boxes keep the desktop's theme.
    QMessageBox box(&wizard);
    QCOMPARE(box.palette().color(QPalette::Window), dark.color(QPalette::Window));
}

QTEST_MAIN(tst_GeneratorWizard)
#include "tst_GeneratorWizard.moc"
