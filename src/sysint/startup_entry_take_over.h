// Taking a start-up entry out of the system's start-up once it has become a task: a Run value
// moves to the disabled entries, a Startup folder's file stays where it is and is switched off in
// Task Manager's way.
#pragma once
#include "log/log_sink.h"
#include "sysint/registry_key.h"
#include "sysint/startup_entry.h"

namespace lentora {

// Nothing happens for entries the system does not start and for values that are not text. A
// failure is logged to `log`, leaves the entry as it was and gives false: the system still starts
// that entry.
bool TakeOver(const RegistryEntry& row, ILogSink& log);

// Deletes a disabled entry's key (its path under HKLM), as giving back and an undone take-over do.
bool DeleteDisabledEntry(const std::wstring& entryPath);

// The Run value of an entry as it was before it was taken over: its text with its type. The
// disabled entry keeps it so, and giving the entry back writes it again.
RegistryValue RunValueOf(const RegistryEntry& row);

}  // namespace lentora
