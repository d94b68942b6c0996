#include "JpegOptionsEditor.h"
#include "SettingsStore.h"
#include "TextOffsetOptionsEditor.h"
#include "WizardFixture.h"

#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

class tst_OptionDialogs : public QObject
{
    Q_OBJECT
private slots:
    void startLoadsStoredSets();
    void jpegEditor();
    void textOffsetEditor();
    void confirm_data();
    void confirm();
    void confirmOnUnwritableStore();
};

void tst_OptionDialogs::startLoadsStoredSets()
{
    WizardFixture f;
    QVERIFY(f.reset());
    QCOMPARE(f.wizard->optionSets().jpeg, JpegFileOptions::defaults());
    QCOMPARE(f.wizard->optionSets().text, TextOffsetOptions::defaults());

    JpegFileOptions jpeg;
    jpeg.quality = 40;
    jpeg.grayscale = 1;
    jpeg.retainSettings = 1;
    SettingsStore store(f.platform.settingsFile);
    QVERIFY(store.saveJpegOptions(jpeg));
    {
        // A text value of the wrong type leaves its set at the defaults; start-up goes on.
        QSettings settings(f.platform.settingsFile, QSettings::IniFormat);
        settings.setValue(QStringLiteral("Software/BRWK400/fOverrideOptionsText"), 17);
    }
    f.wizard->showPage(WizardController::Html);
    f.wizard->start();
    QCOMPARE(f.wizard->optionSets().jpeg, jpeg);
    QCOMPARE(f.wizard->optionSets().text, TextOffsetOptions::defaults());
    QCOMPARE(f.wizard->currentPage(), int(WizardController::Start));
    QVERIFY(f.platform.errors.isEmpty());
}

void tst_OptionDialogs::jpegEditor()
{
    const JpegFileOptions opened{55, 1, 1, 7, 1, 1, 0, 1};
    JpegOptionsEditor editor(opened);
    QCOMPARE(editor.quality(), 55);
    QCOMPARE(editor.qualityLabel(), QStringLiteral("55"));
    QVERIFY(editor.eightBit());
    QVERIFY(editor.grayscale() && editor.progressiveEncoding() && editor.retainSettings());
    // Boolean bytes come back as 1; everything else as opened.
    JpegFileOptions expected = opened;
    expected.grayscale = 1;
    QCOMPARE(editor.result(), expected);

    editor.setQuality(0);
    QCOMPARE(editor.qualityLabel(), QStringLiteral("1"));
    editor.setQuality(101);
    QCOMPARE(editor.qualityLabel(), QStringLiteral("100"));

    // Restore clears "Remember" too, and keeps the fields the dialog does not show.
    editor.restoreDefaults();
    QCOMPARE(editor.qualityLabel(), QStringLiteral("90"));
    QVERIFY(!editor.eightBit());
    QVERIFY(!editor.grayscale() && !editor.progressiveEncoding() && !editor.retainSettings());
    QCOMPARE(editor.result(), (JpegFileOptions{90, 0, 1, 0, 0, 1, 0, 0}));
}

void tst_OptionDialogs::textOffsetEditor()
{
    TextOffsetOptionsEditor editor(TextOffsetOptions{200, 24, 3});
    QCOMPARE(editor.offsetLabel(), QStringLiteral("24"));
    QCOMPARE(editor.indentLabel(), QStringLiteral("200"));
    QVERIFY(editor.retainSettings());
    QCOMPARE(editor.result(), (TextOffsetOptions{200, 24, 1}));

    editor.setTextOffset(25);
    editor.setTextIndent(-1);
    QCOMPARE(editor.result(), (TextOffsetOptions{0, 24, 1}));

    // Restore leaves "Remember" as it was.
    editor.restoreDefaults();
    QCOMPARE(editor.offsetLabel(), QStringLiteral("2"));
    QCOMPARE(editor.indentLabel(), QStringLiteral("40"));
    QCOMPARE(editor.result(), (TextOffsetOptions{40, 2, 1}));
}

void tst_OptionDialogs::confirm_data()
{
    QTest::addColumn<bool>("remember");
    QTest::newRow("remember") << true;
    QTest::newRow("do not remember") << false;
}

// OK makes the set current at once; the next start has it only when it was remembered.
void tst_OptionDialogs::confirm()
{
    QFETCH(bool, remember);
    WizardFixture f;
    QVERIFY(f.reset());
    // Something stored before, which OK replaces or deletes.
    QVERIFY(f.wizard->confirmJpegOptions(JpegFileOptions{10, 0, 0, 0, 0, 0, 1, 1}));
    QVERIFY(f.wizard->confirmTextOffsetOptions(TextOffsetOptions{10, 10, 1}));

    const JpegFileOptions jpeg{70, 1, 0, 1, 1, 0, 1, quint8(remember)};
    const TextOffsetOptions text{100, 12, quint8(remember)};
    QSignalSpy changed(f.wizard.get(), &WizardController::changed);
    QVERIFY(f.wizard->confirmJpegOptions(jpeg));
    QVERIFY(f.wizard->confirmTextOffsetOptions(text));
    QCOMPARE(changed.count(), 2);
    QCOMPARE(f.wizard->optionSets().jpeg, jpeg);
    QCOMPARE(f.wizard->optionSets().text, text);
    const QSettings settings(f.platform.settingsFile, QSettings::IniFormat);
    QCOMPARE(settings.contains(QStringLiteral("Software/BRWK400/fOverrideOptionsJPEG")), remember);
    QCOMPARE(settings.contains(QStringLiteral("Software/BRWK400/fOverrideOptionsText")), remember);

    WizardController next(f.platform);
    next.start();
    QCOMPARE(next.optionSets().jpeg, remember ? jpeg : JpegFileOptions::defaults());
    QCOMPARE(next.optionSets().text, remember ? text : TextOffsetOptions::defaults());
    QVERIFY(f.platform.errors.isEmpty());
}

void tst_OptionDialogs::confirmOnUnwritableStore()
{
    WizardFixture f;
    QVERIFY(f.reset());
    QFile blocker(f.path(QStringLiteral("file")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    f.platform.settingsFile = f.path(QStringLiteral("file/brindlewick.ini"));

    const JpegFileOptions jpeg{70, 0, 0, 0, 0, 0, 1, 1};
    QVERIFY(!f.wizard->confirmJpegOptions(jpeg));
    const TextOffsetOptions text{100, 12, 1};
    QVERIFY(!f.wizard->confirmTextOffsetOptions(text));
    QCOMPARE(f.platform.errors,
             (QStringList{QStringLiteral("Failed to set data for 'fOverrideOptionsJPEG'"),
                          QStringLiteral("Failed to set data for 'fOverrideOptionsText'")}));
    // The dialog's values hold for the rest of the run all the same.
    QCOMPARE(f.wizard->optionSets().jpeg, jpeg);
    QCOMPARE(f.wizard->optionSets().text, text);
}

QTEST_MAIN(tst_OptionDialogs)
#include "tst_OptionDialogs.moc"
