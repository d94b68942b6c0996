#include "ImageEncoderPool.h"

#include "ImageFileWriter.h"

#include <exception>

ImageEncoderPool::ImageEncoderPool(const JpegFileOptions& options, int threads)
    : m_options(options), m_maxQueued(2 * threads)
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
        ImageFileWriter writer(m_options);
        outcome.written = writer.writeButtonImages(job.image, job.stem);
        if (!outcome.written)
            outcome.errorString = writer.errorString();
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
    m_changed.wait(lock, [&] { return int(m_queue.size()) < m_maxQueued; });
    m_queue.push_back({slot, image, stem});
    m_changed.notify_all();
}

void ImageEncoderPool::work()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [&] { return m_stopping || !m_queue.empty(); });
        if (m_queue.empty())
            return;
        const Job job = std::move(m_queue.front());
        m_queue.pop_front();
        m_changed.notify_all();
        lock.unlock();
        const Outcome outcome = encode(job);
        lock.lock();
        m_outcomes[job.slot] = outcome;
        m_done[job.slot] = true;
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
