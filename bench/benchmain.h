#pragma once

#include "ui/guard.h"

#include <benchmark/benchmark.h>

// The benchmarks' main: an offscreen application (windows and printing need one), then the runs.
#define WARDBOOK_BENCHMARK_MAIN()                                                                            \
    int main(int argc, char** argv) {                                                                        \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                             \
        wb::ui::Application app(argc, argv);                                                                 \
        benchmark::Initialize(&argc, argv);                                                                  \
        benchmark::RunSpecifiedBenchmarks();                                                                 \
        benchmark::Shutdown();                                                                               \
        return 0;                                                                                            \
    }
