// What the history makes of a program: its typical cost, its impact class, and the delays proposed
// from measured starts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "measure/delay_suggestion.h"
#include "measure/launch_cost.h"

namespace lentora {
namespace {

constexpr double kWindow = 60;

struct Measured {
    const wchar_t* line;
    std::optional<double> cpu;
    std::optional<double> settled;  // none: never settled
    LaunchOutcome outcome = LaunchOutcome::Started;
};

StartRecord Start(std::vector<Measured> launches) {
    StartRecord start;
    for (const Measured& m : launches) {
        MeasuredLaunch launch;
        launch.commandLine = m.line;
        launch.outcome = m.outcome;
        launch.cpuSeconds = m.cpu;
        launch.bytesRead = 1000;
        launch.bytesWritten = 24;
        launch.settledAfterSeconds = m.settled;
        start.launches.push_back(launch);
    }
    return start;
}

TEST(MeasureCost, TheTypicalCostIsTheMedianOfTheLastStartsThatStartedTheProgram) {
    std::vector<StartRecord> history;
    // Older than the last five that count: never looked at.
    history.push_back(Start({{L"C:\\a.exe", 100.0, 100.0}}));
    history.push_back(Start({{L"C:\\a.exe", 1.0, 4.0}}));
    history.push_back(Start({{L"c:\\A.EXE", 3.0, std::nullopt}}));  // never settled: the window
    history.push_back(Start({{L"C:\\a.exe", 2.0, 6.0}, {L"C:\\b.exe", 0.1, 1.0}}));
    history.push_back(Start({{L"C:\\a.exe", std::nullopt, 5.0, LaunchOutcome::Failed}}));  // not started
    history.push_back(Start({{L"C:\\b.exe", 0.1, 1.0}}));  // a start without it
    history.push_back(Start({{L"C:\\a.exe", 9.0, 7.0}}));
    history.push_back(Start({{L"C:\\a.exe", std::nullopt, 2.0}}));  // no CPU figure

    const TypicalCost a = TypicalCostOf(history, L"C:\\A.exe", kWindow);
    EXPECT_EQ(a.starts, 5u);
    ASSERT_TRUE(a.cpuSeconds);
    EXPECT_DOUBLE_EQ(*a.cpuSeconds, 2.5) << "the median of 1, 3, 2 and 9";
    EXPECT_DOUBLE_EQ(*a.settledAfterSeconds, 6.0) << "the median of 4, 60, 6, 7 and 2";
    EXPECT_DOUBLE_EQ(*a.diskBytes, 1024.0);

    const TypicalCost never = TypicalCostOf(history, L"C:\\c.exe", kWindow);
    EXPECT_EQ(never.starts, 0u);
    EXPECT_FALSE(never.cpuSeconds);
    EXPECT_EQ(ImpactOf(never), Impact::Unmeasured);
}

TEST(MeasureCost, ImpactFollowsTheCpuAndDiskBounds) {
    struct Case {
        std::optional<double> cpu, disk;
        Impact impact;
    } cases[] = {
        {std::nullopt, std::nullopt, Impact::Unmeasured},
        {0.0, 0.0, Impact::Low},
        {0.3, 300'000, Impact::Low},
        {0.31, 0, Impact::Medium},
        {0, 300'001, Impact::Medium},
        {1.0, 3'000'000, Impact::Medium},
        {1.01, 0, Impact::High},
        {0.1, 3'000'001, Impact::High},
        // One figure unknown: the other decides.
        {std::nullopt, 5e6, Impact::High},
        {0.5, std::nullopt, Impact::Medium},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cpu.value_or(-1) << " s, " << c.disk.value_or(-1) << " bytes");
        TypicalCost cost;
        cost.cpuSeconds = c.cpu;
        cost.diskBytes = c.disk;
        EXPECT_EQ(ImpactOf(cost), c.impact);
    }
}

TaskList Tasks(std::vector<std::pair<const wchar_t*, const wchar_t*>> rows, size_t disabledRow = SIZE_MAX) {
    TaskList list;
    for (size_t i = 0; i < rows.size(); ++i) {
        Task task;
        task.commandLine = rows[i].first;
        task.delay = rows[i].second;
        task.enabled = i != disabledRow;
        list.Append(task);
    }
    return list;
}

std::vector<std::int32_t> Proposed(const std::vector<DelayProposal>& proposals) {
    std::vector<std::int32_t> delays;
    for (const DelayProposal& p : proposals) delays.push_back(p.proposed);
    return delays;
}

TEST(MeasureCost, DelaysAreProposedSoEachProgramStartsWhenTheOneBeforeHasSettled) {
    const TaskList list = Tasks({{L"C:\\a.exe", L"5"}, {L"C:\\b.exe", L"6"}, {L"C:\\c.exe", L"7"}, {L"C:\\d.exe", L"40"}});
    struct Case {
        const char* what;
        std::vector<StartRecord> history;
        std::vector<std::int32_t> proposed;
    } cases[] = {
        {"nothing measured: today's delays", {}, {5, 6, 7, 40}},
        {"programs that settle fast",
         {Start({{L"C:\\a.exe", 1.2, 3.2}, {L"C:\\b.exe", 0.1, 0.4}, {L"C:\\c.exe", 0.2, 2.0}})},
         {5, 9, 10, 12}},
        {"one that never settles waits the whole window",
         {Start({{L"C:\\a.exe", 30.0, std::nullopt}, {L"C:\\b.exe", 0.1, 1.0}})},
         {5, 65, 66, 99}},
        // In the recorded start b was launched while a was still busy; a's own settling decides.
        {"overlapping programs",
         {Start({{L"C:\\a.exe", 4.0, 20.0}, {L"C:\\b.exe", 2.0, 15.0}}),
          Start({{L"C:\\a.exe", 4.0, 22.0}, {L"C:\\b.exe", 2.0, 14.0}}),
          Start({{L"C:\\a.exe", 4.0, 30.0}, {L"C:\\b.exe", 2.0, 13.0}})},
         {5, 27, 41, 74}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<DelayProposal> proposals = ProposeDelays(list, c.history, kWindow);
        EXPECT_EQ(Proposed(proposals), c.proposed);
        ASSERT_EQ(proposals.size(), 4u);
        EXPECT_EQ(proposals[3].today, 40);
    }
}

TEST(MeasureCost, ProposalsPassOverDisabledTasksAndKeepToTheDelayLimits) {
    const std::vector<StartRecord> history{Start({{L"C:\\a.exe", 1.0, 2.0}})};
    // b is disabled: c follows a.
    std::vector<DelayProposal> proposals =
        ProposeDelays(Tasks({{L"C:\\a.exe", L"999990"}, {L"C:\\b.exe", L"3"}, {L"C:\\c.exe", L"4"}}, 1), history, kWindow);
    ASSERT_EQ(proposals.size(), 2u);
    EXPECT_EQ(proposals[1].row, 2u);
    EXPECT_TRUE(proposals[1].measured);
    EXPECT_EQ(proposals[1].proposed, 999992);

    proposals = ProposeDelays(Tasks({{L"C:\\a.exe", L"999999"}, {L"C:\\x.exe", L"soon"}}), history, kWindow);
    EXPECT_EQ(Proposed(proposals), (std::vector<std::int32_t>{999999, 999999})) << "never past the limit";
    EXPECT_EQ(proposals[1].today, 1) << "a delay that is no delay";

    // Today's order going back in time keeps both at the same second, not earlier.
    proposals = ProposeDelays(Tasks({{L"C:\\x.exe", L"30"}, {L"C:\\y.exe", L"10"}}), history, kWindow);
    EXPECT_EQ(Proposed(proposals), (std::vector<std::int32_t>{30, 30}));
    EXPECT_FALSE(proposals[1].measured);
}

}  // namespace
}  // namespace lentora
