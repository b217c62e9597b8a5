#include "sysint/cpu_load_sampler.h"

#include <windows.h>

#include <algorithm>

namespace lentora {
namespace {

std::uint64_t Ticks(const FILETIME& time) {
    return (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

}  // namespace

std::optional<CpuLoadSampler::Sample> CpuLoadSampler::Take() {
    FILETIME idle{}, kernel{}, user{};
    if (!GetSystemTimes(&idle, &kernel, &user)) return std::nullopt;
    const Times now{Ticks(idle), Ticks(kernel) + Ticks(user)};
    const std::optional<Times> before = last_;
    // Two calls within one update of the system's counters measure nothing; the next call then
    // measures from the earlier reading.
    if (before && now.total == before->total) return std::nullopt;
    last_ = now;
    // Counters that ran backwards would wrap the differences round.
    if (!before || now.total < before->total || now.idle < before->idle) return std::nullopt;
    const std::uint64_t total = now.total - before->total;
    const std::uint64_t idleTime = std::min(now.idle - before->idle, total);
    // The counters run in units of 100 ns.
    return Sample{static_cast<int>(((total - idleTime) * 100 + total / 2) / total),
                  static_cast<double>(total - idleTime) / 1e7};
}

}  // namespace lentora
