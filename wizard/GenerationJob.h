#pragma once

#include "BackgroundPictures.h"
#include "ButtonProject.h"
#include "ButtonSizeTables.h"
#include "GenerationRun.h"
#include "OptionSets.h"

#include <QObject>

#include <atomic>
#include <memory>

class PlatformServices;
class QThread;

// The run that Next on the Generate page starts, on a thread of its own so that the window
// stays live: its progress, the stop request, its result, and the messages for what it could
// not write. Signals come on the thread that started the run.
class GenerationJob : public QObject
{
    Q_OBJECT
public:
    explicit GenerationJob(PlatformServices& platform, QObject* parent = nullptr);
    // Stops a run still going and waits for it, without its signals or messages.
    ~GenerationJob() override;

    bool isRunning() const { return m_running; }
    const GenerationResult& lastResult() const { return m_lastResult; }
    // The run works on copies, so the project may change while it goes.
    void start(const ButtonProject& project, const BackgroundPictures& pictures,
               const OptionSets& options);
    // Ends the run after the image being made; the result and messages follow as usual.
    void stop();
    // Blocks until the run has ended and its result, signals and messages are delivered.
    void wait();

signals:
    void started();
    void progress(int done, int total);
    void finished();

private:
    void complete();

    PlatformServices& m_platform;
    ButtonSizeTables m_sizes;
    std::unique_ptr<QThread> m_thread;
    std::atomic<bool> m_stop{false};
    bool m_running = false;
    GenerationResult m_pendingResult; // the thread's own until it has ended
    GenerationResult m_lastResult;
};
