#pragma once

#include <benchmark/benchmark.h>

namespace wbbench {

// "VmHWM" (peak) or "VmRSS" (now) of this process, in MiB.
double memoryMiB(const char* field);

// The counters peak_MiB and now_MiB of a run.
void memoryCounters(benchmark::State& state);

} // namespace wbbench
