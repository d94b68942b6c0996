#include "GenerationRun.h"

#include "ImageLimits.h"

#include "AtomicOutputFile.h"
#include "ButtonRenderer.h"
#include "ImageEncoderPool.h"
#include "OutputNaming.h"
#include "PredefinedBackground.h"
#include "ProjectFileWriter.h"
#include "SamplePageWriter.h"
#include "StyleSheetWriter.h"

#include <QPainter>
#include <QSet>
#include <QThread>

#include <algorithm>
#include <deque>
#include <exception>

namespace {

// Beyond this the queue, not the encoders, limits a run of small images.
constexpr int maxEncoderThreads = 8;

// The states of one caption stacked top to bottom, each at the first one's size; a null image
// with the reason when one of them was not drawn or the whole is too large.
QImage spriteOf(const QList<QImage>& states, QString* failure)
{
    if (states.isEmpty() || std::any_of(states.begin(), states.end(),
                                        [](const QImage& image) { return image.isNull(); })) {
        *failure = QStringLiteral("cannot make the sprite: a state of the button was not drawn");
        return QImage();
    }
    const QSize slice = states.first().size();
    if (std::any_of(states.begin(), states.end(),
                    [&](const QImage& image) { return image.size() != slice; })) {
        *failure =
            QStringLiteral("cannot make the sprite: the states of the button differ in size");
        return QImage();
    }
    const qint64 height = qint64(slice.height()) * states.size();
    if (!ImageLimits::fits(slice.width(), height)) {
        *failure = QStringLiteral("cannot make a %1 sprite (%2)")
                       .arg(ImageLimits::sizeText(slice.width(), height), ImageLimits::limitText());
        return QImage();
    }
    QImage sprite(slice.width(), int(height), QImage::Format_RGB32);
    QPainter painter(&sprite);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (int i = 0; i < states.size(); ++i)
        painter.drawImage(QRect(QPoint(0, i * slice.height()), slice), states.at(i),
                          QRect(QPoint(0, 0), slice));
    return sprite;
}

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
    const bool sprites = OutputNaming::hasSprites(m_project);
    // What each slot of the pool not yet reported holds, so that a failure can be traced to its
    // file. Slots are reported in order.
    struct Slot
    {
        int n;
        int position; // in drawing order; -1 for the sprite
        int scale;
        qsizetype files; // written when the slot's image is
    };
    std::deque<Slot> unreported;
    int slotCount = 0;
    // Images (n, position) and sprites (n) whose twin is not written, so that the page and
    // the stylesheet do not offer it.
    QSet<QPair<int, int>> missingTwins;
    QSet<int> missingSpriteTwins;
    const auto drop = [&](const QString& stem, const QString& reason) {
        const DroppedImage dropped{stem, reason};
        if (result.droppedImages.size() < GenerationResult::maxListedDrops)
            result.droppedImages.append(dropped);
        ++result.droppedImageCount;
        if (m_dropped)
            m_dropped(dropped);
    };
    {
        ImageEncoderPool encoders(m_options.jpeg, m_encoderThreads, m_project.webPImages);
        encoders.setReporter(
            [&](int, const QString& stem, const ImageEncoderPool::Outcome& outcome) {
                const Slot slot = unreported.front();
                unreported.pop_front();
                if (outcome.written) {
                    ++result.imagesWritten;
                    result.filesWritten += int(slot.files);
                    return;
                }
                if (slot.scale == 2 && slot.position < 0)
                    missingSpriteTwins.insert(slot.n);
                else if (slot.scale == 2)
                    missingTwins.insert({slot.n, slot.position});
                drop(stem, outcome.errorString);
            });
        const auto nextSlot = [&](int n, int position, int scale, qsizetype files = 0) {
            unreported.push_back({n, position, scale, files});
            return slotCount++;
        };
        // Returns the image handed in, or a null one when it could not be drawn.
        const auto renderWith = [&](int scale, ButtonState state, int n, int position,
                                    const QString& caption, const QString& stem) {
            ButtonRenderer& with = scale == 2 ? doubleRenderer : renderer;
            const ImageEncoderPool::Files files =
                OutputNaming::imageFiles(m_project, n, state, scale);
            // Every slot must reach the pool once, or the reports after it would wait forever.
            const int mine = nextSlot(n, position, scale, files.size());
            QString failure;
            try {
                const QImage image = with.render(state, n, caption);
                if (!image.isNull()) {
                    encoders.add(mine, image, stem, files);
                    return image;
                }
                failure = with.errorString();
            } catch (const std::exception& e) {
                failure = QString::fromLocal8Bit(e.what());
            }
            encoders.addOutcome(mine, stem, {false, failure});
            return QImage();
        };
        const auto addSprite = [&](const QList<QImage>& states, int n, int scale) {
            const QString stem = OutputNaming::spritePathStem(m_project, n, scale);
            const ImageEncoderPool::Files files = OutputNaming::spriteFiles(m_project, n, scale);
            const int mine = nextSlot(n, -1, scale, files.size());
            QString failure = QStringLiteral("File name too long");
            const QImage sprite =
                OutputNaming::fitsFileSystem(
                    OutputNaming::longestSpriteFileName(m_project, n, scale), maxNameBytes)
                    ? spriteOf(states, &failure)
                    : QImage();
            if (sprite.isNull())
                encoders.addOutcome(mine, stem, {false, failure});
            else
                encoders.add(mine, sprite, stem, files);
        };
        const auto stopRequested = [this] {
            return m_stop && m_stop->load(std::memory_order_relaxed);
        };
        QList<QImage> drawn;
        QList<QImage> drawnTwins;
        const auto render = [&](ButtonState state, int n, int position, const QString& caption) {
            if (stopRequested()) {
                result.stopped = true;
                return;
            }
            // Kept only for the sprite: a kept image would outlive the pool's count of its bytes.
            const QImage image = renderWith(1, state, n, position, caption,
                                            OutputNaming::imagePathStem(m_project, n, state));
            if (sprites)
                drawn << image;
            if (!doubleSize)
                return;
            const QString twin = OutputNaming::imagePathStem(m_project, n, state, 2);
            const QString twinName = OutputNaming::longestImageFileName(m_project, n, state, 2);
            if (OutputNaming::fitsFileSystem(twinName, maxNameBytes)) {
                const QImage image = renderWith(2, state, n, position, caption, twin);
                if (sprites)
                    drawnTwins << image;
            } else {
                if (sprites)
                    drawnTwins << QImage();
                encoders.addOutcome(nextSlot(n, position, 2), twin,
                                    {false, QStringLiteral("File name too long")});
            }
        };
        const int spritesPerCaption = sprites ? 1 : 0;
        const int total = int(m_project.captions.size()) * (statesPerCaption + spritesPerCaption) *
                          (doubleSize ? 2 : 1);
        result.imagesPlanned = total;

        for (int n = 1; n <= m_project.captions.size() && !result.stopped; ++n) {
            const QString caption = m_project.captions.at(n - 1);
            // A Normal image that fails must not leave an earlier run's size for the other
            // states.
            m_sizes.store(n, 0, 0);
            drawn.clear();
            drawnTwins.clear();
            render(ButtonState::Normal, n, 0, caption);
            for (int i = 0; i < extraStates.size(); ++i)
                render(extraStates.at(i), n, i + 1, caption);
            if (sprites && !result.stopped) {
                addSprite(drawn, n, 1);
                if (doubleSize)
                    addSprite(drawnTwins, n, 2);
            }
            if (m_progress && !result.stopped)
                m_progress(slotCount, total);
        }
        encoders.finish();
    }
    if (result.stopped)
        return result;

    if (m_project.cssRollovers) {
        StyleSheetWriter sheet(m_project, m_sizes);
        if (!missingSpriteTwins.isEmpty())
            sheet.setTwinWritten([&](int n) { return !missingSpriteTwins.contains(n); });
        const QString sheetPath = OutputNaming::styleSheetPath(m_project);
        if (!sheet.write(sheetPath)) {
            result.fatalError = sheet.errorString();
            return result;
        }
        ++result.filesWritten;
    }

    SamplePageWriter page(m_project, m_sizes);
    if (!missingTwins.isEmpty()) {
        page.setTwinWritten([&](int n, ButtonState state) {
            const int position = state == ButtonState::Normal ? 0 : 1 + extraStates.indexOf(state);
            return !missingTwins.contains({n, position});
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
