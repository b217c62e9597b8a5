// Whether the system has calmed down: total CPU use under the threshold at the last ticks in a row.
// One busy or unknown sample starts the count again.
#pragma once
#include <optional>

namespace lentora {

class CalmWatch {
public:
    // Calm ticks in a row that let a held launch go: one could be a lull between two bursts.
    static constexpr int kCalmTicks = 2;

    void Sample(std::optional<int> busyPercent, int thresholdPercent) {
        calmTicks_ = busyPercent && *busyPercent < thresholdPercent ? calmTicks_ + 1 : 0;
    }
    // A tick passed unsampled (or the walk paused): the samples are no longer in a row.
    void Forget() { calmTicks_ = 0; }
    bool Calm() const { return calmTicks_ >= kCalmTicks; }

private:
    int calmTicks_ = 0;
};

}  // namespace lentora
