#include "measure/measured_line.h"

#include <cmath>
#include <cstdio>

#include "util/format.h"

namespace lentora {
namespace {

constexpr wchar_t kUnknown[] = L"unknown";

std::wstring Megabytes(const std::optional<std::uint64_t>& bytes) {
    return bytes ? OneDecimal(static_cast<double>(*bytes) / 1e6) + L" MB" : kUnknown;
}

std::wstring Cpu(const MeasuredLaunch& launch) {
    if (!launch.cpuSeconds) return kUnknown;
    std::wstring text = OneDecimal(*launch.cpuSeconds) + L" s";
    if (launch.cpuSource == CpuSource::MachineShare) text += L" (the machine's)";
    return text;
}

std::wstring ReadyText(const MeasuredLaunch& launch) {
    switch (launch.readiness) {
        case Readiness::Ready: return L"ready after " + OneDecimal(launch.readyAfterSeconds.value_or(0)) + L" s";
        case Readiness::NoWindow: return L"no window";
        case Readiness::NotReady: return L"not ready within the measuring time";
        case Readiness::Unknown: break;
    }
    return L"ready unknown";
}

}  // namespace

// A point whatever the user's regional settings: the log is read across machines.
std::wstring OneDecimal(double value) {
    wchar_t buffer[32];
    std::swprintf(buffer, std::size(buffer), L"%.1f", std::round(value * 10) / 10);
    return buffer;
}

std::wstring MeasuredLogLine(const MeasuredLaunch& launch) {
    return FormatText(L"Measured \"%s\": CPU %s, read %s, written %s, %s",
                      {launch.commandLine, Cpu(launch), Megabytes(launch.bytesRead), Megabytes(launch.bytesWritten),
                       ReadyText(launch)});
}

}  // namespace lentora
