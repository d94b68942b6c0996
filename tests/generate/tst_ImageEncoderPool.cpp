#include "ErrorText.h"
#include "ImageEncoderPool.h"

#include <QHash>
#include <QtTest>

#include <cerrno>
#include <chrono>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace {

// An image whose first pixel tells which slot it was.
QImage numbered(int slot, int side = 16)
{
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(0, 0, qRgb(slot & 0xff, (slot >> 8) & 0xff, 0));
    return image;
}

int slotOf(const QImage& image)
{
    const QRgb p = image.pixel(0, 0);
    return qRed(p) | (qGreen(p) << 8);
}

ImageEncoderPool::Files pngOf(const QString& stem)
{
    return {{ImageFileWriter::Format::Png, stem + ".png"}};
}

// Stands for the files on disk: the slot last written to each path.
struct FakeDisk
{
    std::mutex mutex;
    QHash<QString, int> files;

    ImageEncoderPool::Encoder encoder(std::chrono::microseconds delay = {})
    {
        return [this, delay](const QImage& image, const ImageEncoderPool::Files& paths) {
            // Later slots finish sooner, so any missing wait would show.
            std::this_thread::sleep_for(delay * (1 + (64 - slotOf(image) % 64) / 16));
            std::lock_guard<std::mutex> lock(mutex);
            files.insert(paths.first().path, slotOf(image));
            return Failure();
        };
    }
};

// Collects what the pool reports and checks that it comes once per slot, in slot order.
struct Reports
{
    QList<ImageEncoderPool::Outcome> outcomes;
    QStringList stems;
    bool inOrder = true;

    ImageEncoderPool::Reporter reporter()
    {
        return [this](int slot, const QString& stem, const ImageEncoderPool::Outcome& outcome) {
            inOrder = inOrder && slot == outcomes.size();
            outcomes << outcome;
            stems << stem;
        };
    }
};

} // namespace

class tst_ImageEncoderPool : public QObject
{
    Q_OBJECT

private slots:
    void sameStemsKeepTheLaterImage_data();
    void sameStemsKeepTheLaterImage();
    void bytesInFlightStayBounded_data();
    void bytesInFlightStayBounded();
    void failingEncoderDropsOnlyItsImages();
};

void tst_ImageEncoderPool::sameStemsKeepTheLaterImage_data()
{
    QTest::addColumn<int>("threads");
    QTest::newRow("one thread") << 1;
    QTest::newRow("two threads") << 2;
    QTest::newRow("four threads") << 4;
}

void tst_ImageEncoderPool::sameStemsKeepTheLaterImage()
{
    QFETCH(int, threads);
    FakeDisk disk;
    Reports reports;
    constexpr int images = 60;
    {
        ImageEncoderPool pool(disk.encoder(std::chrono::microseconds(200)), threads);
        pool.setReporter(reports.reporter());
        // Every third image has the stem of the one two before it, as Home and HOME would.
        for (int slot = 0; slot < images; ++slot) {
            const QString stem = QString("btn%1").arg(slot % 3 == 2 ? slot - 2 : slot);
            pool.add(slot, numbered(slot), stem, pngOf(stem));
        }
        pool.finish();
    }
    QVERIFY(reports.inOrder);
    QCOMPARE(reports.outcomes.size(), images);
    for (int slot = 0; slot < images; ++slot)
        QVERIFY(reports.outcomes.at(slot).written());
    QCOMPARE(disk.files.size(), images / 3 * 2);
    for (int slot = 0; slot < images; slot += 3)
        QCOMPARE(disk.files.value(QString("btn%1.png").arg(slot)), slot + 2);
}

void tst_ImageEncoderPool::bytesInFlightStayBounded_data()
{
    QTest::addColumn<int>("side");
    QTest::addColumn<qint64>("bound");
    const qint64 image64 = 64 * 64 * 4;
    QTest::newRow("three images") << 64 << 3 * image64;
    QTest::newRow("one image") << 64 << image64;
    QTest::newRow("image larger than the bound") << 64 << image64 / 2;
}

void tst_ImageEncoderPool::bytesInFlightStayBounded()
{
    QFETCH(int, side);
    QFETCH(qint64, bound);
    FakeDisk disk;
    const qint64 imageBytes = numbered(0, side).sizeInBytes();
    ImageEncoderPool pool(disk.encoder(std::chrono::microseconds(300)), 3, bound);
    for (int slot = 0; slot < 40; ++slot)
        pool.add(slot, numbered(slot, side), QString("btn%1").arg(slot),
                 pngOf(QString("btn%1").arg(slot)));
    pool.finish();
    QCOMPARE(disk.files.size(), 40);
    // Oversized images still go through, one at a time.
    QCOMPARE(pool.peakBytesInFlight(), qMax(imageBytes, bound - bound % imageBytes));
}

void tst_ImageEncoderPool::failingEncoderDropsOnlyItsImages()
{
    const auto encoder = [](const QImage& image, const ImageEncoderPool::Files& files) {
        const int slot = slotOf(image);
        if (slot % 5 == 1)
            throw std::runtime_error("out of memory");
        if (slot % 5 == 3)
            return Failure(Failure::Code::Write, files.first().path, ENOSPC);
        return Failure();
    };
    Reports reports;
    ImageEncoderPool pool(encoder, 2);
    pool.setReporter(reports.reporter());
    for (int slot = 0; slot < 20; ++slot) {
        // Slots that failed before encoding are reported among the others, in turn.
        if (slot % 5 == 4)
            pool.addOutcome(
                slot, QString("btn%1").arg(slot),
                {Failure(Failure::Code::Refuse, FailureReason::ButtonNotDrawn, "0 x 9")});
        else
            pool.add(slot, numbered(slot), QString("btn%1").arg(slot),
                     pngOf(QString("btn%1").arg(slot)));
    }
    pool.finish();
    QVERIFY(reports.inOrder);
    QCOMPARE(reports.outcomes.size(), 20);
    for (int slot = 0; slot < 20; ++slot) {
        const ImageEncoderPool::Outcome outcome = reports.outcomes.at(slot);
        QCOMPARE(reports.stems.at(slot), QString("btn%1").arg(slot));
        QCOMPARE(outcome.written(), slot % 5 != 1 && slot % 5 != 3 && slot % 5 != 4);
        QCOMPARE(outcome.filesWritten, outcome.written() ? 1 : 0);
        const QString expected = slot % 5 == 4   ? QString("cannot render a 0 x 9 button")
                                 : slot % 5 == 1 ? QString("out of memory")
                                 : slot % 5 == 3 ? QString("Cannot write file \"btn%1.png\". "
                                                           "Disk full")
                                                       .arg(slot)
                                                 : QString();
        QCOMPARE(ErrorText::messageWithPath(outcome.failure), expected);
    }
}

QTEST_GUILESS_MAIN(tst_ImageEncoderPool)
#include "tst_ImageEncoderPool.moc"
