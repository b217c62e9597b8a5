// The cost of the one CPU sample a tick that the wait for a calm system takes, beside the bare
// GetSystemTimes call it is made of, in the same process, alternating.
//   cpu_sample_bench [rounds] [samples per round]
// Prints the median time of one sample and of one bare call.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench_timing.h"
#include "sysint/cpu_load_sampler.h"

namespace {

using bench::Median;
using bench::Now;

// Keeps the compiler from dropping calls whose results are unused.
volatile long long g_sink = 0;

double SamplerMicroseconds(lentora::CpuLoadSampler& sampler, int repeats) {
    const double start = Now();
    for (int i = 0; i < repeats; ++i) g_sink = g_sink + sampler.BusyPercent().value_or(-1);
    return (Now() - start) * 1e6 / repeats;
}

double BareMicroseconds(int repeats) {
    const double start = Now();
    for (int i = 0; i < repeats; ++i) {
        FILETIME idle, kernel, user;
        g_sink = g_sink + GetSystemTimes(&idle, &kernel, &user) + idle.dwLowDateTime;
    }
    return (Now() - start) * 1e6 / repeats;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 15;
    const int repeats = argc > 2 ? std::max(1, _wtoi(argv[2])) : 200;
    lentora::CpuLoadSampler sampler;
    SamplerMicroseconds(sampler, repeats / 10 + 1);  // warm-up of both
    BareMicroseconds(repeats / 10 + 1);
    std::vector<double> ours, bare;
    for (int r = 0; r < rounds; ++r) {
        ours.push_back(SamplerMicroseconds(sampler, repeats));
        bare.push_back(BareMicroseconds(repeats));
    }
    const double o = Median(ours), b = Median(bare);
    // Once a tick: 60 samples a minute.
    std::printf("one CPU sample: %.1f us (bare GetSystemTimes %.1f us); once a tick that is %.2f ms of CPU a minute, "
                "%.4f %% of one core\n",
                o, b, o * 60 / 1000, o * 60 / 1e6 / 60 * 100);
    return 0;
}
