#include "GenerationJob.h"

#include "PlatformServices.h"
#include "WizardTexts.h"

GenerationJob::GenerationJob(PlatformServices& platform, QObject* parent)
    : QObject(parent), m_platform(platform)
{
}

void GenerationJob::run(const ButtonProject& project, const BackgroundPictures& pictures,
                        const OptionSets& options)
{
    m_running = true;
    emit started();
    GenerationRun run(project, pictures, options, m_sizes);
    run.setProgressCallback([this](int done, int total) { emit progress(done, total); });
    m_lastResult = run.run();
    m_running = false;
    emit finished();

    if (!m_lastResult.droppedImages.isEmpty()) {
        const DroppedImage& first = m_lastResult.droppedImages.first();
        m_platform.showError(WizardTexts::droppedImagesMessage(m_lastResult.droppedImageCount,
                                                               first.pathStem, first.reason));
    }
    if (!m_lastResult.fatalError.isEmpty())
        m_platform.showError(m_lastResult.fatalError);
}
