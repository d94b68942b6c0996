#pragma once

#include "JpegFileOptions.h"

#include <QHash>
#include <QImage>
#include <QString>
#include <QVector>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// Writes button images (JPEG, PNG, GIF) on worker threads while the caller renders the next
// ones. Every image is encoded exactly as ImageFileWriter does on one thread; only the order
// in which different files are finished varies. Two images with the same stem are written in
// the order they were handed in, so the later one's files are the ones that stay.
//
// Memory is bounded by the pixels handed in and not yet written, whatever their number: a few
// large images wait as a full queue of small ones does.
class ImageEncoderPool
{
public:
    struct Outcome
    {
        bool written = false;
        QString errorString;
    };
    // Writes one image under its stem; false with a message on failure.
    using Encoder = std::function<bool(const QImage& image, const QString& stem, QString* error)>;

    static constexpr qint64 defaultMaxBytesInFlight = qint64(256) << 20;

    // threads < 2 writes every image in the calling thread, inside add().
    ImageEncoderPool(const JpegFileOptions& options, int threads);
    ImageEncoderPool(Encoder encoder, int threads,
                     qint64 maxBytesInFlight = defaultMaxBytesInFlight);
    ~ImageEncoderPool(); // waits for the images handed in

    // Hands in image number slot (0, 1, 2, ... in order). Blocks while the images in flight
    // would pass the bound; an image larger than the bound waits until it is the only one.
    void add(int slot, const QImage& image, const QString& stem);
    // Waits until every image handed in is written; outcome(slot) is valid afterwards.
    void finish();
    Outcome outcome(int slot) const { return m_outcomes.value(slot); }
    // The most image bytes that were handed in and not yet written at one time.
    qint64 peakBytesInFlight() const { return m_peakBytesInFlight; }

    ImageEncoderPool(const ImageEncoderPool&) = delete;
    ImageEncoderPool& operator=(const ImageEncoderPool&) = delete;

private:
    struct Job
    {
        int slot;
        QImage image;
        QString stem;
    };

    void work();
    Outcome encode(const Job& job) const;

    Encoder m_encoder;
    std::vector<std::thread> m_threads;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Job> m_queue;
    QVector<Outcome> m_outcomes;
    QVector<bool> m_done;
    QHash<QString, int> m_lastSlotOfStem;
    qint64 m_maxBytesInFlight;
    qint64 m_bytesInFlight = 0;
    qint64 m_peakBytesInFlight = 0;
    bool m_stopping = false;
};
