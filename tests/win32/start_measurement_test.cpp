// A walk's launches measured with real processes: a helper that burns a known amount of CPU time
// and has no window, a launch that failed, and the record they end in.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "app/program_launcher.h"
#include "app/start_measurement.h"
#include "sysint_test_support.h"

namespace lentora {
namespace {

TEST(StartMeasurement, AProgramThatBurnsTwoSecondsIsMeasuredAtAboutTwoSeconds) {
    const char* burn = std::getenv("LENTORA_CPU_BURN");
    ASSERT_NE(burn, nullptr);
    const std::wstring line = L"\"" + std::wstring(burn, burn + std::strlen(burn)) + L"\" 2 1";
    constexpr double kWindow = 15;
    StartMeasurement measurement(WalkOrigin::Button, {2026, 12, 11, 9, 5, 7, 0}, 30, kWindow);
    test::RecordingLog log;
    ProgramLauncher launcher(log, [] {});
    launcher.SetStartedProcessHandler(
        [&](TaskId task, HANDLE process, bool suspended) { measurement.ProcessStarted(task, process, suspended); });

    CpuLoadSampler machine;
    machine.Take();
    // The walk's clock: the launches at their ticks, the sample over each tick.
    const LaunchOutcome outcome = launcher.Launch(1, line);
    measurement.LaunchEnded(1, line, 1, 1, outcome);
    ASSERT_EQ(outcome, LaunchOutcome::Started);
    const std::wstring missing = L"C:\\no such folder\\missing.exe";
    measurement.LaunchEnded(2, missing, 1, 1, launcher.Launch(2, missing));
    int ticks = 0;
    double machineBusy = 0;  // all processors, whatever else ran meanwhile
    for (double second = 2; measurement.Watching() && second <= 1 + kWindow + 1; ++second, ++ticks) {
        Sleep(1000);
        const auto sample = machine.Take();
        if (sample) machineBusy += sample->busySeconds;
        measurement.OnTick(second, sample);
    }

    const StartRecord record = measurement.Record();
    EXPECT_EQ(record.origin, WalkOrigin::Button);
    EXPECT_EQ(record.machineCpu.size(), static_cast<size_t>(ticks));
    ASSERT_EQ(record.launches.size(), 2u);
    const MeasuredLaunch& burnt = record.launches[0];
    EXPECT_EQ(burnt.commandLine, line);
    EXPECT_EQ(burnt.outcome, LaunchOutcome::Started);
    ASSERT_TRUE(burnt.cpuSeconds);
    // The program's own figure where the system counts it (Windows); else the machine's time from
    // the launch until it settled (Wine), which also holds what starting a process costs and
    // whatever else the machine ran: never more than the machine was busy.
    EXPECT_GE(*burnt.cpuSeconds, 1.6);
    if (burnt.cpuSource == CpuSource::Program)
        EXPECT_LE(*burnt.cpuSeconds, 2.5);
    else
        EXPECT_LE(*burnt.cpuSeconds, machineBusy + 0.05);
    EXPECT_EQ(burnt.readiness, Readiness::NoWindow) << "a console program";
    if (burnt.settledAfterSeconds) {
        EXPECT_GE(*burnt.settledAfterSeconds, 1.0);
    }
    const MeasuredLaunch& failed = record.launches[1];
    EXPECT_EQ(failed.outcome, LaunchOutcome::Failed);
    EXPECT_FALSE(failed.cpuSeconds) << "nothing ran, nothing is made up";
    EXPECT_EQ(failed.readiness, Readiness::Unknown);
}

}  // namespace
}  // namespace lentora
