// Encoding cost of button images: each format alone (WebP too), the three through ImageFileWriter,
// and the floor of a whole generation run (600 images, 1,800 files). Files go to /dev/shm so the
// figures measure the encoders, not a disk. Each iteration writes the same bytes to the same
// name, which an unchanged file keeps: all but the first time the encoding and the check of the
// old bytes; BM_EncodeFloor writes new files.

#include "BenchMain.h"
#include "GifCodec.h"
#include "ImageFileWriter.h"
#include "JpegCodec.h"
#include "PngCodec.h"
#include "WebPCodec.h"

#include <QDir>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

// Looks like a rendered button: gradient, 3D border, caption with a shadow.
QImage renderedButton(int variant)
{
    QImage image(120, 32, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 0, 32);
    gradient.setColorAt(0, QColor::fromHsv((40 + variant * 7) % 360, 90, 255));
    gradient.setColorAt(1, QColor::fromHsv((40 + variant * 7) % 360, 200, 170));
    painter.fillRect(image.rect(), gradient);
    painter.setPen(Qt::white);
    painter.drawLine(0, 0, 119, 0);
    painter.drawLine(0, 0, 0, 31);
    painter.setPen(Qt::darkGray);
    painter.drawLine(119, 0, 119, 31);
    painter.drawLine(0, 31, 119, 31);
    QFont font(QStringLiteral("DejaVu Sans"), 11, QFont::Bold);
    painter.setFont(font);
    const QString caption = QStringLiteral("Button %1").arg(variant + 1);
    painter.setPen(QColor(60, 60, 60));
    painter.drawText(image.rect().translated(1, 1), Qt::AlignCenter, caption);
    painter.setPen(Qt::black);
    painter.drawText(image.rect(), Qt::AlignCenter, caption);
    return image;
}

// A button image's three files, as a run names them.
QList<ImageFileWriter::Target> threeFormats(const QString& stem)
{
    return {{ImageFileWriter::Format::Jpeg, stem + QStringLiteral(".jpg")},
            {ImageFileWriter::Format::Png, stem + QStringLiteral(".png")},
            {ImageFileWriter::Format::Gif, stem + QStringLiteral(".gif")}};
}

QString shmFolder()
{
    return QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/")
                                                     : QDir::tempPath() + '/';
}

void BM_EncodeJpeg(benchmark::State& state)
{
    QTemporaryDir dir(shmFolder() + QStringLiteral("bench_codecs-XXXXXX"));
    const QImage bitmap = renderedButton(0);
    const JpegFileOptions options;
    const QString path = dir.filePath(QStringLiteral("btn1.jpg"));
    for (auto _ : state) {
        if (JpegCodec::write(path, bitmap, options))
            state.SkipWithError("JPEG write failed");
    }
}
BENCHMARK(BM_EncodeJpeg);

void BM_EncodePng(benchmark::State& state)
{
    QTemporaryDir dir(shmFolder() + QStringLiteral("bench_codecs-XXXXXX"));
    const QImage bitmap = renderedButton(0);
    const QString path = dir.filePath(QStringLiteral("btn1.png"));
    for (auto _ : state) {
        if (PngCodec::writePng(path, bitmap))
            state.SkipWithError("PNG write failed");
    }
}
BENCHMARK(BM_EncodePng);

void BM_EncodeWebP(benchmark::State& state)
{
    QTemporaryDir dir(shmFolder() + QStringLiteral("bench_codecs-XXXXXX"));
    const QImage bitmap = renderedButton(0);
    const QString path = dir.filePath(QStringLiteral("btn1.webp"));
    for (auto _ : state) {
        if (WebPCodec::write(path, bitmap))
            state.SkipWithError("WebP write failed");
    }
}
BENCHMARK(BM_EncodeWebP);

void BM_EncodeGif(benchmark::State& state)
{
    QTemporaryDir dir(shmFolder() + QStringLiteral("bench_codecs-XXXXXX"));
    const QImage bitmap = renderedButton(0);
    const QString path = dir.filePath(QStringLiteral("btn1.gif"));
    for (auto _ : state) {
        if (GifCodec::write(path, bitmap))
            state.SkipWithError("GIF write failed");
    }
}
BENCHMARK(BM_EncodeGif);

void BM_WriteButtonImages(benchmark::State& state)
{
    QTemporaryDir dir(shmFolder() + QStringLiteral("bench_codecs-XXXXXX"));
    const QImage bitmap = renderedButton(0);
    const JpegFileOptions options;
    ImageFileWriter writer(options);
    const QList<ImageFileWriter::Target> files = threeFormats(dir.filePath(QStringLiteral("btn1")));
    for (auto _ : state) {
        if (!writer.write(bitmap, files))
            state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_WriteButtonImages);

// 600 slightly different buttons, 1,800 new files in a fresh folder per iteration.
void BM_EncodeFloor(benchmark::State& state)
{
    constexpr int count = 600;
    std::vector<QImage> bitmaps;
    std::vector<QString> names;
    bitmaps.reserve(count);
    for (int i = 0; i < count; ++i) {
        bitmaps.push_back(renderedButton(i));
        names.push_back(QStringLiteral("btn%1").arg(i + 1));
    }
    const JpegFileOptions options;
    ImageFileWriter writer(options);
    for (auto _ : state) {
        state.PauseTiming();
        auto dir =
            std::make_unique<QTemporaryDir>(shmFolder() + QStringLiteral("bench_floor-XXXXXX"));
        const QString base = dir->path() + '/';
        state.ResumeTiming();
        for (int i = 0; i < count; ++i) {
            if (!writer.write(bitmaps[i], threeFormats(base + names[i])))
                state.SkipWithError("write failed");
        }
        state.PauseTiming();
        dir.reset();
        state.ResumeTiming();
    }
    state.counters["files"] = 3 * count;
}
BENCHMARK(BM_EncodeFloor)->Unit(benchmark::kMillisecond);

} // namespace

BRINDLEWICK_BENCHMARK_MAIN()
