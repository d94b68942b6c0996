#pragma once

#include <QGuiApplication>
#include <benchmark/benchmark.h>

// Benchmarks render text, which needs a GUI application but no screen; those of windows name
// QApplication and include <QApplication> themselves.
#define BRINDLEWICK_BENCHMARK_MAIN() BRINDLEWICK_BENCHMARK_MAIN_WITH(QGuiApplication)
#define BRINDLEWICK_WIDGET_BENCHMARK_MAIN() BRINDLEWICK_BENCHMARK_MAIN_WITH(QApplication)
#define BRINDLEWICK_BENCHMARK_MAIN_WITH(Application)                                               \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                        \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                               \
        Application app(argc, argv);                                                               \
        benchmark::Initialize(&argc, argv);                                                        \
        if (benchmark::ReportUnrecognizedArguments(argc, argv))                                    \
            return 1;                                                                              \
        benchmark::RunSpecifiedBenchmarks();                                                       \
        benchmark::Shutdown();                                                                     \
        return 0;                                                                                  \
    }
