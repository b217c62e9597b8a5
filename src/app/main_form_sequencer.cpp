// The main window as the launch sequencer's host: its controls, timers and actions.
#include "app/main_form.h"
#include "app/main_form_ids.h"
#include "util/whole_number.h"

namespace lentora {

// The option controls hold texts; the sequencer takes their numbers.
bool TfrmMain::DelayOfStartOn() const { return options_.Checked(ids::chbSetWaitTimer); }
std::optional<std::int32_t> TfrmMain::DelayOfStartSec() const { return ParseWholeNumber(DelayOfStartText()); }
std::wstring TfrmMain::DelayOfStartText() const { return options_.Text(ids::dseWaitSec); }
std::optional<std::int32_t> TfrmMain::ExitTimeSec() const { return ParseWholeNumber(options_.Text(ids::dseTimeExit)); }
bool TfrmMain::LaunchBalloonsOn() const { return options_.Checked(ids::chkShowBalloon); }

int TfrmMain::RowCount() const { return static_cast<int>(tasks_.Count()); }

SequencerRow TfrmMain::Row(int index) const {
    const Task& task = tasks_.Item(static_cast<size_t>(index));
    return SequencerRow{task.commandLine, ParseWholeNumber(task.delay), task.enabled};
}

void TfrmMain::SetRowStatus(int index, const std::wstring& text) { tasks_.SetStatus(static_cast<size_t>(index), text); }

void TfrmMain::SetCounterPanel(const std::wstring& text) {
    pageUpdates_.Run(L"StatusBar.1", [this, text] { SendMessageW(statusBar_, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(text.c_str())); });
}

void TfrmMain::SetStartButton(const std::wstring& caption, const std::wstring& hint, int imageIndex) {
    startButtonImage_ = imageIndex;
    pageUpdates_.Run(L"bbtnStart", [this, caption, hint, imageIndex] {
        SetWindowTextW(bbtnStart_, caption.c_str());
        actions_.setHint(bbtnStart_, hint);
        if (actions_.setImage) actions_.setImage(bbtnStart_, imageIndex);
    });
}

void TfrmMain::ArmDelayTimer(std::uint32_t intervalMs) { SetTimer(hwnd(), ids::timerWait, intervalMs, nullptr); }
void TfrmMain::DisarmDelayTimer() { KillTimer(hwnd(), ids::timerWait); }

void TfrmMain::SetTickTimerEnabled(bool enabled) {
    if (enabled)
        SetTimer(hwnd(), ids::timerStart, 1000, nullptr);
    else
        KillTimer(hwnd(), ids::timerStart);
}

void TfrmMain::SetActionVisible(SequencerAction action, bool visible) {
    const int commands[] = {ids::actWait, ids::actPause, ids::actResume, ids::actStop};
    ActionFor(commands[static_cast<int>(action)]).SetVisible(visible);
}

void TfrmMain::MinimizeWindow() { MinimizeToTray(); }

void TfrmMain::CloseMainWindow() { PostMessageW(hwnd(), WM_CLOSE, 0, 0); }

}  // namespace lentora
