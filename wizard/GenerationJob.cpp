#include "GenerationJob.h"

#include "ErrorText.h"
#include "PlatformServices.h"
#include "WizardTexts.h"

#include <QCoreApplication>
#include <QThread>

GenerationJob::GenerationJob(PlatformServices& platform, QObject* parent)
    : QObject(parent), m_platform(platform)
{
}

GenerationJob::~GenerationJob()
{
    if (m_thread) {
        m_stop = true;
        m_thread->wait();
    }
}

void GenerationJob::start(const ButtonProject& project, const BackgroundPictures& pictures,
                          const OptionSets& options)
{
    if (m_running)
        return;
    m_running = true;
    m_stop = false;
    emit started();

    // The thread owns the copies; its result is read only after it has ended.
    // Reports still queued are delivered by complete() before it ends the run, so none reaches
    // a later one.
    m_thread.reset(QThread::create([this, project, pictures, options] {
        GenerationRun run(project, pictures, options, m_sizes);
        run.setStopFlag(&m_stop);
        run.setProgressCallback([this](int done, int total) {
            QMetaObject::invokeMethod(
                this, [this, done, total] { emit progress(done, total); }, Qt::QueuedConnection);
        });
        m_pendingResult = run.run();
        QMetaObject::invokeMethod(this, &GenerationJob::complete, Qt::QueuedConnection);
    }));
    m_thread->start();
}

void GenerationJob::stop()
{
    m_stop = true;
}

void GenerationJob::wait()
{
    complete();
}

void GenerationJob::complete()
{
    if (!m_thread)
        return;
    m_thread->wait();
    m_thread.reset();
    // Progress still queued comes before the end, also when wait() got here first.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    m_lastResult = std::move(m_pendingResult);
    m_running = false;
    emit finished();

    if (m_lastResult.stopped)
        m_platform.showMessage(WizardTexts::generationStoppedMessage(m_lastResult.imagesWritten,
                                                                     m_lastResult.imagesPlanned));
    if (!m_lastResult.droppedImages.isEmpty()) {
        const DroppedImage& first = m_lastResult.droppedImages.first();
        m_platform.showError(
            WizardTexts::droppedImagesMessage(m_lastResult.droppedImageCount, first.pathStem,
                                              ErrorText::messageWithPath(first.reason)));
    }
    if (m_lastResult.fatalError)
        m_platform.showError(ErrorText::message(m_lastResult.fatalError));
}
