// When each launched program has settled, tick by tick: its own CPU use (of one core: a program
// spinning one core of eight is not settled), where the system gives it, and the machine's are both
// back under the calm threshold for two ticks in a row; it settled when the first of them began. Where the system
// gives no figure per program, the machine's CPU time over the launch's window (from the launch
// until it settles or the next launch, whichever comes first) stands for the program's.
#pragma once
#include <functional>
#include <optional>
#include <vector>

namespace lentora {

class SettleWatch {
public:
    // `calmPercent`: the calm threshold, as for the wait for a calm system; `windowSeconds`: how long
    // a launch is watched at most.
    SettleWatch(int calmPercent, double windowSeconds) : calmPercent_(calmPercent), windowSeconds_(windowSeconds) {}

    // Launch number `launch` (0, 1, ... in launch order) happened at `second` of the walk.
    void Launched(size_t launch, double second);

    struct Tick {
        double second = 0;              // of the walk, at the tick's end
        double seconds = 1;             // the tick's length
        int machinePercent = 0;         // the machine's CPU use over the tick
        double machineBusySeconds = 0;  // the same as CPU time, all cores together
    };
    // `programCpu(launch)`: the program's CPU seconds so far (it and the processes it started); none
    // where the system gives no figure.
    void OnTick(const Tick& tick, const std::function<std::optional<double>(size_t launch)>& programCpu);

    // Some launch is still watched: the walk's clock must keep ticking for it.
    bool Watching() const;

    struct Result {
        bool done = false;                        // settled, or its window is over
        std::optional<double> settledAfterSeconds;  // none: not settled within the window
        double machineShareSeconds = 0;           // the machine's CPU time over its window
    };
    const Result& ResultOf(size_t launch) const { return launches_.at(launch).result; }

private:
    struct Watched {
        double launchedAt = 0;
        bool attributing = true;  // its window for the machine's share is open
        int calmTicks = 0;
        double firstCalmSecond = 0;
        double calmShare = 0;  // the machine's time over the calm ticks: not the program's if it settles
        std::optional<double> lastProgramCpu;
        Result result;
    };

    int calmPercent_;
    double windowSeconds_;
    std::vector<Watched> launches_;
};

}  // namespace lentora
