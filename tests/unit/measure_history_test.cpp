// The history of measured starts: its file written and read back, the number of starts it keeps,
// and files that are no history.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "measure/start_history.h"
#include "measure/start_history_store.h"
#include "support/temp_dir.h"

namespace lentora {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

MeasuredLaunch Launch(std::wstring line, std::int32_t delay, double cpu) {
    MeasuredLaunch launch;
    launch.commandLine = std::move(line);
    launch.delaySeconds = delay;
    launch.launchedAfterSeconds = delay + 0.004;
    launch.cpuSeconds = cpu;
    launch.bytesRead = 48'100'000;
    launch.bytesWritten = 3'200'000;
    launch.peakPrivateBytes = 12'345'678;
    launch.readiness = Readiness::Ready;
    launch.readyAfterSeconds = 5.8;
    launch.settledAfterSeconds = 12.25;
    return launch;
}

StartRecord Start(int minute, std::vector<MeasuredLaunch> launches = {}) {
    StartRecord start;
    start.began = {2026, 12, 11, 9, minute, 7, 0};
    start.launches = std::move(launches);
    start.machineCpu = {StartRecord::kUnknownPercent, 0, 12, 100, 45};
    return start;
}

TEST(MeasureHistory, EveryFigureAndEveryUnknownComesBackAsWritten) {
    MeasuredLaunch full = Launch(L"\"C:\\Program Files\\\u041F\u0440\u043E\u0433\\a.exe\" -x \"&<>\"", 5, 2.41);
    // What the system did not give stays unknown.
    MeasuredLaunch bare;
    bare.commandLine = L"C:\\b.exe";
    bare.delaySeconds = 30;
    bare.launchedAfterSeconds = 31;
    bare.outcome = LaunchOutcome::Started;
    bare.readiness = Readiness::NoWindow;
    MeasuredLaunch machine = Launch(L"C:\\c.exe", 40, 0.5);
    machine.cpuSource = CpuSource::MachineShare;
    machine.readiness = Readiness::NotReady;
    machine.readyAfterSeconds.reset();
    machine.settledAfterSeconds.reset();  // never settled
    MeasuredLaunch failed;
    failed.commandLine = L"C:\\missing.exe";
    failed.outcome = LaunchOutcome::Failed;
    MeasuredLaunch declined = failed;
    declined.outcome = LaunchOutcome::Declined;
    MeasuredLaunch consent = failed;
    consent.outcome = LaunchOutcome::AwaitingConsent;

    StartRecord first = Start(5, {full, bare, machine, failed, declined, consent});
    first.diskBusy = {3, 0, 97};
    StartRecord second = Start(6);
    second.origin = WalkOrigin::Button;
    second.machineCpu.clear();

    const std::vector<StartRecord> written{first, second};
    auto read = StartHistoryFromBytes(StartHistoryToBytes(written));
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, written);
}

TEST(MeasureHistory, KeepsTheLastStartsAndSetsAnUnreadableFileAside) {
    TempDir dir;
    const std::wstring path = dir.File(kStartHistoryFileName);
    EXPECT_EQ(ReadStartHistory(path).state, HistoryState::Missing);
    for (int i = 0; i < static_cast<int>(kKeptStarts) + 3; ++i)
        ASSERT_EQ(AddToStartHistory(path, Start(i, {Launch(L"C:\\a.exe", 5, i)})), HistoryWrite::Added);
    HistoryRead history = ReadStartHistory(path);
    ASSERT_EQ(history.state, HistoryState::Read);
    ASSERT_EQ(history.starts.size(), kKeptStarts);
    EXPECT_EQ(history.starts.front().began.minute, 3) << "the oldest go first";
    EXPECT_EQ(history.starts.back().began.minute, static_cast<int>(kKeptStarts) + 2);

    const std::string broken = "<history version=\"1\"><start";
    WriteBytes(path, broken);
    EXPECT_EQ(ReadStartHistory(path).state, HistoryState::Unreadable);
    EXPECT_EQ(AddToStartHistory(path, Start(50)), HistoryWrite::AddedToANewHistory);
    EXPECT_EQ(ReadBytes(path + L".bak"), broken);
    history = ReadStartHistory(path);
    ASSERT_EQ(history.starts.size(), 1u);
    EXPECT_EQ(history.starts[0].began.minute, 50);

    // Where nothing can be written, the walk is told so and the file is left as it was.
    EXPECT_EQ(AddToStartHistory(dir.File(L"no such folder") + L"/h.xml", Start(51)), HistoryWrite::NotWritten);
}

TEST(MeasureHistory, WhatIsNoHistoryAndWhatIsPassedOver) {
    const std::string launch = "<launch line=\"C:\\a.exe\" delay=\"5\" launched=\"5\" outcome=\"started\"/>";
    auto doc = [](const std::string& starts) { return "<history version=\"1\">" + starts + "</history>"; };
    struct Case {
        const char* what;
        std::string bytes;
        int starts;  // -1: no history
        int launches = 0;
    } cases[] = {
        {"empty file", "", -1},
        {"not XML", "starts: 3", -1},
        {"another root", "<ROOT><start at=\"2026-12-11T09:05:07\" by=\"log-on\"/></ROOT>", -1},
        {"another version", "<history version=\"2\"/>", -1},
        {"no version", "<history/>", -1},
        {"no starts", doc(""), 0},
        {"a start", doc("<start at=\"2026-12-11T09:05:07\" by=\"log-on\">" + launch + "</start>"), 1, 1},
        {"a start without its time", doc("<start by=\"log-on\">" + launch + "</start>"), 0},
        {"a time that is no time", doc("<start at=\"2026-13-11T09:05:07\" by=\"log-on\"/>"), 0},
        {"an unknown origin", doc("<start at=\"2026-12-11T09:05:07\" by=\"cron\"/>"), 0},
        {"a launch without its line",
         doc("<start at=\"2026-12-11T09:05:07\" by=\"button\"><launch delay=\"5\" launched=\"5\" outcome=\"started\"/>" +
             launch + "</start>"),
         1, 1},
        {"an unknown outcome",
         doc("<start at=\"2026-12-11T09:05:07\" by=\"button\"><launch line=\"x\" delay=\"5\" launched=\"5\" "
             "outcome=\"maybe\"/></start>"),
         1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto starts = StartHistoryFromBytes(c.bytes);
        if (c.starts < 0) {
            EXPECT_FALSE(starts);
            continue;
        }
        ASSERT_TRUE(starts);
        ASSERT_EQ(starts->size(), static_cast<size_t>(c.starts));
        if (c.starts > 0) {
            EXPECT_EQ(starts->front().launches.size(), static_cast<size_t>(c.launches));
        }
    }
}

TEST(MeasureHistory, AFigureThatCannotBeReadIsUnknownNeverZero) {
    const std::string bytes =
        "<history version=\"1\"><start at=\"2026-12-11T09:05:07\" by=\"log-on\">"
        "<machine cpu=\"5 17 x 9\" disk=\"101\"/>"
        "<launch line=\"C:\\a.exe\" delay=\"5\" launched=\"5.1\" outcome=\"started\" cpu=\"-1\" cpuFrom=\"program\" "
        "read=\"12MB\" written=\"\" peak=\"18446744073709551616\" ready=\"soon\" settled=\"never\"/>"
        "<launch line=\"C:\\b.exe\" delay=\"6\" launched=\"6\" outcome=\"started\" cpu=\"2.5\" cpuFrom=\"guess\"/>"
        "</start></history>";
    auto starts = StartHistoryFromBytes(bytes);
    ASSERT_TRUE(starts);
    ASSERT_EQ(starts->size(), 1u);
    const StartRecord& start = starts->front();
    EXPECT_EQ(start.machineCpu, (std::vector<std::uint8_t>{5, 17})) << "the series ends at the first bad value";
    EXPECT_TRUE(start.diskBusy.empty());
    ASSERT_EQ(start.launches.size(), 2u);
    const MeasuredLaunch& a = start.launches[0];
    EXPECT_FALSE(a.cpuSeconds);
    EXPECT_FALSE(a.bytesRead);
    EXPECT_FALSE(a.bytesWritten);
    EXPECT_FALSE(a.peakPrivateBytes);
    EXPECT_EQ(a.readiness, Readiness::Unknown);
    EXPECT_FALSE(a.settledAfterSeconds);
    EXPECT_FALSE(start.launches[1].cpuSeconds) << "a CPU figure of an unknown source";
}

// What the window reads: nothing before the data folder is known, the file once, the new start
// after a walk, and the other folder's history when the data folder moves.
TEST(MeasureHistory, TheStoreReadsOnceAndFollowsTheFileAndItsFolder) {
    TempDir one, two;
    AddToStartHistory(two.File(kStartHistoryFileName), Start(40));
    std::wstring path;  // empty: the data folder is not known yet
    StartHistoryStore store([&] { return path; });
    int changes = 0;
    store.onChanged = [&] { ++changes; };
    EXPECT_TRUE(store.Starts().empty());

    path = one.File(kStartHistoryFileName);
    EXPECT_TRUE(store.Starts().empty());
    AddToStartHistory(one.File(kStartHistoryFileName), Start(1));
    EXPECT_TRUE(store.Starts().empty()) << "read once, not at every look";
    ASSERT_EQ(store.Add(Start(2)), HistoryWrite::Added);
    EXPECT_EQ(changes, 1);
    ASSERT_EQ(store.Starts().size(), 2u);
    EXPECT_EQ(store.Starts().back().began.minute, 2);

    path = two.File(kStartHistoryFileName);
    ASSERT_EQ(store.Starts().size(), 1u);
    EXPECT_EQ(store.Starts()[0].began.minute, 40);
}

}  // namespace
}  // namespace lentora
