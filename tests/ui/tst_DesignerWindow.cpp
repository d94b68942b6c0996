#include "../wizard/ScriptedPlatformServices.h"
#include "DesignerCaptionPanel.h"
#include "DesignerController.h"
#include "DesignerGeneratePanel.h"
#include "DesignerOutputPanel.h"
#include "DesignerPreviewGrid.h"
#include "DesignerStylePanel.h"
#include "DesignerWindow.h"
#include "GeneratorWizard.h"
#include "LaidOut.h"
#include "OptionTableForm.h"
#include "OutputNaming.h"
#include "ProjectFileWriter.h"
#include "WizardController.h"
#include "WizardTexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

class tst_DesignerWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_window.reset(); }
    void titleThemeAndNames();
    void captionsByTheListsKeys();
    void styleControlsReachTheProject();
    void tabsFollowTheJavaScriptOption();
    void outputChoicesReachTheProject();
    void prefixKeyPastItsLimitChangesNothing();
    void moreOptionsTabFollowsTheProject();
    void previewShowsTheStateUnderTheMouse();
    void previewDrawsTheRunsImages_data();
    void previewDrawsTheRunsImages();
    void closingAsksAndCancelKeepsTheWindow();
    void tabReachesEveryKindOfControl();
    void generateWritesAndSaysWhere();
    void stopEndsTheRunAndSaysHowFar();
    void wizardOpensItsProjectInTheDesigner();
    void layoutOfEveryTab();

private:
    DesignerController& designer() { return m_window->controller(); }
    const ButtonProject& project() { return designer().project(); }
    QListWidget* list() { return m_window->captions()->list(); }
    void typeIntoEditor(const QString& text)
    {
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(qobject_cast<QLineEdit*>(editor));
        static_cast<QLineEdit*>(editor)->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents(); // the delegate commits once the key has been handled
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedPlatformServices m_platform;
    std::unique_ptr<DesignerWindow> m_window;
};

void tst_DesignerWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_platform = ScriptedPlatformServices();
    m_platform.temporaryFolder = m_dir->path() + u'/';
    m_platform.settingsFile = m_dir->filePath(QStringLiteral("settings.ini"));
    m_window = std::make_unique<DesignerWindow>(m_platform);
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void tst_DesignerWindow::titleThemeAndNames()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Brindlewick Designer[*]"));
    m_platform.saveFileAnswers = {m_dir->filePath(QStringLiteral("shop.blp"))};
    QVERIFY(designer().saveProjectAs());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Brindlewick Designer \u2014 shop.blp[*]"));
    // The desktop's colours, not the wizard's yellow.
    QCOMPARE(m_window->palette().color(QPalette::Window),
             QApplication::palette().color(QPalette::Window));
    // Every control says what it sets.
    for (QWidget* w : m_window->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QComboBox*>(w) || qobject_cast<QPushButton*>(w) ||
                             qobject_cast<QListView*>(w);
        if (control && w->isVisibleTo(m_window.get()) && qobject_cast<QPushButton*>(w) == nullptr)
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->metaObject()->className()));
        if (auto* b = qobject_cast<QPushButton*>(w); b && b->isVisibleTo(m_window.get()))
            QVERIFY2(!b->accessibleName().isEmpty(), qPrintable(b->text()));
    }
}

void tst_DesignerWindow::captionsByTheListsKeys()
{
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_Insert);
    typeIntoEditor(QStringLiteral("Beta"));
    QTest::keyClick(list(), Qt::Key_Insert); // before the current row
    typeIntoEditor(QStringLiteral("Alpha"));
    QCOMPARE(project().captions, (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta")}));
    QVERIFY(designer().isModified());

    list()->setCurrentRow(1);
    QTest::keyClick(list(), Qt::Key_F2);
    typeIntoEditor(QStringLiteral("Gamma"));
    QTest::keyClick(list(), Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(project().captions, (QStringList{QStringLiteral("Gamma"), QStringLiteral("Alpha")}));
    QCOMPARE(list()->currentRow(), 0);
    QTest::keyClick(list(), Qt::Key_Delete);
    QCOMPARE(project().captions, QStringList{QStringLiteral("Alpha")});
    QCOMPARE(list()->item(0)->text(), QStringLiteral("Alpha"));

    // The field under the list edits the current caption, over an editor open in the list.
    QTest::keyClick(list(), Qt::Key_F2);
    QLineEdit* field = m_window->captions()->currentText();
    QCOMPARE(field->text(), QStringLiteral("Alpha"));
    field->setText(QStringLiteral("Omega"));
    field->setFocus();
    QApplication::processEvents();
    QCOMPARE(project().captions, QStringList{QStringLiteral("Omega")});
    QCOMPARE(list()->item(0)->text(), QStringLiteral("Omega"));
}

void tst_DesignerWindow::styleControlsReachTheProject()
{
    DesignerStylePanel* selected = m_window->stylePanel(1);
    auto* border = selected->findChildren<QComboBox*>().at(1);
    QCOMPARE(border->accessibleName(), QStringLiteral("Selected add button border effects"));
    border->setCurrentIndex(int(BorderEffect::BlackBorder));
    QCOMPARE(project().selected.borderEffect, BorderEffect::BlackBorder);

    QListView* pictures = selected->backgrounds();
    pictures->setCurrentIndex(pictures->model()->index(12, 0));
    QCOMPARE(project().selected.predefinedIndex, 12);
    QCOMPARE(project().selected.backgroundKind, BackgroundKind::Predefined);

    ButtonStateStyle font = project().selected;
    font.fontName = QStringLiteral("DejaVu Serif");
    m_platform.fontAnswers = {font};
    selected->fontButton()->click();
    QCOMPARE(project().selected.fontName, QStringLiteral("DejaVu Serif"));
    const auto labels = selected->findChildren<QLabel*>();
    const auto fontLine = std::find_if(labels.begin(), labels.end(), [](const QLabel* l) {
        return l->accessibleName() == QStringLiteral("Selected font");
    });
    QVERIFY(fontLine != labels.end());
    QVERIFY((*fontLine)->text().startsWith(QStringLiteral("DejaVu Serif, ")));

    // Same as Normal copies once, and the controls show it.
    selected->findChildren<QPushButton*>().first()->click();
    QCOMPARE(project().selected, project().normal);
    QCOMPARE(border->currentIndex(), int(project().normal.borderEffect));
}

// Each of the output's lists sets its own field, whichever item is picked.
void tst_DesignerWindow::outputChoicesReachTheProject()
{
    const auto list = [this](const QString& name) {
        for (QComboBox* box : m_window->output()->findChildren<QComboBox*>()) {
            if (box->accessibleName() == name)
                return box;
        }
        return static_cast<QComboBox*>(nullptr);
    };
    QComboBox* format = list(QStringLiteral("Select Image File format to create"));
    QComboBox* direction = list(QStringLiteral("Page direction"));
    QComboBox* table = list(QStringLiteral("Alignment Options"));
    QVERIFY(format && direction && table);
    for (int i = format->count() - 1; i >= 0; --i) {
        format->setCurrentIndex(i);
        direction->setCurrentIndex(i % direction->count());
        table->setCurrentIndex(i % table->count());
        QCOMPARE(int(project().imageFileFormat), i);
        QCOMPARE(int(project().htmlDirection), i % direction->count());
        QCOMPARE(int(project().htmlTable), i % table->count());
    }
}

void tst_DesignerWindow::tabsFollowTheJavaScriptOption()
{
    QComboBox* option = m_window->output()->javaScriptOption();
    QTabWidget* tabs = m_window->styleTabs();
    const struct
    {
        JavaScriptOption option;
        bool selected, pressed;
    } rows[] = {{JavaScriptOption::Static, false, false},
                {JavaScriptOption::Pressed, false, true},
                {JavaScriptOption::Both, true, true},
                {JavaScriptOption::MouseOver, true, false}};
    for (const auto& row : rows) {
        option->setCurrentIndex(int(row.option));
        QCOMPARE(project().javaScriptOption, row.option);
        QVERIFY(tabs->isTabEnabled(0));
        QCOMPARE(tabs->isTabEnabled(1), row.selected);
        QCOMPARE(tabs->isTabEnabled(2), row.pressed);
    }
}

void tst_DesignerWindow::prefixKeyPastItsLimitChangesNothing()
{
    QLineEdit* prefix = m_window->output()->prefix();
    prefix->setFocus();
    prefix->selectAll();
    QTest::keyClicks(prefix, QStringLiteral("abcdefgh"));
    m_platform.saveFileAnswers = {m_dir->filePath(QStringLiteral("p.blp"))};
    QVERIFY(designer().saveProjectAs());
    QTest::keyClick(prefix, Qt::Key_X);
    QCOMPARE(prefix->text(), QStringLiteral("abcdefgh"));
    QVERIFY(!designer().isModified());
}

void tst_DesignerWindow::moreOptionsTabFollowsTheProject()
{
    OptionTableForm* form = m_window->moreOptions();
    auto* smooth = form->findChild<QCheckBox*>(QStringLiteral("SmoothCaptions"));
    auto* page = form->findChild<QLineEdit*>(QStringLiteral("PageColor"));
    QVERIFY(smooth && page);
    smooth->click();
    QVERIFY(project().smoothCaptions);
    page->setFocus();
    page->setCursorPosition(page->text().size());
    page->setText(QStringLiteral("#0a14fe"));
    QCOMPARE(project().pageColor, Colors::rgb(10, 20, 254));
    QCOMPARE(page->text(), QStringLiteral("#0a14fe")); // as typed, not rewritten
    // A change made elsewhere shows at once: the style tab's gradient, a new project.
    designer().styles().set(ButtonState::Selected, &ButtonStateStyle::gradientColor,
                            std::optional<ColorRef>(Colors::rgb(1, 2, 3)));
    QCOMPARE(form->findChild<QLineEdit*>(QStringLiteral("SelectedGradient"))->text(),
             QStringLiteral("#010203"));
    m_platform.saveChoiceAnswers = {PlatformServices::SaveChoice::Discard};
    QVERIFY(designer().newProject());
    QVERIFY(!smooth->isChecked());
    QCOMPARE(page->text(), QStringLiteral("#FFFFFF"));
}

void tst_DesignerWindow::previewShowsTheStateUnderTheMouse()
{
    designer().captions().insertText(-1, QStringLiteral("Home"));
    designer().set(&ButtonProject::javaScriptOption, JavaScriptOption::Both);
    DesignerPreviewGrid* grid = m_window->preview();
    QWidget* view = grid->viewport();
    const QPoint normal(DesignerPreviewGrid::captionWidth + 4,
                        grid->fontMetrics().height() + DesignerPreviewGrid::gap + 4);
    QCOMPARE(grid->cellAt(normal), QPoint(0, 0));
    QCOMPARE(grid->shownState(0), ButtonState::Normal);
    QTest::mouseMove(view, normal);
    QCOMPARE(grid->shownState(0), ButtonState::Selected);
    QTest::mousePress(view, Qt::LeftButton, {}, normal);
    QCOMPARE(grid->shownState(0), ButtonState::Pressed);
    QTest::mouseRelease(view, Qt::LeftButton, {}, normal);
    QCOMPARE(grid->shownState(0), ButtonState::Selected);
    // A caption its button cuts is marked, and its tooltip says so.
    designer().set(&ButtonProject::buttonWidth, qint32(20));
    const QPoint caption(8, normal.y());
    QHelpEvent help(QEvent::ToolTip, caption, view->mapToGlobal(caption));
    QApplication::sendEvent(view, &help);
    QCOMPARE(QToolTip::text(), WizardTexts::captionCutMark);
    designer().set(&ButtonProject::buttonWidth, qint32(200));
    QApplication::sendEvent(view, &help);
    QTRY_VERIFY(QToolTip::text().isEmpty()); // hidden after a moment
    // Twice the size: the same point is still the first button.
    grid->setScale(2);
    QCOMPARE(grid->cellAt(normal), QPoint(0, 0));
    QCOMPARE(grid->cellAt(normal + QPoint(designer().project().buttonWidth + 8, 0)), QPoint(0, 0));
}

void tst_DesignerWindow::previewDrawsTheRunsImages_data()
{
    QTest::addColumn<int>("scale");
    QTest::addColumn<int>("picture"); // a built-in picture, or 0 for a gradient
    for (const int scale : {1, 2}) {
        QTest::addRow("%dx, gradient", scale) << scale << 0;
        QTest::addRow("%dx, built-in picture", scale) << scale << 20;
    }
}

// At 2x the run's @2x twins with their pixels on the screen's: run again under
// QT_SCALE_FACTOR=2 (tests/ui.cmake) for a HiDPI screen.
void tst_DesignerWindow::previewDrawsTheRunsImages()
{
    QFETCH(int, scale);
    QFETCH(int, picture);
    designer().captions().insertText(-1, QStringLiteral("Home"));
    designer().set(&ButtonProject::javaScriptOption, JavaScriptOption::Both);
    designer().set(&ButtonProject::hiDpiImages, true);
    designer().styles().set(ButtonState::Pressed, &ButtonStateStyle::gradientColor,
                            std::optional<ColorRef>(Colors::rgb(200, 30, 90)));
    if (picture)
        designer().styles().setPredefinedIndex(ButtonState::Normal, picture);
    m_window->generatePanel()->generateButton()->click();
    designer().generation().wait();
    QVERIFY(designer().generation().lastResult().everythingWritten());
    DesignerPreviewGrid* grid = m_window->preview();
    grid->setScale(scale);
    // Pixels alone: Qt reads a file named "@2x" as of ratio 2, and grabs at the screen's.
    const auto pixels = [](QImage image) {
        image.setDevicePixelRatio(1);
        return image.convertToFormat(QImage::Format_RGB32);
    };
    const QImage shot = pixels(grid->viewport()->grab().toImage());
    const qreal ratio = grid->viewport()->devicePixelRatioF();
    const QList<ButtonState> states = designer().preview().states();
    for (int column = 0; column < states.size(); ++column) {
        const QImage written(OutputNaming::imagePathStem(project(), 1, states[column], scale) +
                             QStringLiteral(".png"));
        QVERIFY(!written.isNull());
        // 1x at a page's size on any screen, 2x with one pixel of the twin on each of the screen's.
        const QSize device = scale == 1 ? written.size() * ratio : written.size();
        const QRect drawn = grid->buttonRect(0, column);
        QCOMPARE(QSizeF(drawn.size()) * ratio, QSizeF(device));
        QCOMPARE(shot.copy(QRect(drawn.topLeft() * ratio, device)), pixels(written.scaled(device)));
        QCOMPARE(grid->cellAt(drawn.bottomRight()), QPoint(column, 0));
        QCOMPARE(grid->cellAt(drawn.topRight() + QPoint(1, 0)), QPoint(-1, -1));
    }
}

void tst_DesignerWindow::closingAsksAndCancelKeepsTheWindow()
{
    designer().set(&ButtonProject::buttonWidth, 77);
    m_platform.saveChoiceAnswers = {PlatformServices::SaveChoice::Cancel};
    QVERIFY(!m_window->close());
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_platform.saveQuestions.size(), 1);
    QCOMPARE(m_platform.saveQuestions[0].text, QStringLiteral("Save changes to Untitled?"));
    m_platform.saveChoiceAnswers = {PlatformServices::SaveChoice::Discard};
    const QSize chosen = m_window->minimumSizeHint() + QSize(41, 31);
    m_window->resize(chosen);
    QVERIFY(m_window->close());
    // The size is kept for the next window.
    DesignerWindow again(m_platform);
    QCOMPARE(again.size(), chosen);
}

void tst_DesignerWindow::tabReachesEveryKindOfControl()
{
    designer().captions().insertText(-1, QStringLiteral("Home"));
    DesignerStylePanel* normal = m_window->stylePanel(0);
    const QList<QWidget*> wanted = {list(),
                                    m_window->captions()->currentText(),
                                    m_window->output()->folder(),
                                    m_window->output()->javaScriptOption(),
                                    normal->backgroundKind(),
                                    normal->fontButton(),
                                    normal->backgrounds(),
                                    m_window->preview(),
                                    m_window->generatePanel()->generateButton()};
    list()->setFocus();
    QSet<QWidget*> reached;
    for (int i = 0; i < 120 && reached.size() < wanted.size(); ++i) {
        if (wanted.contains(QApplication::focusWidget()))
            reached.insert(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    for (QWidget* w : wanted)
        QVERIFY2(reached.contains(w), qPrintable(w->accessibleName()));
}

void tst_DesignerWindow::generateWritesAndSaysWhere()
{
    designer().captions().insertText(-1, QStringLiteral("Home"));
    DesignerGeneratePanel* panel = m_window->generatePanel();
    panel->generateButton()->click();
    designer().generation().wait();
    QVERIFY(designer().generation().lastResult().everythingWritten());
    QCOMPARE(panel->resultLine()->text(), designer().generationSummary());
    QVERIFY(panel->resultLine()->text().contains(m_dir->path()));
    QPushButton* openPage = panel->findChildren<QPushButton*>().last();
    QVERIFY(openPage->isVisible());
    openPage->click();
    QCOMPARE(m_platform.openedWithApplication.size(), 1);
}

void tst_DesignerWindow::stopEndsTheRunAndSaysHowFar()
{
    // A long project, read at once.
    ButtonProject longOne;
    for (int n = 0; n < 2000; ++n)
        longOne.captions << QStringLiteral("Caption %1").arg(n);
    longOne.outputDirectory = m_dir->path();
    longOne.projectFileName = m_dir->filePath(QStringLiteral("long.blp"));
    QVERIFY(!ProjectFileWriter::saveProjectFile(longOne));
    QVERIFY(designer().openProjectFile(longOne.projectFileName));
    DesignerGeneratePanel* panel = m_window->generatePanel();
    panel->generateButton()->click();
    QVERIFY2(designer().generation().isRunning(), "the run ended before Stop could be pressed");
    QVERIFY(!panel->generateButton()->isEnabled());
    auto* stop = qobject_cast<QPushButton*>(m_window->focusWidget());
    QVERIFY(stop && stop->text() == QStringLiteral("Stop"));
    QTest::keyClick(stop, Qt::Key_Space);
    QTRY_VERIFY_WITH_TIMEOUT(!designer().generation().isRunning(), 30000);
    const GenerationResult& result = designer().generation().lastResult();
    QVERIFY(result.stopped);
    QCOMPARE(panel->resultLine()->text(),
             QStringLiteral("Generation stopped: %1 of %2 images written")
                 .arg(result.imagesWritten)
                 .arg(result.imagesPlanned));
    QVERIFY(!stop->isVisible());
    QVERIFY(panel->generateButton()->isEnabled());
    QVERIFY(!panel->findChildren<QPushButton*>().last()->isVisible()); // no page to open
}

void tst_DesignerWindow::wizardOpensItsProjectInTheDesigner()
{
    GeneratorWizard wizard(m_platform);
    m_platform.inputAnswers = {QStringLiteral("From the wizard")};
    wizard.controller().captions().addCaption();
    wizard.controller().styles().setPredefinedIndex(ButtonState::Normal, 5);
    m_platform.saveFileAnswers = {m_dir->filePath(QStringLiteral("w.blp"))};
    QVERIFY(wizard.controller().saveProject());
    JpegFileOptions jpeg; // OK without "retain": the wizard's own until it ends
    jpeg.quality = 40;
    QVERIFY(wizard.controller().confirmJpegOptions(jpeg));
    std::unique_ptr<DesignerWindow> opened(wizard.openDesigner());
    opened->setAttribute(Qt::WA_DeleteOnClose, false);
    const ButtonProject& copy = opened->controller().project();
    QCOMPARE(copy.captions, QStringList{QStringLiteral("From the wizard")});
    QCOMPARE(copy.normal, wizard.controller().project().normal);
    QCOMPARE(copy.projectFileName, m_dir->filePath(QStringLiteral("w.blp")));
    QCOMPARE(opened->controller().optionSets().jpeg, jpeg);
    QVERIFY(!opened->controller().isModified());
    QCOMPARE(opened->windowTitle(), QStringLiteral("Brindlewick Designer \u2014 w.blp[*]"));
    // The wizard's yellow stays with the wizard.
    QVERIFY(opened->palette().color(QPalette::Window) != wizard.palette().color(QPalette::Window));
}

// At a fixed size, where each control of each tab stands, compared whole with a stored copy.
void tst_DesignerWindow::layoutOfEveryTab()
{
    if (m_window->devicePixelRatio() != 1)
        QSKIP("the stored layout is of a screen of ratio 1");
    designer().captions().insertText(-1, QStringLiteral("Home"));
    // Cut by its button: elided before the mark that says so.
    designer().captions().insertText(-1, QStringLiteral("A caption far wider than its button"));
    designer().set(&ButtonProject::outputDirectory, QStringLiteral("/srv/www/buttons"));
    m_window->resize(1180, 840);
    QStringList layout;
    for (int tab = 0; tab < m_window->styleTabs()->count(); ++tab) {
        m_window->styleTabs()->setCurrentIndex(tab);
        QApplication::processEvents();
        const QString where = m_window->styleTabs()->tabText(tab);
        layout << layoutLines(m_window.get(), where) << pictureLine(m_window.get(), where);
    }
    compareWithStored(layout, QStringLiteral("texts/designer-layout.txt"));
}

QTEST_MAIN(tst_DesignerWindow)
#include "tst_DesignerWindow.moc"
