// A whole generation run of 200 captions with option Both (600 images, 1,800 files, the page
// and the project copy) into a folder on /dev/shm, also with the smooth, double-size and
// keyboard options on (twice the images), beside the floor that encoding alone sets:
// the same 600 bitmaps, rendered beforehand, through ImageFileWriter on one thread into the
// same kind of folder; and the sample page alone. (bench_ImageCodecs has a floor of its own over
// synthetic bitmaps.)
#include "BenchMain.h"
#include "ButtonRenderer.h"
#include "GenerationRun.h"
#include "ImageFileWriter.h"
#include "OutputNaming.h"
#include "SamplePageWriter.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int captionCount = 200;

ButtonProject benchProject(const QString& directory)
{
    ButtonProject project;
    for (int n = 1; n <= captionCount; ++n)
        project.captions << QStringLiteral("Button %1").arg(n);
    project.javaScriptOption = JavaScriptOption::Both;
    project.outputDirectory = directory;
    for (const ButtonState state :
         {ButtonState::Normal, ButtonState::Selected, ButtonState::Pressed})
        project.style(state).fontName = QStringLiteral("DejaVu Sans");
    return project;
}

QString shmFolder()
{
    return QStringLiteral("/dev/shm/brindlewick-bench-XXXXXX");
}

void runGeneration(benchmark::State& state, bool allOptions)
{
    QTemporaryDir dir(shmFolder());
    ButtonProject project = benchProject(dir.path());
    project.smoothCaptions = allOptions;
    project.hiDpiImages = allOptions;
    project.keyboardRollovers = allOptions;
    const int images = 3 * captionCount * (allOptions ? 2 : 1);
    BackgroundPictures pictures;
    OptionSets options;
    ButtonSizeTables sizes;
    for (auto _ : state) {
        // Into an empty folder each time: a run over its own files leaves them alone.
        state.PauseTiming();
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        state.ResumeTiming();
        GenerationRun run(project, pictures, options, sizes);
        run.setEncoderThreads(int(state.range(0)));
        const GenerationResult result = run.run();
        if (!result.everythingWritten() || result.filesWritten != 3 * images + 2) {
            state.SkipWithError("the run did not write every file");
            break;
        }
    }
    state.counters["images/s"] = benchmark::Counter(double(images) * double(state.iterations()),
                                                    benchmark::Counter::kIsRate);
}

void BM_GenerationRun(benchmark::State& state)
{
    runGeneration(state, false);
}
void BM_GenerationRunAllOptions(benchmark::State& state)
{
    runGeneration(state, true);
}
// Argument: encoder threads; 1 is the plain sequential run, 2 uses both cores.
BENCHMARK(BM_GenerationRun)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GenerationRunAllOptions)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_EncodeOnlyFloor(benchmark::State& state)
{
    QTemporaryDir dir(shmFolder());
    const ButtonProject project = benchProject(dir.path());
    BackgroundPictures pictures;
    OptionSets options;
    ButtonSizeTables sizes;
    ButtonRenderer renderer(project, pictures, options.text, sizes);
    QList<QImage> images;
    QList<QList<ImageFileWriter::Target>> files;
    for (int n = 1; n <= captionCount; ++n) {
        for (const ButtonState s :
             {ButtonState::Normal, ButtonState::Selected, ButtonState::Pressed}) {
            images << renderer.render(s, n, project.captions.at(n - 1));
            files << OutputNaming::imageFiles(project, n, s);
        }
    }
    ImageFileWriter writer(options.jpeg);
    for (auto _ : state) {
        for (int i = 0; i < images.size(); ++i) {
            if (!writer.write(images.at(i), files.at(i))) {
                state.SkipWithError("an image could not be written");
                return;
            }
        }
    }
    state.counters["images/s"] = benchmark::Counter(
        double(images.size()) * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_EncodeOnlyFloor)->Unit(benchmark::kMillisecond)->UseRealTime();

// The page alone: it is written after the last image, while nothing else runs. All but the
// first time its old copy holds the same bytes, which are checked rather than written.
void BM_SamplePage(benchmark::State& state)
{
    QTemporaryDir dir(shmFolder());
    ButtonProject project = benchProject(dir.path());
    project.hiDpiImages = state.range(0) != 0;
    ButtonSizeTables sizes;
    BackgroundPictures pictures;
    OptionSets options;
    ButtonRenderer renderer(project, pictures, options.text, sizes);
    for (int n = 1; n <= captionCount; ++n)
        renderer.render(ButtonState::Normal, n, project.captions.at(n - 1));
    SamplePageWriter page(project, sizes);
    for (auto _ : state) {
        if (page.write()) {
            state.SkipWithError("the page was not written");
            break;
        }
    }
}
// Argument: 1 with double-size images (srcset attributes).
BENCHMARK(BM_SamplePage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BRINDLEWICK_BENCHMARK_MAIN()
