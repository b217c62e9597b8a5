// Waits for the consent prompt of an elevated write off the window's thread, so the window, the
// walk and the tray go on meanwhile; the outcome is posted back to the window.
#pragma once
#include <windows.h>

#include <string>
#include <thread>

#include "sysint/elevated_approval.h"

namespace lentora {

// wParam: the ElevatedOutcome.
inline constexpr UINT WM_ELEVATED_WRITE_DONE = WM_APP + 44;

class ElevatedWriteWorker {
public:
    ElevatedWriteWorker() = default;
    // Waits for a write still running: the user answers the prompt or it ends.
    ~ElevatedWriteWorker();
    ElevatedWriteWorker(const ElevatedWriteWorker&) = delete;
    ElevatedWriteWorker& operator=(const ElevatedWriteWorker&) = delete;

    // Runs `exe` with `parameters` elevated through ElevatedRunner and posts the outcome to
    // `window`. False while one is running.
    bool Start(HWND window, std::wstring exe, std::wstring parameters);
    bool Running() const { return running_; }
    // On WM_ELEVATED_WRITE_DONE: the thread has ended; gives its outcome.
    ElevatedOutcome Finish(WPARAM wParam);

private:
    std::thread thread_;
    bool running_ = false;
};

}  // namespace lentora
