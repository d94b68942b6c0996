#include "../wizard/ScriptedPlatformServices.h"
#include "GeneratorWizard.h"
#include "JpegOptionsDialog.h"
#include "LaidOut.h"
#include "MoreOptionsDialog.h"
#include "TextOffsetOptionsDialog.h"
#include "WizardController.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

// Puts a row's value into the field its control stands for.
using Field = std::function<void(JpegFileOptions&, TextOffsetOptions&, int)>;
Q_DECLARE_METATYPE(Field)

class tst_OptionsDialogs : public QObject
{
    Q_OBJECT
private slots:
    void jpegOkWithRememberThenRestoreAndCancel();
    void offsetsOkWithoutRemember();
    void controlsShowAndSetTheirField_data();
    void controlsShowAndSetTheirField();
    void keyboardAndNames_data();
    void keyboardAndNames();
    void moreOptionsOfEveryKind();
    void moreOptionsColoursFromThePlatform();
};

namespace {
template <typename T> T* child(const QWidget* dialog, const char* name)
{
    T* w = dialog->findChild<T*>(QLatin1String(name));
    if (!w)
        qWarning("no %s", name);
    return w;
}

void click(const QWidget* dialog, const char* name)
{
    if (auto* b = child<QPushButton>(dialog, name))
        QTest::mouseClick(b, Qt::LeftButton);
}

// Triggers a menu item of the wizard and runs work on the modal dialog it opens.
void withDialog(GeneratorWizard& wizard, const char* action, std::function<void(QDialog*)> work)
{
    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        ran = true;
        work(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    wizard.findChild<QAction*>(QLatin1String(action))->trigger();
    // The menu opens its dialog from the event loop.
    QCoreApplication::sendPostedEvents(&wizard, QEvent::MetaCall);
    QVERIFY(ran);
}

std::unique_ptr<QDialog> defaultDialog(bool jpeg)
{
    if (jpeg)
        return std::make_unique<JpegOptionsDialog>(JpegFileOptions());
    return std::make_unique<TextOffsetOptionsDialog>(TextOffsetOptions());
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

void tst_OptionsDialogs::jpegOkWithRememberThenRestoreAndCancel()
{
    QTemporaryDir dir;
    ScriptedPlatformServices platform;
    platform.settingsFile = dir.filePath(QStringLiteral("brindlewick.ini"));
    GeneratorWizard wizard(platform);

    withDialog(wizard, "JPEGimagefileoptions1", [](QDialog* d) {
        QCOMPARE(child<QScrollBar>(d, "ScrollBarCompressionQuality")->value(), 90);
        child<QScrollBar>(d, "ScrollBarCompressionQuality")->setValue(42);
        QCOMPARE(child<QLabel>(d, "lblCompressionQuality")->text(), QStringLiteral("42"));
        d->findChildren<QRadioButton*>().first()->click(); // "8 Bit"
        child<QCheckBox>(d, "cbGrayScale")->click();
        child<QCheckBox>(d, "cbRetainSettings")->click();
        click(d, "Button2");
    });
    const JpegFileOptions chosen{42, 1, 0, 1, 0, 0, 1, 1};
    QCOMPARE(wizard.controller().optionSets().jpeg, chosen);
    const QByteArray stored = fileBytes(platform.settingsFile);
    QVERIFY(!stored.isEmpty());

    // Restore puts the controls to the defaults, "Remember" included; Cancel keeps everything.
    withDialog(wizard, "JPEGimagefileoptions1", [](QDialog* d) {
        QCOMPARE(child<QLabel>(d, "lblCompressionQuality")->text(), QStringLiteral("42"));
        QVERIFY(child<QCheckBox>(d, "cbRetainSettings")->isChecked());
        click(d, "Button3");
        QVERIFY(d->isVisible());
        QCOMPARE(child<QLabel>(d, "lblCompressionQuality")->text(), QStringLiteral("90"));
        QVERIFY(!child<QCheckBox>(d, "cbGrayScale")->isChecked());
        QVERIFY(!child<QCheckBox>(d, "cbRetainSettings")->isChecked());
        QVERIFY(d->findChildren<QRadioButton*>().last()->isChecked()); // "24 Bit"
        click(d, "Button1");
    });
    QCOMPARE(wizard.controller().optionSets().jpeg, chosen);
    QCOMPARE(fileBytes(platform.settingsFile), stored);
    QVERIFY(platform.errors.isEmpty());
}

void tst_OptionsDialogs::offsetsOkWithoutRemember()
{
    QTemporaryDir dir;
    ScriptedPlatformServices platform;
    platform.settingsFile = dir.filePath(QStringLiteral("brindlewick.ini"));
    GeneratorWizard wizard(platform);
    QVERIFY(wizard.controller().confirmTextOffsetOptions(TextOffsetOptions{100, 10, 1}));

    // Restore leaves "Remember" ticked; clearing it and OK forgets the stored set.
    withDialog(wizard, "OffsetsandIndentsoptions1", [](QDialog* d) {
        QCOMPARE(child<QLabel>(d, "lblTextOffset")->text(), QStringLiteral("10"));
        QCOMPARE(child<QLabel>(d, "lblTextIndent")->text(), QStringLiteral("100"));
        click(d, "Button3");
        QCOMPARE(child<QLabel>(d, "lblTextOffset")->text(), QStringLiteral("2"));
        QCOMPARE(child<QLabel>(d, "lblTextIndent")->text(), QStringLiteral("40"));
        QVERIFY(child<QCheckBox>(d, "cbRetainSettings")->isChecked());
        child<QScrollBar>(d, "ScrollBarTextOffset")->setValue(7);
        child<QCheckBox>(d, "cbRetainSettings")->click();
        click(d, "Button2");
    });
    QCOMPARE(wizard.controller().optionSets().text, (TextOffsetOptions{40, 7, 0}));
    QVERIFY(!fileBytes(platform.settingsFile).contains("fOverrideOptionsText"));
}

void tst_OptionsDialogs::controlsShowAndSetTheirField_data()
{
    QTest::addColumn<bool>("jpeg");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("value");
    QTest::addColumn<Field>("field");
    QTest::newRow("quality") << true << "ScrollBarCompressionQuality" << 37
                             << Field([](JpegFileOptions& j, TextOffsetOptions&, int v) {
                                    j.quality = quint8(v);
                                });
    QTest::newRow("8 bit") << true << "rgPixelFormat" << 1
                           << Field([](JpegFileOptions& j, TextOffsetOptions&, int v) {
                                  j.pixelFormat = quint8(v);
                              });
    QTest::newRow("progressive") << true << "cbProgressiveEncoding" << 1
                                 << Field([](JpegFileOptions& j, TextOffsetOptions&, int v) {
                                        j.progressiveEncoding = quint8(v);
                                    });
    QTest::newRow("grey") << true << "cbGrayScale" << 1
                          << Field([](JpegFileOptions& j, TextOffsetOptions&, int v) {
                                 j.grayscale = quint8(v);
                             });
    QTest::newRow("remember JPEG") << true << "cbRetainSettings" << 1
                                   << Field([](JpegFileOptions& j, TextOffsetOptions&, int v) {
                                          j.retainSettings = quint8(v);
                                      });
    QTest::newRow("offset") << false << "ScrollBarTextOffset" << 9
                            << Field([](JpegFileOptions&, TextOffsetOptions& t, int v) {
                                   t.textOffset = v;
                               });
    QTest::newRow("indent") << false << "ScrollBarTextIndent" << 77
                            << Field([](JpegFileOptions&, TextOffsetOptions& t, int v) {
                                   t.textIndent = v;
                               });
    QTest::newRow("remember offsets") << false << "cbRetainSettings" << 1
                                      << Field([](JpegFileOptions&, TextOffsetOptions& t, int v) {
                                             t.retainSettings = quint8(v);
                                         });
}

// A dialog opened on a set shows each field on its control; a control changed on the
// defaults changes its field alone.
void tst_OptionsDialogs::controlsShowAndSetTheirField()
{
    QFETCH(bool, jpeg);
    QFETCH(QString, control);
    QFETCH(int, value);
    QFETCH(Field, field);
    JpegFileOptions jpegSet;
    TextOffsetOptions textSet;
    field(jpegSet, textSet, value);
    const auto open = [jpeg](const JpegFileOptions& j, const TextOffsetOptions& t) {
        return jpeg ? std::unique_ptr<QDialog>(std::make_unique<JpegOptionsDialog>(j))
                    : std::make_unique<TextOffsetOptionsDialog>(t);
    };

    const std::unique_ptr<QDialog> shown = open(jpegSet, textSet);
    QWidget* w = shown->findChild<QWidget*>(control);
    if (auto* bar = qobject_cast<QScrollBar*>(w))
        QCOMPARE(bar->value(), value);
    else if (auto* box = qobject_cast<QCheckBox*>(w))
        QCOMPARE(box->isChecked(), value != 0);
    else
        QCOMPARE(w->findChildren<QRadioButton*>().first()->isChecked(), value != 0);

    const std::unique_ptr<QDialog> changed = open(JpegFileOptions(), TextOffsetOptions());
    w = changed->findChild<QWidget*>(control);
    if (auto* bar = qobject_cast<QScrollBar*>(w))
        bar->setValue(value);
    else if (auto* box = qobject_cast<QCheckBox*>(w))
        box->setChecked(value != 0);
    else
        w->findChildren<QRadioButton*>().first()->setChecked(true);
    if (jpeg)
        QCOMPARE(static_cast<JpegOptionsDialog*>(changed.get())->result(), jpegSet);
    else
        QCOMPARE(static_cast<TextOffsetOptionsDialog*>(changed.get())->result(), textSet);
}

void tst_OptionsDialogs::keyboardAndNames_data()
{
    QTest::addColumn<bool>("jpeg");
    QTest::addColumn<int>("stops");
    QTest::addColumn<QString>("number"); // the number of the first bar
    // Bar, two radio buttons, two boxes, "Remember", three buttons.
    QTest::newRow("JPEG") << true << 9 << "lblCompressionQuality";
    // Two bars, "Remember", three buttons.
    QTest::newRow("offsets") << false << 6 << "lblTextOffset";
}

// Every control is reached by Tab and has a name a screen reader can say.
void tst_OptionsDialogs::keyboardAndNames()
{
    QFETCH(bool, jpeg);
    const std::unique_ptr<QDialog> dialog = defaultDialog(jpeg);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    checkLaidOut(dialog.get(), dialog->windowTitle());
    compareWithStored(layoutLines(dialog.get(), dialog->windowTitle()),
                      QStringLiteral("texts/layout-%1.txt").arg(QTest::currentDataTag()));
    QList<QWidget*> stops;
    for (QWidget* w = dialog->nextInFocusChain(); w != dialog.get(); w = w->nextInFocusChain()) {
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
            stops.append(w);
    }
    // Radio buttons of one group take one Tab stop, but each is in the chain.
    QTEST(int(stops.size()), "stops");
    for (QWidget* w : stops) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(w);
        QVERIFY2(accessible && !accessible->text(QAccessible::Name).isEmpty(),
                 qPrintable(w->objectName()));
    }
    QVERIFY(dialog->findChild<QPushButton*>(QStringLiteral("Button2"))->isDefault());
    // The first bar moves by keyboard, and its number follows.
    auto* bar = qobject_cast<QScrollBar*>(stops.first());
    QVERIFY(bar);
    const int before = bar->value();
    QTest::keyClick(bar, Qt::Key_Left);
    QCOMPARE(bar->value(), before - 1);
    QFETCH(QString, number);
    QCOMPARE(dialog->findChild<QLabel*>(number)->text(), QString::number(before - 1));
}

// Rows of every kind the option table may hold get a control that a screen reader can name and
// that reports every change, and only whole values reach the project.
void tst_OptionsDialogs::moreOptionsOfEveryKind()
{
    using K = ProjectKeys::Kind;
    const auto row = [](const ProjectKeys::Key& key, const char* label, const char* note,
                        const char* part = "") {
        return ProjectKeys::Option{key, "", "", "", label, note, "", part};
    };
    QList<ProjectKeys::Option> rows{
        row({"Flag", ButtonState::Normal, K::Flag, &ButtonProject::variableWidth}, "&Flag",
            "A flag."),
        row({"Number", ButtonState::Normal, K::Number, &ButtonProject::buttonHeight, 1, 132},
            "&Number", "A number."),
        row({"Colour", ButtonState::Selected, K::WebColour, &ButtonStateStyle::backgroundColor},
            "&Colour", "A colour."),
        row({"Choice", ButtonState::Normal, K::NamedChoice, &ButtonProject::gradientDirection, 0, 0,
             QStringList{"Down", "Across"}},
            "C&hoice", "A choice.", "Part"),
        row({"Optional", ButtonState::Pressed, K::OptionalColour, &ButtonStateStyle::gradientColor},
            "&Optional", "A colour or none.", "Part"),
    };
    ButtonProject project;
    project.style(ButtonState::Selected).backgroundColor = Colors::rgb(1, 2, 3);
    MoreOptionsDialog dialog(project, nullptr, rows);
    rows.clear(); // the dialog must not lean on the caller's rows
    auto* box = dialog.findChild<QCheckBox*>("Flag");
    auto* spin = dialog.findChild<QSpinBox*>("Number");
    auto* field = dialog.findChild<QLineEdit*>("Colour");
    QVERIFY(box && spin && field);
    QCOMPARE(spin->value(), project.buttonHeight);
    QCOMPARE(field->text(), QStringLiteral("#010203"));
    QCOMPARE(field->accessibleName(), QStringLiteral("Colour"));
    QCOMPARE(spin->accessibleDescription(), QStringLiteral("A number."));

    box->setChecked(true);
    spin->setValue(500); // beyond the range: held at its end
    field->setText("#0a14");
    QCOMPARE(dialog.chosen().style(ButtonState::Selected).backgroundColor, Colors::rgb(1, 2, 3));
    field->setText("#0a14fe");
    QVERIFY(dialog.chosen().variableWidth);
    QCOMPARE(dialog.chosen().buttonHeight, 132);
    QCOMPARE(dialog.chosen().style(ButtonState::Selected).backgroundColor,
             Colors::rgb(10, 20, 254));
    field->setText("#0a14fe0"); // refused by the field
    QCOMPARE(field->text(), QStringLiteral("#0a14fe"));
    // Set as a screen reader sets it, past the field's own check.
    for (const char* odd : {"red", "  #00ff00", "00ff00"}) {
        field->setText(QLatin1String(odd));
        QCOMPARE(field->text(), QStringLiteral("#0A14FE"));
    }

    // Rows of a part of their own sit in its box.
    auto* list = dialog.findChild<QComboBox*>("Choice");
    auto* optional = dialog.findChild<QLineEdit*>("Optional");
    QVERIFY(list && optional && list->parentWidget() == optional->parentWidget());
    QCOMPARE(qobject_cast<QGroupBox*>(list->parentWidget())->title(), QStringLiteral("Part"));
    QCOMPARE(list->currentText(), QStringLiteral("Down"));
    list->setCurrentIndex(1);
    QCOMPARE(dialog.chosen().gradientDirection, GradientDirection::Horizontal);
    QCOMPARE(optional->text(), QString());
    optional->setText("#0a14fe");
    QVERIFY(dialog.chosen().pressed.gradientColor == Colors::rgb(10, 20, 254));
    optional->setText("#0a14");
    QVERIFY(dialog.chosen().pressed.gradientColor == Colors::rgb(10, 20, 254));
    optional->clear(); // off
    QVERIFY(!dialog.chosen().pressed.gradientColor);
    optional->setText("none");
    QCOMPARE(optional->text(), QString());
}

// The colours of the table come from the platform's colour dialog too, an optional one starts
// it from white and has a button that turns it off; the looks sit in a part of their own, and
// every control and button is named and reached by Tab.
void tst_OptionsDialogs::moreOptionsColoursFromThePlatform()
{
    ScriptedPlatformServices platform;
    ButtonProject project;
    project.pageColor = Colors::rgb(1, 2, 3);
    MoreOptionsDialog dialog(project, nullptr, ProjectKeys::optional(), &platform);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    checkLaidOut(&dialog, QStringLiteral("More options"));
    compareWithStored(layoutLines(&dialog, QStringLiteral("More options")),
                      QStringLiteral("texts/layout-more-options.txt"));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize()); // its rows decide its size
    auto* page = dialog.findChild<QLineEdit*>("PageColor");
    auto* gradient = dialog.findChild<QLineEdit*>("SelectedGradient");
    QVERIFY(page && gradient);
    QCOMPARE(qobject_cast<QGroupBox*>(page->parentWidget())->title(), QStringLiteral("Looks"));

    platform.colorAnswers = {Colors::rgb(200, 100, 0), std::nullopt};
    auto* choosePage = dialog.findChild<QPushButton*>("PageColorChoose");
    choosePage->click();
    choosePage->click(); // cancelled: the colour stays
    QCOMPARE(platform.colorRequests,
             (QList<ColorRef>{Colors::rgb(1, 2, 3), Colors::rgb(200, 100, 0)}));
    QCOMPARE(page->text(), QStringLiteral("#C86400"));
    QCOMPARE(dialog.chosen().pageColor, Colors::rgb(200, 100, 0));

    platform.colorAnswers = {Colors::rgb(0, 0, 128)};
    dialog.findChild<QPushButton*>("SelectedGradientChoose")->click();
    QCOMPARE(platform.colorRequests.last(), Colors::rgb(255, 255, 255));
    QVERIFY(dialog.chosen().selected.gradientColor == Colors::rgb(0, 0, 128));
    gradient->setText(QStringLiteral("#102030"));
    platform.colorAnswers = {std::nullopt};
    dialog.findChild<QPushButton*>("SelectedGradientChoose")->click();
    QCOMPARE(platform.colorRequests.last(), Colors::rgb(16, 32, 48)); // from the colour typed
    dialog.findChild<QPushButton*>("SelectedGradientOff")->click();
    QVERIFY(!dialog.chosen().selected.gradientColor);
    QVERIFY(!dialog.findChild<QPushButton*>("PageColorOff"));

    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        const auto* button = qobject_cast<QAbstractButton*>(w);
        const bool field =
            (qobject_cast<QLineEdit*>(w) && !qobject_cast<QAbstractSpinBox*>(w->parentWidget())) ||
            qobject_cast<QSpinBox*>(w) || qobject_cast<QComboBox*>(w);
        if (!button && !field)
            continue;
        QVERIFY2(!w->accessibleName().isEmpty() || (button && !button->text().isEmpty()),
                 qPrintable(w->objectName()));
        QVERIFY2(w->focusPolicy() & Qt::TabFocus, qPrintable(w->objectName()));
    }
}

QTEST_MAIN(tst_OptionsDialogs)
#include "tst_OptionsDialogs.moc"
