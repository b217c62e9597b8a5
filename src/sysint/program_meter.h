// What a launched program costs, read from the system: through a job object that holds the program
// and every process it starts, or through the program's own process handle alone (one started
// through the consent prompt, which the program cannot put in a job). A figure the system does not
// give is absent: under Wine the job's accounting is refused, so a job meter reads nothing there,
// and no handle meter is made.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>

#include "ui/handles.h"

namespace lentora {

struct MeterReading {
    std::optional<double> cpuSeconds;  // user and kernel time
    std::optional<std::uint64_t> bytesRead, bytesWritten, peakPrivateBytes;
};

class ProgramMeter {
public:
    // Puts a process created suspended, which has run nothing yet, into a job of its own; the
    // caller then lets it run. The job neither ends its processes when the meter goes nor keeps a
    // process that asks to break away, so the program runs as if the shell had started it. Nothing
    // when the process cannot be put in a job.
    static std::optional<ProgramMeter> ForSuspendedProcess(HANDLE process);
    // Through a duplicate of the handle; the program's children are not counted. Nothing where the
    // system's figures for another process cannot be trusted (Wine).
    static std::optional<ProgramMeter> ForProcess(HANDLE process);

    MeterReading Read() const;

private:
    ProgramMeter(ui::KernelHandle job, ui::KernelHandle process) : job_(std::move(job)), process_(std::move(process)) {}

    ui::KernelHandle job_, process_;
};

}  // namespace lentora
