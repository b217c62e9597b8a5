// What the walk reads and starts, in the program: the options as the Options page shows them (a
// change takes effect at once, saved or not), the task list, the launcher and the CPU load.
#pragma once
#include "launch/sequencer_host.h"
#include "sysint/cpu_load_sampler.h"

namespace lentora {

struct Settings;
class OptionsPage;
class ProgramLauncher;
class TaskList;

// The wait for a calm system as the options hold it.
IdleWaitOptions IdleWaitOf(const Settings& options);

class WalkSources : public ISequencerHost {
public:
    WalkSources(const OptionsPage& options, const TaskList& tasks, ProgramLauncher& launcher)
        : options_(options), tasks_(tasks), launcher_(launcher) {}

    bool DelayOfStartOn() const override;
    std::optional<std::int32_t> DelayOfStartSec() const override;
    std::wstring DelayOfStartText() const override;
    std::optional<std::int32_t> ExitTimeSec() const override;
    int RowCount() const override;
    SequencerRow Row(int index) const override;
    LaunchOutcome LaunchProgram(TaskId task, const std::wstring& commandLine) override;
    IdleWaitOptions IdleWait() const override;
    std::optional<int> CpuBusyPercent() override;
    // The machine's CPU over the last tick. Whoever asks first in a tick takes the sample; the
    // others of the same tick get the same one, so the wait for a calm system and the measuring
    // share one sample a tick.
    std::optional<CpuLoadSampler::Sample> TickSample();

private:
    const OptionsPage& options_;
    const TaskList& tasks_;
    ProgramLauncher& launcher_;
    CpuLoadSampler cpuLoad_;  // sampled only while a launch is due with the wait for a calm system on, or a walk is measured
    std::optional<CpuLoadSampler::Sample> tickSample_;
    unsigned long long tickSampleTakenAt_ = 0;
};

}  // namespace lentora
