#pragma once

#include "BackgroundPictures.h"
#include "ButtonProject.h"
#include "ButtonRenderer.h"
#include "ButtonSizeTables.h"
#include "GenerationResult.h"
#include "ImageEncoderPool.h"
#include "OptionSets.h"
#include "OutputNaming.h"
#include "WrittenFiles.h"

#include <QImage>
#include <QList>
#include <QString>

#include <atomic>
#include <deque>
#include <functional>
#include <optional>

// The work of one GenerationRun once its names are checked: every caption rendered in its states
// (and their double-size twins) and handed to the encoders with its sprites, then the stylesheet,
// the page and the project copy. It keeps what each slot of the encoder pool holds, so that a
// failed image is dropped under its name and the page and the stylesheet name only files that
// were written. The first image that finds the disk full ends the run.
class GenerationSteps
{
public:
    // What the run was given beside the project.
    struct Setup
    {
        int encoderThreads;
        OutputNaming::NameRoom room;
        qint64 encoderBytes; // the image bytes the encoders may hold in flight
        std::function<void(int done, int total)> progress;
        std::function<void(const DroppedImage& dropped)> dropped;
        const std::atomic<bool>* stop;
        ImageEncoderPool::Encoder encoder; // none for ImageFileWriter
    };

    GenerationSteps(const ButtonProject& project, const BackgroundPictures& pictures,
                    const OptionSets& options, ButtonSizeTables& sizes, Setup setup);

    // Renders and writes every caption's images; false when the run was stopped or the disk is
    // full. Returns once every image handed in is written.
    bool writeImages();
    // The stylesheet (with CSS rollovers), the page and the project copy; a failure ends the
    // run.
    void writePageFiles();

    const GenerationResult& result() const { return m_result; }

private:
    // What a slot of the pool not yet reported holds, so that a failure can be traced to its
    // file. Slots are reported in order.
    struct Slot
    {
        int n;
        std::optional<ButtonState> state; // none for the sprite
        int scale;
        ImageEncoderPool::Files files;
    };
    // A state's image and its twin as drawn; null where one was not.
    struct StateImages
    {
        QImage image;
        QImage twin;
    };

    // Keeping the slots and the dropped images.
    int nextSlot(int n, std::optional<ButtonState> state, int scale,
                 const ImageEncoderPool::Files& files = {});
    void report(const QString& stem, const ImageEncoderPool::Outcome& outcome);
    void drop(const QString& stem, const Failure& reason);

    // Rendering one caption in its states.
    bool ended() const { return m_result.stopped || m_result.endedOnFullDisk; }
    bool stopped();
    void renderCaption(int n);
    StateImages renderState(ButtonState state, int n, const QString& caption);
    // Draws one image and hands it in; the image, or a null one when it could not be drawn.
    QImage renderImage(int scale, ButtonState state, int n, const QString& caption);
    QImage draw(int scale, ButtonState state, int n, const QString& caption, Failure* failure);

    // Handing the images and sprites to the encoders.
    void handIn(int slot, const QImage& image, const QString& stem,
                const ImageEncoderPool::Files& files, const Failure& failure);
    void handInSprite(const QList<QImage>& states, int n, int scale);

    // Writing the files that name the images.
    bool writeStyleSheet();
    bool writePage();
    void writeProjectCopy();

    const ButtonProject& m_project;
    ButtonSizeTables& m_sizes;
    const Setup m_setup;
    const QList<ButtonState> m_states; // in drawing order: Normal, then the extra states
    const bool m_sprites;
    ButtonRenderer m_renderer;
    const BackgroundPictures m_doubledPictures;
    // The twins read each caption's size from the renderer above, so each follows its 1x image.
    ButtonRenderer m_doubleRenderer;
    std::deque<Slot> m_unreported;
    int m_slotCount = 0;
    WrittenFiles m_written;
    GenerationResult m_result;
    // Last, so that it is gone before what its reports change.
    ImageEncoderPool m_encoders;
};
