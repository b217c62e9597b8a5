// Starts one program, waits for the line that marks its start-up as done, and records how long that
// took and how much private memory the program holds while it then waits.
// Usage: footprint_probe.exe <results file> <label> <moment file> <marker> <exe> [args...]
// The moment file is deleted first; the marker line must begin with a "[... hh:nn:ss.zzz]" stamp
// of the local time, which is compared with the local time just before the process was created.
// Appends "<label> <start-up ms> <private KiB> <working set KiB>" to the results file, or
// "<label> failed <reason>" when the marker never came.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <optional>
#include <string>

namespace {

constexpr DWORD kMarkerTimeoutMs = 30000;
constexpr DWORD kSettleMs = 500;  // memory is read this long after the marker, once start-up work has ended
constexpr DWORD kExitTimeoutMs = 20000;
constexpr long long kDayMs = 24LL * 3600 * 1000;

struct Handle {
    HANDLE h = nullptr;
    ~Handle() {
        if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};

long long MsOfDay(const SYSTEMTIME& t) {
    return ((t.wHour * 60LL + t.wMinute) * 60 + t.wSecond) * 1000 + t.wMilliseconds;
}

std::string ReadShared(const std::wstring& path) {
    Handle file{CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.h == INVALID_HANDLE_VALUE) return {};
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file.h, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    return bytes;
}

// The time of day in ms of the stamp "[... hh:nn:ss.zzz]" that starts the line holding `marker`.
std::optional<long long> MarkerStamp(const std::string& log, const std::string& marker) {
    size_t at = log.find(marker);
    if (at == std::string::npos) return std::nullopt;
    size_t lineStart = log.rfind('\n', at);
    lineStart = lineStart == std::string::npos ? 0 : lineStart + 1;
    size_t close = log.find(']', lineStart);
    if (close == std::string::npos || close > at || close < lineStart + 12) return std::nullopt;
    unsigned h = 0, m = 0, s = 0, ms = 0;
    if (std::sscanf(log.c_str() + close - 12, "%2u%*c%2u%*c%2u%*c%3u", &h, &m, &s, &ms) != 4) return std::nullopt;
    return ((h * 60LL + m) * 60 + s) * 1000 + ms;
}

std::wstring Quoted(const std::wstring& arg) { return L"\"" + arg + L"\""; }

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

void AppendResult(const std::wstring& path, const std::string& line) {
    Handle file{CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr)};
    if (file.h == INVALID_HANDLE_VALUE) return;
    std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(file.h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 6) {
        std::fprintf(stderr, "usage: footprint_probe <results> <label> <moment file> <marker> <exe> [args...]\n");
        return 2;
    }
    const std::wstring results = argv[1], momentFile = argv[3];
    const std::string label = Narrow(argv[2]), marker = Narrow(argv[4]);
    std::wstring commandLine = Quoted(argv[5]);
    for (int i = 6; i < argc; ++i) commandLine += L" " + Quoted(argv[i]);
    DeleteFileW(momentFile.c_str());

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    SYSTEMTIME before;
    GetLocalTime(&before);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        AppendResult(results, label + " failed start");
        return 1;
    }
    Handle child{process.hProcess}, thread{process.hThread};

    std::optional<long long> stamp;
    for (ULONGLONG end = GetTickCount64() + kMarkerTimeoutMs; !stamp && GetTickCount64() < end;) {
        stamp = MarkerStamp(ReadShared(momentFile), marker);
        if (!stamp) Sleep(2);
    }
    if (!stamp) {
        TerminateProcess(child.h, 1);
        AppendResult(results, label + " failed marker");
        return 1;
    }
    Sleep(kSettleMs);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    bool measured = GetProcessMemoryInfo(child.h, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    if (WaitForSingleObject(child.h, kExitTimeoutMs) != WAIT_OBJECT_0) TerminateProcess(child.h, 1);
    if (!measured) {
        AppendResult(results, label + " failed memory");
        return 1;
    }
    long long startupMs = (*stamp - MsOfDay(before) + kDayMs) % kDayMs;
    char line[160];
    std::snprintf(line, sizeof line, "%s %lld %llu %llu", label.c_str(), startupMs,
                  static_cast<unsigned long long>(memory.PrivateUsage / 1024),
                  static_cast<unsigned long long>(memory.WorkingSetSize / 1024));
    AppendResult(results, line);
    return 0;
}
