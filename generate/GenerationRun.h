#pragma once

#include "BackgroundPictures.h"
#include "ButtonProject.h"
#include "ButtonSizeTables.h"
#include "GenerationResult.h"
#include "ImageEncoderPool.h"
#include "OptionSets.h"

#include <atomic>
#include <functional>

// Renders every caption in the states the JavaScript option needs, writes each image as
// JPEG, PNG and GIF (and WebP, and its double-size twin "<name>@2x", when the project asks for
// them), then the sample page, then a copy of the project, all into the output directory. With CSS
// rollovers each caption also gets a sprite of its states in the page's format, and the page a
// stylesheet. A failed image is dropped and the run goes on, unless the disk is full; a failed
// page ends it. Names that OutputNameCheck refuses end it before anything is written.
class GenerationRun
{
public:
    // The project is not changed. The size tables are filled by the run and keep their values
    // afterwards.
    GenerationRun(const ButtonProject& project, const BackgroundPictures& pictures,
                  const OptionSets& options, ButtonSizeTables& sizes);

    // Images are encoded on this many threads while the next ones are rendered; the files
    // and the result are those of a run on one thread. Default: one per processor core.
    void setEncoderThreads(int threads) { m_encoderThreads = threads; }

    // Called on the calling thread after each caption's images are rendered, with the number
    // of images rendered so far and the run's total.
    void setProgressCallback(std::function<void(int done, int total)> callback)
    {
        m_progress = std::move(callback);
    }

    // Called on the calling thread for every dropped image, in run order, as the run goes.
    void setDropCallback(std::function<void(const DroppedImage& dropped)> callback)
    {
        m_dropped = std::move(callback);
    }

    // Set from any thread, it ends the run before its next image.
    void setStopFlag(const std::atomic<bool>* stop) { m_stop = stop; }

    // Writes the images through this instead of ImageFileWriter, for failures that a real disk
    // will not give at will.
    void setEncoder(ImageEncoderPool::Encoder encoder) { m_encoder = std::move(encoder); }

    // The caller has had OutputNameCheck pass this very project (to refuse its names before it
    // made the folder): the run does not check them again, which costs as much as the first
    // time for many captions.
    void setNamesChecked() { m_namesChecked = true; }

    GenerationResult run();

private:
    const ButtonProject& m_project;
    const BackgroundPictures& m_pictures;
    const OptionSets& m_options;
    ButtonSizeTables& m_sizes;
    int m_encoderThreads;
    std::function<void(int done, int total)> m_progress;
    std::function<void(const DroppedImage& dropped)> m_dropped;
    const std::atomic<bool>* m_stop = nullptr;
    ImageEncoderPool::Encoder m_encoder;
    bool m_namesChecked = false;
};
