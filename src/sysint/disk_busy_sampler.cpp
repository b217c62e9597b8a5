#include "sysint/disk_busy_sampler.h"

#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <string>
#include <utility>

namespace lentora {

DiskBusySampler::DiskBusySampler() {
    wchar_t windows[MAX_PATH] = {};
    if (GetSystemWindowsDirectoryW(windows, MAX_PATH) < 2 || windows[1] != L':') return;
    const std::wstring volume = std::wstring(L"\\\\.\\") + windows[0] + L":";
    const HANDLE drive =
        CreateFileW(volume.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (drive == INVALID_HANDLE_VALUE) return;
    drive_.reset(drive);
    last_ = Read();
    if (!last_) drive_.reset();
}

std::optional<DiskBusySampler::Times> DiskBusySampler::Read() const {
    DISK_PERFORMANCE performance{};
    DWORD returned = 0;
    if (!DeviceIoControl(drive_.get(), IOCTL_DISK_PERFORMANCE, nullptr, 0, &performance, sizeof(performance),
                         &returned, nullptr))
        return std::nullopt;
    return Times{performance.IdleTime.QuadPart, performance.QueryTime.QuadPart};
}

std::optional<int> DiskBusySampler::Take() {
    if (!drive_) return std::nullopt;
    const std::optional<Times> now = Read();
    if (!now) return std::nullopt;
    const std::optional<Times> before = std::exchange(last_, now);
    if (!before || now->query <= before->query) return std::nullopt;
    const double idle = static_cast<double>(now->idle - before->idle) / static_cast<double>(now->query - before->query);
    return std::clamp(static_cast<int>(100.0 * (1.0 - idle) + 0.5), 0, 100);
}

}  // namespace lentora
