#pragma once

#include "ImageFileWriter.h"
#include "JpegFileOptions.h"

#include <QImage>
#include <QList>
#include <QSet>
#include <QString>

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

// Writes button images to the files handed in with them on worker threads while the caller renders
// the next ones. Every image is encoded exactly as ImageFileWriter does on one thread; only the
// order in which different files are finished varies. Two images with the same stem are written in
// the order they were handed in, so the later one's files are the ones that stay.
//
// Memory is bounded by the pixels handed in and not yet written, whatever their number: a few
// large images wait as a full queue of small ones does.
class ImageEncoderPool
{
public:
    struct Outcome
    {
        Failure failure;            // none when every file of the image is written
        qsizetype filesWritten = 0; // the first ones of its files, in order
        bool written() const { return !failure; }
    };
    using Files = QList<ImageFileWriter::Target>;
    // Writes one image to its files; why it could not, if it could not. It writes all of them
    // or none.
    using Encoder = std::function<Failure(const QImage& image, const Files& files)>;
    // Receives the outcome of every slot, in slot order, on the thread that calls add(),
    // addOutcome() and finish().
    using Reporter = std::function<void(int slot, const QString& stem, const Outcome& outcome)>;

    static constexpr qint64 defaultMaxBytesInFlight = qint64(256) << 20;

    // threads < 2 writes every image in the calling thread, inside add(). The bound on the bytes
    // in flight leaves room for the encoders' own memory beside them (see RunBudget). Images
    // with alpha are laid over the page colour where a format has none. An encoder, when given,
    // writes in ImageFileWriter's place; otherwise PNG files take the form given.
    ImageEncoderPool(const JpegFileOptions& options, int threads,
                     qint64 maxBytesInFlight = defaultMaxBytesInFlight, QRgb pageColor = 0xFFFFFFFF,
                     Encoder encoder = nullptr, PngCodec::Form pngForm = PngCodec::Form::Classic);
    ImageEncoderPool(Encoder encoder, int threads,
                     qint64 maxBytesInFlight = defaultMaxBytesInFlight);
    ~ImageEncoderPool(); // waits for the images handed in

    void setReporter(Reporter reporter) { m_reporter = std::move(reporter); }

    // Hands in image number slot (0, 1, 2, ... in order, each slot once through add() or
    // addOutcome()). Blocks while the images in flight would pass the bound; an image larger
    // than the bound waits until it is the only one. The stem names the image in its report.
    void add(int slot, const QImage& image, const QString& stem, const Files& files);
    // A slot that has its outcome already (its image could not be drawn); reported in turn.
    void addOutcome(int slot, const QString& stem, const Outcome& outcome);
    // Waits until every image handed in is written and reported.
    void finish();
    // The most image bytes that were handed in and not yet written at one time.
    qint64 peakBytesInFlight() const { return m_peakBytesInFlight; }

    // An exception caught where it must not end the run: bad_alloc on one large image leaves
    // the others to be written.
    static Failure caught(const std::exception& exception);

    ImageEncoderPool(const ImageEncoderPool&) = delete;
    ImageEncoderPool& operator=(const ImageEncoderPool&) = delete;

private:
    struct Job
    {
        int slot;
        QImage image;
        QString stem;
        Files files;
    };
    struct Finished
    {
        QString stem;
        Outcome outcome;
    };

    enum class CallerWait
    {
        Nothing,
        Room,
        Stem,
        Bytes
    };
    using Writer = std::function<Outcome(const QImage& image, const Files& files)>;
    static Writer fileWriter(const JpegFileOptions& options, QRgb pageColor,
                             PngCodec::Form pngForm);
    void startThreads(int threads);
    void work();
    template <typename Predicate>
    void waitUntil(std::unique_lock<std::mutex>& lock, CallerWait reason, Predicate done);
    Outcome encode(const Job& job) const;
    // Reports the finished slots that follow the last reported one; called without the lock.
    void reportFinished();

    Writer m_encoder;
    Reporter m_reporter;
    std::vector<std::thread> m_threads;
    std::mutex m_mutex;
    // Waking a thread costs about as much as encoding a small image's GIF: workers and the
    // caller each wait on their own condition and are woken only when it holds.
    std::condition_variable m_workReady;
    std::condition_variable m_callerMayGoOn;
    CallerWait m_callerWaits = CallerWait::Nothing;
    std::deque<Job> m_queue;
    // Only what is in flight or waits for an earlier slot's report is kept, so a run of any
    // length holds a bounded number of names and outcomes.
    std::map<int, Finished> m_finished;
    QSet<QString> m_stemsInFlight;
    int m_nextSlotToReport = 0;
    qint64 m_maxBytesInFlight;
    qint64 m_bytesInFlight = 0;
    qint64 m_peakBytesInFlight = 0;
    bool m_stopping = false;
};
