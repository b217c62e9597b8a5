// Where the system keeps the programs it starts at log-on, read into rows: the Run keys, the
// entries the system configuration tool keeps disabled and the Startup folders, each with Task
// Manager's switch.
#pragma once
#include <string>
#include <vector>

#include "sysint/startup_entry.h"
#include "sysint/startup_folder.h"

namespace lentora {

inline constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRun32Key[] = L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
// Under HKLM: one sub-key for each disabled entry.
inline constexpr wchar_t kDisabledKey[] = L"SOFTWARE\\Microsoft\\Shared Tools\\MSConfig\\startupreg";

// The Key column's text for the files of the user's Startup folder and of the all-users one.
struct StartupFolderLabels {
    std::wstring user, common;
};

// Every start-up entry in the order the dialog lists them: the user's Run key, the machine's, the
// machine's 32-bit one, the disabled entries, then the files of `folders` in their order. COM
// must be initialised for the folders' shortcuts.
std::vector<RegistryEntry> ListStartupEntries(const std::vector<StartupFolder>& folders,
                                              const StartupFolderLabels& labels);

// The command line a task gets from the row: environment variables expanded where the value is
// expandable, double quotes dropped.
std::wstring TaskCommandLine(const RegistryEntry& row);

}  // namespace lentora
