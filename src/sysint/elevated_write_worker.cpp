#include "sysint/elevated_write_worker.h"

#include "sysint/consent_thread.h"

namespace lentora {

ElevatedWriteWorker::~ElevatedWriteWorker() {
    if (thread_.joinable()) thread_.join();
}

bool ElevatedWriteWorker::Start(HWND window, std::wstring exe, std::wstring parameters) {
    if (running_) return false;
    if (thread_.joinable()) thread_.join();
    // The runner is taken now: a test may replace it before the thread reads it.
    auto run = [window, runner = ElevatedRunner(), exe = std::move(exe), parameters = std::move(parameters)] {
        const ElevatedOutcome outcome = runner(exe, parameters);
        PostMessageW(window, WM_ELEVATED_WRITE_DONE, static_cast<WPARAM>(outcome), 0);
    };
    thread_ = StartConsentThread(std::move(run));
    running_ = true;
    return true;
}

ElevatedOutcome ElevatedWriteWorker::Finish(WPARAM wParam) {
    if (thread_.joinable()) thread_.join();
    running_ = false;
    return static_cast<ElevatedOutcome>(wParam);
}

}  // namespace lentora
