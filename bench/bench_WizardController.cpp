#include "BenchMain.h"
#include "QuietPlatformServices.h"
#include "WizardController.h"

#include <benchmark/benchmark.h>

namespace {

// A project with a two-line caption, all three states over a built-in picture.
void prepare(WizardController& wizard, QuietPlatformServices& platform)
{
    wizard.start();
    platform.nextText = QStringLiteral("Products|and Services");
    wizard.captions().addCaption();
    wizard.set(&ButtonProject::javaScriptOption, JavaScriptOption::Both);
    for (ButtonState state : {ButtonState::Normal, ButtonState::Selected, ButtonState::Pressed})
        wizard.styles().setPredefinedIndex(state, 84);
}

// Next from the Normal page to its options and back again: the check, the first-pass copy
// and the entry action, which reloads the picture for the sample.
void BM_PageChange(benchmark::State& state)
{
    QuietPlatformServices platform;
    WizardController wizard(platform);
    prepare(wizard, platform);
    for (auto _ : state) {
        wizard.showPage(WizardController::NormalButton);
        wizard.next();
        benchmark::DoNotOptimize(wizard.styles().backgroundSample(ButtonState::Normal).constBits());
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_PageChange)->Unit(benchmark::kMicrosecond);

// One update of the live preview after a change that keeps the fonts.
void BM_LivePreviewUpdate(benchmark::State& state)
{
    QuietPlatformServices platform;
    WizardController wizard(platform);
    prepare(wizard, platform);
    bool border = false;
    for (auto _ : state) {
        border = !border;
        wizard.styles().set(ButtonState::Normal, &ButtonStateStyle::borderEffect,
                            border ? BorderEffect::BlackBorder : BorderEffect::Bevel3D);
        const QList<QImage> buttons = wizard.preview().buttons(0);
        benchmark::DoNotOptimize(buttons.constData());
    }
}
BENCHMARK(BM_LivePreviewUpdate)->Unit(benchmark::kMicrosecond);

// The same after a font change, so the fonts are made again.
void BM_LivePreviewUpdateNewFont(benchmark::State& state)
{
    QuietPlatformServices platform;
    WizardController wizard(platform);
    prepare(wizard, platform);
    int size = 10;
    for (auto _ : state) {
        size = size == 10 ? 11 : 10;
        PlatformServices::FontAttributes font = wizard.project().normal;
        font.fontSize = size;
        platform.nextFont = font;
        wizard.styles().chooseFont(ButtonState::Normal);
        const QList<QImage> buttons = wizard.preview().buttons(0);
        benchmark::DoNotOptimize(buttons.constData());
    }
}
BENCHMARK(BM_LivePreviewUpdateNewFont)->Unit(benchmark::kMicrosecond);

// Which of 2,000 captions their buttons cut, measured anew after a change: what the Generate
// page and the live preview's list spend before they show.
void BM_CutCaptions2000(benchmark::State& state)
{
    QuietPlatformServices platform;
    WizardController wizard(platform);
    prepare(wizard, platform);
    for (int n = 1; n < 2000; ++n) {
        platform.nextText = QStringLiteral("Caption|number %1").arg(n);
        wizard.captions().addCaption();
    }
    bool border = false;
    for (auto _ : state) {
        border = !border;
        wizard.styles().set(ButtonState::Normal, &ButtonStateStyle::borderEffect,
                            border ? BorderEffect::BlackBorder : BorderEffect::Bevel3D);
        benchmark::DoNotOptimize(wizard.preview().cutCaptions().size());
    }
}
BENCHMARK(BM_CutCaptions2000)->Unit(benchmark::kMillisecond);

} // namespace

BRINDLEWICK_BENCHMARK_MAIN();
