// What the walk tells as it goes, in its own terms; the window decides how each of these looks.
#pragma once
#include <cstdint>
#include <optional>

#include "tasks/task.h"

namespace lentora {

// The actions whose visibility the walk governs; Wait is "Waiting... Stop", which cancels the
// delay of start; StartNext is "Start next now".
enum class SequencerAction { Wait, Pause, Resume, Stop, StartNext };

// How a launch ended. A program that needs administrator rights asks the user first, who may say no;
// until the answer comes the launch awaits consent, and the host reports it later.
enum class LaunchOutcome { Started, Failed, Declined, AwaitingConsent };

// Where the walk stands.
enum class WalkState {
    Ready,         // no walk and no delay of start
    DelayOfStart,  // the delay of start runs
    Walking,       // the walk runs, launches still to come
    Paused,
    AllLaunched,   // every launch happened; the close is counted down
};

struct WalkStatus {
    WalkState state = WalkState::Ready;
    // With AllLaunched: the launches tried in this walk, and those that failed or were declined.
    int launchesTried = 0;
    int launchesNotStarted = 0;
    bool operator==(const WalkStatus&) const = default;
};

class IWalkObserver {
public:
    virtual ~IWalkObserver() = default;

    // A start with -start began: the window goes to the tray.
    virtual void StartModeBegan() = 0;
    virtual void StatusChanged(const WalkStatus& status) = 0;
    // A walk began (true) or ended (false): Start becomes Stop, and the tasks cannot be edited.
    virtual void WalkActiveChanged(bool active) = 0;
    // The walk's tick counter; none once a walk was stopped.
    virtual void TicksChanged(std::optional<int> ticks) = 0;
    // The delay of start runs for this many seconds; none: it no longer runs. The observer then
    // calls Sequencer::DelayElapsed once the time has passed.
    virtual void DelayOfStartTimer(std::optional<std::uint32_t> seconds) = 0;
    // The walk's clock runs (it calls Sequencer::Tick each second) or stops.
    virtual void TickTimer(bool running) = 0;
    virtual void ActionVisible(SequencerAction action, bool visible) = 0;
    // Every task's status back to enabled or disabled, before a walk starts or stops.
    virtual void StatusesReset() = 0;
    // A launch of `task` ended so, the task still being in the list; `ofTheWalk` is false for a
    // one-off start from the task list.
    virtual void LaunchEnded(TaskId task, LaunchOutcome outcome, bool ofTheWalk) = 0;
    // A due launch is held back for a calm system (true), or no longer (false).
    virtual void HeldForSystem(bool held) = 0;
    // The walk is over and the close time has passed: the program closes.
    virtual void Finished() = 0;
};

}  // namespace lentora
