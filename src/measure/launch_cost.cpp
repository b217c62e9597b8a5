#include "measure/launch_cost.h"

#include <algorithm>

#include "util/text.h"

namespace lentora {
namespace {

std::optional<double> Median(std::vector<double> values) {
    if (values.empty()) return std::nullopt;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

TypicalCost TypicalCostOf(const std::vector<StartRecord>& history, std::wstring_view commandLine,
                          double measuringWindowSeconds) {
    std::vector<double> cpu, disk, settled;
    TypicalCost cost;
    for (auto start = history.rbegin(); start != history.rend() && cost.starts < kTypicalCostStarts; ++start) {
        auto launch = std::find_if(start->launches.begin(), start->launches.end(), [&](const MeasuredLaunch& l) {
            return l.outcome == LaunchOutcome::Started && SameTextNoCase(l.commandLine, commandLine);
        });
        if (launch == start->launches.end()) continue;
        ++cost.starts;
        if (launch->cpuSeconds) cpu.push_back(*launch->cpuSeconds);
        if (launch->bytesRead && launch->bytesWritten)
            disk.push_back(static_cast<double>(*launch->bytesRead) + static_cast<double>(*launch->bytesWritten));
        settled.push_back(launch->settledAfterSeconds.value_or(measuringWindowSeconds));
    }
    cost.cpuSeconds = Median(std::move(cpu));
    cost.diskBytes = Median(std::move(disk));
    cost.settledAfterSeconds = Median(std::move(settled));
    return cost;
}

Impact ImpactOf(const TypicalCost& cost) {
    if (!cost.cpuSeconds && !cost.diskBytes) return Impact::Unmeasured;
    const double cpu = cost.cpuSeconds.value_or(0), disk = cost.diskBytes.value_or(0);
    if (cpu > 1.0 || disk > 3e6) return Impact::High;
    if (cpu > 0.3 || disk > 3e5) return Impact::Medium;
    return Impact::Low;
}

}  // namespace lentora
