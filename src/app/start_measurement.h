// What one walk's launches cost, measured while it runs: each started program through its meter and
// its wait for input, the machine through one CPU and one disk sample a tick, and when each
// program settled. It
// ends in the walk's record for the history.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "measure/settle_watch.h"
#include "measure/start_record.h"
#include "sysint/cpu_load_sampler.h"
#include "sysint/disk_busy_sampler.h"
#include "sysint/input_idle_watch.h"
#include "sysint/program_meter.h"
#include "tasks/task.h"

namespace lentora {

class StartMeasurement {
public:
    // `calmPercent`: the calm threshold of the wait for a calm system; `windowSeconds`: how long a
    // launch is measured at most.
    StartMeasurement(WalkOrigin origin, const platform::LocalTime& began, int calmPercent, double windowSeconds);

    // A launch of the walk at `second` ended so (a launch that awaited consent ends a second time,
    // with the answer).
    void LaunchEnded(TaskId task, const std::wstring& commandLine, std::int32_t delaySeconds, double second,
                     LaunchOutcome outcome);
    // The process a launch started, from the launcher: created suspended (it is put in a job before
    // it runs) or already running.
    void ProcessStarted(TaskId task, HANDLE process, bool suspended);
    // The walk's tick that ends at `second`, with the machine's CPU sample over it.
    void OnTick(double second, const std::optional<CpuLoadSampler::Sample>& machine);
    // Some launch has neither settled nor reached the end of its window.
    bool Watching() const { return settle_.Watching(); }

    // The walk's record: every launch in launch order with what was measured so far.
    StartRecord Record() const;

private:
    struct Measured {
        TaskId task = 0;
        MeasuredLaunch launch;
        std::optional<size_t> watched;  // its number in the settle watch, once its process started
    };
    struct Started {
        std::optional<ProgramMeter> meter;
        std::unique_ptr<InputIdleWatch> ready;
    };

    Measured* Find(TaskId task);

    StartRecord record_;
    double windowSeconds_;
    SettleWatch settle_;
    std::optional<DiskBusySampler> disk_;  // from the first tick
    std::vector<Measured> launches_;
    std::map<TaskId, Started> processes_;  // started before their launch's outcome is told
    std::vector<Started> meters_;          // by settle-watch number
};

}  // namespace lentora
