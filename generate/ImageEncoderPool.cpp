#include "ImageEncoderPool.h"

#include "ImageFileWriter.h"

#include <exception>

namespace {
constexpr std::size_t maxQueuedPerThread = 2;
// libwebp's lossless encoder works in about three times a picture's bytes beside it; counted
// so, large pictures with WebP take no more memory at once than without.
constexpr qint64 webPWorkingFactor = 4;
} // namespace

ImageEncoderPool::ImageEncoderPool(const JpegFileOptions& options, int threads, bool alsoWebP)
    : ImageEncoderPool(
          [&options, alsoWebP](const QImage& image, const QString& stem, QString* error) {
              ImageFileWriter writer(options, alsoWebP);
              const bool written = writer.writeButtonImages(image, stem);
              if (!written)
                  *error = writer.errorString();
              return written;
          },
          threads, alsoWebP ? defaultMaxBytesInFlight / webPWorkingFactor : defaultMaxBytesInFlight)
{
}

ImageEncoderPool::ImageEncoderPool(Encoder encoder, int threads, qint64 maxBytesInFlight)
    : m_encoder(std::move(encoder)), m_maxBytesInFlight(maxBytesInFlight)
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
    Outcome outcome;
    try {
        const Encoder& encoder = job.encoder ? job.encoder : m_encoder;
        outcome.written = encoder(job.image, job.stem, &outcome.errorString);
    } catch (const std::exception& e) {
        outcome.errorString = QString::fromLocal8Bit(e.what());
    }
    return outcome;
}

void ImageEncoderPool::add(int slot, const QImage& image, const QString& stem, Encoder encoder)
{
    if (m_threads.empty()) {
        const Outcome outcome = encode({slot, image, stem, std::move(encoder)});
        addOutcome(slot, stem, outcome);
        return;
    }
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        // An earlier image of the same name must be on disk first, or it could replace this
        // one.
        m_changed.wait(lock, [&] { return !m_stemsInFlight.contains(stem); });
        m_stemsInFlight.insert(stem);
        const qint64 bytes = image.sizeInBytes();
        m_changed.wait(lock, [&] {
            // The bytes bound the memory. The short queue keeps each image in the cache between
            // drawing and encoding: without it a 200-caption run took 1.7 times as long.
            const bool roomInQueue = m_queue.size() < maxQueuedPerThread * m_threads.size();
            return roomInQueue &&
                   (m_bytesInFlight == 0 || m_bytesInFlight + bytes <= m_maxBytesInFlight);
        });
        m_queue.push_back({slot, image, stem, std::move(encoder)});
        m_bytesInFlight += bytes;
        m_peakBytesInFlight = qMax(m_peakBytesInFlight, m_bytesInFlight);
    }
    m_changed.notify_all();
    reportFinished();
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
        m_changed.wait(lock, [&] { return m_stopping || !m_queue.empty(); });
        if (m_queue.empty())
            return;
        Job job = std::move(m_queue.front());
        m_queue.pop_front();
        m_changed.notify_all();
        lock.unlock();
        const Outcome outcome = encode(job);
        const qint64 bytes = job.image.sizeInBytes();
        job.image = QImage(); // its pixels count until they are freed
        lock.lock();
        m_stemsInFlight.remove(job.stem);
        m_finished.emplace(job.slot, Finished{job.stem, outcome});
        m_bytesInFlight -= bytes;
        m_changed.notify_all();
    }
}

void ImageEncoderPool::finish()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
    m_threads.clear();
    reportFinished();
}
