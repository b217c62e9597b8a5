// Taking a start-up entry out of the system's start-up once it has become a task, the way Task
// Manager does: the entry stays where it is (a Run value, a Startup folder's file) and its switch
// is turned off under the entry's own root.
#pragma once
#include "log/log_sink.h"
#include "sysint/registry_key.h"
#include "sysint/startup_entry.h"

namespace lentora {

enum class TakeOverResult {
    kTakenOver,     // switched off, or nothing to do: the system does not start it
    kNeedsRights,   // a machine entry whose switch this user may not write; nothing changed
    kNotWritten,    // the switch could not be written; nothing changed
};

// Nothing happens for entries the system does not start and for values that are not text. A
// failure is logged to `log` and leaves the entry as it was: the system still starts it.
TakeOverResult TakeOver(const RegistryEntry& row, ILogSink& log);

// Where the entry's switch lies, for the log: "HKCU\Software\...\StartupApproved\Run".
std::wstring ApprovalPlace(const RegistryEntry& row);

// Deletes a disabled entry's key (its path under HKLM), as giving it back does.
bool DeleteDisabledEntry(const std::wstring& entryPath);

// The Run value of a disabled entry as it was before an older version moved it: its text with its
// type, which giving the entry back writes again.
RegistryValue RunValueOf(const RegistryEntry& row);

}  // namespace lentora
