#include "GenerationRun.h"

#include "AtomicOutputFile.h"
#include "ButtonRenderer.h"
#include "ImageEncoderPool.h"
#include "OutputNaming.h"
#include "PredefinedBackground.h"
#include "ProjectFileWriter.h"
#include "SamplePageWriter.h"

#include <QSet>
#include <QThread>

#include <exception>

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
    GenerationResult result;
    // Checked before anything is written: the prefix is part of every name.
    const qsizetype maxNameBytes = OutputNaming::maxFileNameBytes(m_project);
    result.fatalError = OutputNaming::prefixError(m_project.fileNamePrefix);
    if (result.fatalError.isEmpty())
        result.fatalError = OutputNaming::tooLongNameError(m_project, maxNameBytes);
    if (!result.fatalError.isEmpty())
        return result;
    AtomicOutputFile::removeStaleTemporaries(
        OutputNaming::normalisedOutputDirectory(m_project.outputDirectory));

    ButtonRenderer renderer(m_project, m_pictures, m_options.text, m_sizes);
    // The twins read each caption's size from the renderer above, so each follows its 1x image.
    const bool doubleSize = m_project.hiDpiImages;
    const BackgroundPictures doubledPictures =
        doubleSize ? PredefinedBackground::doubleSizePictures(m_project, m_pictures)
                   : BackgroundPictures();
    ButtonRenderer doubleRenderer(m_project, doubledPictures, m_options.text, m_sizes, 2);
    const QList<ButtonState> extraStates = m_project.extraStates();
    const int statesPerCaption = 1 + int(extraStates.size());
    // Images in run order whose twin is not written, so that the page does not offer it.
    QSet<int> missingTwins;
    const auto drop = [&](const QString& stem, const QString& reason) {
        const DroppedImage dropped{stem, reason};
        if (result.droppedImages.size() < GenerationResult::maxListedDrops)
            result.droppedImages.append(dropped);
        ++result.droppedImageCount;
        if (m_dropped)
            m_dropped(dropped);
    };
    {
        const int filesPerImage = m_project.webPImages ? 4 : 3;
        ImageEncoderPool encoders(m_options.jpeg, m_encoderThreads, m_project.webPImages);
        encoders.setReporter(
            [&](int index, const QString& stem, const ImageEncoderPool::Outcome& outcome) {
                if (outcome.written) {
                    ++result.imagesWritten;
                    result.filesWritten += filesPerImage;
                } else {
                    // With twins every odd slot holds one.
                    if (doubleSize && index % 2 == 1)
                        missingTwins.insert(index / 2);
                    drop(stem, outcome.errorString);
                }
            });
        int slot = 0;
        const auto renderWith = [&](ButtonRenderer& with, ButtonState state, int n,
                                    const QString& caption, const QString& stem) {
            // Every slot must reach the pool once, or the reports after it would wait forever.
            const int mine = slot++;
            QString failure;
            try {
                const QImage image = with.render(state, n, caption);
                if (!image.isNull()) {
                    encoders.add(mine, image, stem);
                    return;
                }
                failure = with.errorString();
            } catch (const std::exception& e) {
                failure = QString::fromLocal8Bit(e.what());
            }
            encoders.addOutcome(mine, stem, {false, failure});
        };
        const auto stopRequested = [this] {
            return m_stop && m_stop->load(std::memory_order_relaxed);
        };
        const auto render = [&](ButtonState state, int n, const QString& caption) {
            if (stopRequested()) {
                result.stopped = true;
                return;
            }
            renderWith(renderer, state, n, caption,
                       OutputNaming::imagePathStem(m_project, n, state));
            if (!doubleSize)
                return;
            const QString twin = OutputNaming::imagePathStem(m_project, n, state, 2);
            const QString twinName = OutputNaming::longestImageFileName(m_project, n, state, 2);
            if (OutputNaming::fitsFileSystem(twinName, maxNameBytes))
                renderWith(doubleRenderer, state, n, caption, twin);
            else
                encoders.addOutcome(slot++, twin, {false, QStringLiteral("File name too long")});
        };
        const int total = int(m_project.captions.size()) * statesPerCaption * (doubleSize ? 2 : 1);
        result.imagesPlanned = total;

        for (int n = 1; n <= m_project.captions.size() && !result.stopped; ++n) {
            const QString caption = m_project.captions.at(n - 1);
            // A Normal image that fails must not leave an earlier run's size for the other
            // states.
            m_sizes.store(n, 0, 0);
            render(ButtonState::Normal, n, caption);
            for (const ButtonState state : extraStates)
                render(state, n, caption);
            if (m_progress && !result.stopped)
                m_progress(slot, total);
        }
        encoders.finish();
    }
    if (result.stopped)
        return result;

    SamplePageWriter page(m_project, m_sizes);
    if (!missingTwins.isEmpty()) {
        page.setTwinWritten([&](int n, ButtonState state) {
            const int position = state == ButtonState::Normal ? 0 : 1 + extraStates.indexOf(state);
            return !missingTwins.contains((n - 1) * statesPerCaption + position);
        });
    }
    result.pagePath = OutputNaming::samplePagePath(m_project);
    if (!page.write(result.pagePath)) {
        result.fatalError = page.errorString();
        return result;
    }
    ++result.filesWritten;
    result.pageWritten = true;

    writeProjectCopy(result);
    return result;
}

void GenerationRun::writeProjectCopy(GenerationResult& result)
{
    result.projectCopyPath = OutputNaming::projectCopyPath(m_project);
    ProjectFileWriter writer;
    if (writer.saveProjectFile(m_project, result.projectCopyPath))
        ++result.filesWritten;
    else
        result.fatalError = writer.errorString();
}
