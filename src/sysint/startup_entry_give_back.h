// The way back for a start-up entry taken out of the system's start-up: a disabled entry becomes
// its Run value again, an entry switched off in Task Manager's way is switched on.
#pragma once
#include <string>
#include <vector>

#include "sysint/startup_entry.h"
#include "tasks/task.h"

namespace lentora {

enum class GiveBackResult {
    kGivenBack,
    kNotWritten,  // the registry refused the change (a user may not write under HKLM); nothing changed
    kNameTaken,   // the Run key holds another value of the entry's name, which would be lost
};

// Whether the row is an entry the system does not start and that can be given back: a disabled
// entry that names its root and Run key, or an entry switched off through Task Manager's switch.
bool CanGiveBack(const RegistryEntry& row);

GiveBackResult GiveBack(const RegistryEntry& row);

// Where the entry goes back to, for the log: "HKCU\SOFTWARE\...\Run", or the switch's list.
std::wstring GiveBackPlace(const RegistryEntry& row);

// Whether one of `tasks` took the entry over: the system does not start it, and a task marked as
// taken from the system's start-up runs the same program (letter case ignored). Only such an entry
// is given back: any other was switched off by the user.
bool TakenOverByTask(const RegistryEntry& row, const std::vector<Task>& tasks);

}  // namespace lentora
