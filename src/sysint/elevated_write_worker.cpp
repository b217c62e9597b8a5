#include "sysint/elevated_write_worker.h"

#include "sysint/com_ptr.h"

namespace lentora {

ElevatedWriteWorker::~ElevatedWriteWorker() {
    if (thread_.joinable()) thread_.join();
}

bool ElevatedWriteWorker::Start(HWND window, std::wstring exe, std::wstring parameters) {
    if (running_) return false;
    if (thread_.joinable()) thread_.join();
    // The consent window belongs to another process: it may come to the front only with our leave.
    AllowSetForegroundWindow(ASFW_ANY);
    // The runner is taken now: a test may replace it before the thread reads it.
    thread_ = std::thread([window, runner = ElevatedRunner(), exe = std::move(exe), parameters = std::move(parameters)] {
        // The shell may hand the start to a COM server; it needs an apartment on this thread.
        const ComApartment apartment;
        const ElevatedOutcome outcome = runner(exe, parameters);
        PostMessageW(window, WM_ELEVATED_WRITE_DONE, static_cast<WPARAM>(outcome), 0);
    });
    running_ = true;
    return true;
}

ElevatedOutcome ElevatedWriteWorker::Finish(WPARAM wParam) {
    if (thread_.joinable()) thread_.join();
    running_ = false;
    return static_cast<ElevatedOutcome>(wParam);
}

}  // namespace lentora
