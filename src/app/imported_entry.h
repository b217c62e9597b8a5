// The start-up entry a task dialog imports, kept from the moment it was chosen, and its take-over
// on OK: directly, or, for a machine entry this user may not change, by one elevated write once
// the user agrees. The consent prompt is waited for off the window's thread.
#pragma once
#include <windows.h>

#include <string>

#include "log/log_sink.h"
#include "sysint/elevated_write_worker.h"
#include "sysint/startup_entry.h"

namespace lentora {

class ImportedEntry {
public:
    enum class Step { kTakenOver, kWaiting, kRefused };
    // The boxes' texts in the language in force; the formats take the entry's name.
    struct Texts {
        std::wstring elevateQuestion, declined, notTakenOver, questionCaption, errorCaption;
    };

    ImportedEntry(RegistryEntry entry, std::wstring exePath, ILogSink& log);

    const RegistryEntry& Entry() const { return entry_; }
    bool Waiting() const { return worker_.Running(); }

    // Takes the entry over. kWaiting: an elevated write runs and its outcome comes to `window` as
    // WM_ELEVATED_WRITE_DONE, for Finish. kRefused: the user was told why in a box.
    Step Start(HWND window, const Texts& texts);
    Step Finish(WPARAM wParam, HWND window, const Texts& texts);

private:
    RegistryEntry entry_;
    std::wstring exePath_;
    ILogSink& log_;
    ElevatedWriteWorker worker_;
};

}  // namespace lentora
