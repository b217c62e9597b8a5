// The way back for a start-up entry taken out of the system's start-up: a disabled entry becomes
// its Run value again, an entry switched off in Task Manager's way is switched on.
#pragma once
#include <string>

#include "sysint/startup_entry.h"

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

}  // namespace lentora
