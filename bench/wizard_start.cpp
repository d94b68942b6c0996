// Starts the wizard as the program does and quits as soon as page 1 has been painted; prints
// the time from entering main to that first paint. Run it with hyperfine for the whole
// process (bench/run_wizard_start_bench.sh).

#include "GeneratorWizard.h"
#include "WizardPage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

namespace {
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(const QElapsedTimer& clock) : m_clock(clock) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // After the paint event has been handled in full.
            QTimer::singleShot(0, [this] {
                std::printf("page 1 painted after %.1f ms\n", m_clock.nsecsElapsed() / 1e6);
                QApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const QElapsedTimer& m_clock;
    bool m_seen = false;
};
} // namespace

int main(int argc, char* argv[])
{
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brindlewick"));
    GeneratorWizard wizard;
    FirstPaint firstPaint(clock);
    wizard.page(0)->installEventFilter(&firstPaint);
    wizard.show();
    return app.exec();
}
