#include "GenerationSteps.h"

#include "ImageLimits.h"

#include "OutputNaming.h"
#include "PredefinedBackground.h"
#include "ProjectFileWriter.h"
#include "SamplePageWriter.h"
#include "StyleSheetWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>

namespace {

// Without the name: the dropped image's stem shows it already.
const Failure tooLongName(Failure::Code::NameTooLong, QString());

Failure spriteFailure(FailureReason reason, const QString& detail = QString())
{
    return Failure(Failure::Code::Refuse, reason, detail);
}

// The states of one caption stacked top to bottom, each at the first one's size; a null image
// with the reason when one of them was not drawn or the whole is too large.
QImage spriteOf(const QList<QImage>& states, Failure* failure)
{
    if (states.isEmpty() || std::any_of(states.begin(), states.end(),
                                        [](const QImage& image) { return image.isNull(); })) {
        *failure = spriteFailure(FailureReason::SpriteStateMissing);
        return QImage();
    }
    const QSize slice = states.first().size();
    if (std::any_of(states.begin(), states.end(),
                    [&](const QImage& image) { return image.size() != slice; })) {
        *failure = spriteFailure(FailureReason::SpriteStatesDiffer);
        return QImage();
    }
    const qint64 height = qint64(slice.height()) * states.size();
    if (!ImageLimits::fits(slice.width(), height)) {
        *failure = spriteFailure(FailureReason::SpriteTooLarge,
                                 QStringLiteral("%1 x %2").arg(slice.width()).arg(height));
        return QImage();
    }
    // With alpha in any state, the whole sprite keeps it.
    const bool alpha = std::any_of(states.begin(), states.end(),
                                   [](const QImage& image) { return image.hasAlphaChannel(); });
    QImage sprite(slice.width(), int(height), alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (sprite.isNull())
        return sprite;
    for (int i = 0; i < states.size(); ++i) {
        const QImage state = states.at(i).convertToFormat(sprite.format());
        for (int y = 0; y < slice.height(); ++y)
            std::memcpy(sprite.scanLine(i * slice.height() + y), state.constScanLine(y),
                        std::size_t(slice.width()) * 4);
    }
    return sprite;
}

bool diskFull(const Failure& failure)
{
    return failure.systemError() == ENOSPC || failure.systemError() == EDQUOT;
}

} // namespace

GenerationSteps::GenerationSteps(const ButtonProject& project, const BackgroundPictures& pictures,
                                 const OptionSets& options, ButtonSizeTables& sizes, Setup setup)
    : m_project(project), m_sizes(sizes), m_setup(std::move(setup)),
      m_states(project.drawnStates()), m_sprites(OutputNaming::hasSprites(project)),
      m_renderer(project, pictures, options.text, sizes),
      m_doubledPictures(project.hiDpiImages
                            ? PredefinedBackground::doubleSizePictures(project, pictures)
                            : BackgroundPictures()),
      m_doubleRenderer(project, m_doubledPictures, options.text, sizes, 2), m_written(project),
      m_encoders(options.jpeg, m_setup.encoderThreads, m_setup.encoderBytes,
                 0xFF000000u | Colors::toRgb(project.pageColor), m_setup.encoder,
                 project.compactPng ? PngCodec::Form::Smallest : PngCodec::Form::Classic)
{
    m_encoders.setReporter(
        [this](int, const QString& stem, const ImageEncoderPool::Outcome& outcome) {
            report(stem, outcome);
        });
}

int GenerationSteps::nextSlot(int n, std::optional<ButtonState> state, int scale,
                              const ImageEncoderPool::Files& files)
{
    m_unreported.push_back({n, state, scale, files});
    return m_slotCount++;
}

void GenerationSteps::report(const QString& stem, const ImageEncoderPool::Outcome& outcome)
{
    const Slot slot = m_unreported.front();
    m_unreported.pop_front();
    m_result.filesWritten += int(outcome.filesWritten);
    m_written.record(slot.n, slot.state, slot.scale, slot.files, outcome.filesWritten);
    if (outcome.written()) {
        ++m_result.imagesWritten;
        return;
    }
    // The images still in flight fail for the same reason; one line says it.
    if (m_result.endedOnFullDisk)
        return;
    m_result.endedOnFullDisk = diskFull(outcome.failure);
    drop(stem, outcome.failure);
}

void GenerationSteps::drop(const QString& stem, const Failure& reason)
{
    const DroppedImage dropped{stem, reason};
    if (m_result.droppedImages.size() < GenerationResult::maxListedDrops)
        m_result.droppedImages.append(dropped);
    ++m_result.droppedImageCount;
    if (m_setup.dropped)
        m_setup.dropped(dropped);
}

bool GenerationSteps::writeImages()
{
    const int spritesPerCaption = m_sprites ? 1 : 0;
    m_result.imagesPlanned = int(m_project.captions.size()) *
                             (int(m_states.size()) + spritesPerCaption) *
                             (m_project.hiDpiImages ? 2 : 1);
    for (int n = 1; n <= m_project.captions.size() && !ended(); ++n)
        renderCaption(n);
    m_encoders.finish();
    return !ended();
}

bool GenerationSteps::stopped()
{
    if (m_setup.stop && m_setup.stop->load(std::memory_order_relaxed))
        m_result.stopped = true;
    return ended();
}

void GenerationSteps::renderCaption(int n)
{
    const QString caption = m_project.captions.at(n - 1);
    // A Normal image that fails must not leave an earlier run's size for the other states.
    m_sizes.store(n, 0, 0);
    // Kept only for the sprite: a kept image would outlive the pool's count of its bytes.
    QList<QImage> drawn;
    QList<QImage> drawnTwins;
    for (const ButtonState state : m_states) {
        if (stopped())
            return;
        const StateImages images = renderState(state, n, caption);
        if (m_sprites) {
            drawn << images.image;
            drawnTwins << images.twin;
        }
    }
    if (m_sprites) {
        handInSprite(drawn, n, 1);
        if (m_project.hiDpiImages)
            handInSprite(drawnTwins, n, 2);
    }
    if (m_setup.progress)
        m_setup.progress(m_slotCount, m_result.imagesPlanned);
}

GenerationSteps::StateImages GenerationSteps::renderState(ButtonState state, int n,
                                                          const QString& caption)
{
    StateImages images;
    images.image = renderImage(1, state, n, caption);
    if (!m_project.hiDpiImages)
        return images;
    if (m_setup.room.fits(OutputNaming::longestImageFileName(m_project, n, state, 2)))
        images.twin = renderImage(2, state, n, caption);
    else
        handIn(nextSlot(n, state, 2), QImage(), OutputNaming::imagePathStem(m_project, n, state, 2),
               {}, tooLongName);
    return images;
}

QImage GenerationSteps::renderImage(int scale, ButtonState state, int n, const QString& caption)
{
    const ImageEncoderPool::Files files = OutputNaming::imageFiles(m_project, n, state, scale);
    // Every slot must reach the pool once, or the reports after it would wait forever.
    const int slot = nextSlot(n, state, scale, files);
    Failure failure;
    const QImage image = draw(scale, state, n, caption, &failure);
    handIn(slot, image, OutputNaming::imagePathStem(m_project, n, state, scale), files, failure);
    return image;
}

QImage GenerationSteps::draw(int scale, ButtonState state, int n, const QString& caption,
                             Failure* failure)
{
    ButtonRenderer& renderer = scale == 2 ? m_doubleRenderer : m_renderer;
    try {
        const QImage image = renderer.render(state, n, caption);
        if (image.isNull())
            *failure = renderer.error();
        return image;
    } catch (const std::exception& e) {
        *failure = ImageEncoderPool::caught(e);
    }
    return QImage();
}

void GenerationSteps::handIn(int slot, const QImage& image, const QString& stem,
                             const ImageEncoderPool::Files& files, const Failure& failure)
{
    if (image.isNull())
        m_encoders.addOutcome(slot, stem, {failure});
    else
        m_encoders.add(slot, image, stem, files);
}

void GenerationSteps::handInSprite(const QList<QImage>& states, int n, int scale)
{
    const ImageEncoderPool::Files files = OutputNaming::spriteFiles(m_project, n, scale);
    const int slot = nextSlot(n, std::nullopt, scale, files);
    Failure failure = tooLongName;
    const QImage sprite =
        m_setup.room.fits(OutputNaming::longestSpriteFileName(m_project, n, scale))
            ? spriteOf(states, &failure)
            : QImage();
    handIn(slot, sprite, OutputNaming::spritePathStem(m_project, n, scale), files, failure);
}

void GenerationSteps::writePageFiles()
{
    if (m_project.cssRollovers && !writeStyleSheet())
        return;
    if (writePage())
        writeProjectCopy();
}

bool GenerationSteps::writeStyleSheet()
{
    StyleSheetWriter sheet(m_project, m_sizes);
    sheet.setWrittenFiles(&m_written);
    m_result.fatalError = sheet.write(OutputNaming::styleSheetPath(m_project));
    if (m_result.fatalError)
        return false;
    ++m_result.filesWritten;
    return true;
}

bool GenerationSteps::writePage()
{
    SamplePageWriter page(m_project, m_sizes);
    page.setWrittenFiles(&m_written);
    m_result.pagePath = OutputNaming::samplePagePath(m_project);
    m_result.fatalError = page.write(m_result.pagePath);
    if (m_result.fatalError)
        return false;
    ++m_result.filesWritten;
    m_result.pageWritten = true;
    return true;
}

void GenerationSteps::writeProjectCopy()
{
    m_result.projectCopyPath = OutputNaming::projectCopyPath(m_project);
    m_result.fatalError = ProjectFileWriter::saveProjectFile(m_project, m_result.projectCopyPath);
    if (!m_result.fatalError)
        ++m_result.filesWritten;
}
