#include "launch/sequencer.h"

#include <algorithm>
#include <string>

#include "util/whole_number.h"
#include "util/format.h"

namespace lentora {

namespace {

// Upper bound of the delay-of-start edit; keeps the interval in milliseconds within 32 bits.
constexpr std::int32_t kMaxWaitSec = 999999;
constexpr int kLaunchBalloonSec = 10;

}  // namespace

void Sequencer::BeginStartMode() {
    Log(L"Autostart on key launch");
    host_.MinimizeWindow();
    if (!host_.WaitTimerChecked()) {
        Log(L"Delay of start is Disable");
        Log(L"Delays are not present");
        timerWaitTimer();
        return;
    }
    Log(L"Delay of start is Active");
    host_.setMSGPanel(host_.Msg(5), 2);
    const std::wstring waitText = host_.WaitSecText();
    // Text that is not a whole number counts as no delay, like an emptied field.
    const std::int32_t waitSec = std::min(ParseWholeNumber(waitText).value_or(0), kMaxWaitSec);
    Log(FormatText(L"Time of delay = %s sec", {waitText}));
    if (waitSec > 0) {
        waitTimerArmed_ = true;
        host_.ArmWaitTimer(static_cast<std::uint32_t>(waitSec) * 1000u);
        SetVisible(SequencerAction::Wait, true);
        Log(L"Timer of delay is started");
        return;
    }
    Log(L"Delays are not present");
    timerWaitTimer();
}

// Timer events and menu commands may arrive after the state they were meant for has passed (a
// message queued before a stop, a tray menu opened before the delay ended): they then do nothing.
void Sequencer::WaitTimerElapsed() {
    if (waitTimerArmed_) timerWaitTimer();
}

void Sequencer::timerWaitTimer() {
    Log(L"End delay time...");
    StopWaitTimer();
    Log(L"The beginning of processing of the task list");
    bbtnStartClick();
}

void Sequencer::bbtnStartClick() {
    host_.RefreshStatusColumn();
    if (runFlag_ == 0)
        StartWalk();
    else
        StopWalk();
}

void Sequencer::StartWalk() {
    if (waitTimerArmed_) {
        Log(L"Stopping delay timer");
        StopWaitTimer();
        Log(L"Compulsory start of processing of the task list");
    }
    host_.setMSGPanel(host_.Msg(11), 3);
    host_.SetStartButton(host_.Msg(23), host_.Msg(25), 8);
    runFlag_ = 1;
    host_.SetTaskEditing(false);
    tickCounter_ = 0;
    maxTaskDelay_ = 0;
    ReadExitTime();
    Log(L"Begin timer of Start");
    EnableStartTimer(true);
    const int rows = host_.RowCount();
    for (int i = 0; i < rows; ++i) {
        const SequencerRow row = host_.Row(i);
        if (!row.enabled) continue;
        // A delay that is not a whole number never comes due, so it cannot hold the close back.
        if (const auto delay = ParseWholeNumber(row.delay); delay && *delay > maxTaskDelay_) maxTaskDelay_ = *delay;
    }
    Log(FormatText(L"Time for start of tasks %s sec", {std::to_wstring(maxTaskDelay_)}));
}

void Sequencer::StopWalk() {
    Log(L"Stopping of timer of the start");
    host_.setMSGPanel(host_.Msg(6), 0);
    host_.SetCounterPanel(L"");
    host_.SetStartButton(host_.Msg(22), host_.Msg(24), 6);
    EnableStartTimer(false);
    runFlag_ = 0;
    host_.SetTaskEditing(true);
    // A stopped walk must not stay resumable: Resume would restart the tick with no walk active.
    if (visible_[Index(SequencerAction::Resume)]) {
        SetVisible(SequencerAction::Resume, false);
        SetVisible(SequencerAction::Pause, true);
    }
}

void Sequencer::timerStartTimer() {
    if (!startTimerEnabled_) return;
    ++tickCounter_;
    host_.SetCounterPanel(host_.Msg(7) + L": " + std::to_wstring(tickCounter_));
    if (std::int64_t{tickCounter_} > std::int64_t{ReadExitTime()} + maxTaskDelay_) {
        EnableStartTimer(false);
        host_.CloseMainWindow();
        return;
    }
    const int rows = host_.RowCount();
    for (int i = 0; i < rows; ++i) {
        const SequencerRow row = host_.Row(i);
        if (!row.enabled) continue;
        if (const auto delay = ParseWholeNumber(row.delay); delay && *delay == tickCounter_) LaunchRow(i);
    }
    if (tickCounter_ == maxTaskDelay_) host_.setMSGPanel(host_.Msg(8), 2);
}

void Sequencer::LaunchRow(int index) {
    const std::wstring commandLine(host_.Row(index).commandLine);
    if (!host_.LaunchProgram(commandLine)) {
        host_.SetRowStatus(index, host_.Msg(10));
        return;
    }
    host_.SetRowStatus(index, host_.Msg(9));
    if (host_.ShowBalloonChecked()) {
        host_.ShowLaunchBalloon(host_.Msg(32), commandLine, kLaunchBalloonSec);
        host_.EnableBalloonHideTimer();
    }
}

// The exit time is read anew at every tick. A field that holds no whole number (say, half typed)
// keeps the last valid value, taken at the latest when the walk began; before any valid read it
// is 0. Below 0 counts as 0, the edit's lower bound, so the close never comes before the last launch.
std::int32_t Sequencer::ReadExitTime() {
    if (const auto value = ParseWholeNumber(host_.TimeExitText())) exitTime_ = std::max(*value, 0);
    return exitTime_;
}

// Pause, Resume and Stop act on an active walk only; a menu item left over from before a stop does nothing.
void Sequencer::actPauseExecute() {
    if (runFlag_ != 1) return;
    SetVisible(SequencerAction::Pause, false);
    SetVisible(SequencerAction::Resume, true);
    Log(L"Task list is paused");
    EnableStartTimer(false);
    host_.setMSGPanel(host_.Msg(31), 4);
}

void Sequencer::actResumeExecute() {
    if (runFlag_ != 1) return;
    SetVisible(SequencerAction::Resume, false);
    SetVisible(SequencerAction::Pause, true);
    SetVisible(SequencerAction::Stop, true);
    Log(L"Task list is resumed");
    EnableStartTimer(true);
    host_.setMSGPanel(host_.Msg(11), 3);
}

void Sequencer::actStopExecute() {
    if (runFlag_ != 1) return;
    Log(L"Pushed traymenu of stop timer of delay");
    SetVisible(SequencerAction::Wait, false);
    SetVisible(SequencerAction::Stop, visible_[Index(SequencerAction::Wait)]);
    Log(L"Stopping timer of delay");
    DisarmWaitTimer();
    host_.setMSGPanel(host_.Msg(6), 0);
    runFlag_ = 1;
    bbtnStartClick();
}

void Sequencer::actWaitExecute() {
    if (!waitTimerArmed_) return;
    Log(L"Pushed button of stop timer of delay");
    SetVisible(SequencerAction::Wait, false);
    Log(L"Stopping timer of delay");
    DisarmWaitTimer();
    host_.setMSGPanel(host_.Msg(6), 0);
}

void Sequencer::StopForClose() {
    DisarmWaitTimer();
    EnableStartTimer(false);
}

void Sequencer::actStopUpdate() { SetVisible(SequencerAction::Stop, runFlag_ == 1); }

void Sequencer::actPauseUpdate() { SetVisible(SequencerAction::Pause, runFlag_ == 1); }

void Sequencer::DisarmWaitTimer() {
    waitTimerArmed_ = false;
    host_.DisarmWaitTimer();
}

void Sequencer::StopWaitTimer() {
    DisarmWaitTimer();
    SetVisible(SequencerAction::Wait, false);
}

void Sequencer::EnableStartTimer(bool enabled) {
    startTimerEnabled_ = enabled;
    host_.SetStartTimerEnabled(enabled);
}

void Sequencer::SetVisible(SequencerAction action, bool visible) {
    visible_[Index(action)] = visible;
    host_.SetActionVisible(action, visible);
}

}  // namespace lentora
