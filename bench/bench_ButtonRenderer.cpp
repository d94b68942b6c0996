#include "BenchMain.h"
#include "ButtonRenderer.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {
// Renders the Normal and Selected image of one caption per iteration, as a mouse-over run does.
void renderPairs(benchmark::State& state, const ButtonProject& project,
                 const BackgroundPictures& pictures, const QString& caption)
{
    TextOffsetOptions offsets;
    ButtonSizeTables sizes;
    ButtonRenderer renderer(project, pictures, offsets, sizes);
    for (auto _ : state) {
        QImage normal = renderer.render(ButtonState::Normal, 1, caption);
        QImage selected = renderer.render(ButtonState::Selected, 1, caption);
        benchmark::DoNotOptimize(normal.constBits());
        benchmark::DoNotOptimize(selected.constBits());
    }
    state.SetItemsProcessed(state.iterations() * 2);
}

// The default 120 x 32 project.
void BM_RenderNormalAndSelected(benchmark::State& state)
{
    renderPairs(state, ButtonProject(), BackgroundPictures(), QStringLiteral("Products"));
}
BENCHMARK(BM_RenderNormalAndSelected);

// A two-line caption with a shadow over a picture, the costliest usual case.
void BM_RenderTwoLinesShadowPicture(benchmark::State& state)
{
    ButtonProject project;
    BackgroundPictures pictures;
    for (ButtonStateStyle* style : {&project.normal, &project.selected}) {
        style->backgroundKind = BackgroundKind::Predefined;
        style->dropShadow = true;
    }
    QImage picture(120, 32, QImage::Format_RGB32);
    picture.fill(0xFF336699);
    pictures.setPredefined(ButtonState::Normal, picture);
    pictures.setPredefined(ButtonState::Selected, picture);
    renderPairs(state, project, pictures, QStringLiteral("Our|Products"));
}
BENCHMARK(BM_RenderTwoLinesShadowPicture);
} // namespace

BRINDLEWICK_BENCHMARK_MAIN()
