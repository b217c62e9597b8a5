#include "app/walk_sources.h"

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

std::optional<int> WalkSources::CpuBusyPercent() { return cpuLoad_.BusyPercent(); }

}  // namespace lentora
