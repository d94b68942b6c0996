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
    void editors();
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
    QVERIFY(!store.saveJpegOptions(jpeg).isError());
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

// What the widget tests do not see: the ranges held, boolean bytes made 1, and the fields the
// JPEG dialog does not show kept through "Restore to defaults".
void tst_OptionDialogs::editors()
{
    JpegOptionsEditor jpeg(JpegFileOptions{55, 1, 1, 7, 1, 1, 0, 1});
    QCOMPARE(jpeg.result(), (JpegFileOptions{55, 1, 1, 1, 1, 1, 0, 1}));
    jpeg.setQuality(0);
    QCOMPARE(jpeg.qualityLabel(), QStringLiteral("1"));
    jpeg.setQuality(101);
    QCOMPARE(jpeg.qualityLabel(), QStringLiteral("100"));
    jpeg.restoreDefaults();
    QCOMPARE(jpeg.result(), (JpegFileOptions{90, 0, 1, 0, 0, 1, 0, 0}));

    TextOffsetOptionsEditor text(TextOffsetOptions{200, 24, 3});
    QCOMPARE(text.result(), (TextOffsetOptions{200, 24, 1}));
    text.setTextOffset(25);
    text.setTextIndent(-1);
    QCOMPARE(text.result(), (TextOffsetOptions{0, 24, 1}));
    text.restoreDefaults();
    QCOMPARE(text.result(), (TextOffsetOptions{40, 2, 1}));
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
