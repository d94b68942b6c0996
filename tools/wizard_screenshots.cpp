// Saves a picture of each of the 16 wizard pages and of the live preview, with a project
// opened, for the documentation.
//
//   wizard-screenshots <project.blp> <output folder>

#include "GeneratorWizard.h"
#include "LivePreviewWindow.h"
#include "PictureDecoders.h"
#include "QtPlatformServices.h"
#include "WizardController.h"
#include "WizardTexts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QThread>

#include <cstdio>

namespace {
// Answers the Open dialog with the project; every other dialog is cancelled.
class ProjectOnlyPlatform : public QtPlatformServices
{
public:
    explicit ProjectOnlyPlatform(const QString& project) : m_project(project) {}
    QString openFileName(const FileDialogOptions&) override { return m_project; }
    void showMessage(const QString& text) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
    void showError(const QString& text) override { showMessage(text); }

private:
    QString m_project;
};

void settle()
{
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
}
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(WizardTexts::applicationTitle());
    if (argc != 3) {
        std::fprintf(stderr, "usage: wizard-screenshots <project.blp> <output folder>\n");
        return 2;
    }
    registerPictureDecoders();
    const QDir out(QString::fromLocal8Bit(argv[2]));
    ProjectOnlyPlatform platform(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath());
    GeneratorWizard wizard(platform);
    wizard.show();
    settle();
    WizardController& controller = wizard.controller();
    if (controller.openProject() != WizardController::OpenResult::Read) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    controller.setSelectedCaptionRow(1);
    bool saved = true;
    for (int page = 0; page < WizardController::PageCount; ++page) {
        controller.showPage(page);
        settle();
        const QString name = QStringLiteral("page-%1.png").arg(page + 1, 2, 10, QLatin1Char('0'));
        saved = wizard.grab().save(out.filePath(name)) && saved;
    }
    controller.showPage(WizardController::LabelText);
    wizard.livePreviewAction()->setChecked(true);
    settle();
    saved = wizard.livePreview()->grab().save(out.filePath(QStringLiteral("live-preview.png"))) &&
            saved;
    if (!saved) {
        std::fprintf(stderr, "cannot write the pictures into %s\n", argv[2]);
        return 1;
    }
    return 0;
}
