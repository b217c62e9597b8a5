// The launch sequencer: delay of start, the timed walk over the task list, pause, resume, stop
// and the closing delay. Driven by the main window's timers and actions; acts through its host.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "launch/sequencer_host.h"
#include "log/log_sink.h"

namespace lentora {

class Sequencer {
public:
    Sequencer(ISequencerHost& host, ILogSink& log) : host_(host), log_(log) {}

    void BeginStartMode();
    // The event of the delay timer; ignored unless the delay is still running.
    void WaitTimerElapsed();
    void timerWaitTimer();
    void bbtnStartClick();
    void timerStartTimer();
    void actPauseExecute();
    void actResumeExecute();
    void actStopExecute();
    void actWaitExecute();
    // The window closes: no delay end and no tick may follow while the closing saves run.
    void StopForClose();
    void actStopUpdate();
    void actPauseUpdate();

    // The Tag of bbtnStart: 1 while a walk is active (running or paused).
    int RunFlag() const { return runFlag_; }
    // The Tag of timerStart: ticks since the current walk began.
    int TickCounter() const { return tickCounter_; }
    std::int32_t MaxTaskDelay() const { return maxTaskDelay_; }
    bool WaitTimerArmed() const { return waitTimerArmed_; }
    bool StartTimerEnabled() const { return startTimerEnabled_; }
    // Starts as the window is after start-up: Pause shown, the others hidden.
    bool ActionVisible(SequencerAction action) const { return visible_[Index(action)]; }

private:
    static constexpr size_t Index(SequencerAction action) { return static_cast<size_t>(action); }

    void StartWalk();
    void StopWalk();
    void DisarmWaitTimer();
    void StopWaitTimer();
    void EnableStartTimer(bool enabled);
    void SetVisible(SequencerAction action, bool visible);
    std::int32_t ReadExitTime();
    void LaunchRow(int index);
    void Log(const std::wstring& line) { log_.Log(line); }

    ISequencerHost& host_;
    ILogSink& log_;
    int runFlag_ = 0;
    int tickCounter_ = 0;
    std::int32_t maxTaskDelay_ = 0;
    std::int32_t exitTime_ = 0;
    bool waitTimerArmed_ = false;
    bool startTimerEnabled_ = false;
    std::array<bool, 4> visible_{false, true, false, false};
};

}  // namespace lentora
