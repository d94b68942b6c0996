#include "ErrorText.h"
#include "FontChoiceDialog.h"
#include "LaidOut.h"
#include "OwnImageLoader.h"
#include "QtPlatformServices.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdlib>

class tst_QtPlatformServices : public QObject
{
    Q_OBJECT
private slots:
    void filters_data();
    void filters();
    void urls_data();
    void urls();
    void fileDialogSetup_data();
    void fileDialogSetup();
    void fontDialogKeepsAttributes();
    void picturePreviewShowsDecoderMessage();
    void openWithApplicationDoesNotWait();
    void folderPickerTakesANewName();
    void inputKeepsALongerTextWhole();
    void saveQuestionAnswersEachButton();
};

namespace {
// Runs check on the next modal dialog, then closes it with accept or reject.
template <typename Dialog, typename Check> void onNextDialog(bool accept, Check check)
{
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        check(dialog);
        QDialog* plain = dialog;
        if (accept)
            plain->accept();
        else
            plain->reject();
    });
}
} // namespace

void tst_QtPlatformServices::filters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("qtFilter");
    QTest::newRow("project files") << "Button Layout Project (*.BLP)|*.blp|All Files (*.*)|*.*"
                                   << "Button Layout Project (*.blp *.BLP);;All Files (*)";
    QTest::newRow("several patterns")
        << "Any Picture|*.bmp;*.jpg;*.jpeg|JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg"
        << "Any Picture (*.bmp *.BMP *.jpg *.JPG *.jpeg *.JPEG);;JPEG (*.jpg *.JPG *.jpeg *.JPEG)";
    QTest::newRow("parentheses without patterns kept") << "Pages (HTML)|*.html"
                                                       << "Pages (HTML) (*.html *.HTML)";
    QTest::newRow("dangling description dropped") << "Text|*.txt|Broken"
                                                  << "Text (*.txt *.TXT)";
    QTest::newRow("empty") << ""
                           << "";
}

void tst_QtPlatformServices::filters()
{
    QFETCH(QString, filter);
    QFETCH(QString, qtFilter);
    QCOMPARE(QtPlatformServices::toQtFilter(filter), qtFilter);
}

void tst_QtPlatformServices::urls_data()
{
    QTest::addColumn<QString>("fileOrUrl");
    QTest::addColumn<QString>("workingDirectory");
    QTest::addColumn<QUrl>("url");
    QTest::newRow("web page") << "https://example.org/a?b=1"
                              << "" << QUrl("https://example.org/a?b=1");
    QTest::newRow("relative to folder")
        << "BTNPAGE.html"
        << "/srv/out" << QUrl::fromLocalFile("/srv/out/BTNPAGE.html");
    QTest::newRow("relative to current folder")
        << "brwk4.html"
        << "" << QUrl::fromLocalFile(QDir::current().filePath("brwk4.html"));
    QTest::newRow("absolute file") << "/tmp/x y.html"
                                   << "/srv" << QUrl::fromLocalFile("/tmp/x y.html");
    QTest::newRow("colon in a file name") << "a:b.html"
                                          << "/srv" << QUrl::fromLocalFile("/srv/a:b.html");
}

void tst_QtPlatformServices::urls()
{
    QFETCH(QString, fileOrUrl);
    QFETCH(QString, workingDirectory);
    QFETCH(QUrl, url);
    QCOMPARE(QtPlatformServices::toUrl(fileOrUrl, workingDirectory), url);
}

void tst_QtPlatformServices::fileDialogSetup_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<bool>("picturePreview");
    QTest::newRow("save") << true << false;
    QTest::newRow("open with a picture preview") << false << true;
}

// Qt's own dialog is asked for where a preview must sit beside the files.
void tst_QtPlatformServices::fileDialogSetup()
{
    QFETCH(bool, save);
    QFETCH(bool, picturePreview);
    QtPlatformServices platform;
    PlatformServices::FileDialogOptions options;
    options.title = QStringLiteral("Save it");
    options.filter = QStringLiteral("Button Layout Project (*.BLP)|*.blp|All Files (*.*)|*.*");
    options.defaultExtension = QStringLiteral("blp");
    options.fileName = QStringLiteral("/tmp/p.blp");
    options.picturePreview = picturePreview;
    bool seen = false;
    onNextDialog<QFileDialog>(false, [&](QFileDialog* d) {
        seen = true;
        QCOMPARE(d->windowTitle(), QStringLiteral("Save it"));
        QCOMPARE(d->acceptMode(), save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        QCOMPARE(d->fileMode(), QFileDialog::AnyFile);
        QCOMPARE(d->defaultSuffix(), QStringLiteral("blp"));
        QVERIFY(d->testOption(QFileDialog::DontConfirmOverwrite));
        QCOMPARE(d->testOption(QFileDialog::DontUseNativeDialog), picturePreview);
        QCOMPARE(d->nameFilters(),
                 (QStringList{"Button Layout Project (*.blp *.BLP)", "All Files (*)"}));
    });
    QCOMPARE(save ? platform.saveFileName(options) : platform.openFileName(options), QString());
    QVERIFY(seen);
}

void tst_QtPlatformServices::fontDialogKeepsAttributes()
{
    QtPlatformServices platform;
    PlatformServices::FontAttributes initial;
    initial.fontName = QStringLiteral("MS Sans Serif"); // not installed here
    initial.fontSize = 14;
    initial.fontColor = Colors::windowText;
    initial.fontBold = true;
    initial.fontStrikeOut = true;
    initial.backgroundColor = Colors::rgb(1, 2, 3);
    onNextDialog<FontChoiceDialog>(true, [](FontChoiceDialog* d) {
        compareWithStored(layoutLines(d, d->windowTitle()),
                          QStringLiteral("texts/layout-font.txt"));
    });
    const auto chosen = platform.chooseFont(initial);
    QVERIFY(chosen.has_value());
    QVERIFY(*chosen == initial); // every field as it came, the face and system colour included

    // What the user changes is taken over; the rest stays.
    const QString family = QFontDatabase::families().constLast();
    onNextDialog<FontChoiceDialog>(true, [&family](FontChoiceDialog* d) {
        d->findChild<QFontComboBox*>()->setCurrentText(family);
        d->findChild<QSpinBox*>()->setValue(20);
        for (QComboBox* combo : d->findChildren<QComboBox*>()) {
            if (combo->accessibleName() == QLatin1String("Font style"))
                combo->setCurrentText(QStringLiteral("Italic"));
        }
        for (QCheckBox* box : d->findChildren<QCheckBox*>())
            box->setChecked(!box->isChecked());
    });
    const auto changed = platform.chooseFont(initial);
    QVERIFY(changed.has_value());
    QCOMPARE(changed->fontName, family);
    QCOMPARE(changed->fontSize, 20);
    QVERIFY(!changed->fontBold);
    QVERIFY(changed->fontItalic);
    QVERIFY(changed->fontUnderline);
    QVERIFY(!changed->fontStrikeOut);
    QCOMPARE(changed->fontColor, Colors::windowText);
    QCOMPARE(changed->backgroundColor, initial.backgroundColor);

    onNextDialog<FontChoiceDialog>(false, [](FontChoiceDialog*) {});
    QVERIFY(!platform.chooseFont(initial).has_value());
}

void tst_QtPlatformServices::picturePreviewShowsDecoderMessage()
{
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("good.png"));
    const QString bad = dir.filePath(QStringLiteral("bad.png"));
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(good));
    QFile broken(bad);
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture at all");
    broken.close();
    OwnImageLoader loader;
    const Failure failure = loader.load(bad);
    QVERIFY(failure);
    const QString message = ErrorText::message(failure);

    QtPlatformServices platform;
    PlatformServices::FileDialogOptions options;
    options.initialDirectory = dir.path();
    options.picturePreview = true;
    options.fileName = QStringLiteral("bad.png"); // shown at once, before any click
    bool seen = false;
    onNextDialog<QFileDialog>(false, [&](QFileDialog* d) {
        auto* preview = d->findChild<QLabel*>(QStringLiteral("picturePreview"));
        QVERIFY(preview);
        QCOMPARE(preview->text(), message);
        emit d->currentChanged(good);
        QCOMPARE(preview->pixmap().size(), QSize(40, 20));
        emit d->currentChanged(bad);
        QCOMPARE(preview->text(), message);
        emit d->currentChanged(good);
        QVERIFY(preview->text().isEmpty());
        QCOMPARE(preview->pixmap().size(), QSize(40, 20));
        seen = true;
    });
    platform.openFileName(options);
    QVERIFY(seen);
}

void tst_QtPlatformServices::openWithApplicationDoesNotWait()
{
    // A stand-in for the desktop's opener that notes what it was given and then stays
    // busy: the call must come back while it still runs.
    QTemporaryDir dir;
    const QString opener = dir.filePath(QStringLiteral("xdg-open"));
    QFile script(opener);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\n"
                 "exec >/dev/null 2>&1\n"
                 // Renamed into place, so the test never reads a half-written file.
                 "printf '%s' \"$1\" > \"$0.part\" && mv \"$0.part\" \"$0.args\"\n"
                 "sleep 3\n"
                 "touch \"$0.done\"\n");
    script.close();
    QVERIFY(script.setPermissions(script.permissions() | QFileDevice::ExeOwner));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(dir.path()) + ':' + path);
    const auto restore = qScopeGuard([&path] { qputenv("PATH", path); });

    QtPlatformServices platform;
    QCOMPARE(platform.openWithApplication(QStringLiteral("BTNPAGE.html"), dir.path()),
             QStringLiteral("No such file or directory"));
    QFile page(dir.filePath(QStringLiteral("BTNPAGE.html")));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.close();
    QCOMPARE(platform.openWithApplication(QStringLiteral("BTNPAGE.html"), dir.path()), QString());
    QTRY_VERIFY(QFile::exists(opener + QStringLiteral(".args")));
    QVERIFY(!QFile::exists(opener + QStringLiteral(".done")));
    QFile args(opener + QStringLiteral(".args"));
    QVERIFY(args.open(QIODevice::ReadOnly));
    QCOMPARE(QUrl(QString::fromLocal8Bit(args.readAll())),
             QUrl::fromLocalFile(dir.filePath(QStringLiteral("BTNPAGE.html"))));
}

void tst_QtPlatformServices::folderPickerTakesANewName()
{
    QTemporaryDir dir;
    QtPlatformServices platform;
    onNextDialog<QFileDialog>(true, [](QFileDialog* d) {
        d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("new"));
    });
    QCOMPARE(platform.chooseDirectory(QStringLiteral("Pick"), dir.path()), dir.filePath("new"));
    QVERIFY(!QFileInfo::exists(dir.filePath("new")));
}

void tst_QtPlatformServices::inputKeepsALongerTextWhole()
{
    QtPlatformServices platform;
    const QString caption(300, QLatin1Char('c'));
    onNextDialog<QInputDialog>(true, [](QInputDialog* d) {
        auto* edit = d->findChild<QLineEdit*>();
        edit->end(false);
        QTest::keyClick(edit, Qt::Key_D);
    });
    QCOMPARE(platform.inputText(QStringLiteral("T"), QStringLiteral("P"), caption, 255), caption);
}

void tst_QtPlatformServices::saveQuestionAnswersEachButton()
{
    using Choice = PlatformServices::SaveChoice;
    QtPlatformServices platform(nullptr, QStringLiteral("Title"));
    const QList<std::pair<QMessageBox::StandardButton, Choice>> rows = {
        {QMessageBox::Save, Choice::Save},
        {QMessageBox::Discard, Choice::Discard},
        {QMessageBox::Cancel, Choice::Cancel}};
    for (const auto& row : rows) {
        const QMessageBox::StandardButton button = row.first;
        QTimer::singleShot(0, [button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            QCOMPARE(box->text(), QStringLiteral("Save changes to a.blp?"));
            QCOMPARE(box->standardButton(box->defaultButton()), QMessageBox::Save);
            box->button(button)->click();
        });
        QCOMPARE(platform.askSaveChanges(QStringLiteral("Title"),
                                         QStringLiteral("Save changes to a.blp?")),
                 row.second);
    }
}

QTEST_MAIN(tst_QtPlatformServices)
#include "tst_QtPlatformServices.moc"
