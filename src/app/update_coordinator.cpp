#include "app/update_coordinator.h"

#include "ui/message_box.h"
#include "util/format.h"

namespace lentora {

void UpdateCoordinator::Attach(HWND window, std::wstring programVersion) {
    window_ = window;
    programVersion_ = std::move(programVersion);
}

bool UpdateCoordinator::Start(std::optional<int> pollingIntervalDays, bool byButton) {
    if (!pollingIntervalDays) return false;
    // The run carries its own button flag: a check started before this one may finish in
    // between and must not turn this press into a silent automatic check.
    UpdateState snapshot = state_;
    snapshot.pollingIntervalDays = *pollingIntervalDays;
    snapshot.startedByButton = byButton;
    UpdateCheckContext context;
    context.programVersion = programVersion_;
    workers_.Start(window_, std::move(snapshot), std::move(context));
    return true;
}

bool UpdateCoordinator::OnMessage(UINT msg, LPARAM lParam) {
    if (msg == WM_UPDATE_LOG_LINE) {
        std::unique_ptr<std::wstring> line = TakeUpdateLogLine(lParam);
        if (!host_.goingAway()) host_.log(*line);
        return true;
    }
    if (msg == WM_UPDATE_RESULT) {
        std::unique_ptr<UpdateCheckResult> result = TakeUpdateResult(lParam);
        if (!host_.goingAway()) ShowResult(result->state);
        return true;
    }
    return false;
}

void UpdateCoordinator::ShowResult(const UpdateState& state) {
    state_ = state;
    state_.startedByButton = false;
    host_.showLastCheck(state_.lastUpdateDate);
    const std::wstring caption = host_.message(Message::UpdateCaption);
    if (state.startedByButton) {
        switch (ManualCheckVerdict(state_)) {
            case ManualCheckAnswer::NoAnswer:
                ui::ShowMessageBox(window_, host_.message(Message::UpdateServerUnreachable), caption,
                                   MB_OK | MB_ICONERROR);
                break;
            case ManualCheckAnswer::NewerBuild:
                AskDownload();
                break;
            case ManualCheckAnswer::NoNewerBuild:
                ui::ShowMessageBox(window_, host_.message(Message::NoNewerVersion), caption,
                                   MB_OK | MB_ICONINFORMATION);
                break;
        }
        return;
    }
    if (state_.newerBuildAvailable && !state_.downloadQuestionAsked) host_.showBalloon(caption, UpdateAvailableText());
}

std::wstring UpdateCoordinator::UpdateAvailableText() const {
    return FormatText(host_.message(Message::UpdateAvailable), {state_.lastVersion, programVersion_});
}

void UpdateCoordinator::AskDownload() {
    const std::wstring text = UpdateAvailableText() + L"\n\r" + host_.message(Message::OpenDownloadQuestion);
    if (ui::ShowMessageBox(window_, text, host_.message(Message::UpdateCaption), MB_YESNO | MB_ICONINFORMATION) == IDYES)
        host_.openDownloadPage();
}

}  // namespace lentora
