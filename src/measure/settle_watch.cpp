#include "measure/settle_watch.h"

#include <algorithm>

namespace lentora {
namespace {

constexpr int kCalmTicksNeeded = 2;

}  // namespace

void SettleWatch::Launched(size_t launch, double second) {
    // A new launch closes the windows of the ones before it that are still busy: from here the
    // machine's time is the newcomer's.
    for (Watched& watched : launches_) watched.attributing = false;
    // Launches that failed are never watched.
    Watched notWatched;
    notWatched.result.done = true;
    if (launches_.size() <= launch) launches_.resize(launch + 1, notWatched);
    launches_[launch] = Watched{};
    launches_[launch].launchedAt = second;
}

void SettleWatch::OnTick(const Tick& tick, const std::function<std::optional<double>(size_t)>& programCpu) {
    for (size_t i = 0; i < launches_.size(); ++i) {
        Watched& watched = launches_[i];
        if (watched.result.done) continue;
        bool calm = tick.machinePercent < calmPercent_;
        const std::optional<double> cpu = programCpu(i);
        if (cpu && watched.lastProgramCpu)
            calm = calm && (*cpu - *watched.lastProgramCpu) / tick.seconds * 100 < calmPercent_;
        if (cpu) watched.lastProgramCpu = cpu;

        const double share = watched.attributing ? tick.machineBusySeconds : 0;
        if (calm) {
            if (watched.calmTicks++ == 0) watched.firstCalmSecond = tick.second - tick.seconds;
            watched.calmShare += share;
        } else {
            watched.calmTicks = 0;
            watched.result.machineShareSeconds += watched.calmShare + share;
            watched.calmShare = 0;
        }
        if (watched.calmTicks >= kCalmTicksNeeded) {
            watched.result.done = true;
            watched.result.settledAfterSeconds = std::max(watched.firstCalmSecond - watched.launchedAt, 0.0);
        } else if (tick.second - watched.launchedAt >= windowSeconds_) {
            watched.result.done = true;
            watched.result.machineShareSeconds += watched.calmShare;
        }
    }
}

bool SettleWatch::Watching() const {
    return std::any_of(launches_.begin(), launches_.end(), [](const Watched& w) { return !w.result.done; });
}

}  // namespace lentora
