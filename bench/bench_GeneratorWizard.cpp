// The wizard window as the user meets it: a page change and a live-preview update, each with
// the widgets refreshed and painted.
#include "BenchMain.h"
#include "GeneratorWizard.h"
#include "LivePreviewWindow.h"
#include "QuietPlatformServices.h"
#include "WizardController.h"

#include <QAction>
#include <QApplication>
#include <QStackedWidget>
#include <benchmark/benchmark.h>

namespace {

// A two-line caption, all three states over a built-in picture.
void prepare(GeneratorWizard& wizard, QuietPlatformServices& platform)
{
    WizardController& c = wizard.controller();
    platform.nextText = QStringLiteral("Products|and Services");
    c.captions().addCaption();
    c.set(&ButtonProject::javaScriptOption, JavaScriptOption::Both);
    for (ButtonState state : {ButtonState::Normal, ButtonState::Selected, ButtonState::Pressed})
        c.styles().setPredefinedIndex(state, 84);
    wizard.show();
    QApplication::processEvents();
}

// Next from the Normal page to its options and back: check, copies, entry action, the
// page's refresh and a full repaint of the window each way.
void BM_WindowPageChange(benchmark::State& state)
{
    QuietPlatformServices platform;
    GeneratorWizard wizard(platform);
    prepare(wizard, platform);
    WizardController& c = wizard.controller();
    c.showPage(WizardController::NormalButton);
    for (auto _ : state) {
        c.next();
        wizard.repaint();
        c.previous();
        wizard.repaint();
    }
    state.SetItemsProcessed(state.iterations() * 2);
    state.counters["per_change"] = benchmark::Counter(
        double(state.iterations() * 2), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_WindowPageChange)->Unit(benchmark::kMillisecond);

// One change on the Normal options page with the live preview open: three buttons drawn
// again and the preview window painted.
void BM_WindowLivePreviewUpdate(benchmark::State& state)
{
    QuietPlatformServices platform;
    GeneratorWizard wizard(platform);
    prepare(wizard, platform);
    WizardController& c = wizard.controller();
    c.showPage(WizardController::NormalButtonOptions);
    wizard.livePreviewAction()->setChecked(true);
    QApplication::processEvents();
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        c.styles().set(ButtonState::Normal, &ButtonStateStyle::borderEffect,
                       flip ? BorderEffect::Bevel3D : BorderEffect::Bevel3DInset);
        wizard.livePreview()->repaint();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WindowLivePreviewUpdate)->Unit(benchmark::kMillisecond);

} // namespace

BRINDLEWICK_WIDGET_BENCHMARK_MAIN()
