// The main window as the launch sequencer's host: its controls, timers and actions.
#include "app/main_window.h"
#include "app/main_window_ids.h"

namespace lentora {

// The options as shown now: a change takes effect at once, saved or not.
bool MainWindow::DelayOfStartOn() const { return optionsPage_.Shown().delayOfStart; }
std::optional<std::int32_t> MainWindow::DelayOfStartSec() const { return optionsPage_.Shown().delayOfStartSeconds; }
std::wstring MainWindow::DelayOfStartText() const {
    const std::optional<int> seconds = optionsPage_.Shown().delayOfStartSeconds;
    return seconds ? std::to_wstring(*seconds) : L"";
}
std::optional<std::int32_t> MainWindow::ExitTimeSec() const { return optionsPage_.Shown().exitAfterSeconds; }
bool MainWindow::LaunchBalloonsOn() const { return optionsPage_.Shown().showBalloon; }
IdleWaitOptions MainWindow::IdleWait() const {
    const Settings& shown = optionsPage_.Shown();
    return {shown.waitForIdle, shown.idleThresholdPercent, shown.idleWaitLimitSeconds};
}

int MainWindow::RowCount() const { return static_cast<int>(tasks_.Count()); }

SequencerRow MainWindow::Row(int index) const {
    const Task& task = tasks_.Item(static_cast<size_t>(index));
    return SequencerRow{task.commandLine, task.delay.Seconds(), task.enabled, task.id};
}

void MainWindow::SetRowStatus(int index, const std::wstring& text) { tasks_.SetStatus(static_cast<size_t>(index), text); }

void MainWindow::SetCounterPanel(const std::wstring& text) {
    statusTexts_.SetCounter(text);
    ShowStatusText(1);
}

void MainWindow::SetStartButton(const std::wstring& caption, const std::wstring& hint, int imageIndex) {
    taskPage_.SetStartButton(caption, hint, imageIndex);
}

void MainWindow::SetTaskEditing(bool enabled) {
    taskPage_.SetEditing(enabled);
    for (int command : {ids::actAddTask, ids::actEditTask, ids::actDeleteTask}) ActionFor(command).SetEnabled(enabled);
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
    const int commands[] = {ids::actWait, ids::actPause, ids::actResume, ids::actStop, ids::actStartNext};
    ActionFor(commands[static_cast<int>(action)]).SetVisible(visible);
    if (action == SequencerAction::StartNext) RefreshStartNext();
}

void MainWindow::RefreshStartNext() {
    ActionFor(ids::actStartNext).SetEnabled(sequencer_.HasNextToStart());
}

void MainWindow::MinimizeWindow() { MinimizeToTray(); }

void MainWindow::CloseMainWindow() { PostMessageW(hwnd(), WM_CLOSE, 0, 0); }

}  // namespace lentora
