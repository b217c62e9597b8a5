// Starts one program under Wine, waits for the line that marks its start-up as done, and records how
// long that took and how much private memory the program holds while it then waits.
// Usage: footprint_probe.exe <results file> <label> <moment file> <marker> <exe> [args...]
// The moment file is deleted first; its lines begin with a "[... hh:nn:ss.zzz]" stamp of the local
// time, which is compared with the local time just before the process was created.
// Appends "<label> <ms to the marker> <ms to the first line> <anonymous RSS KiB> <RSS KiB> <CPU ms
// to the marker>" to the results file, or "<label> failed <reason>". Wine reports no private usage for another process,
// so memory comes from the Linux side: /proc/<pid>/status of the Wine process that runs the exe.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwctype>
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

// The time of day in ms of the stamp "[... hh:nn:ss.zzz]" that starts the line at `lineStart`.
std::optional<long long> StampAt(const std::string& log, size_t lineStart) {
    size_t close = log.find(']', lineStart);
    size_t lineEnd = log.find('\n', lineStart);
    if (close == std::string::npos || close > lineEnd || close < lineStart + 12) return std::nullopt;
    unsigned h = 0, m = 0, s = 0, ms = 0;
    if (std::sscanf(log.c_str() + close - 12, "%2u%*c%2u%*c%2u%*c%3u", &h, &m, &s, &ms) != 4) return std::nullopt;
    return ((h * 60LL + m) * 60 + s) * 1000 + ms;
}

// The stamp of the line holding `marker`.
std::optional<long long> MarkerStamp(const std::string& log, const std::string& marker) {
    size_t at = log.find(marker);
    if (at == std::string::npos) return std::nullopt;
    size_t lineStart = log.rfind('\n', at);
    return StampAt(log, lineStart == std::string::npos ? 0 : lineStart + 1);
}

struct UnixMemory {
    unsigned long long anonKiB = 0, rssKiB = 0;
};

// A path in one form whichever way it is written: lower case, "/" separators, no drive "Z:".
std::wstring PathKey(std::wstring path) {
    for (wchar_t& c : path) c = c == L'\\' ? L'/' : static_cast<wchar_t>(std::towlower(c));
    return path.rfind(L"z:", 0) == 0 ? path.substr(2) : path;
}

// The /proc folder of the Linux process whose first argument is `exe` (Wine puts the path there).
std::optional<std::wstring> UnixProcessFolder(const std::wstring& exe) {
    WIN32_FIND_DATAW entry{};
    HANDLE find = FindFirstFileW(L"Z:\\proc\\*", &entry);
    if (find == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<std::wstring> found;
    do {
        if (!std::iswdigit(entry.cFileName[0])) continue;
        std::wstring folder = std::wstring(L"Z:\\proc\\") + entry.cFileName + L"\\";
        std::string cmdline = ReadShared(folder + L"cmdline");
        std::string first(cmdline.c_str());  // the first argument
        if (PathKey(std::wstring(first.begin(), first.end())) == PathKey(exe)) found = folder;
    } while (!found && FindNextFileW(find, &entry));
    FindClose(find);
    return found;
}

std::optional<UnixMemory> MemoryOf(const std::wstring& folder) {
    std::string status = ReadShared(folder + L"status");
    UnixMemory memory;
    for (const auto& [key, value] : {std::pair{"RssAnon:", &memory.anonKiB}, std::pair{"VmRSS:", &memory.rssKiB}}) {
        size_t at = status.find(key);
        if (at != std::string::npos) *value = std::strtoull(status.c_str() + at + std::strlen(key), nullptr, 10);
    }
    return memory.rssKiB > 0 ? std::optional<UnixMemory>(memory) : std::nullopt;
}

// User and system CPU time the process has used, in ms (the kernel counts in 10 ms ticks). Unlike
// the time to the marker it hardly depends on what else the machine is running.
std::optional<unsigned long long> CpuMsOf(const std::wstring& folder) {
    std::string stat = ReadShared(folder + L"stat");
    size_t close = stat.rfind(')');  // the name before it may hold blanks
    if (close == std::string::npos) return std::nullopt;
    unsigned long long user = 0, system = 0;
    // After the name: state, then fields 4 to 13, then utime and stime.
    if (std::sscanf(stat.c_str() + close + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &user,
                    &system) != 2)
        return std::nullopt;
    return (user + system) * 10;
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
    std::optional<long long> first = StampAt(ReadShared(momentFile), 0);
    std::optional<std::wstring> folder = UnixProcessFolder(argv[5]);
    std::optional<unsigned long long> cpuMs = folder ? CpuMsOf(*folder) : std::nullopt;
    Sleep(kSettleMs);
    std::optional<UnixMemory> memory = folder ? MemoryOf(*folder) : std::nullopt;
    if (WaitForSingleObject(child.h, kExitTimeoutMs) != WAIT_OBJECT_0) TerminateProcess(child.h, 1);
    if (!first || !cpuMs || !memory) {
        AppendResult(results, label + (!first ? " failed first line" : !cpuMs ? " failed cpu" : " failed memory"));
        return 1;
    }
    auto since = [&](long long stampMs) { return (stampMs - MsOfDay(before) + kDayMs) % kDayMs; };
    char line[160];
    std::snprintf(line, sizeof line, "%s %lld %lld %llu %llu %llu", label.c_str(), since(*stamp), since(*first),
                  memory->anonKiB, memory->rssKiB, *cpuMs);
    AppendResult(results, line);
    return 0;
}
