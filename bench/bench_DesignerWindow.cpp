// The designer as the user meets it: one style change with every caption's preview drawn again
// as far as it is in view, the window's controls refreshed and the preview painted.
#include "BenchMain.h"
#include "DesignerController.h"
#include "DesignerPreviewGrid.h"
#include "DesignerWindow.h"
#include "QuietPlatformServices.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

// state.range(0) captions, all three states over a built-in picture.
void BM_DesignerPreviewFollowsChange(benchmark::State& state)
{
    QuietPlatformServices platform;
    DesignerWindow window(platform);
    DesignerController& d = window.controller();
    for (int i = 0; i < state.range(0); ++i)
        d.captions().insertText(-1, QStringLiteral("Caption %1").arg(i));
    d.set(&ButtonProject::javaScriptOption, JavaScriptOption::Both);
    for (ButtonState s : {ButtonState::Normal, ButtonState::Selected, ButtonState::Pressed})
        d.styles().setPredefinedIndex(s, 84);
    window.resize(DesignerWindow::defaultSize);
    window.show();
    QApplication::processEvents();
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        d.styles().set(ButtonState::Normal, &ButtonStateStyle::borderEffect,
                       flip ? BorderEffect::Bevel3D : BorderEffect::Bevel3DInset);
        window.preview()->viewport()->repaint();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DesignerPreviewFollowsChange)->Arg(20)->Arg(2000)->Unit(benchmark::kMillisecond);

} // namespace

BRINDLEWICK_WIDGET_BENCHMARK_MAIN()
