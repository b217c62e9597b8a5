// How busy the system drive was between one reading and the next, from the disk's own counters.
// Opening the drive for no access needs no rights; a system that keeps no such counters (Wine)
// answers nothing.
#pragma once
#include <cstdint>
#include <optional>

#include "ui/handles.h"

namespace lentora {

class DiskBusySampler {
public:
    // Opens the drive Windows runs from and takes the first reading.
    DiskBusySampler();

    // Whether the system gives the drive's counters at all.
    bool Available() const { return static_cast<bool>(drive_); }
    // The share of the time since the previous reading that the drive was busy, in percent; none
    // when the reading failed or no time has passed.
    std::optional<int> Take();

private:
    struct Times {
        std::int64_t idle = 0, query = 0;  // 100 ns units
    };
    std::optional<Times> Read() const;

    ui::KernelHandle drive_;
    std::optional<Times> last_;
};

}  // namespace lentora
