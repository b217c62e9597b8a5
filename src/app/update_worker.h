// The update checks a window starts: each that asks the server runs on a thread of its own from a
// snapshot taken when it starts, and posts its log lines as they happen and one owned result at
// the end; one that only logs why it asks nothing posts the same at once. A worker never calls
// into the window or waits on it.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "net/socket.h"
#include "update/update_check.h"

namespace lentora {

// The message that carries a finished check to its window; lParam is an UpdateCheckResult* that
// the receiver owns (TakeUpdateResult).
inline constexpr UINT WM_UPDATE_RESULT = WM_APP + 41;
// A log line of a running check, as it happens; lParam is a std::wstring* that the receiver owns
// (TakeUpdateLogLine). Next to WM_UPDATE_RESULT: a close sweeps the queue for both in one range.
inline constexpr UINT WM_UPDATE_LOG_LINE = WM_APP + 42;
// The message by which a window starts its automatic check once its message loop runs.
inline constexpr UINT WM_START_UPDATE_CHECK = WM_APP + 43;

std::unique_ptr<UpdateCheckResult> TakeUpdateResult(LPARAM lParam);
std::unique_ptr<std::wstring> TakeUpdateLogLine(LPARAM lParam);

class UpdateResultPost;

// The checks of one window.
class UpdateCheckWorkers {
public:
    UpdateCheckWorkers();
    ~UpdateCheckWorkers();
    UpdateCheckWorkers(const UpdateCheckWorkers&) = delete;
    UpdateCheckWorkers& operator=(const UpdateCheckWorkers&) = delete;

    // Starts one check at one step below normal priority that posts its result to `window`;
    // nobody waits for it. Does nothing once closed.
    void Start(HWND window, UpdateState snapshot, UpdateCheckContext context);
    // Stops every check (a pending request closes its socket) and frees the results already
    // queued; results that come later are refused and freed by their workers. The log lines
    // already queued were written before the close and go to `logLine`. GUI thread only.
    void Close(const std::function<void(const std::wstring&)>& logLine);

private:
    std::shared_ptr<UpdateResultPost> post_;
    std::vector<std::shared_ptr<net::CancelToken>> cancelTokens_;
    bool closed_ = false;
};

}  // namespace lentora
