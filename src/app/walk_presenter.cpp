#include "app/walk_presenter.h"

#include <string>

#include "app/main_window_ids.h"
#include "app/pictures.h"
#include "app/task_status_texts.h"
#include "app/task_page.h"
#include "app/tray_controller.h"
#include "image_ids.h"
#include "launch/sequencer.h"
#include "tasks/task_list.h"
#include "ui/action.h"
#include "ui/controls.h"
#include "ui/window.h"
#include "util/format.h"

namespace lentora {

namespace {

constexpr int kStartPicture = PictureOf(IDI_IMG_START), kStopPicture = PictureOf(IDI_IMG_RUNNING);
// The tray's pictures of the walk's states.
constexpr int kTrayReady = IDI_TRAY0 - IDI_TRAY_BASE, kTrayTimed = IDI_TRAY2 - IDI_TRAY_BASE,
              kTrayWalking = IDI_TRAY3 - IDI_TRAY_BASE, kTrayPaused = IDI_TRAY4 - IDI_TRAY_BASE;
constexpr int kLaunchBalloonSec = 10;

}  // namespace

void WalkPresenter::ShowStateText(const std::wstring& text, int pictureIndex) {
    texts_.SetState(text, pictureIndex);
    ShowTexts();
}

void WalkPresenter::ShowTexts() {
    parts_.showPanels();
    parts_.tray.ShowState(ui::GetText(parts_.window.hwnd()) + L"\r" + texts_.Panel(0, parts_.texts.Msg(NamedMsg::WaitingForSystem)),
                          texts_.IconIndex());
}

void WalkPresenter::ShowStarting() { ShowStateText(parts_.texts.Msg(Message::StartingStatus), kTrayReady); }

void WalkPresenter::ShowAgain() {
    ShowState();
    ShowButton();
    ShowCounter();
}

bool WalkPresenter::OnTimer(UINT_PTR id) {
    if (!walk_) return false;
    switch (id) {
        case ids::walkClockTimer:
            walk_->Tick();
            RefreshStartNext();  // a launch may have been the last one
            return true;
        case ids::delayOfStartTimer: walk_->DelayElapsed(); return true;
        default: return false;
    }
}

void WalkPresenter::RefreshStartNext() {
    parts_.actions.Find(ids::startNextNow)->SetEnabled(walk_ && walk_->HasNextToStart());
}

void WalkPresenter::StartModeBegan() { parts_.minimize(); }

void WalkPresenter::StatusChanged(const WalkStatus& status) {
    status_ = status;
    ShowState();
}

void WalkPresenter::ShowState() {
    const IMessageSource& t = parts_.texts;
    switch (status_.state) {
        case WalkState::Ready: return ShowStateText(t.Msg(Message::IdleStatus), kTrayReady);
        case WalkState::DelayOfStart: return ShowStateText(t.Msg(Message::DelayOfStartStatus), kTrayTimed);
        case WalkState::Walking: return ShowStateText(t.Msg(Message::WalkStatus), kTrayWalking);
        case WalkState::Paused: return ShowStateText(t.Msg(Message::PausedStatus), kTrayPaused);
        case WalkState::AllLaunched:
            if (status_.launchesNotStarted == 0) return ShowStateText(t.Msg(Message::LastDelayReachedStatus), kTrayTimed);
            return ShowStateText(FormatText(t.Msg(NamedMsg::LaunchesFailedStatus),
                                            {std::to_wstring(status_.launchesNotStarted),
                                             std::to_wstring(status_.launchesTried)}),
                                 kTrayTimed);
    }
}

void WalkPresenter::WalkActiveChanged(bool active) {
    active_ = active;
    ShowButton();
    parts_.taskPage.SetEditing(!active);
    for (int command : {ids::addTask, ids::editTask, ids::deleteTask})
        parts_.actions.Find(command)->SetEnabled(!active);
}

void WalkPresenter::ShowButton() {
    const IMessageSource& t = parts_.texts;
    if (active_)
        parts_.taskPage.SetStartButton(t.Msg(Message::StopCaption), t.Msg(Message::StopHint), kStopPicture);
    else
        parts_.taskPage.SetStartButton(t.Msg(Message::StartCaption), t.Msg(Message::StartHint), kStartPicture);
}

void WalkPresenter::TicksChanged(std::optional<int> ticks) {
    ticks_ = ticks;
    ShowCounter();
}

void WalkPresenter::ShowCounter() {
    texts_.SetCounter(ticks_ ? parts_.texts.Msg(Message::ElapsedLabel) + L": " + std::to_wstring(*ticks_) : L"");
    parts_.showPanels();
}

void WalkPresenter::DelayOfStartTimer(std::optional<std::uint32_t> seconds) {
    if (seconds)
        SetTimer(parts_.window.hwnd(), ids::delayOfStartTimer, *seconds * 1000u, nullptr);
    else
        KillTimer(parts_.window.hwnd(), ids::delayOfStartTimer);
}

void WalkPresenter::TickTimer(bool running) {
    if (running)
        SetTimer(parts_.window.hwnd(), ids::walkClockTimer, 1000, nullptr);
    else
        KillTimer(parts_.window.hwnd(), ids::walkClockTimer);
}

void WalkPresenter::ActionVisible(SequencerAction action, bool visible) {
    const int commands[] = {ids::cancelDelayOfStart, ids::pauseWalk, ids::resumeWalk, ids::stopWalk, ids::startNextNow};
    parts_.actions.Find(commands[static_cast<int>(action)])->SetVisible(visible);
    if (action == SequencerAction::StartNext) RefreshStartNext();
}

void WalkPresenter::StatusesReset() { ShowEnabledStatuses(parts_.tasks, parts_.texts); }

void WalkPresenter::LaunchEnded(TaskId task, LaunchOutcome outcome, bool ofTheWalk) {
    const std::optional<size_t> row = parts_.tasks.IndexOf(task);
    if (!row) return;
    parts_.tasks.SetStatus(*row, LaunchStatusText(outcome, parts_.texts));
    if (!ofTheWalk || !parts_.balloonsOn()) return;
    const std::wstring& commandLine = parts_.tasks.Item(*row).commandLine;
    if (outcome == LaunchOutcome::Started)
        parts_.tray.ShowLaunchBalloon(parts_.texts.Msg(Message::LaunchBalloonTitle), commandLine, kLaunchBalloonSec);
    else if (outcome == LaunchOutcome::Failed)
        parts_.tray.ShowLaunchBalloon(parts_.texts.Msg(NamedMsg::LaunchFailedTitle), commandLine, kLaunchBalloonSec);
    else
        return;
    parts_.tray.EnableHideTimer();
}

void WalkPresenter::HeldForSystem(bool held) {
    texts_.SetWaiting(held);
    ShowTexts();
}

void WalkPresenter::Finished() { PostMessageW(parts_.window.hwnd(), WM_CLOSE, 0, 0); }

}  // namespace lentora
