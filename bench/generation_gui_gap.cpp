// Runs the generation from the wizard window, as Next on the Generate page starts it, and
// prints the longest time the GUI thread went without serving a 10 ms timer: how long the
// window could not paint or take a click during the run.
// Usage: generation_gui_gap PROJECT.blp   (bench/make_bench_project.sh makes one)

#include "GeneratorWizard.h"
#include "QuietPlatformServices.h"
#include "WizardController.h"
#include "WizardPage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace {
class ProjectOpener : public QuietPlatformServices
{
public:
    QString project;
    QString openFileName(const FileDialogOptions&) override { return project; }
};
} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: generation_gui_gap PROJECT.blp\n");
        return 2;
    }
    ProjectOpener platform;
    platform.project = QString::fromLocal8Bit(argv[1]);
    GeneratorWizard wizard(platform);
    WizardController& c = wizard.controller();
    wizard.show();
    if (c.openProject() != WizardController::OpenResult::Read) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    c.showPage(WizardController::Generate);
    QApplication::processEvents();

    QElapsedTimer run, sinceTick;
    qint64 longest = 0;
    int ticks = 0, over50 = 0;
    bool started = false;
    QPushButton* close = wizard.page(WizardController::Finished)->cancelButton();
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 gap = sinceTick.restart();
        longest = qMax(longest, gap);
        over50 += gap > 50;
        ++ticks;
        if (started && c.currentPage() == WizardController::Finished && close->isEnabled()) {
            std::printf("run %.0f ms, %d ticks, longest gap %lld ms, gaps over 50 ms: %d\n",
                        run.nsecsElapsed() / 1e6, ticks, longest, over50);
            QApplication::quit();
        }
    });
    QTimer::singleShot(0, [&] {
        started = true;
        run.start();
        sinceTick.start();
        ticker.start(10);
        wizard.page(WizardController::Generate)->nextButton()->click();
    });
    return QApplication::exec();
}
