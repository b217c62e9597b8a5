#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tasks/task_list.h"
#include "tasks_test_support.h"

using namespace lentora;

namespace {

Task MakeTask(std::wstring commandLine, std::wstring delay, std::wstring status = L"", bool enabled = true) {
    return Task{std::move(commandLine), std::move(delay), std::move(status), L"0", enabled};
}

void Fill(TaskList& list, const std::vector<Task>& items) {
    for (const auto& item : items) list.Append(item);
}

std::vector<std::wstring> Captions(const TaskList& list) {
    std::vector<std::wstring> out;
    for (const auto& item : list.Items()) out.push_back(item.commandLine);
    return out;
}

// Start-up and Add click the Time column twice in a row.
void SortByDelayAsAtStartUp(TaskList& list) {
    list.SortByColumn(kTimeColumn);
    list.SortByColumn(kTimeColumn);
}

struct Click {
    int column;
    std::vector<std::wstring> order;
};

void ExpectClicks(TaskList& list, const std::vector<Click>& clicks) {
    for (size_t i = 0; i < clicks.size(); ++i) {
        list.SortByColumn(clicks[i].column);
        EXPECT_EQ(Captions(list), clicks[i].order) << "after click " << i << " on column " << clicks[i].column;
    }
}

}  // namespace

TEST(TasksSort, TimeColumnSortsDelaysAsNumbersAndAlternates) {
    TaskList list;
    Fill(list, {MakeTask(L"nine", L"9"), MakeTask(L"ten", L"10"), MakeTask(L"one", L"1"), MakeTask(L"two", L"2")});
    // The first click on a fresh list gives the largest delay first.
    ExpectClicks(list, {{kTimeColumn, {L"ten", L"nine", L"two", L"one"}},
                        {kTimeColumn, {L"one", L"two", L"nine", L"ten"}},
                        {kTimeColumn, {L"ten", L"nine", L"two", L"one"}}});
}

TEST(TasksSort, StartUpDoubleClickLeavesAscendingDelaysAndTheToggleAsFound) {
    TaskList list;
    Fill(list, {MakeTask(L"ten", L"10"), MakeTask(L"nine", L"9"), MakeTask(L"one", L"1")});
    SortByDelayAsAtStartUp(list);
    EXPECT_EQ(Captions(list), (std::vector<std::wstring>{L"one", L"nine", L"ten"}));
    ExpectClicks(list, {{kTimeColumn, {L"ten", L"nine", L"one"}}});
}

TEST(TasksSort, ProgramColumnSortsByTextAscendingThenDescending) {
    TaskList list;
    Fill(list, {MakeTask(L"b.exe", L"1"), MakeTask(L"C.exe", L"2"), MakeTask(L"a.exe", L"3")});
    ExpectClicks(list, {{kProgramColumn, {L"a.exe", L"b.exe", L"C.exe"}},
                        {kProgramColumn, {L"C.exe", L"b.exe", L"a.exe"}}});
}

TEST(TasksSort, StatusColumnFollowsTheKindTheLastProgramOrTimeClickLeft) {
    TaskList list;
    Fill(list, {MakeTask(L"c", L"3", L"Waiting"), MakeTask(L"a", L"1", L"Started"), MakeTask(L"b", L"2", L"Disabled")});
    SortByDelayAsAtStartUp(list);
    ExpectClicks(list, {
        // Integer kind: statuses are no numbers, every comparison is equal.
        {kStatusColumn, {L"a", L"b", L"c"}},
        {kProgramColumn, {L"a", L"b", L"c"}},
        // Text kind now; the Status toggle was switched by the first click, so descending.
        {kStatusColumn, {L"c", L"a", L"b"}},
        {kStatusColumn, {L"b", L"a", L"c"}},
    });
}

TEST(TasksSort, RowsWithEqualKeysKeepTheirOrder) {
    TaskList list;
    Fill(list, {MakeTask(L"first", L"5"), MakeTask(L"second", L"5"), MakeTask(L"early", L"1"), MakeTask(L"third", L"5")});
    SortByDelayAsAtStartUp(list);
    EXPECT_EQ(Captions(list), (std::vector<std::wstring>{L"early", L"first", L"second", L"third"}));
}

TEST(TasksSort, InvalidDelaysGoBeforeValidOnesAndKeepTheirOrder) {
    // An invalid delay compares by its leading digits (none: 0) against a valid one and equal to
    // another invalid one; these keys keep that consistent, so the order is fixed.
    TaskList list;
    Fill(list, {MakeTask(L"twenty", L"20"), MakeTask(L"x", L"x"), MakeTask(L"five", L"5"), MakeTask(L"3s", L"3s"),
                MakeTask(L"ten", L"10"), MakeTask(L"abc", L"abc"), MakeTask(L"minus", L"-4")});
    SortByDelayAsAtStartUp(list);
    EXPECT_EQ(Captions(list), (std::vector<std::wstring>{L"minus", L"x", L"3s", L"abc", L"five", L"ten", L"twenty"}));
}

TEST(TasksSort, IntegerKeysReadValidNumbersAndLeadingDigits) {
    TaskList list;
    SortByDelayAsAtStartUp(list);  // integer kind, Time toggle off
    struct Case { std::wstring a, b; int expected; } cases[] = {
        {L"9", L"10", 1},  {L"10", L"9", -1}, {L"7", L"7", 0},     {L"-5", L"0", 1},
        {L"abc", L"xyz", 0}, {L"abc", L"5", 1}, {L"12abc", L"5", -1}, {L"3x", L"3", 0},
        {L"", L"3", 1},     {L"99999999999", L"5", -1},
    };
    for (const auto& c : cases) {
        Task a = MakeTask(L"a", c.a), b = MakeTask(L"b", c.b);
        EXPECT_EQ(list.CompareTasks(&a, &b, kTimeColumn), c.expected)
            << "\"" << std::string(c.a.begin(), c.a.end()) << "\" vs \"" << std::string(c.b.begin(), c.b.end()) << "\"";
    }
    Task nine = MakeTask(L"a", L"9"), ten = MakeTask(L"b", L"10");
    EXPECT_EQ(list.CompareTasks(nullptr, &ten, kTimeColumn), 0);
    EXPECT_EQ(list.CompareTasks(&nine, nullptr, kTimeColumn), 0);
    list.SortByColumn(kTimeColumn);  // Time toggle on: negated
    EXPECT_EQ(list.CompareTasks(&nine, &ten, kTimeColumn), -1);
}

TEST(TasksSort, TextKindUsesTheGivenComparison) {
    TaskList list([](std::wstring_view a, std::wstring_view b) { return b.compare(a); });
    Fill(list, {MakeTask(L"a", L"1"), MakeTask(L"c", L"2"), MakeTask(L"b", L"3")});
    ExpectClicks(list, {{kProgramColumn, {L"c", L"b", L"a"}}});
}

TEST(TasksList, SelectionFollowsItsRowThroughSortsAndRemovals) {
    TaskList list;
    Fill(list, {MakeTask(L"late", L"30"), MakeTask(L"mid", L"20"), MakeTask(L"early", L"10"), MakeTask(L"last", L"40")});
    list.Select(1);
    SortByDelayAsAtStartUp(list);  // early, mid, late, last
    EXPECT_EQ(list.Selected(), 1u);
    list.Remove(0);
    EXPECT_EQ(list.Selected(), 0u);
    EXPECT_EQ(list.Item(0).commandLine, L"mid");
    list.Remove(2);
    EXPECT_EQ(list.Selected(), 0u);
    list.Remove(0);
    EXPECT_FALSE(list.Selected().has_value());
    list.Select(0);
    list.Clear();
    EXPECT_TRUE(list.Empty());
    EXPECT_FALSE(list.Selected().has_value());
    list.Select(5);
    EXPECT_FALSE(list.Selected().has_value());
}

// A task keeps its id through sorts; a deleted task's id is not found, nor given again.
TEST(TasksList, IdsFollowTheirTasksThroughSortsAndRemovals) {
    TaskList list;
    Fill(list, {MakeTask(L"late", L"30"), MakeTask(L"early", L"10"), MakeTask(L"mid", L"20")});
    const TaskId late = list.Item(0).id, early = list.Item(1).id;
    SortByDelayAsAtStartUp(list);  // early, mid, late
    EXPECT_EQ(list.IndexOf(late), 2u);
    EXPECT_EQ(list.IndexOf(early), 0u);
    list.Remove(0);
    EXPECT_FALSE(list.IndexOf(early).has_value());
    EXPECT_EQ(list.IndexOf(late), 1u);
    list.Append(MakeTask(L"again", L"10"));
    EXPECT_NE(list.Item(2).id, early);
    EXPECT_EQ(list.Item(2), MakeTask(L"again", L"10")) << "the id is no part of what a task holds";
}

TEST(TasksList, RefreshStatusesWritesTheTextOfEachTasksCheckBoxInOneChange) {
    TaskList list;
    int changes = 0;
    list.SetChangeHandler([&changes] { ++changes; });
    list.RefreshStatuses(L"Active", L"Disabled");
    EXPECT_EQ(changes, 0);

    Fill(list, {MakeTask(L"a", L"1", L"Started", true), MakeTask(L"b", L"2", L"", false), MakeTask(L"c", L"3", L"Failed", true)});
    changes = 0;
    list.RefreshStatuses(L"Active", L"Disabled");
    EXPECT_EQ(changes, 1);
    std::vector<std::wstring> statuses;
    for (const auto& item : list.Items()) statuses.push_back(item.status);
    EXPECT_EQ(statuses, (std::vector<std::wstring>{L"Active", L"Disabled", L"Active"}));
}

TEST(TasksList, ActivateAndDeactivateAllLeaveStatusesAlone) {
    TaskList list;
    Fill(list, {MakeTask(L"a", L"1", L"Disabled", false), MakeTask(L"b", L"2", L"Active", true)});
    list.SetAllEnabled(true);
    EXPECT_TRUE(list.Item(0).enabled && list.Item(1).enabled);
    EXPECT_EQ(list.Item(0).status, L"Disabled");
    list.SetAllEnabled(false);
    EXPECT_FALSE(list.Item(0).enabled || list.Item(1).enabled);
    EXPECT_EQ(list.Item(1).status, L"Active");
}

TEST(TasksList, AddTaskAppendsEveryFieldAndLogs) {
    TaskList list;
    lentora::testing::RecordingLog log;
    list.Append(MakeTask(L"first", L"1"));
    list.AddTask({L"C:\\Tools\\app.exe -q", L"15", L"", L"1", true}, log);
    ASSERT_EQ(list.Count(), 2u);
    EXPECT_EQ(list.Item(1), (Task{L"C:\\Tools\\app.exe -q", L"15", L"", L"1", true}));
    EXPECT_EQ(log.lines, (std::vector<std::wstring>{L"file \"C:\\Tools\\app.exe -q\" is added"}));
}

TEST(TasksList, UpdateBlocksReportOneChangeWhenTheOutermostEnds) {
    TaskList list;
    int changes = 0;
    list.SetChangeHandler([&changes] { ++changes; });
    {
        TaskList::UpdateBlock outer(list);
        list.Append(MakeTask(L"a", L"1"));
        {
            TaskList::UpdateBlock inner(list);
            list.Append(MakeTask(L"b", L"2"));
            list.SetEnabled(0, false);
        }
        EXPECT_EQ(changes, 0);
    }
    EXPECT_EQ(changes, 1);
    { TaskList::UpdateBlock nothing(list); }
    EXPECT_EQ(changes, 1);
    list.Remove(0);
    EXPECT_EQ(changes, 2);
}

// Every edit, even one that copies a text of the list into another task, must leave each task intact.
TEST(TasksList, TaskTextsSurviveEditsAndRemovals) {
    TaskList list;
    std::vector<Task> expected;
    for (int i = 0; i < 200; ++i) {
        std::wstring n = std::to_wstring(i);
        expected.push_back(MakeTask(L"C:\\Programs\\Vendor " + n + L"\\tool" + n + L".exe --long-option-" + n, n, L"", i % 2 == 0));
        list.Append(expected.back());
    }
    for (int round = 0; round < 30; ++round) {
        for (size_t i = 0; i < list.Count(); i += 3) {
            size_t from = (i + static_cast<size_t>(round) + 1) % list.Count();
            list.SetCommandLine(i, list.Item(from).commandLine);  // a text of the list itself
            expected[i].commandLine = expected[from].commandLine;
            list.SetDelay(i, std::to_wstring(round));
            expected[i].delay = std::to_wstring(round);
        }
        list.RefreshStatuses(L"Active " + std::to_wstring(round), L"Off");
        for (size_t i = 0; i < expected.size(); ++i) expected[i].status = expected[i].enabled ? L"Active " + std::to_wstring(round) : L"Off";
        list.Remove(static_cast<size_t>(round) * 5 % list.Count());
        expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(static_cast<size_t>(round) * 5 % expected.size()));
        ASSERT_EQ(list.Items(), expected) << "after round " << round;
    }
    list.Clear();
    list.Append(MakeTask(L"again", L"1"));
    EXPECT_EQ(list.Items(), (std::vector<Task>{MakeTask(L"again", L"1")}));
}
