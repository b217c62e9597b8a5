// Total CPU use of the machine, all processors together, between one reading and the next.
#pragma once
#include <cstdint>
#include <optional>

namespace lentora {

class CpuLoadSampler {
public:
    struct Sample {
        int percent = 0;          // of the time since the previous call that the processors were busy
        double busySeconds = 0;   // that busy time, all processors together
    };
    // None on the first call, when the system does not answer, and when no time has passed in between.
    std::optional<Sample> Take();
    std::optional<int> BusyPercent() {
        auto sample = Take();
        return sample ? std::optional<int>(sample->percent) : std::nullopt;
    }

private:
    struct Times {
        std::uint64_t idle = 0;
        std::uint64_t total = 0;  // kernel (which holds the idle time) and user
    };
    std::optional<Times> last_;
};

}  // namespace lentora
