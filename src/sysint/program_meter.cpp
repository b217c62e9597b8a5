#include "sysint/program_meter.h"

#include <psapi.h>

namespace lentora {
namespace {

double Seconds(LARGE_INTEGER hundredNanoseconds) { return static_cast<double>(hundredNanoseconds.QuadPart) / 1e7; }

double Seconds(FILETIME time) {
    return static_cast<double>((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 1e7;
}

ui::KernelHandle Duplicate(HANDLE process) {
    HANDLE copy = nullptr;
    // The launcher's own rights: the memory figure also needs the right to read the process.
    if (!DuplicateHandle(GetCurrentProcess(), process, GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS))
        return {};
    return ui::KernelHandle(copy);
}

// Wine answers for another process's times and I/O with near-zero figures instead of refusing
// (0.01 s for a program that burnt 2 s): they would pass for a real, tiny cost.
bool OtherProcessesCountedFalsely() {
    static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

}  // namespace

std::optional<ProgramMeter> ProgramMeter::ForSuspendedProcess(HANDLE process) {
    ui::KernelHandle job(CreateJobObjectW(nullptr, nullptr));
    bool inJob = false;
    if (job) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_BREAKAWAY_OK;
        inJob = SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof(limits)) &&
                AssignProcessToJobObject(job.get(), process);
    }
    ui::KernelHandle copy = Duplicate(process);
    if (!inJob || !copy) return std::nullopt;
    return ProgramMeter(std::move(job), std::move(copy));
}

std::optional<ProgramMeter> ProgramMeter::ForProcess(HANDLE process) {
    if (OtherProcessesCountedFalsely()) return std::nullopt;
    ui::KernelHandle copy = Duplicate(process);
    if (!copy) return std::nullopt;
    return ProgramMeter({}, std::move(copy));
}

MeterReading ProgramMeter::Read() const {
    MeterReading reading;
    if (job_) {
        JOBOBJECT_BASIC_AND_IO_ACCOUNTING_INFORMATION accounting{};
        if (QueryInformationJobObject(job_.get(), JobObjectBasicAndIoAccountingInformation, &accounting,
                                      sizeof(accounting), nullptr)) {
            reading.cpuSeconds = Seconds(accounting.BasicInfo.TotalUserTime) + Seconds(accounting.BasicInfo.TotalKernelTime);
            reading.bytesRead = accounting.IoInfo.ReadTransferCount;
            reading.bytesWritten = accounting.IoInfo.WriteTransferCount;
        }
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        if (QueryInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits, sizeof(limits), nullptr) &&
            limits.PeakJobMemoryUsed > 0)
            reading.peakPrivateBytes = limits.PeakJobMemoryUsed;
        return reading;
    }
    FILETIME created, exited, kernel, user;
    if (GetProcessTimes(process_.get(), &created, &exited, &kernel, &user)) reading.cpuSeconds = Seconds(kernel) + Seconds(user);
    IO_COUNTERS io{};
    if (GetProcessIoCounters(process_.get(), &io)) {
        reading.bytesRead = io.ReadTransferCount;
        reading.bytesWritten = io.WriteTransferCount;
    }
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    if (GetProcessMemoryInfo(process_.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory)) &&
        memory.PeakPagefileUsage > 0)
        reading.peakPrivateBytes = memory.PeakPagefileUsage;
    return reading;
}

}  // namespace lentora
