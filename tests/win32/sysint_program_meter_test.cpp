// The cost of a launched program as the system reports it, against a helper that burns a known
// amount of CPU time.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "sysint/input_idle_watch.h"
#include "sysint/program_meter.h"

namespace lentora {
namespace {

struct Started {
    ui::KernelHandle process, thread;
};

// cpu_burn on one thread for `seconds`, created suspended.
std::optional<Started> StartBurn(int seconds) {
    const char* burn = std::getenv("LENTORA_CPU_BURN");
    if (!burn) return std::nullopt;
    std::wstring line = L"\"" + std::wstring(burn, burn + std::strlen(burn)) + L"\" " + std::to_wstring(seconds) + L" 1";
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &info))
        return std::nullopt;
    return Started{ui::KernelHandle(info.hProcess), ui::KernelHandle(info.hThread)};
}

TEST(SysintProgramMeter, AJobMeterCountsWhatTheProgramBurntOrNothingAtAll) {
    auto started = StartBurn(2);
    ASSERT_TRUE(started) << "LENTORA_CPU_BURN names the helper";
    auto meter = ProgramMeter::ForSuspendedProcess(started->process.get());
    ResumeThread(started->thread.get());
    ASSERT_EQ(WaitForSingleObject(started->process.get(), 20000), WAIT_OBJECT_0) << "it runs, meter or not";
    ASSERT_TRUE(meter);
    const MeterReading reading = meter->Read();
    // Where the system keeps the job's accounting (Windows) the figure is the program's; where it
    // does not (Wine) there is none, never a made-up 0.
    if (reading.cpuSeconds) {
        EXPECT_NEAR(*reading.cpuSeconds, 2.0, 0.5);
        EXPECT_TRUE(reading.bytesRead && reading.bytesWritten);
    } else {
        EXPECT_FALSE(reading.bytesRead);
        EXPECT_FALSE(reading.bytesWritten);
    }
}

TEST(SysintProgramMeter, AHandleMeterCountsWhatTheProgramBurntOrIsNotMade) {
    auto started = StartBurn(2);
    ASSERT_TRUE(started);
    ResumeThread(started->thread.get());
    auto meter = ProgramMeter::ForProcess(started->process.get());
    ASSERT_EQ(WaitForSingleObject(started->process.get(), 20000), WAIT_OBJECT_0);
    const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    ASSERT_EQ(meter.has_value(), !wine) << "Wine's figures for another process are near zero, not the program's";
    if (meter) {
        const MeterReading reading = meter->Read();
        ASSERT_TRUE(reading.cpuSeconds);
        EXPECT_NEAR(*reading.cpuSeconds, 2.0, 0.5);
    }
}

TEST(SysintProgramMeter, TheProgramOutlivesItsMeter) {
    auto started = StartBurn(3);
    ASSERT_TRUE(started);
    {
        auto meter = ProgramMeter::ForSuspendedProcess(started->process.get());
        ResumeThread(started->thread.get());
        ASSERT_TRUE(meter);
    }
    EXPECT_EQ(WaitForSingleObject(started->process.get(), 500), static_cast<DWORD>(WAIT_TIMEOUT))
        << "the job does not end its processes when it goes";
    EXPECT_EQ(WaitForSingleObject(started->process.get(), 20000), WAIT_OBJECT_0);
}

TEST(SysintInputIdleWatch, AWindowedProgramIsReadyAndAConsoleOneHasNoWindow) {
    // The floor program: a window and a tray icon, ending after 1.5 s.
    const char* exe = std::getenv("LENTORA_FLOOR");
    ASSERT_NE(exe, nullptr);
    std::wstring floor(exe, exe + std::strlen(exe));
    std::wstring line = L"\"" + floor + L"\" \"" + floor + L".stamp.txt\" 1500";
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
    ui::KernelHandle process(info.hProcess), thread(info.hThread);
    InputIdleWatch windowed(info.hProcess, 10000);

    auto burn = StartBurn(1);
    ASSERT_TRUE(burn);
    ResumeThread(burn->thread.get());
    InputIdleWatch console(burn->process.get(), 10000);

    for (int i = 0; i < 100 && (windowed.Current() == InputIdleWatch::State::Waiting ||
                                console.Current() == InputIdleWatch::State::Waiting); ++i)
        Sleep(50);
    EXPECT_EQ(windowed.Current(), InputIdleWatch::State::Ready);
    ASSERT_TRUE(windowed.ReadyAfterSeconds());
    EXPECT_LT(*windowed.ReadyAfterSeconds(), 5.0);
    EXPECT_EQ(console.Current(), InputIdleWatch::State::NoWindow);
    EXPECT_FALSE(console.ReadyAfterSeconds());
    WaitForSingleObject(info.hProcess, 20000);
    WaitForSingleObject(burn->process.get(), 20000);
    DeleteFileW((floor + L".stamp.txt").c_str());
}

}  // namespace
}  // namespace lentora
