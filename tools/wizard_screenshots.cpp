// Saves a picture of each of the 16 wizard pages, the live preview, the splash, the About box,
// the code viewer, the two option dialogs and the gallery of designs, with a project opened,
// for the documentation; the wizard beside a message box under a dark desktop theme; and smaller
// copies of the pages for the help page.
//
//   wizard-screenshots <project.blp> <output folder> [help pictures folder]

#include "GeneratorWizard.h"
#include "LivePreviewWindow.h"
#include "ProjectFileCommands.h"
#include "QtPlatformServices.h"
#include "SplashForm.h"
#include "WizardController.h"
#include "WizardPage.h"
#include "WizardTexts.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {
// Answers the Open dialog with the project, the folder picker with "buttons" in the home folder and
// the caption dialog with numbered captions; every other dialog is cancelled.
class ProjectOnlyPlatform : public QtPlatformServices
{
public:
    explicit ProjectOnlyPlatform(const QString& project) : m_project(project) {}
    QString openFileName(const FileDialogOptions&) override { return m_project; }
    QString chooseDirectory(const QString&, const QString&) override
    {
        QDir::home().mkpath(QStringLiteral("buttons"));
        return QDir::home().filePath(QStringLiteral("buttons"));
    }
    std::optional<QString> inputText(const QString&, const QString&, const QString&, int) override
    {
        return QStringLiteral("Button %1").arg(++m_captions);
    }
    void showMessage(const QString& text) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
    void showError(const QString& text) override { showMessage(text); }
    // Never the user's own settings.
    QString settingsFilePath() override
    {
        return m_output.filePath(QStringLiteral("settings.ini"));
    }

private:
    QString m_project;
    QTemporaryDir m_output;
    int m_captions = 0;
};

// Saves the next modal dialog once it has been drawn, then cancels it.
void grabNextDialog(const QString& path, bool* saved)
{
    QTimer::singleShot(400, [path, saved] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->grab().save(path))
            *saved = false;
        if (auto* d = qobject_cast<QDialog*>(dialog))
            d->reject();
    });
}

void settle()
{
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
}

// Page 2 under a dark desktop theme with the message box of File > Save beside it: the wizard
// keeps its light colours, the box takes the theme's.
bool saveDarkTheme(GeneratorWizard& wizard, QtPlatformServices& platform, const QString& path)
{
    const QPalette desktop = QApplication::palette();
    QPalette dark(QColor(0x3C, 0x3C, 0x3C), QColor(0x30, 0x30, 0x30));
    dark.setColor(QPalette::Highlight, QColor(0x35, 0x84, 0xE4));
    QApplication::setPalette(dark);
    wizard.controller().showPage(WizardController::LabelText);
    settle();
    QImage box;
    QTimer::singleShot(400, [&box] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            box = dialog->grab().toImage();
            dialog->done(0);
        }
    });
    platform.QtPlatformServices::showMessage(
        ProjectFileCommands::savedMessage(QDir::home().filePath(QStringLiteral("example.blp"))));
    const QImage window = wizard.grab().toImage();
    QApplication::setPalette(desktop);
    settle();
    if (box.isNull())
        return false;
    const int margin = 16;
    QImage shot(margin * 3 + window.width() + box.width(),
                margin * 2 + std::max(window.height(), box.height()), QImage::Format_RGB32);
    shot.fill(dark.color(QPalette::Window).darker(150));
    QPainter p(&shot);
    p.drawImage(margin, margin, window);
    p.drawImage(margin * 2 + window.width(), margin + (window.height() - box.height()) / 2, box);
    p.end();
    return shot.save(path);
}
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: wizard-screenshots <project.blp> <output folder> "
                             "[help pictures folder]\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[2]));
    ProjectOnlyPlatform platform(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath());
    GeneratorWizard wizard(platform);
    wizard.show();
    settle();
    bool saved =
        wizard.splash() && wizard.splash()->grab().save(out.filePath(QStringLiteral("splash.png")));
    WizardController& controller = wizard.controller();
    if (controller.openProject() != WizardController::OpenResult::Read) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    controller.captions().setSelectedRow(1);
    for (int page = 0; page < WizardController::PageCount; ++page) {
        controller.showPage(page);
        settle();
        const QString name = QStringLiteral("page-%1.png").arg(page + 1, 2, 10, QLatin1Char('0'));
        const QImage shot = wizard.grab().toImage();
        saved = shot.save(out.filePath(name)) && saved;
        // Half size keeps the help page light; the page stays recognisable.
        if (argc == 4)
            saved = shot.scaledToWidth(shot.width() / 2, Qt::SmoothTransformation)
                        .convertToFormat(QImage::Format_RGB888)
                        .save(QDir(QString::fromLocal8Bit(argv[3])).filePath(name), nullptr, 9) &&
                    saved;
    }
    saved =
        saveDarkTheme(wizard, platform, out.filePath(QStringLiteral("dark-theme.png"))) && saved;
    grabNextDialog(out.filePath(QStringLiteral("about.png")), &saved);
    wizard.showAbout();
    controller.showPage(WizardController::LabelText);
    wizard.livePreviewAction()->setChecked(true);
    settle();
    saved = wizard.livePreview()->grab().save(out.filePath(QStringLiteral("live-preview.png"))) &&
            saved;

    // The two option dialogs.
    const struct
    {
        const char* action;
        const char* picture;
    } optionDialogs[] = {{"JPEGimagefileoptions1", "jpeg-options-dialog.png"},
                         {"OffsetsandIndentsoptions1", "offsets-options-dialog.png"}};
    for (const auto& d : optionDialogs) {
        grabNextDialog(out.filePath(QLatin1String(d.picture)), &saved);
        wizard.findChild<QAction*>(QLatin1String(d.action))->trigger();
        // The menu opens its dialogs from the event loop.
        QCoreApplication::sendPostedEvents(&wizard, QEvent::MetaCall);
    }

    // The gallery behind File > New from Design.
    grabNextDialog(out.filePath(QStringLiteral("design-gallery.png")), &saved);
    wizard.findChild<QAction*>(QStringLiteral("NewfromDesign1"))->trigger();
    QCoreApplication::sendPostedEvents(&wizard, QEvent::MetaCall);

    // The font dialog and the own-image dialog with its preview.
    grabNextDialog(out.filePath(QStringLiteral("font-dialog.png")), &saved);
    controller.styles().chooseFont(ButtonState::Normal);
    PlatformServices::FileDialogOptions pictures;
    pictures.title = WizardTexts::ownImageDialogTitle;
    pictures.filter = WizardTexts::ownImageFilter;
    pictures.picturePreview = true;
    // tools/screenshots.sh gives a home folder of its own with sample pictures, so that no
    // path of the checkout shows.
    pictures.initialDirectory = QDir::home().absoluteFilePath(QStringLiteral("Pictures"));
    pictures.fileName =
        QDir(pictures.initialDirectory).absoluteFilePath(QStringLiteral("welcome.png"));
    grabNextDialog(out.filePath(QStringLiteral("own-image-dialog.png")), &saved);
    platform.QtPlatformServices::openFileName(pictures);

    // The dialog behind "More options…" on the Generate page.
    controller.showPage(WizardController::Generate);
    settle();
    grabNextDialog(out.filePath(QStringLiteral("more-options-dialog.png")), &saved);
    if (auto* more = wizard.findChild<QPushButton*>(QStringLiteral("btnMoreOptions")))
        more->click();
    else
        saved = false;

    // Page 15 while a long run shows its progress.
    wizard.livePreviewAction()->setChecked(false);
    controller.set(&ButtonProject::javaScriptOption, JavaScriptOption::Both);
    while (controller.project().captions.size() < 2000)
        controller.captions().addCaption();
    controller.chooseOutputDirectory();
    controller.showPage(WizardController::Generate);
    bool progressShot = false;
    QObject::connect(&controller.generation(), &GenerationJob::progress, &wizard, [&](int done) {
        auto* bar = wizard.page(WizardController::Generate)->findChild<QProgressBar*>();
        // Far enough in for the bar to show it.
        if (progressShot || !bar || !bar->isVisible() || done < 600)
            return;
        progressShot = true;
        saved = wizard.grab().save(out.filePath(QStringLiteral("generating.png"))) && saved;
    });
    // The run goes on its own thread; the window paints its progress meanwhile.
    QEventLoop run;
    QObject::connect(&controller.generation(), &GenerationJob::finished, &run, &QEventLoop::quit);
    controller.next();
    if (controller.generation().isRunning())
        run.exec();
    grabNextDialog(out.filePath(QStringLiteral("code-viewer.png")), &saved);
    wizard.viewCode();
    if (!progressShot)
        std::fprintf(stderr, "the run showed no progress\n");
    if (!saved || !progressShot) {
        std::fprintf(stderr, "cannot write the pictures into %s\n", argv[2]);
        return 1;
    }
    return 0;
}
