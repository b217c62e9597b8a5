// One write of Task Manager's switch for a machine start-up entry, done by the program itself run
// with administrator rights: "lentora.exe -approval HKLM <list> <name> on|off". The switch accepts
// nothing else, so an elevated run can never be made to write anywhere but that one value.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lentora {

inline constexpr wchar_t kApprovalSwitch[] = L"-approval";

struct ApprovalWrite {
    std::wstring list;  // Run, Run32 or StartupFolder
    std::wstring name;  // the entry's value name
    bool enabled = false;

    bool operator==(const ApprovalWrite&) const = default;
};

// The arguments after the program's path, quoted for the command line.
std::wstring ApprovalWriteParameters(const ApprovalWrite& write);
// The write the arguments (without the program's path) ask for; nullopt unless they are exactly
// the switch, "HKLM", a known list, a non-empty name and "on" or "off".
std::optional<ApprovalWrite> ParseApprovalWrite(const std::vector<std::wstring>& args);

// For the program's entry point: when its first argument is the switch, does the write and gives
// the exit code (0 written, 1 not written, 2 arguments refused); nullopt otherwise.
std::optional<int> RunApprovalSwitch(const std::vector<std::wstring>& args);

enum class ElevatedOutcome : WPARAM { kWritten, kDeclined, kFailed };

// Runs `exe` with `parameters` through the consent prompt and waits for it to end. Blocks: never
// on a window's thread.
ElevatedOutcome RunElevated(const std::wstring& exe, const std::wstring& parameters);
// What the elevated writes run; RunElevated unless a test replaced it.
std::function<ElevatedOutcome(const std::wstring& exe, const std::wstring& parameters)>& ElevatedRunner();

}  // namespace lentora
