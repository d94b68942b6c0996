#include "ProjectFileReader.h"
#include "ProjectFileWriter.h"

#include <benchmark/benchmark.h>

namespace {
// A project at the caption limit, as the generation run saves after every run.
ButtonProject fullProject()
{
    ButtonProject project;
    for (int i = 1; i <= 200; ++i)
        project.captions.append(QStringLiteral("Caption number %1|second line").arg(i));
    project.outputDirectory = QStringLiteral("/home/user/site/buttons/");
    return project;
}

void BM_WriteProjectBytes(benchmark::State& state)
{
    const ButtonProject project = fullProject();
    for (auto _ : state) {
        QByteArray bytes = ProjectFileWriter::toBytes(project);
        benchmark::DoNotOptimize(bytes.constData());
    }
}
BENCHMARK(BM_WriteProjectBytes);

void BM_ReadProjectBytes(benchmark::State& state)
{
    const QByteArray bytes = ProjectFileWriter::toBytes(fullProject());
    for (auto _ : state) {
        ButtonProject project;
        ProjectFileReader reader(project);
        Failure failure = reader.loadFromBytes(bytes);
        benchmark::DoNotOptimize(failure);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ReadProjectBytes);
} // namespace

BENCHMARK_MAIN();
