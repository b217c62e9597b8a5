#include "app/walk_measurer.h"

#include "app/program_launcher.h"
#include "app/walk_sources.h"
#include "measure/measured_line.h"
#include "settings/settings.h"
#include "tasks/task_list.h"
#include "util/format.h"

namespace lentora {

void WalkMeasurer::StartModeBegan() {
    nextOrigin_ = WalkOrigin::LogOn;
    parts_.view.StartModeBegan();
}

void WalkMeasurer::WalkActiveChanged(bool active) {
    if (active) {
        const int calm = parts_.sources.IdleWait().thresholdPercent.value_or(*Settings{}.idleThresholdPercent);
        measurement_ = std::make_unique<StartMeasurement>(nextOrigin_, platform::Now(), calm, kMeasuringWindowSeconds);
        nextOrigin_ = WalkOrigin::Button;
        tick_ = 0;
        parts_.launcher.SetStartedProcessHandler([this](TaskId task, HANDLE process, bool suspended) {
            if (measurement_) measurement_->ProcessStarted(task, process, suspended);
        });
        // The first tick's sample then measures from the walk's beginning.
        parts_.sources.TickSample();
    } else {
        EndMeasurement();
    }
    parts_.view.WalkActiveChanged(active);
}

void WalkMeasurer::TicksChanged(std::optional<int> ticks) {
    if (measurement_ && ticks) {
        tick_ = *ticks;
        measurement_->OnTick(tick_, parts_.sources.TickSample());
    }
    parts_.view.TicksChanged(ticks);
}

void WalkMeasurer::LaunchEnded(TaskId task, LaunchOutcome outcome, bool ofTheWalk) {
    if (measurement_ && ofTheWalk) {
        if (const auto row = parts_.tasks.IndexOf(task)) {
            const Task& launched = parts_.tasks.Item(*row);
            measurement_->LaunchEnded(task, launched.commandLine, launched.delay.Seconds().value_or(0), tick_, outcome);
        }
    }
    parts_.view.LaunchEnded(task, outcome, ofTheWalk);
}

void WalkMeasurer::Finished() {
    EndMeasurement();
    parts_.view.Finished();
}

void WalkMeasurer::EndMeasurement() {
    if (!measurement_) return;
    parts_.launcher.SetStartedProcessHandler(nullptr);
    const StartRecord record = measurement_->Record();
    measurement_.reset();
    for (const MeasuredLaunch& launch : record.launches)
        if (launch.outcome == LaunchOutcome::Started) parts_.log.Log(MeasuredLogLine(launch));
    const std::wstring path = parts_.history.Path();
    switch (parts_.history.Add(record)) {
        case HistoryWrite::Added: break;
        case HistoryWrite::AddedToANewHistory:
            parts_.log.Log(FormatText(L"History of starts \"%s\" could not be read; it is kept as \"%s.bak\"", {path, path}));
            break;
        case HistoryWrite::NotWritten:
            parts_.log.Log(FormatText(L"History of starts could not be written to \"%s\"", {path}));
            break;
    }
}

}  // namespace lentora
