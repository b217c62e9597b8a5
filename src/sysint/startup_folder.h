// The files of a Startup folder as start-up entries: a shortcut starts its target with its
// arguments, any other file is opened as it is.
#pragma once
#include <string>
#include <vector>

#include "sysint/startup_entry.h"

namespace lentora {

struct StartupFolder {
    std::wstring path;          // empty: the system has no such folder
    std::wstring approvalRoot;  // where Task Manager keeps the switches of its files: "HKCU" or "HKLM"
};

// The user's Startup folder and the all-users one.
StartupFolder UserStartupFolder();
StartupFolder CommonStartupFolder();

// Adds a row for each file of the folder, by name, with `label` in the Key column; folders and
// hidden or system files (such as desktop.ini) are passed over, as the system passes them over at
// log-on.
void ListStartupFolder(const StartupFolder& folder, const std::wstring& label, std::vector<RegistryEntry>& list);

}  // namespace lentora
