#pragma once

#include "BackgroundPictures.h"
#include "ButtonProject.h"
#include "ButtonSizeTables.h"
#include "GenerationRun.h"
#include "OptionSets.h"

#include <QObject>

class PlatformServices;

// The run that Next on the Generate page starts: its progress, its result, and the messages
// for what it could not write.
class GenerationJob : public QObject
{
    Q_OBJECT
public:
    explicit GenerationJob(PlatformServices& platform, QObject* parent = nullptr);

    bool isRunning() const { return m_running; }
    const GenerationResult& lastResult() const { return m_lastResult; }
    void run(const ButtonProject& project, const BackgroundPictures& pictures,
             const OptionSets& options);

signals:
    void started();
    void progress(int done, int total);
    void finished();

private:
    PlatformServices& m_platform;
    ButtonSizeTables m_sizes;
    bool m_running = false;
    GenerationResult m_lastResult;
};
