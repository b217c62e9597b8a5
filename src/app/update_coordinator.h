// The window's side of the update check: the state kept between checks, starting a check from a
// snapshot of it, taking over what a check posts back (its log lines and its result), and the
// answer a user sees: the manual check's box, the update balloon, the download question.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "app/update_worker.h"
#include "lang/language_messages.h"
#include "update/update_check.h"

namespace lentora {

class UpdateCoordinator {
public:
    struct Host {
        std::function<void(const std::wstring& line)> log;
        std::function<std::wstring(Message id)> message;
        std::function<void(const std::wstring& title, const std::wstring& text)> showBalloon;
        std::function<void(double serial)> showLastCheck;
        std::function<void()> openDownloadPage;
        // The window began to close: late lines and results are dropped.
        std::function<bool()> goingAway;
    };
    explicit UpdateCoordinator(Host host) : host_(std::move(host)) {}

    // The window that owns the boxes and receives the posts, and the version checks compare.
    void Attach(HWND window, std::wstring programVersion);
    UpdateState& State() { return state_; }
    const UpdateState& State() const { return state_; }

    // False when the polling interval is no number: no check then.
    bool Start(std::optional<int> pollingIntervalDays, bool byButton);
    // WM_UPDATE_LOG_LINE and WM_UPDATE_RESULT; false for any other message.
    bool OnMessage(UINT msg, LPARAM lParam);
    // Takes over a finished check's state: the manual check's answer or the update balloon.
    void ShowResult(const UpdateState& state);
    void AskDownload();
    // The window closes: lines still queued reach `logLine`, results are freed.
    void Close(const std::function<void(const std::wstring&)>& logLine) { workers_.Close(logLine); }

private:
    std::wstring UpdateAvailableText() const;

    Host host_;
    HWND window_ = nullptr;
    std::wstring programVersion_;
    UpdateState state_;
    UpdateCheckWorkers workers_;
};

}  // namespace lentora
