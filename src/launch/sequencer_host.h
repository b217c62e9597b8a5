// What the launch sequencer reads and starts: the options as shown, the task rows, the launcher and
// the CPU load.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "launch/walk_observer.h"
#include "tasks/task.h"

namespace lentora {

// One task row as the sequencer reads it. The view stays valid until the host's rows change.
struct SequencerRow {
    std::wstring_view commandLine;
    std::optional<std::int32_t> delaySec;  // none when the row's delay is no whole number
    bool enabled = false;
    TaskId task = 0;
};

// Waiting for a calm system before each launch, as the options hold it. A number is none when its
// field holds no whole number.
struct IdleWaitOptions {
    bool on = false;
    std::optional<std::int32_t> thresholdPercent;  // total CPU use below this counts as calm
    std::optional<std::int32_t> longestWaitSec;    // per held launch
};

class ISequencerHost {
public:
    virtual ~ISequencerHost() = default;

    // Options, read at the moment of use. A number is none when its field holds no whole number.
    virtual bool DelayOfStartOn() const = 0;
    virtual std::optional<std::int32_t> DelayOfStartSec() const = 0;
    virtual std::wstring DelayOfStartText() const = 0;  // as the field shows it, for the log
    virtual std::optional<std::int32_t> ExitTimeSec() const = 0;

    // Task rows in display order.
    virtual int RowCount() const = 0;
    virtual SequencerRow Row(int index) const = 0;

    // A launch that awaits consent ends later: the host then calls Sequencer::LaunchAnswered with `task`.
    virtual LaunchOutcome LaunchProgram(TaskId task, const std::wstring& commandLine) = 0;

    // Waiting for a calm system. A host without the option never holds a launch, so it is never
    // asked for a sample.
    virtual IdleWaitOptions IdleWait() const { return {}; }
    // Total CPU use in per cent since the previous call; none when it is not known (the first call).
    virtual std::optional<int> CpuBusyPercent() { return std::nullopt; }
};

}  // namespace lentora
