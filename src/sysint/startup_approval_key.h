// Task Manager's switch of a start-up entry in the registry: a value named like the entry in a list
// under the entry's own root (HKCU or HKLM).
#pragma once
#include <string>

#include "tasks/startup_approval.h"

namespace lentora {

inline constexpr wchar_t kStartupApprovedKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved";
// The lists: the Run keys' entries (the machine's 32-bit Run key has one of its own) and the
// Startup folders' files.
inline constexpr wchar_t kApprovalRun[] = L"Run";
inline constexpr wchar_t kApprovalRun32[] = L"Run32";
inline constexpr wchar_t kApprovalStartupFolder[] = L"StartupFolder";

// The switch of `name` in `list` under the root of that abbreviation; enabled when there is none.
StartupApproval ReadStartupApproval(const std::wstring& root, const std::wstring& list, const std::wstring& name);
// Sets the switch, with the present time when it switches the entry off. False when the value
// could not be written (a user may not write under HKLM).
bool WriteStartupApproval(const std::wstring& root, const std::wstring& list, const std::wstring& name, bool enabled);

}  // namespace lentora
