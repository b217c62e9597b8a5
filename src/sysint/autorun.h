// The program's own value in the current user's Run key, which starts it with -start at log-on,
// together with Task Manager's switch of that value.
#pragma once
#include <string>

#include "log/log_sink.h"

namespace lentora {

enum class AutorunState {
    kAbsent,       // no value "Lentora" in the current user's Run key
    kOn,           // the value exists and Windows starts it
    kSwitchedOff,  // the value exists, but the user switched it off in Task Manager
};

// Whether, and how, the value "Lentora" exists (its data is not looked at).
AutorunState ReadAutorunState();

// Enabled: writes "<exePath> -start" (unquoted) unless the stored data already equals it with
// letter case ignored, and switches the value on in Task Manager's list when the user had switched
// it off. Disabled: deletes the value (its absence is no error). False when the Run key cannot be
// opened or created, or a write or the delete fails; no other key is touched then.
bool UpdateAutorun(bool enabled, const std::wstring& exePath, ILogSink& log);

}  // namespace lentora
