#include "GenerationRun.h"

#include "AtomicOutputFile.h"
#include "GenerationSteps.h"
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
    // Checked before anything is written: the prefix is part of every name.
    const qsizetype maxNameBytes = OutputNaming::maxFileNameBytes(m_project);
    refused.fatalError = OutputNaming::prefixError(m_project.fileNamePrefix);
    if (!refused.fatalError)
        refused.fatalError = OutputNaming::tooLongNameError(m_project, maxNameBytes);
    if (refused.fatalError)
        return refused;
    // So is what the run would take: nothing large is drawn before this.
    const RunBudget budget(m_project, m_pictures);
    refused.fatalError = budget.check();
    if (refused.fatalError)
        return refused;
    AtomicOutputFile::removeStaleTemporaries(
        OutputNaming::normalisedOutputDirectory(m_project.outputDirectory));

    GenerationSteps steps(
        m_project, m_pictures, m_options, m_sizes,
        {m_encoderThreads, maxNameBytes, budget.encoderBytes(), m_progress, m_dropped, m_stop});
    if (steps.writeImages())
        steps.writePageFiles();
    return steps.result();
}
