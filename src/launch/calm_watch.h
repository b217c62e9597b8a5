// Whether the system has calmed down: total CPU use under the threshold at the last ticks in a row,
// or at every tick since the walk began, so that a calm system lets the first launches go at their
// own ticks. One busy or unknown sample starts the count again.
#pragma once
#include <optional>

namespace lentora {

class CalmWatch {
public:
    // Calm ticks in a row that let a held launch go: one could be a lull between two bursts.
    static constexpr int kCalmTicks = 2;

    // The walk begins, with a fresh reading of the sampler to measure its first tick from.
    void Restart() {
        calmTicks_ = 0;
        calmSinceStart_ = true;
    }
    void Sample(std::optional<int> busyPercent, int thresholdPercent) {
        const bool calm = busyPercent && *busyPercent < thresholdPercent;
        calmTicks_ = calm ? calmTicks_ + 1 : 0;
        calmSinceStart_ = calmSinceStart_ && calm;
    }
    // A tick passed unsampled (or the walk paused): the samples are no longer in a row.
    void Forget() {
        calmTicks_ = 0;
        calmSinceStart_ = false;
    }
    bool Calm() const { return calmTicks_ >= kCalmTicks || (calmSinceStart_ && calmTicks_ > 0); }

private:
    int calmTicks_ = 0;
    bool calmSinceStart_ = false;
};

}  // namespace lentora
