#pragma once

#include <QGuiApplication>
#include <benchmark/benchmark.h>

// Benchmarks render text, which needs a GUI application but no screen.
#define BRINDLEWICK_BENCHMARK_MAIN()                                                               \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                        \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                               \
        QGuiApplication app(argc, argv);                                                           \
        benchmark::Initialize(&argc, argv);                                                        \
        if (benchmark::ReportUnrecognizedArguments(argc, argv))                                    \
            return 1;                                                                              \
        benchmark::RunSpecifiedBenchmarks();                                                       \
        benchmark::Shutdown();                                                                     \
        return 0;                                                                                  \
    }
