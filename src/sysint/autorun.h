// The program's own value in the current user's Run key, which starts it with -start at log-on.
#pragma once
#include <string>

#include "log/log_sink.h"

namespace lentora {

// True when the value "Lentora" exists in the current user's Run key (its data is not looked at).
bool IsAutorunRegistered();

// Enabled: writes "<exePath> -start" (unquoted) unless the stored data already equals it with
// letter case ignored. Disabled: deletes the value (its absence is no error). False when the Run
// key cannot be opened or created, or the write or delete fails; no other key is touched then.
bool UpdateAutorun(bool enabled, const std::wstring& exePath, ILogSink& log);

}  // namespace lentora
