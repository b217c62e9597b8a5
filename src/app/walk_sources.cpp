#include "app/walk_sources.h"

#include <windows.h>

#include "app/options_page.h"
#include "app/program_launcher.h"
#include "sysint/cpu_load_sampler.h"
#include "tasks/task_list.h"

namespace lentora {

bool WalkSources::DelayOfStartOn() const { return options_.Shown().delayOfStart; }
std::optional<std::int32_t> WalkSources::DelayOfStartSec() const { return options_.Shown().delayOfStartSeconds; }
std::wstring WalkSources::DelayOfStartText() const {
    const std::optional<int> seconds = options_.Shown().delayOfStartSeconds;
    return seconds ? std::to_wstring(*seconds) : L"";
}
std::optional<std::int32_t> WalkSources::ExitTimeSec() const { return options_.Shown().exitAfterSeconds; }

IdleWaitOptions IdleWaitOf(const Settings& options) {
    return {options.waitForIdle, options.idleThresholdPercent, options.idleWaitLimitSeconds};
}

IdleWaitOptions WalkSources::IdleWait() const { return IdleWaitOf(options_.Shown()); }

int WalkSources::RowCount() const { return static_cast<int>(tasks_.Count()); }

SequencerRow WalkSources::Row(int index) const {
    const Task& task = tasks_.Item(static_cast<size_t>(index));
    return SequencerRow{task.commandLine, task.delay.Seconds(), task.enabled, task.id};
}

LaunchOutcome WalkSources::LaunchProgram(TaskId task, const std::wstring& commandLine) {
    return launcher_.Launch(task, commandLine);
}

std::optional<int> WalkSources::CpuBusyPercent() {
    const auto sample = TickSample();
    return sample ? std::optional<int>(sample->percent) : std::nullopt;
}

std::optional<CpuLoadSampler::Sample> WalkSources::TickSample() {
    // Ticks are a second apart: two asks within half of one belong to the same tick.
    constexpr unsigned long long kSameTickMs = 500;
    const unsigned long long now = GetTickCount64();
    if (tickSampleTakenAt_ == 0 || now - tickSampleTakenAt_ >= kSameTickMs) {
        tickSample_ = cpuLoad_.Take();
        tickSampleTakenAt_ = now;
    }
    return tickSample_;
}

}  // namespace lentora
