// The main window as the launch sequencer's host: its controls, timers and actions.
#include "app/main_window.h"
#include "app/main_window_ids.h"
#include "util/whole_number.h"

namespace lentora {

// The option controls hold texts; the sequencer takes their numbers.
bool MainWindow::DelayOfStartOn() const { return options_.Checked(ids::chbSetWaitTimer); }
std::optional<std::int32_t> MainWindow::DelayOfStartSec() const { return ParseWholeNumber(DelayOfStartText()); }
std::wstring MainWindow::DelayOfStartText() const { return options_.Text(ids::dseWaitSec); }
std::optional<std::int32_t> MainWindow::ExitTimeSec() const { return ParseWholeNumber(options_.Text(ids::dseTimeExit)); }
bool MainWindow::LaunchBalloonsOn() const { return options_.Checked(ids::chkShowBalloon); }

int MainWindow::RowCount() const { return static_cast<int>(tasks_.Count()); }

SequencerRow MainWindow::Row(int index) const {
    const Task& task = tasks_.Item(static_cast<size_t>(index));
    return SequencerRow{task.commandLine, ParseWholeNumber(task.delay), task.enabled};
}

void MainWindow::SetRowStatus(int index, const std::wstring& text) { tasks_.SetStatus(static_cast<size_t>(index), text); }

void MainWindow::SetCounterPanel(const std::wstring& text) {
    pageUpdates_.Run(L"StatusBar.1", [this, text] { SendMessageW(statusBar_, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(text.c_str())); });
}

void MainWindow::SetStartButton(const std::wstring& caption, const std::wstring& hint, int imageIndex) {
    startButtonImage_ = imageIndex;
    pageUpdates_.Run(L"bbtnStart", [this, caption, hint, imageIndex] {
        SetWindowTextW(bbtnStart_, caption.c_str());
        actions_.setHint(bbtnStart_, hint);
        if (actions_.setImage) actions_.setImage(bbtnStart_, imageIndex);
    });
}

void MainWindow::ArmDelayTimer(std::uint32_t intervalMs) { SetTimer(hwnd(), ids::timerWait, intervalMs, nullptr); }
void MainWindow::DisarmDelayTimer() { KillTimer(hwnd(), ids::timerWait); }

void MainWindow::SetTickTimerEnabled(bool enabled) {
    if (enabled)
        SetTimer(hwnd(), ids::timerStart, 1000, nullptr);
    else
        KillTimer(hwnd(), ids::timerStart);
}

void MainWindow::SetActionVisible(SequencerAction action, bool visible) {
    const int commands[] = {ids::actWait, ids::actPause, ids::actResume, ids::actStop};
    ActionFor(commands[static_cast<int>(action)]).SetVisible(visible);
}

void MainWindow::MinimizeWindow() { MinimizeToTray(); }

void MainWindow::CloseMainWindow() { PostMessageW(hwnd(), WM_CLOSE, 0, 0); }

}  // namespace lentora
