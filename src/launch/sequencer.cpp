#include "launch/sequencer.h"

#include <algorithm>
#include <string>

#include "settings/settings.h"
#include "util/format.h"

namespace lentora {

void Sequencer::BeginStartMode() {
    Log(L"Autostart on key launch");
    view_.StartModeBegan();
    if (!host_.DelayOfStartOn()) {
        Log(L"Delay of start is Disable");
        Log(L"Delays are not present");
        EndDelay();
        return;
    }
    Log(L"Delay of start is Active");
    SetState(WalkState::DelayOfStart);
    // A field that holds no whole number counts as no delay, like an emptied field.
    // The field's upper bound, which also keeps the interval in milliseconds within 32 bits.
    const std::int32_t delaySec = std::min(host_.DelayOfStartSec().value_or(0), Settings::kMaxSeconds);
    Log(FormatText(L"Time of delay = %s sec", {host_.DelayOfStartText()}));
    if (delaySec > 0) {
        delayRunning_ = true;
        view_.DelayOfStartTimer(static_cast<std::uint32_t>(delaySec));
        SetVisible(SequencerAction::Wait, true);
        Log(L"Timer of delay is started");
        return;
    }
    Log(L"Delays are not present");
    EndDelay();
}

// Timer events and menu commands may arrive after the state they were meant for has passed (a
// message queued before a stop, a tray menu opened before the delay ended): they then do nothing.
void Sequencer::DelayElapsed() {
    if (delayRunning_) EndDelay();
}

void Sequencer::EndDelay() {
    Log(L"End delay time...");
    StopDelay();
    Log(L"The beginning of processing of the task list");
    StartOrStop();
}

void Sequencer::StartOrStop() {
    view_.StatusesReset();
    if (walkActive_)
        StopWalk();
    else
        StartWalk();
}

void Sequencer::StartWalk() {
    if (delayRunning_) {
        Log(L"Stopping delay timer");
        StopDelay();
        Log(L"Compulsory start of processing of the task list");
    }
    SetState(WalkState::Walking);
    walkActive_ = true;
    view_.WalkActiveChanged(true);
    SetVisible(SequencerAction::StartNext, true);
    ticks_ = 0;
    largestDelay_ = 0;
    lastLaunchTick_ = 0;
    DropDueLaunches();
    awaitingConsent_.clear();
    launchesTried_ = 0;
    launchesNotStarted_ = 0;
    ReadExitTime();
    // The sampler's first reading knows nothing; taken now, it lets the first tick measure.
    if (ReadIdleWait().on) {
        host_.CpuBusyPercent();
        calm_.Restart();
    }
    Log(L"Begin timer of Start");
    SetTickTimerOn(true);
    const int rows = host_.RowCount();
    for (int i = 0; i < rows; ++i) {
        const SequencerRow row = host_.Row(i);
        // A delay that is no whole number never comes due, so it cannot hold the close back.
        if (row.enabled && row.delaySec && *row.delaySec > largestDelay_) largestDelay_ = *row.delaySec;
    }
    Log(FormatText(L"Time for start of tasks %s sec", {std::to_wstring(largestDelay_)}));
}

void Sequencer::StopWalk() {
    Log(L"Stopping of timer of the start");
    SetState(WalkState::Ready);
    view_.TicksChanged(std::nullopt);
    SetTickTimerOn(false);
    walkActive_ = false;
    view_.WalkActiveChanged(false);
    SetVisible(SequencerAction::StartNext, false);
    DropDueLaunches();
    // A stopped walk must not stay resumable: Resume would restart the tick with no walk active.
    if (visible_[Index(SequencerAction::Resume)]) {
        SetVisible(SequencerAction::Resume, false);
        SetVisible(SequencerAction::Pause, true);
    }
}

void Sequencer::Tick() {
    if (!tickTimerOn_) return;
    ++ticks_;
    ShowTicks();
    DropDeletedLaunches();
    // A hold can move the last launch past the largest delay; the close waits for it.
    const std::int64_t closeAfter = std::int64_t{ReadExitTime()} + std::max(largestDelay_, lastLaunchTick_);
    // A consent still to come may yet start a program: the close waits for the answer.
    if (due_.Empty() && awaitingConsent_.empty() && ticks_ > closeAfter) {
        SetTickTimerOn(false);
        view_.Finished();
        return;
    }
    DueRows due = RowsDue(ticks_);
    due_.Add(std::move(due.now));
    const IdleWaitLimits wait = ReadIdleWait();
    // Sampling starts as many ticks ahead as the calm needs, so a calm system lets a launch go at
    // its own tick; between launches nothing is sampled.
    const bool dueSoon = due.nextDelay && *due.nextDelay - ticks_ <= CalmWatch::kCalmTicks;
    if (wait.on && (!due_.Empty() || dueSoon))
        calm_.Sample(host_.CpuBusyPercent(), wait.thresholdPercent);
    else
        calm_.Forget();
    if (!due_.Empty()) LaunchOrHoldNext(wait);
}

void Sequencer::ShowTicks() { view_.TicksChanged(ticks_); }

// A field that holds no whole number counts as its default; the numbers keep to their fields' ranges.
Sequencer::IdleWaitLimits Sequencer::ReadIdleWait() const {
    const IdleWaitOptions options = host_.IdleWait();
    if (!options.on) return {};
    const Settings defaults;
    return {true,
            std::clamp(options.thresholdPercent.value_or(*defaults.idleThresholdPercent), Settings::kMinIdleThreshold,
                       Settings::kMaxIdleThreshold),
            std::clamp(options.longestWaitSec.value_or(*defaults.idleWaitLimitSeconds), Settings::kMinIdleWait,
                       Settings::kMaxIdleWait)};
}

Sequencer::DueRows Sequencer::RowsDue(int tick) const {
    DueRows due;
    const int rows = host_.RowCount();
    for (int i = 0; i < rows; ++i) {
        const SequencerRow row = host_.Row(i);
        // A delay that is no whole number never comes due.
        if (!row.enabled || !row.delaySec) continue;
        if (*row.delaySec == tick)
            due.now.push_back(row.task);
        else if (*row.delaySec > tick && (!due.nextDelay || *row.delaySec < *due.nextDelay))
            due.nextDelay = *row.delaySec;
    }
    return due;
}

void Sequencer::LaunchOrHoldNext(const IdleWaitLimits& wait) {
    if (!due_.Holding()) {
        if (due_.NextReleased() || !wait.on || calm_.Calm()) {
            LaunchNext();
        } else {
            due_.Hold(ticks_);
            Log(FormatText(L"Waiting for the system to be idle before \"%s\"", {NextCommandLine()}));
            SetWaiting(true);
        }
        return;
    }
    const int waited = ticks_ - due_.HeldSince();
    if (!wait.on)
        Log(FormatText(L"No longer waiting for the system, launching \"%s\"", {NextCommandLine()}));
    else if (calm_.Calm())
        Log(FormatText(L"System is idle, launching \"%s\"", {NextCommandLine()}));
    else if (waited >= wait.longestWaitSec)
        Log(FormatText(L"Waited %s s for the system, launching \"%s\"", {std::to_wstring(waited), NextCommandLine()}));
    else
        return;
    due_.EndHold();
    SetWaiting(false);
    LaunchNext();
}

void Sequencer::LaunchNext() {
    for (const TaskId task : due_.TakeNext()) LaunchTask(task);
    lastLaunchTick_ = ticks_;
    ShowStateIfAllLaunched();
}

bool Sequencer::AllLaunched() const {
    return walkActive_ && launchesTried_ > 0 && due_.Empty() && awaitingConsent_.empty() && ticks_ >= largestDelay_;
}

// A paused walk keeps saying so; Resume shows this then.
void Sequencer::ShowStateIfAllLaunched() {
    if (tickTimerOn_ && AllLaunched()) ShowAllLaunched();
}

void Sequencer::ShowAllLaunched() {
    view_.StatusChanged({WalkState::AllLaunched, launchesTried_, launchesNotStarted_});
}

void Sequencer::SetState(WalkState state) { view_.StatusChanged({state}); }

std::optional<int> Sequencer::RowOf(TaskId task) const {
    const int rows = host_.RowCount();
    for (int i = 0; i < rows; ++i)
        if (host_.Row(i).task == task) return i;
    return std::nullopt;
}

// A task deleted while its launch waited is not launched; with none left the wait ends.
void Sequencer::DropDeletedLaunches() {
    due_.DropMissing([this](TaskId task) { return RowOf(task).has_value(); });
    if (!due_.Holding()) SetWaiting(false);
}

// Only after DropDeletedLaunches, so the task is there.
std::wstring Sequencer::NextCommandLine() const {
    return std::wstring(host_.Row(RowOf(due_.Next().front()).value_or(0)).commandLine);
}

void Sequencer::StartNextNow() {
    if (!walkActive_) return;
    DropDeletedLaunches();
    if (due_.Empty()) {
        const std::optional<std::int32_t> next = RowsDue(ticks_).nextDelay;
        if (!next) return;
        ticks_ = *next;
        ShowTicks();
        calm_.Forget();  // the skipped ticks were never sampled
        due_.Add(RowsDue(ticks_).now);
    }
    Log(FormatText(L"Starting \"%s\" now, ahead of its turn", {NextCommandLine()}));
    SetWaiting(false);
    LaunchNext();
}

bool Sequencer::HasNextToStart() const {
    return walkActive_ && (!due_.Empty() || RowsDue(ticks_).nextDelay.has_value());
}

void Sequencer::DropDueLaunches() {
    due_.Clear();
    calm_.Forget();
    SetWaiting(false);
}

// The host hears of a change only, so a stop or pause outside a hold tells it nothing.
void Sequencer::SetWaiting(bool waiting) {
    if (waiting == waitingShown_) return;
    waitingShown_ = waiting;
    view_.HeldForSystem(waiting);
}

void Sequencer::LaunchTask(TaskId task) {
    const std::optional<int> row = RowOf(task);
    if (!row) return;
    const std::wstring commandLine(host_.Row(*row).commandLine);
    ++launchesTried_;
    const LaunchOutcome outcome = host_.LaunchProgram(task, commandLine);
    if (outcome == LaunchOutcome::AwaitingConsent) awaitingConsent_.insert(task);
    ShowOutcome(task, outcome);
}

void Sequencer::LaunchAnswered(TaskId task, LaunchOutcome outcome) {
    // A one-off start from the task list only shows its outcome in the task's status.
    if (awaitingConsent_.erase(task) == 0) {
        if (RowOf(task)) view_.LaunchEnded(task, outcome, false);
        return;
    }
    ShowOutcome(task, outcome);
    ShowStateIfAllLaunched();
}

// Told only while the task is still in the list.
void Sequencer::ShowOutcome(TaskId task, LaunchOutcome outcome) {
    if (outcome == LaunchOutcome::Failed || outcome == LaunchOutcome::Declined) ++launchesNotStarted_;
    if (RowOf(task)) view_.LaunchEnded(task, outcome, true);
}

// The exit time is read anew at every tick. A field that holds no whole number (say, half typed)
// keeps the last valid value, taken at the latest when the walk began; before any valid read it
// is 0. Below 0 counts as 0, the edit's lower bound, so the close never comes before the last launch.
std::int32_t Sequencer::ReadExitTime() {
    if (const auto value = host_.ExitTimeSec()) exitTime_ = std::max(*value, 0);
    return exitTime_;
}

// Pause, Resume and Stop act on an active walk only; a menu item left over from before a stop does nothing.
void Sequencer::Pause() {
    if (!walkActive_) return;
    SetVisible(SequencerAction::Pause, false);
    SetVisible(SequencerAction::Resume, true);
    Log(L"Task list is paused");
    SetTickTimerOn(false);
    // Ticks in a row only: the first sample after the pause spans all of it.
    calm_.Forget();
    SetWaiting(false);
    SetState(WalkState::Paused);
}

void Sequencer::Resume() {
    if (!walkActive_) return;
    SetVisible(SequencerAction::Resume, false);
    SetVisible(SequencerAction::Pause, true);
    SetVisible(SequencerAction::Stop, true);
    Log(L"Task list is resumed");
    SetTickTimerOn(true);
    if (AllLaunched())
        ShowAllLaunched();
    else
        SetState(WalkState::Walking);
    SetWaiting(due_.Holding());
}

void Sequencer::StopFromTray() {
    if (!walkActive_) return;
    Log(L"Pushed traymenu of stop timer of delay");
    SetVisible(SequencerAction::Wait, false);
    SetVisible(SequencerAction::Stop, false);
    Log(L"Stopping timer of delay");
    DisarmDelayTimer();
    SetState(WalkState::Ready);
    StartOrStop();  // the walk is active, so this stops it
}

void Sequencer::CancelDelay() {
    if (!delayRunning_) return;
    Log(L"Pushed button of stop timer of delay");
    SetVisible(SequencerAction::Wait, false);
    Log(L"Stopping timer of delay");
    DisarmDelayTimer();
    SetState(WalkState::Ready);
}

void Sequencer::StopForClose() {
    DisarmDelayTimer();
    SetTickTimerOn(false);
}

void Sequencer::RefreshStopAction() { SetVisible(SequencerAction::Stop, walkActive_); }

void Sequencer::RefreshPauseAction() { SetVisible(SequencerAction::Pause, walkActive_); }

void Sequencer::RefreshStartNextAction() { SetVisible(SequencerAction::StartNext, walkActive_); }

void Sequencer::DisarmDelayTimer() {
    delayRunning_ = false;
    view_.DelayOfStartTimer(std::nullopt);
}

void Sequencer::StopDelay() {
    DisarmDelayTimer();
    SetVisible(SequencerAction::Wait, false);
}

void Sequencer::SetTickTimerOn(bool on) {
    tickTimerOn_ = on;
    view_.TickTimer(on);
}

void Sequencer::SetVisible(SequencerAction action, bool visible) {
    visible_[Index(action)] = visible;
    view_.ActionVisible(action, visible);
}

}  // namespace lentora
