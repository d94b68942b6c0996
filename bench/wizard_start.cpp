// Starts the wizard as the program does and quits as soon as page 1 has been painted; prints
// the time from entering main to that first paint. Run it with hyperfine for the whole
// process (bench/run_wizard_start_bench.sh). With --designer, the designer window instead, up to
// its preview painted.

#include "DesignerPreviewGrid.h"
#include "DesignerWindow.h"
#include "GeneratorWizard.h"
#include "WizardPage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {
class FirstPaint : public QObject
{
public:
    FirstPaint(const QElapsedTimer& clock, const char* what) : m_clock(clock), m_what(what) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // After the paint event has been handled in full.
            QTimer::singleShot(0, [this] {
                std::printf("%s painted after %.1f ms\n", m_what, m_clock.nsecsElapsed() / 1e6);
                QApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const QElapsedTimer& m_clock;
    const char* m_what;
    bool m_seen = false;
};
} // namespace

int main(int argc, char* argv[])
{
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brindlewick"));
    if (argc > 1 && std::strcmp(argv[1], "--designer") == 0) {
        DesignerWindow designer;
        FirstPaint firstPaint(clock, "designer preview");
        designer.preview()->viewport()->installEventFilter(&firstPaint);
        designer.show();
        return app.exec();
    }
    GeneratorWizard wizard;
    FirstPaint firstPaint(clock, "page 1");
    wizard.page(0)->installEventFilter(&firstPaint);
    wizard.show();
    return app.exec();
}
