#pragma once

#include "JpegFileOptions.h"

#include <QHash>
#include <QImage>
#include <QString>
#include <QVector>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

// Writes button images (JPEG, PNG, GIF) on worker threads while the caller renders the next
// ones. Every image is encoded exactly as ImageFileWriter does on one thread; only the order
// in which different files are finished varies. Two images with the same stem are written in
// the order they were handed in, so the later one's files are the ones that stay.
class ImageEncoderPool
{
public:
    struct Outcome
    {
        bool written = false;
        QString errorString;
    };

    // threads < 2 writes every image in the calling thread, inside add().
    ImageEncoderPool(const JpegFileOptions& options, int threads);
    ~ImageEncoderPool(); // waits for the images handed in

    // Hands in image number slot (0, 1, 2, ... in order). Blocks while the queue is full.
    void add(int slot, const QImage& image, const QString& stem);
    // Waits until every image handed in is written; outcome(slot) is valid afterwards.
    void finish();
    Outcome outcome(int slot) const { return m_outcomes.value(slot); }

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

    const JpegFileOptions& m_options;
    std::vector<std::thread> m_threads;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Job> m_queue;
    QVector<Outcome> m_outcomes;
    QVector<bool> m_done;
    QHash<QString, int> m_lastSlotOfStem;
    int m_maxQueued;
    bool m_stopping = false;
};
