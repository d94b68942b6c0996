#include "ButtonRenderer.h"
#include "WizardFixture.h"
#include "WizardTexts.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using Page = WizardController::Page;
using Step = ButtonSize::Step;

// The edit commands of the pages: captions, backgrounds and sizes, fonts, the output folder
// and the live preview.
class tst_WizardControllerEditing : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void captions_data();
    void captions();
    void prefixEdits_data();
    void prefixEdits();
    void sizeSteps_data();
    void sizeSteps();
    void samplesFollowTheirPage();
    void backgroundKindKeepsChoices();
    void oversizedButtonFromFile();
    void ownImage_data();
    void ownImage();
    void ownImageRefused();
    void fontAndShadow();
    void outputDirectory_data();
    void outputDirectory();
    void preview_data();
    void preview();
    void cutCaptions_data();
    void cutCaptions();
    void cutCaptionsNote();

private:
    QString path(const QString& name) const { return m_fixture.path(name); }
    void addCaptions(const QStringList& captions);
    QString writeBitmap(const QString& name, const QSize& size, QColor color) const;

    WizardFixture m_fixture;
    ScriptedPlatformServices& m_platform = m_fixture.platform;
    std::unique_ptr<WizardController>& m_wizard = m_fixture.wizard;
};

void tst_WizardControllerEditing::init()
{
    QVERIFY(m_fixture.reset());
}

void tst_WizardControllerEditing::addCaptions(const QStringList& captions)
{
    // As a project file gives them, whatever their length.
    m_wizard->set(&ButtonProject::captions, m_wizard->project().captions + captions);
}

QString tst_WizardControllerEditing::writeBitmap(const QString& name, const QSize& size,
                                                 QColor color) const
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    const QString file = path(name);
    return image.save(file, "BMP") ? file : QString();
}

void tst_WizardControllerEditing::captions_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QVariant>("answer"); // invalid: the dialog is cancelled
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("rowAfter");
    QTest::addColumn<QString>("dialogText"); // null: no dialog
    QTest::addColumn<int>("beeps");

    const QStringList abc{"A", "B", "C"};
    const QVariant cancel;
    const QString none;
    QTest::newRow("add to an empty list")
        << QStringList() << "add" << -1 << QVariant("Home") << QStringList{"Home"} << -1 << "" << 0;
    QTest::newRow("add two lines, selection kept")
        << QStringList{"Home"} << "add" << 0 << QVariant("Products|and Services")
        << QStringList{"Home", "Products|and Services"} << 0 << "" << 0;
    QTest::newRow("add only blanks") << abc << "add" << -1 << QVariant("   ")
                                     << QStringList{"A", "B", "C", "   "} << -1 << "" << 0;
    const QString longest(WizardTexts::maxCaptionLength, QLatin1Char('x'));
    QTest::newRow("add 255 characters") << QStringList() << "add" << -1 << QVariant(longest)
                                        << QStringList{longest} << -1 << "" << 0;
    // Pasted or set through the accessibility interface: what was inserted is cut at its end.
    QTest::newRow("add more than 255 characters")
        << QStringList() << "add" << -1 << QVariant(longest + "yz") << QStringList{longest} << -1
        << "" << 0;
    const QString fromFile = QString(250, 'x') + "AB" + QString(48, 'x');
    QTest::newRow("modify a longer caption from a file")
        << QStringList{fromFile} << "modify" << 0 << QVariant(fromFile) << QStringList{fromFile}
        << 0 << fromFile << 0;
    QTest::newRow("a longer caption does not grow")
        << QStringList{fromFile} << "modify" << 0 << QVariant(QString(fromFile).insert(252, "12"))
        << QStringList{fromFile} << 0 << fromFile << 0;
    QTest::newRow("a longer caption may shrink")
        << QStringList{fromFile} << "modify" << 0 << QVariant(QString(fromFile).remove(250, 2))
        << QStringList{QString(fromFile).remove(250, 2)} << 0 << fromFile << 0;
    const QString full = QString(250, 'x') + "AB";
    QTest::newRow("paste between, cut at its end")
        << QStringList{full} << "modify" << 0 << QVariant(QString(full).insert(250, "0123456789"))
        << QStringList{QString(full).insert(250, "012")} << 0 << full << 0;
    QTest::newRow("add empty beeps") << abc << "add" << 1 << QVariant("") << abc << 1 << "" << 1;
    QTest::newRow("add cancelled") << abc << "add" << -1 << cancel << abc << -1 << "" << 0;
    QTest::newRow("insert above the second")
        << abc << "insert" << 1 << QVariant("N") << QStringList{"A", "N", "B", "C"} << 1 << "" << 0;
    QTest::newRow("insert without selection appends")
        << abc << "insert" << -1 << QVariant("N") << QStringList{"A", "B", "C", "N"} << -1 << ""
        << 0;
    QTest::newRow("insert empty beeps")
        << abc << "insert" << 0 << QVariant("") << abc << 0 << "" << 1;
    QTest::newRow("modify the second")
        << abc << "modify" << 1 << QVariant("X") << QStringList{"A", "X", "C"} << 1 << "B" << 0;
    QTest::newRow("modify empty keeps the text")
        << abc << "modify" << 2 << QVariant("") << abc << 2 << "C" << 1;
    QTest::newRow("modify cancelled") << abc << "modify" << 0 << cancel << abc << 0 << "A" << 0;
    QTest::newRow("modify without selection")
        << abc << "modify" << -1 << QVariant("X") << abc << -1 << none << 0;
    QTest::newRow("modify beyond the list")
        << abc << "modify" << 3 << QVariant("X") << abc << -1 << none << 0;
    QTest::newRow("delete the second")
        << abc << "delete" << 1 << QVariant() << QStringList{"A", "C"} << -1 << none << 0;
    QTest::newRow("delete without selection")
        << abc << "delete" << -1 << QVariant() << abc << -1 << none << 0;
}

void tst_WizardControllerEditing::captions()
{
    QFETCH(QStringList, before);
    QFETCH(QString, command);
    QFETCH(int, selected);
    QFETCH(QVariant, answer);
    QFETCH(QStringList, after);
    QFETCH(int, rowAfter);
    QFETCH(QString, dialogText);
    QFETCH(int, beeps);

    addCaptions(before);
    m_wizard->captions().setSelectedRow(selected);
    if (answer.isValid())
        m_platform.inputAnswers = {answer.toString()};

    int row = -2;
    if (command == "add")
        row = m_wizard->captions().addCaption();
    else if (command == "insert")
        row = m_wizard->captions().insertCaption(selected);
    else if (command == "modify")
        row = m_wizard->captions().modifyCaption(selected);
    else
        row = m_wizard->captions().deleteCaption(selected);

    QCOMPARE(m_wizard->project().captions, after);
    QCOMPARE(row, rowAfter);
    QCOMPARE(m_wizard->captions().selectedRow(), rowAfter);
    QCOMPARE(m_platform.beeps, beeps);
    QVERIFY(m_platform.messages.isEmpty());
    if (dialogText.isNull()) {
        QVERIFY(m_platform.inputs.isEmpty());
    } else {
        QCOMPARE(m_platform.inputs.size(), 1);
        const auto& dialog = m_platform.inputs.first();
        QCOMPARE(dialog.title, QStringLiteral("Label text for Button"));
        QCOMPARE(dialog.text, QStringLiteral("Label Text:"));
        QCOMPARE(dialog.initial, dialogText);
        QCOMPARE(dialog.maxLength, 255);
    }
}

void tst_WizardControllerEditing::prefixEdits_data()
{
    QTest::addColumn<QString>("before"); // as a project file gives it
    QTest::addColumn<QString>("edited");
    QTest::addColumn<QString>("kept");
    QTest::newRow("typed past the limit") << "abcdefgh"
                                          << "abcdefghi"
                                          << "abcdefgh";
    QTest::newRow("set whole") << ""
                               << "abcdefghijkl"
                               << "abcdefgh";
    QTest::newRow("pasted between") << "abcdef"
                                    << "abcXYZdef"
                                    << "abcXYdef";
    QTest::newRow("longer from a file") << "longprefix12"
                                        << "longprefix1"
                                        << "longprefix1";
    QTest::newRow("longer does not grow") << "longprefix12"
                                          << "longprefix123"
                                          << "longprefix12";
    QTest::newRow("never half a character")
        << "" << QStringLiteral("abcdefg\U0001F600") << "abcdefg";
}

void tst_WizardControllerEditing::prefixEdits()
{
    QFETCH(QString, before);
    QFETCH(QString, edited);
    QFETCH(QString, kept);
    m_wizard->set(&ButtonProject::fileNamePrefix, before);
    m_wizard->setFileNamePrefix(edited);
    QCOMPARE(m_wizard->project().fileNamePrefix, kept);
}

void tst_WizardControllerEditing::sizeSteps_data()
{
    QTest::addColumn<QSize>("start");
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QSize>("after");
    QTest::newRow("height 130 +5")
        << QSize(120, 130) << int(Step::HeightPlus5) << "+5" << QSize(120, 132);
    QTest::newRow("height 3 -5") << QSize(120, 3) << int(Step::HeightMinus5) << "-5"
                                 << QSize(120, 1);
    QTest::newRow("height 1 -1") << QSize(120, 1) << int(Step::HeightMinus1) << "-1"
                                 << QSize(120, 1);
    QTest::newRow("height 132 +1")
        << QSize(120, 132) << int(Step::HeightPlus1) << "+1" << QSize(120, 132);
    QTest::newRow("width 295 +10")
        << QSize(295, 32) << int(Step::WidthPlus10) << "+10" << QSize(300, 32);
    QTest::newRow("width 5 -10") << QSize(5, 32) << int(Step::WidthMinus10) << "-10"
                                 << QSize(1, 32);
    QTest::newRow("width 300 +1") << QSize(300, 32) << int(Step::WidthPlus1) << "+1"
                                  << QSize(300, 32);
    QTest::newRow("width 1 -1") << QSize(1, 32) << int(Step::WidthMinus1) << "-1" << QSize(1, 32);
}

void tst_WizardControllerEditing::sizeSteps()
{
    QFETCH(QSize, start);
    QFETCH(int, step);
    QFETCH(QString, text);
    QFETCH(QSize, after);
    QCOMPARE(WizardTexts::sizeStepText(Step(step)), text);

    // Reach the start size with the steps themselves; the fields cannot be typed in.
    const ButtonProject& project = m_wizard->project();
    while (project.buttonWidth != start.width())
        m_wizard->styles().applySizeStep(project.buttonWidth < start.width() ? Step::WidthPlus1
                                                                             : Step::WidthMinus1);
    while (project.buttonHeight != start.height())
        m_wizard->styles().applySizeStep(
            project.buttonHeight < start.height() ? Step::HeightPlus1 : Step::HeightMinus1);
    m_wizard->styles().setPredefinedIndex(ButtonState::Normal, 3);
    m_wizard->styles().setBackgroundKind(ButtonState::Normal, BackgroundKind::Regular);
    QSignalSpy refreshed(&m_wizard->styles(), &StateStyleEditor::backgroundSampleChanged);

    m_wizard->styles().applySizeStep(Step(step));
    QCOMPARE(QSize(project.buttonWidth, project.buttonHeight), after);
    QCOMPARE(project.normal.backgroundKind, BackgroundKind::Regular);
    QCOMPARE(refreshed.count(), 1);
    QCOMPARE(m_wizard->styles().backgroundSample(ButtonState::Normal).size(), after);
}

void tst_WizardControllerEditing::samplesFollowTheirPage()
{
    // Nothing is shown before a state's page is first entered.
    QVERIFY(m_wizard->styles().backgroundSample(ButtonState::Normal).isNull());
    m_wizard->showPage(Page::NormalButton);
    const QImage normal = m_wizard->styles().backgroundSample(ButtonState::Normal);
    QCOMPARE(normal.size(), QSize(120, 32));
    QCOMPARE(normal.pixel(0, 0), qRgb(255, 255, 0));
    QCOMPARE(normal.pixel(119, 31), qRgb(255, 255, 0));

    // A Selected Regular sample keeps the fixed size while the Normal button takes its
    // picture's; the size fields still show buttonWidth x buttonHeight.
    m_wizard->styles().setPredefinedIndex(ButtonState::Normal, 92);
    QCOMPARE(m_wizard->styles().backgroundSample(ButtonState::Normal).size(), QSize(172, 31));
    QCOMPARE(m_wizard->project().buttonWidth, 120);
    m_wizard->styles().setPredefinedIndex(ButtonState::Normal, 10);
    m_platform.colorAnswers = {Colors::rgb(0, 0, 255)};
    m_wizard->styles().chooseBackgroundColor(ButtonState::Normal);
    m_wizard->styles().setBackgroundKind(ButtonState::Normal, BackgroundKind::Predefined);

    // Leaving page 4 copies the Normal choices; the Selected sample shows them only when its
    // own page is entered.
    m_wizard->next();
    QVERIFY(m_wizard->styles().backgroundSample(ButtonState::Selected).isNull());
    m_wizard->styles().setBackgroundKind(ButtonState::Selected, BackgroundKind::Regular);
    m_wizard->showPage(Page::SelectedButton);
    const QImage selected = m_wizard->styles().backgroundSample(ButtonState::Selected);
    QCOMPARE(selected.size(), QSize(120, 32));
    QCOMPARE(selected.pixel(60, 16), qRgb(0, 0, 255));
    QCOMPARE(m_wizard->styles().fontSample(ButtonState::Selected).background, QColor(0, 0, 255));

    // Predefined with nothing chosen leaves the sample blank.
    m_wizard->styles().setPredefinedIndex(ButtonState::Pressed, -1);
    QVERIFY(m_wizard->styles().backgroundSample(ButtonState::Pressed).isNull());
}

void tst_WizardControllerEditing::backgroundKindKeepsChoices()
{
    m_wizard->styles().setPredefinedIndex(ButtonState::Selected, 50);
    m_platform.colorAnswers = {Colors::rgb(9, 8, 7)};
    QVERIFY(m_wizard->styles().chooseBackgroundColor(ButtonState::Selected));
    const ButtonStateStyle& style = m_wizard->project().selected;
    QCOMPARE(style.backgroundKind, BackgroundKind::Regular);
    QCOMPARE(m_platform.colorRequests, QList<ColorRef>{Colors::rgb(0, 255, 255)});

    m_wizard->styles().setBackgroundKind(ButtonState::Selected, BackgroundKind::Predefined);
    QCOMPARE(style.predefinedIndex, 50);
    QCOMPARE(style.backgroundColor, Colors::rgb(9, 8, 7));
    QCOMPARE(m_wizard->styles().backgroundSample(ButtonState::Selected).size(), QSize(100, 30));

    // A cancelled colour dialog changes nothing, the kind included.
    QVERIFY(!m_wizard->styles().chooseBackgroundColor(ButtonState::Selected));
    QCOMPARE(style.backgroundKind, BackgroundKind::Predefined);
}

void tst_WizardControllerEditing::oversizedButtonFromFile()
{
    // A file may hold any size; the sample never takes more than the area it fills.
    QFile file(path("big.blp"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("LabelText=A\r\nfWidth=2000000000\r\nfHeight=-4\r\n");
    file.close();
    m_platform.openFileAnswers = {file.fileName()};
    m_wizard->showPage(Page::NormalButton);
    QCOMPARE(m_wizard->openProject(), WizardController::OpenResult::Read);
    QVERIFY(m_wizard->styles().backgroundSample(ButtonState::Normal).isNull());
    m_wizard->styles().applySizeStep(Step::HeightPlus5);
    QCOMPARE(m_wizard->styles().backgroundSample(ButtonState::Normal).size(), QSize(300, 1));
}

void tst_WizardControllerEditing::ownImage_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QSize>("image");
    QTest::addColumn<int>("normalIndex"); // -1: Regular 120 x 32
    QTest::addColumn<QString>("warning");
    const int selected = int(ButtonState::Selected);
    const int pressed = int(ButtonState::Pressed);
    QTest::newRow("selected 146x34 against B11")
        << selected << QSize(146, 34) << 10
        << "Warning! Image dimensions 34x146 are different from size of normal button 36x153";
    QTest::newRow("heights differ only")
        << pressed << QSize(120, 40) << -1
        << "Warning! Image dimensions 40x120 are different from size of normal button 32x120";
    QTest::newRow("widths differ only")
        << selected << QSize(100, 32) << -1
        << "Warning! Image dimensions 32x100 are different from size of normal button 32x120";
    QTest::newRow("pressed of the Normal size") << pressed << QSize(153, 36) << 10 << QString();
    QTest::newRow("normal is never compared")
        << int(ButtonState::Normal) << QSize(5, 5) << -1 << QString();
    QTest::newRow("large picture")
        << int(ButtonState::Normal) << QSize(400, 200) << -1 << QString();
}

void tst_WizardControllerEditing::ownImage()
{
    QFETCH(int, state);
    QFETCH(QSize, image);
    QFETCH(int, normalIndex);
    QFETCH(QString, warning);
    const auto s = ButtonState(state);
    if (normalIndex >= 0)
        m_wizard->styles().setPredefinedIndex(ButtonState::Normal, normalIndex);
    const QString file = writeBitmap(QStringLiteral("Own.BMP"), image, Qt::red);
    QVERIFY(!file.isEmpty());

    m_platform.openFileAnswers = {file};
    QVERIFY(m_wizard->styles().chooseOwnImage(s));
    const ButtonStateStyle& style = m_wizard->project().style(s);
    QCOMPARE(style.imageFileName, file);
    QCOMPARE(style.backgroundKind, BackgroundKind::OwnImage);
    QCOMPARE(m_wizard->styles().backgroundSample(s).size(), image);
    QCOMPARE(m_platform.messages, warning.isEmpty() ? QStringList() : QStringList{warning});
    const auto& dialog = m_platform.openDialogs.first();
    QCOMPARE(dialog.filter, WizardTexts::ownImageFilter);
    QVERIFY(dialog.picturePreview);
    QVERIFY(dialog.fileName.isEmpty());

    // The next dialog opens on the chosen file.
    QVERIFY(!m_wizard->styles().chooseOwnImage(s));
    QCOMPARE(m_platform.openDialogs.last().fileName, file);
    QCOMPARE(m_platform.openDialogs.last().initialDirectory, m_fixture.dir->path());
    QCOMPARE(style.imageFileName, file);
}

void tst_WizardControllerEditing::ownImageRefused()
{
    const QString good = writeBitmap(QStringLiteral("good.bmp"), QSize(20, 10), Qt::blue);
    m_platform.openFileAnswers = {good, path("photo.tif"), path("broken.bmp"), path("dir.png")};
    QVERIFY(QFile(path("broken.bmp")).open(QIODevice::WriteOnly));
    QVERIFY(QDir(m_fixture.dir->path()).mkdir("dir.png"));
    QVERIFY(m_wizard->styles().chooseOwnImage(ButtonState::Pressed));
    m_wizard->styles().setBackgroundKind(ButtonState::Pressed, BackgroundKind::Regular);

    for (int attempt = 0; attempt < 3; ++attempt) {
        QVERIFY(!m_wizard->styles().chooseOwnImage(ButtonState::Pressed));
        QCOMPARE(m_platform.errors.size(), attempt + 1);
        QCOMPARE(m_wizard->project().pressed.imageFileName, good);
        QCOMPARE(m_wizard->project().pressed.backgroundKind, BackgroundKind::Regular);
        QCOMPARE(m_wizard->pictures().ownImage(ButtonState::Pressed).size(), QSize(20, 10));
    }
    QCOMPARE(m_platform.errors, (QStringList{"Unknown picture file extension (.tif)",
                                             "Bitmap image is not valid", "Error Reading File!"}));
    // Words that do not name the file have it beside them.
    QCOMPARE(m_platform.errorDetails,
             (QStringList{path("photo.tif"), path("broken.bmp"), path("dir.png")}));
}

void tst_WizardControllerEditing::fontAndShadow()
{
    PlatformServices::FontAttributes answer;
    answer.fontName = QStringLiteral("Arial");
    answer.fontSize = 36;
    answer.fontBold = answer.fontItalic = answer.fontUnderline = answer.fontStrikeOut = true;
    answer.fontColor = Colors::rgb(200, 0, 0);
    answer.backgroundColor = Colors::rgb(1, 1, 1); // not a font field: ignored
    answer.textJustification = TextJustification::Left;
    m_platform.fontAnswers = {answer, std::nullopt};

    QVERIFY(m_wizard->styles().chooseFont(ButtonState::Pressed));
    const ButtonStateStyle& style = m_wizard->project().pressed;
    QCOMPARE(m_platform.fontRequests.first(), ButtonProject().pressed);
    QCOMPARE(style.fontName, answer.fontName);
    QCOMPARE(style.fontSize, 36);
    QVERIFY(style.fontBold && style.fontItalic && style.fontUnderline && style.fontStrikeOut);
    QCOMPARE(style.fontColor, answer.fontColor);
    QCOMPARE(style.backgroundColor, ButtonProject().pressed.backgroundColor);
    QCOMPARE(style.textJustification, ButtonProject().pressed.textJustification);
    const StateStyleEditor::FontSample sample = m_wizard->styles().fontSample(ButtonState::Pressed);
    QCOMPARE(sample.textColor, QColor(200, 0, 0));
    QCOMPARE(sample.background, QColor(0, 255, 0));
    QVERIFY(sample.font.bold() && sample.font.underline());

    const ButtonStateStyle before = style;
    QVERIFY(!m_wizard->styles().chooseFont(ButtonState::Pressed));
    QCOMPARE(style, before);

    m_platform.colorAnswers = {Colors::rgb(5, 6, 7)};
    m_wizard->styles().set(ButtonState::Pressed, &ButtonStateStyle::dropShadow, true);
    QVERIFY(m_wizard->styles().chooseShadowColor(ButtonState::Pressed));
    m_wizard->styles().set(ButtonState::Pressed, &ButtonStateStyle::dropShadow, false);
    QVERIFY(!m_wizard->styles().chooseShadowColor(ButtonState::Pressed));
    QCOMPARE(style.dropShadowColor, Colors::rgb(5, 6, 7));
    QVERIFY(!style.dropShadow);
}

void tst_WizardControllerEditing::outputDirectory_data()
{
    QTest::addColumn<QString>("answer"); // relative to the test folder; "-" is cancel
    QTest::addColumn<QList<bool>>("confirm");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<int>("questions");
    QTest::addColumn<QString>("error"); // why the folder could not be made
    QTest::newRow("existing folder") << "existing" << QList<bool>() << true << 0 << QString();
    QTest::newRow("new folder created")
        << "new/deeper" << QList<bool>{true} << true << 1 << QString();
    QTest::newRow("new folder declined") << "new" << QList<bool>{false} << false << 1 << QString();
    QTest::newRow("a file in the way")
        << "file/sub" << QList<bool>{true} << false << 1 << "Invalid filename";
    QTest::newRow("a file at the name")
        << "file" << QList<bool>{true} << false << 1 << "Invalid filename";
    QTest::newRow("cancelled") << "-" << QList<bool>() << false << 0 << QString();
}

void tst_WizardControllerEditing::outputDirectory()
{
    QFETCH(QString, answer);
    QFETCH(QList<bool>, confirm);
    QFETCH(bool, taken);
    QFETCH(int, questions);
    QFETCH(QString, error);
    QVERIFY(QDir(m_fixture.dir->path()).mkdir(QStringLiteral("existing")));
    QVERIFY(QFile(path("file")).open(QIODevice::WriteOnly));
    const QString chosen = answer == "-" ? QString() : path(answer);
    m_platform.directoryAnswers = {chosen};
    m_platform.confirmAnswers = confirm;
    const QString before = m_wizard->project().outputDirectory;

    QCOMPARE(m_wizard->chooseOutputDirectory(), taken);
    QCOMPARE(m_platform.directoryRequests.size(), 1);
    QCOMPARE(m_platform.directoryRequests.first().text, before); // already normalised
    QCOMPARE(m_wizard->project().outputDirectory, taken ? chosen : before);
    QCOMPARE(QFileInfo(chosen).isDir(), taken);
    QCOMPARE(m_platform.confirmations.size(), questions);
    if (questions)
        QCOMPARE(m_platform.confirmations.first().text,
                 QStringLiteral("The specified directory does not exist. Create it?"));
    if (error.isEmpty()) {
        QVERIFY(m_platform.errors.isEmpty());
    } else {
        QCOMPARE(
            m_platform.errors,
            QStringList{
                QStringLiteral("The directory %1 could not be created: %2").arg(chosen, error)});
    }
}

void tst_WizardControllerEditing::preview_data()
{
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<int>("option");
    QTest::addColumn<int>("states");
    QTest::newRow("empty list") << QStringList() << int(JavaScriptOption::Both) << 3;
    QTest::newRow("mouse-over") << QStringList{"Home", "Two|Lines"}
                                << int(JavaScriptOption::MouseOver) << 2;
    QTest::newRow("static") << QStringList{"Home"} << int(JavaScriptOption::Static) << 1;
}

void tst_WizardControllerEditing::preview()
{
    QFETCH(QStringList, captions);
    QFETCH(int, option);
    QFETCH(int, states);
    addCaptions(captions);
    m_wizard->set(&ButtonProject::javaScriptOption, JavaScriptOption(option));
    m_wizard->styles().setPredefinedIndex(ButtonState::Normal, 20);
    LivePreview& preview = m_wizard->preview();
    const QStringList shown = captions.isEmpty() ? QStringList{"Sample"} : captions;
    QCOMPARE(preview.rowCount(), shown.size());
    const QList<ButtonState> order = preview.states();
    QCOMPARE(order.size(), states);
    QCOMPARE(order.first(), ButtonState::Normal);

    // Each row drawn as a run draws caption 1 of a project holding only that caption.
    for (int row = 0; row < shown.size(); ++row) {
        QCOMPARE(preview.caption(row), shown[row]);
        const QList<QImage> buttons = preview.buttons(row);
        QCOMPARE(buttons.size(), states);
        ButtonProject project = m_wizard->project();
        project.captions = {shown[row]};
        ButtonSizeTables sizes;
        ButtonRenderer renderer(project, m_wizard->pictures(), m_wizard->optionSets().text, sizes);
        for (int i = 0; i < states; ++i)
            QCOMPARE(buttons.at(i), renderer.render(order.at(i), 1, shown[row]));
        QCOMPARE(buttons.first().size(), QSize(150, 40));
        QCOMPARE(preview.fit(row).size, QSize(150, 40));
        QCOMPARE(preview.buttons(row, 2).first().size(), QSize(300, 80));
    }

    // A change shows at once, in the twins too (a border 2 pixels wide).
    m_wizard->styles().set(ButtonState::Normal, &ButtonStateStyle::borderEffect,
                           BorderEffect::BlackBorder);
    QCOMPARE(preview.buttons(0).first().pixel(0, 0), qRgb(0, 0, 0));
    QCOMPARE(preview.buttons(0, 2).first().pixel(1, 1), qRgb(0, 0, 0));
}

void tst_WizardControllerEditing::cutCaptions_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("placement"); // 10 x justification + orientation
    QTest::addColumn<bool>("cut");
    const int centred = 10 * int(TextJustification::Center) + int(TextOrientation::Center);
    QTest::newRow("two lines at 11 pt, 34 pixels") << 11 << 34 << "Two|Lines" << centred << true;
    QTest::newRow("two lines at 8 pt, 34 pixels") << 8 << 34 << "Two|Lines" << centred << false;
    QTest::newRow("one line at 11 pt, 34 pixels") << 11 << 34 << "One line" << centred << false;
    QTest::newRow("one line at 11 pt, 12 pixels") << 11 << 12 << "One line" << centred << true;
    const QString wide = QStringLiteral("A caption far wider than its button");
    QTest::newRow("too wide") << 11 << 34 << wide << centred << true;
    // Each edge alone: the text placed against the other one.
    QTest::newRow("cut at the left")
        << 11 << 34 << wide << 10 * int(TextJustification::Right) + 1 << true;
    QTest::newRow("cut at the right")
        << 11 << 34 << wide << 10 * int(TextJustification::Left) + 1 << true;
    QTest::newRow("cut at the top")
        << 11 << 12 << "One line" << 10 + int(TextOrientation::Bottom) << true;
    QTest::newRow("cut at the bottom")
        << 11 << 12 << "One line" << 10 + int(TextOrientation::Top) << true;
}

void tst_WizardControllerEditing::cutCaptions()
{
    QFETCH(int, points);
    QFETCH(int, height);
    QFETCH(QString, caption);
    QFETCH(int, placement);
    QFETCH(bool, cut);
    addCaptions({caption});
    m_wizard->set(&ButtonProject::javaScriptOption, JavaScriptOption::Static);
    m_wizard->styles().setBackgroundKind(ButtonState::Normal, BackgroundKind::Regular);
    m_wizard->set(&ButtonProject::buttonHeight, height);
    m_platform.fontAnswers = {m_wizard->project().normal};
    m_platform.fontAnswers[0]->fontSize = points;
    QVERIFY(m_wizard->styles().chooseFont(ButtonState::Normal));
    m_wizard->styles().set(ButtonState::Normal, &ButtonStateStyle::textJustification,
                           TextJustification(placement / 10));
    m_wizard->styles().set(ButtonState::Normal, &ButtonStateStyle::textOrientation,
                           TextOrientation(placement % 10));

    QCOMPARE(m_wizard->preview().fit(0).cut, cut);
    QCOMPARE(m_wizard->preview().cutCaptions(), cut ? QStringList{caption} : QStringList());

    // A change is measured again.
    addCaptions({QStringLiteral("A caption far wider than its button")});
    QCOMPARE(m_wizard->preview().cutCaptions().size(), cut ? 2 : 1);
}

QTEST_MAIN(tst_WizardControllerEditing)
void tst_WizardControllerEditing::cutCaptionsNote()
{
    QCOMPARE(WizardTexts::cutCaptionsNote({}), QString());
    QCOMPARE(WizardTexts::cutCaptionsNote({"Home"}), QStringLiteral("Cut by the button: \"Home\""));
    QCOMPARE(WizardTexts::cutCaptionsNote({"A", QString(30, 'x'), "C", "D", "E"}),
             QStringLiteral("Cut by the button: \"A\", \"%1\u2026\", \"C\" and 2 "
                            "more")
                 .arg(QString(15, 'x')));
}

#include "tst_WizardControllerEditing.moc"
