// Measures each walk beside the window's view of it: it passes every event of the walk on to the
// view, measures the walk's launches while it runs (on the walk's own tick, no clock of its own),
// and when the walk ends adds it to the history of starts and logs what each program cost.
#pragma once
#include <memory>
#include <optional>
#include <string>

#include "app/program_launcher.h"
#include "app/start_measurement.h"
#include "launch/walk_observer.h"
#include "log/log_sink.h"
#include "measure/start_history_store.h"

namespace lentora {

class TaskList;
class WalkSources;

// How long a launch is measured at most.
inline constexpr double kMeasuringWindowSeconds = 60;

class WalkMeasurer : public IWalkObserver {
public:
    struct Parts {
        IWalkObserver& view;
        ILogSink& log;
        const TaskList& tasks;
        ProgramLauncher& launcher;
        WalkSources& sources;
        StartHistoryStore& history;
    };
    explicit WalkMeasurer(Parts parts) : parts_(std::move(parts)) {}
    // The launcher may outlive the measurer: it must not hand processes to it any more.
    ~WalkMeasurer() override { parts_.launcher.SetStartedProcessHandler(nullptr); }
    WalkMeasurer(const WalkMeasurer&) = delete;
    WalkMeasurer& operator=(const WalkMeasurer&) = delete;

    void StartModeBegan() override;
    void StatusChanged(const WalkStatus& status) override { parts_.view.StatusChanged(status); }
    void WalkActiveChanged(bool active) override;
    void TicksChanged(std::optional<int> ticks) override;
    void DelayOfStartTimer(std::optional<std::uint32_t> seconds) override { parts_.view.DelayOfStartTimer(seconds); }
    void TickTimer(bool running) override { parts_.view.TickTimer(running); }
    void ActionVisible(SequencerAction action, bool visible) override { parts_.view.ActionVisible(action, visible); }
    void StatusesReset() override { parts_.view.StatusesReset(); }
    void LaunchEnded(TaskId task, LaunchOutcome outcome, bool ofTheWalk) override;
    void HeldForSystem(bool held) override { parts_.view.HeldForSystem(held); }
    void Finished() override;

private:
    // The walk's record goes to the history, once.
    void EndMeasurement();

    Parts parts_;
    WalkOrigin nextOrigin_ = WalkOrigin::Button;
    std::unique_ptr<StartMeasurement> measurement_;
    int tick_ = 0;
};

}  // namespace lentora
