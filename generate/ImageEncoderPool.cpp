#include "ImageEncoderPool.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {
constexpr std::size_t maxQueuedPerThread = 4;
// An image of a megapixel and more: its encoders take tens of megabytes.
constexpr qint64 trimAfterBytes = qint64(4) << 20;
} // namespace

namespace {
// An encoder that writes all of an image's files or none.
auto allOrNone(ImageEncoderPool::Encoder encoder)
{
    return
        [encoder = std::move(encoder)](const QImage& image, const ImageEncoderPool::Files& files) {
            const Failure failure = encoder(image, files);
            return ImageEncoderPool::Outcome{failure, failure ? 0 : files.size()};
        };
}
} // namespace

ImageEncoderPool::ImageEncoderPool(const JpegFileOptions& options, int threads,
                                   qint64 maxBytesInFlight, QRgb pageColor, Encoder encoder,
                                   PngCodec::Form pngForm)
    : m_encoder(encoder ? Writer(allOrNone(std::move(encoder)))
                        : fileWriter(options, pageColor, pngForm)),
      m_maxBytesInFlight(maxBytesInFlight)
{
    startThreads(threads);
}

ImageEncoderPool::ImageEncoderPool(Encoder encoder, int threads, qint64 maxBytesInFlight)
    : m_encoder(allOrNone(std::move(encoder))), m_maxBytesInFlight(maxBytesInFlight)
{
    startThreads(threads);
}

ImageEncoderPool::Writer ImageEncoderPool::fileWriter(const JpegFileOptions& options,
                                                      QRgb pageColor, PngCodec::Form pngForm)
{
    return [&options, pageColor, pngForm](const QImage& image, const Files& files) {
        ImageFileWriter writer(options, pageColor, pngForm);
        // Caught here, so that the files written before it still count.
        try {
            writer.write(image, files);
            return Outcome{writer.error(), writer.written()};
        } catch (const std::exception& e) {
            return Outcome{caught(e), writer.written()};
        }
    };
}

void ImageEncoderPool::startThreads(int threads)
{
    for (int i = 0; i < threads && threads > 1; ++i)
        m_threads.emplace_back([this] { work(); });
}

ImageEncoderPool::~ImageEncoderPool()
{
    finish();
}

ImageEncoderPool::Outcome ImageEncoderPool::encode(const Job& job) const
{
    try {
        return m_encoder(job.image, job.files);
    } catch (const std::exception& e) {
        return {caught(e)};
    }
}

Failure ImageEncoderPool::caught(const std::exception& exception)
{
    return Failure(Failure::Code::Encode, FailureReason::CaughtException,
                   QString::fromLocal8Bit(exception.what()));
}

void ImageEncoderPool::add(int slot, const QImage& image, const QString& stem, const Files& files)
{
    if (m_threads.empty()) {
        const Outcome outcome = encode({slot, image, stem, files});
        addOutcome(slot, stem, outcome);
        return;
    }
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        // An earlier image of the same name must be on disk first, or it could replace this
        // one.
        waitUntil(lock, CallerWait::Stem, [&] { return !m_stemsInFlight.contains(stem); });
        m_stemsInFlight.insert(stem);
        const qint64 bytes = image.sizeInBytes();
        waitUntil(lock, CallerWait::Bytes, [&] {
            return m_bytesInFlight == 0 || m_bytesInFlight + bytes <= m_maxBytesInFlight;
        });
        // The bytes bound the memory. The short queue keeps each image in the cache between
        // drawing and encoding: without it a 200-caption run took 1.7 times as long. A full
        // queue is refilled only once the workers are down to their last image each, so that
        // the caller is woken once per several images rather than once per image.
        if (m_queue.size() >= maxQueuedPerThread * m_threads.size())
            waitUntil(lock, CallerWait::Room, [&] { return m_queue.size() <= m_threads.size(); });
        m_queue.push_back({slot, image, stem, files});
        m_bytesInFlight += bytes;
        m_peakBytesInFlight = qMax(m_peakBytesInFlight, m_bytesInFlight);
    }
    m_workReady.notify_one();
    reportFinished();
}

template <typename Predicate>
void ImageEncoderPool::waitUntil(std::unique_lock<std::mutex>& lock, CallerWait reason,
                                 Predicate done)
{
    m_callerWaits = reason;
    m_callerMayGoOn.wait(lock, done);
    m_callerWaits = CallerWait::Nothing;
}

void ImageEncoderPool::addOutcome(int slot, const QString& stem, const Outcome& outcome)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_finished.emplace(slot, Finished{stem, outcome});
    }
    reportFinished();
}

void ImageEncoderPool::reportFinished()
{
    for (;;) {
        int slot = 0;
        Finished finished;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            const auto next = m_finished.find(m_nextSlotToReport);
            if (next == m_finished.end())
                return;
            slot = next->first;
            finished = std::move(next->second);
            m_finished.erase(next);
            ++m_nextSlotToReport;
        }
        if (m_reporter)
            m_reporter(slot, finished.stem, finished.outcome);
    }
}

void ImageEncoderPool::work()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_workReady.wait(lock, [&] { return m_stopping || !m_queue.empty(); });
        if (m_queue.empty())
            return;
        Job job = std::move(m_queue.front());
        m_queue.pop_front();
        if (m_callerWaits == CallerWait::Room && m_queue.size() <= m_threads.size())
            m_callerMayGoOn.notify_one();
        lock.unlock();
        const Outcome outcome = encode(job);
        const qint64 bytes = job.image.sizeInBytes();
        job.image = QImage(); // its pixels count until they are freed
#if defined(__GLIBC__)
        // Each worker's heap keeps what its encoders freed: given back after a large image, or
        // the workers together would hold several times what one image needs.
        if (bytes >= trimAfterBytes)
            malloc_trim(0);
#endif
        lock.lock();
        m_stemsInFlight.remove(job.stem);
        m_finished.emplace(job.slot, Finished{job.stem, outcome});
        m_bytesInFlight -= bytes;
        if (m_callerWaits == CallerWait::Stem || m_callerWaits == CallerWait::Bytes)
            m_callerMayGoOn.notify_one();
    }
}

void ImageEncoderPool::finish()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_workReady.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
    m_threads.clear();
    reportFinished();
}
