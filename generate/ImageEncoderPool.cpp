#include "ImageEncoderPool.h"

#include "ImageFileWriter.h"

#include <exception>

namespace {
constexpr std::size_t maxQueuedPerThread = 2;
}

ImageEncoderPool::ImageEncoderPool(const JpegFileOptions& options, int threads)
    : ImageEncoderPool(
          [&options](const QImage& image, const QString& stem, QString* error) {
              ImageFileWriter writer(options);
              const bool written = writer.writeButtonImages(image, stem);
              if (!written)
                  *error = writer.errorString();
              return written;
          },
          threads)
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
        outcome.written = m_encoder(job.image, job.stem, &outcome.errorString);
    } catch (const std::exception& e) {
        outcome.errorString = QString::fromLocal8Bit(e.what());
    }
    return outcome;
}

void ImageEncoderPool::add(int slot, const QImage& image, const QString& stem)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_outcomes.size() <= slot) {
        m_outcomes.resize(slot + 1);
        m_done.resize(slot + 1);
    }
    if (m_threads.empty()) {
        lock.unlock();
        const Outcome outcome = encode({slot, image, stem});
        lock.lock();
        m_outcomes[slot] = outcome;
        m_done[slot] = true;
        return;
    }
    // An earlier image of the same name must be on disk first, or it could replace this one.
    const auto earlier = m_lastSlotOfStem.constFind(stem);
    if (earlier != m_lastSlotOfStem.constEnd()) {
        const int earlierSlot = earlier.value();
        m_changed.wait(lock, [&] { return m_done[earlierSlot]; });
    }
    m_lastSlotOfStem.insert(stem, slot);
    const qint64 bytes = image.sizeInBytes();
    m_changed.wait(lock, [&] {
        // The bytes bound the memory. The short queue keeps each image in the cache between
        // drawing and encoding: without it a 200-caption run took 1.7 times as long.
        const bool roomInQueue = m_queue.size() < maxQueuedPerThread * m_threads.size();
        return roomInQueue &&
               (m_bytesInFlight == 0 || m_bytesInFlight + bytes <= m_maxBytesInFlight);
    });
    m_queue.push_back({slot, image, stem});
    m_bytesInFlight += bytes;
    m_peakBytesInFlight = qMax(m_peakBytesInFlight, m_bytesInFlight);
    m_changed.notify_all();
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
        const int slot = job.slot;
        const qint64 bytes = job.image.sizeInBytes();
        job.image = QImage(); // its pixels count until they are freed
        lock.lock();
        m_outcomes[slot] = outcome;
        m_done[slot] = true;
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
}
