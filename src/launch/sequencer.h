// The launch sequencer: delay of start, the timed walk over the task list with its optional wait
// for a calm system, pause, resume, stop and the closing delay. The window maps its button, menu
// items and timers onto these commands; the sequencer reads and launches through its host and tells
// what happens to its observer, in its own terms.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "launch/calm_watch.h"
#include "launch/due_launches.h"
#include "launch/sequencer_host.h"
#include "log/log_sink.h"

namespace lentora {

class Sequencer {
public:
    Sequencer(ISequencerHost& host, IWalkObserver& view, ILogSink& log) : host_(host), view_(view), log_(log) {}

    // Start-up with -start: minimises the window, then runs the delay of start or walks at once.
    void BeginStartMode();
    // The delay timer's event: ends the delay of start and begins the walk.
    void DelayElapsed();
    // "Waiting... Stop": cancels the delay of start; no walk follows.
    void CancelDelay();
    // The Start button: starts a walk when none is active, else stops it.
    void StartOrStop();
    // The walk timer's one-second event: launches the tasks now due, closes after the exit time.
    // With the wait for a calm system on, a due launch (and every later one) is held until total
    // CPU use, sampled once a tick, has stayed under the threshold for two ticks in a row, or
    // until the longest wait has passed; the launches that came due meanwhile then follow one
    // tick apart. The close counts from the last launch that happened.
    void Tick();
    void Pause();
    void Resume();
    // Stop in the tray menu: the Start button's stop with the tray's own log lines before it.
    void StopFromTray();
    // The window closes: no delay end and no tick may follow while the closing saves run.
    void StopForClose();
    // The action framework's refreshes: Stop, Pause and "Start next now" are offered exactly while
    // a walk is active.
    void RefreshStopAction();
    void RefreshPauseAction();
    void RefreshStartNextAction();
    // "Start next now": the next due or held rows start at once, whatever their hold. When none
    // wait, the rows with the next delay start and the tick counter moves on to that delay, so
    // the rows after them keep their spacing from it.
    void StartNextNow();
    // A walk is active and some row is still to start.
    bool HasNextToStart() const;
    // The answer to a consent prompt for `task` came: told as if the launch had ended at once, and
    // counted for a launch of the walk. A task deleted meanwhile is not told of.
    void LaunchAnswered(TaskId task, LaunchOutcome outcome);

    // A walk is active, running or paused: the Start button then stops it.
    bool WalkActive() const { return walkActive_; }
    // Ticks since the current walk began; a stop keeps the count until the next walk.
    int Ticks() const { return ticks_; }
    // The largest delay among the enabled rows when the walk began: the tick of the last launches.
    std::int32_t LargestDelay() const { return largestDelay_; }
    bool DelayRunning() const { return delayRunning_; }
    // The walk's timer runs: a walk is active and not paused.
    bool TickTimerOn() const { return tickTimerOn_; }
    // Starts as the window is after start-up: Pause shown, the others hidden.
    bool ActionVisible(SequencerAction action) const { return visible_[Index(action)]; }

private:
    static constexpr size_t Index(SequencerAction action) { return static_cast<size_t>(action); }

    struct IdleWaitLimits {
        bool on = false;
        int thresholdPercent = 0;
        int longestWaitSec = 0;
    };
    struct DueRows {
        std::vector<TaskId> now;               // due at the tick asked about, in list order
        std::optional<std::int32_t> nextDelay; // the smallest delay after it
    };

    void EndDelay();
    void StartWalk();
    void StopWalk();
    void DisarmDelayTimer();
    void StopDelay();
    void SetTickTimerOn(bool on);
    void SetVisible(SequencerAction action, bool visible);
    std::int32_t ReadExitTime();
    void ShowTicks();
    IdleWaitLimits ReadIdleWait() const;
    DueRows RowsDue(int tick) const;
    void LaunchOrHoldNext(const IdleWaitLimits& wait);
    void LaunchNext();
    bool AllLaunched() const;
    void ShowStateIfAllLaunched();
    void ShowAllLaunched();
    void SetState(WalkState state);
    std::optional<int> RowOf(TaskId task) const;
    void DropDeletedLaunches();
    std::wstring NextCommandLine() const;
    void DropDueLaunches();
    void SetWaiting(bool waiting);
    void LaunchTask(TaskId task);
    void ShowOutcome(TaskId task, LaunchOutcome outcome);
    void Log(const std::wstring& line) { log_.Log(line); }

    ISequencerHost& host_;
    IWalkObserver& view_;
    ILogSink& log_;
    bool walkActive_ = false;
    int ticks_ = 0;
    std::int32_t largestDelay_ = 0;
    std::int32_t exitTime_ = 0;
    int lastLaunchTick_ = 0;
    DueLaunches due_;
    std::set<TaskId> awaitingConsent_;  // launches of this walk whose consent prompt is open
    int launchesTried_ = 0;
    int launchesNotStarted_ = 0;  // failed or declined
    CalmWatch calm_;
    bool waitingShown_ = false;
    bool delayRunning_ = false;
    bool tickTimerOn_ = false;
    std::array<bool, 5> visible_{false, true, false, false, false};
};

}  // namespace lentora
