// What one walk cost: each launch with its measured figures, and the machine's load tick by tick.
// A figure the system did not give is absent, never 0.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "launch/walk_observer.h"
#include "util/platform.h"

namespace lentora {

// Where a launch's CPU figure comes from.
enum class CpuSource {
    Program,       // the program and the processes it started, as the system counts them
    MachineShare,  // the whole machine's CPU time over the task's window: the system gave no figure per program
};

// Whether the program came to wait for input, within the measuring window.
enum class Readiness {
    Unknown,   // not measured (a program started through the consent prompt, say)
    Ready,     // it waited for input after readyAfterSeconds
    NoWindow,  // it has no input to wait for
    NotReady,  // it did not come to wait for input within the window
};

struct MeasuredLaunch {
    std::wstring commandLine;
    std::int32_t delaySeconds = 0;      // the task's delay in this walk
    double launchedAfterSeconds = 0;    // from the walk's beginning
    LaunchOutcome outcome = LaunchOutcome::Started;
    std::optional<double> cpuSeconds;   // user and kernel time
    CpuSource cpuSource = CpuSource::Program;
    std::optional<std::uint64_t> bytesRead, bytesWritten, peakPrivateBytes;
    Readiness readiness = Readiness::Unknown;
    std::optional<double> readyAfterSeconds;  // with Readiness::Ready
    // Until its own CPU use and the machine's were back under the calm threshold; none when it did
    // not settle within the measuring window.
    std::optional<double> settledAfterSeconds;

    bool operator==(const MeasuredLaunch&) const = default;
};

enum class WalkOrigin { LogOn, Button };

struct StartRecord {
    platform::LocalTime began;
    WalkOrigin origin = WalkOrigin::LogOn;
    std::vector<MeasuredLaunch> launches;  // in the order they were launched
    // The machine's CPU use in percent, one sample a tick (a second) from the walk's beginning, and
    // the disk's busy share the same way; empty when the system gives none, kUnknownPercent for a
    // tick without a sample.
    static constexpr std::uint8_t kUnknownPercent = 255;
    std::vector<std::uint8_t> machineCpu, diskBusy;

    bool operator==(const StartRecord&) const = default;
};

}  // namespace lentora
