// What a program typically costs at a start, from the history: the median of its last measured
// starts, and the impact class the task list shows for it.
#pragma once
#include <optional>
#include <string_view>
#include <vector>

#include "measure/start_record.h"

namespace lentora {

// The starts a typical cost looks back on: enough that one slow log-on does not decide, few enough
// that an updated program's new cost shows soon.
inline constexpr size_t kTypicalCostStarts = 5;

struct TypicalCost {
    size_t starts = 0;  // the measured starts the medians come from; 0: never measured
    std::optional<double> cpuSeconds;
    std::optional<double> diskBytes;  // read and written
    // Until it settled; a start in which it never did counts as the whole measuring window.
    std::optional<double> settledAfterSeconds;
};

// The medians over the last kTypicalCostStarts starts that started `commandLine` (letter case aside),
// each figure over the starts that have it. `measuringWindowSeconds` stands for a start in which the
// program never settled.
TypicalCost TypicalCostOf(const std::vector<StartRecord>& history, std::wstring_view commandLine,
                          double measuringWindowSeconds);

// Task Manager's bounds: High above 1 s of CPU or 3 MB of disk input and output, Medium above
// 0.3 s or 300 KB, else Low. A figure that is unknown does not count; both unknown: Unmeasured.
enum class Impact { Unmeasured, Low, Medium, High };
Impact ImpactOf(const TypicalCost& cost);

}  // namespace lentora
