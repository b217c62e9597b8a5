#include "app/start_measurement.h"

#include <algorithm>

namespace lentora {
namespace {

MeasuredLaunch& Apply(MeasuredLaunch& launch, const MeterReading& reading) {
    if (reading.cpuSeconds) {
        launch.cpuSeconds = reading.cpuSeconds;
        launch.cpuSource = CpuSource::Program;
    }
    launch.bytesRead = reading.bytesRead;
    launch.bytesWritten = reading.bytesWritten;
    launch.peakPrivateBytes = reading.peakPrivateBytes;
    return launch;
}

Readiness ReadinessOf(InputIdleWatch::State state) {
    switch (state) {
        case InputIdleWatch::State::Ready: return Readiness::Ready;
        case InputIdleWatch::State::NoWindow: return Readiness::NoWindow;
        case InputIdleWatch::State::NotReady: return Readiness::NotReady;
        case InputIdleWatch::State::Waiting: break;
    }
    return Readiness::Unknown;
}

}  // namespace

StartMeasurement::StartMeasurement(WalkOrigin origin, const platform::LocalTime& began, int calmPercent,
                                   double windowSeconds)
    : windowSeconds_(windowSeconds), settle_(calmPercent, windowSeconds) {
    record_.origin = origin;
    record_.began = began;
}

StartMeasurement::Measured* StartMeasurement::Find(TaskId task) {
    auto it = std::find_if(launches_.rbegin(), launches_.rend(), [task](const Measured& m) { return m.task == task; });
    return it == launches_.rend() ? nullptr : &*it;
}

void StartMeasurement::ProcessStarted(TaskId task, HANDLE process, bool suspended) {
    Started started;
    started.meter = suspended ? ProgramMeter::ForSuspendedProcess(process) : ProgramMeter::ForProcess(process);
    started.ready = std::make_unique<InputIdleWatch>(process, static_cast<DWORD>(windowSeconds_ * 1000));
    processes_[task] = std::move(started);
}

void StartMeasurement::LaunchEnded(TaskId task, const std::wstring& commandLine, std::int32_t delaySeconds,
                                   double second, LaunchOutcome outcome) {
    Measured* measured = Find(task);
    // The answer to a consent prompt ends the launch that awaited it.
    if (!measured || measured->launch.outcome != LaunchOutcome::AwaitingConsent) {
        launches_.push_back({task, {}, std::nullopt});
        measured = &launches_.back();
        measured->launch.commandLine = commandLine;
        measured->launch.delaySeconds = delaySeconds;
        measured->launch.launchedAfterSeconds = second;
    }
    measured->launch.outcome = outcome;
    auto process = processes_.find(task);
    if (process == processes_.end()) return;
    if (outcome == LaunchOutcome::Started) {
        measured->watched = meters_.size();
        settle_.Launched(meters_.size(), second);
        meters_.push_back(std::move(process->second));
    }
    processes_.erase(process);
}

void StartMeasurement::OnTick(double second, const std::optional<CpuLoadSampler::Sample>& machine) {
    auto percent = [](std::optional<int> value) {
        return value ? static_cast<std::uint8_t>(std::clamp(*value, 0, 100)) : StartRecord::kUnknownPercent;
    };
    record_.machineCpu.push_back(percent(machine ? std::optional<int>(machine->percent) : std::nullopt));
    // Opened at the first tick, not when the walk begins: a start at log-on reaches the tray sooner.
    // Its first reading has nothing before it. A system without the drive's counters leaves the
    // series empty, not a row of unknowns.
    const bool firstReading = !disk_;
    if (firstReading) disk_.emplace();
    if (disk_->Available()) record_.diskBusy.push_back(percent(firstReading ? std::nullopt : disk_->Take()));
    SettleWatch::Tick tick;
    tick.second = second;
    // An unknown sample counts as busy: nothing settles on a guess.
    tick.machinePercent = machine ? machine->percent : 100;
    tick.machineBusySeconds = machine ? machine->busySeconds : 0;
    settle_.OnTick(tick, [this](size_t watched) -> std::optional<double> {
        const Started& started = meters_.at(watched);
        return started.meter ? started.meter->Read().cpuSeconds : std::nullopt;
    });
}

StartRecord StartMeasurement::Record() const {
    StartRecord record = record_;
    for (const Measured& measured : launches_) {
        MeasuredLaunch launch = measured.launch;
        if (measured.watched) {
            const Started& started = meters_.at(*measured.watched);
            const SettleWatch::Result& settled = settle_.ResultOf(*measured.watched);
            if (started.meter) Apply(launch, started.meter->Read());
            if (!launch.cpuSeconds) {
                launch.cpuSeconds = settled.machineShareSeconds;
                launch.cpuSource = CpuSource::MachineShare;
            }
            launch.readiness = ReadinessOf(started.ready->Current());
            launch.readyAfterSeconds = started.ready->ReadyAfterSeconds();
            launch.settledAfterSeconds = settled.settledAfterSeconds;
        }
        record.launches.push_back(std::move(launch));
    }
    return record;
}

}  // namespace lentora
