#include "GenerationRun.h"

#include "AtomicOutputFile.h"
#include "GenerationSteps.h"
#include "OutputNameCheck.h"
#include "OutputNaming.h"
#include "RunBudget.h"

#include <QThread>

namespace {
// Beyond this the queue, not the encoders, limits a run of small images.
constexpr int maxEncoderThreads = 8;
} // namespace

GenerationRun::GenerationRun(const ButtonProject& project, const BackgroundPictures& pictures,
                             const OptionSets& options, ButtonSizeTables& sizes)
    : m_project(project), m_pictures(pictures), m_options(options), m_sizes(sizes),
      m_encoderThreads(qBound(1, QThread::idealThreadCount(), maxEncoderThreads))
{
}

GenerationResult GenerationRun::run()
{
    GenerationResult refused;
    if (!m_namesChecked)
        refused.fatalError = OutputNameCheck::refusal(m_project);
    if (refused.fatalError)
        return refused;
    // So is what the run would take: nothing large is drawn before this.
    const RunBudget budget(m_project, m_pictures);
    refused.fatalError = budget.check();
    if (refused.fatalError)
        return refused;
    AtomicOutputFile::removeStaleTemporaries(
        OutputNaming::normalisedOutputDirectory(m_project.outputDirectory));

    const OutputNaming::NameRoom room =
        OutputNaming::nameRoom(m_project, OutputNaming::maxFileNameBytes(m_project));
    GenerationSteps steps(
        m_project, m_pictures, m_options, m_sizes,
        {m_encoderThreads, room, budget.encoderBytes(), m_progress, m_dropped, m_stop, m_encoder});
    if (steps.writeImages())
        steps.writePageFiles();
    return steps.result();
}
