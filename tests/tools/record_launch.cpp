// Started in place of a user's program: appends one line about how it was started to a record
// file, then exits. The file is named by LENTORA_RECORD_FILE, else by the first argument (an
// argument holding "\" would move the launcher's working folder, so tests use the variable).
//
// Line (UTF-8, fields separated by tabs, CR LF):
//   tick=<GetTickCount64>  flags=<STARTUPINFO dwFlags>  show=<wShowWindow>  group=<1: a process group of its own>
//   cwd=<folder>  cmd=<command line>
#include <windows.h>
#include <shellapi.h>
#include <winternl.h>

#include <cstring>
#include <string>

#include "utf8.h"

namespace {

std::wstring RecordFileName() {
    wchar_t fromEnv[MAX_PATH * 2] = {};
    DWORD n = GetEnvironmentVariableW(L"LENTORA_RECORD_FILE", fromEnv, static_cast<DWORD>(std::size(fromEnv)));
    if (n > 0 && n < std::size(fromEnv)) return fromEnv;
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::wstring name = argv && argc > 1 ? argv[1] : L"";
    if (argv) LocalFree(argv);
    return name;
}

std::wstring CurrentFolder() {
    DWORD size = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(size, L'\0');
    folder.resize(GetCurrentDirectoryW(size, folder.data()));
    return folder;
}

// Helpers started in the same moment append to one file: an exclusive lock over the whole file
// keeps each line in one piece (Wine's append mode is not atomic across processes). A brief
// sharing conflict at opening is waited out.
bool AppendLine(const std::wstring& file, const std::string& line) {
    for (int attempt = 0; attempt < 200; ++attempt) {
        HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            if (GetLastError() != ERROR_SHARING_VIOLATION) return false;
            Sleep(10);
            continue;
        }
        OVERLAPPED whole{};
        bool ok = LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole);
        DWORD written = 0;
        ok = ok && SetFilePointerEx(h, LARGE_INTEGER{}, nullptr, FILE_END) &&
             WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) && written == line.size();
        UnlockFileEx(h, 0, MAXDWORD, MAXDWORD, &whole);
        CloseHandle(h);
        return ok;
    }
    return false;
}

// A process started with CREATE_NEW_PROCESS_GROUP ignores Ctrl+C: the system marks that in the
// console flags of its process parameters (the ULONG after the console handle).
bool OwnProcessGroup() {
    PROCESS_BASIC_INFORMATION info{};
    if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info, nullptr) != 0)
        return false;
    const auto* params = reinterpret_cast<const BYTE*>(info.PebBaseAddress->ProcessParameters);
    ULONG consoleFlags = 0;
    std::memcpy(&consoleFlags, params + 16 + sizeof(HANDLE), sizeof consoleFlags);
    return (consoleFlags & 1) != 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    ULONGLONG tick = GetTickCount64();
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    GetStartupInfoW(&si);
    std::wstring file = RecordFileName();
    if (file.empty()) return 2;
    std::string line = "tick=" + std::to_string(tick) + "\tflags=" + std::to_string(si.dwFlags) +
                       "\tshow=" + std::to_string(si.wShowWindow) +
                       "\tgroup=" + (OwnProcessGroup() ? "1" : "0") + "\tcwd=" + Utf8(CurrentFolder()) +
                       "\tcmd=" + Utf8(GetCommandLineW()) + "\r\n";
    return AppendLine(file, line) ? 0 : 1;
}
