#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tasks/task_delay.h"
#include "tasks/task_list_file.h"
#include "tasks_test_support.h"

using namespace lentora;

namespace {

struct DelayCase {
    std::wstring text;
    std::optional<std::int32_t> seconds;  // none: no delay
};

// What a task list file, the task dialog (after dropping blanks around the text) and the walk take as
// a delay, and what the validation pass replaces.
const std::vector<DelayCase>& DelayCases() {
    static const std::vector<DelayCase> cases = {
        // The bounds: 1 is the least delay; the dialog's field ends at 999999, a file may hold more.
        {L"0", std::nullopt},
        {L"1", 1},
        {L"999999", TaskDelay::kMaxSeconds},
        {L"1000000", 1000000},
        {L"2147483647", 2147483647},
        {L"2147483648", std::nullopt},
        {L"99999999999999999999999", std::nullopt},
        // Signs: a plus is read, a minus gives no delay, a sign alone is nothing.
        {L"+5", 5},
        {L"-5", std::nullopt},
        {L"-0", std::nullopt},
        {L"+0", std::nullopt},
        {L"+", std::nullopt},
        {L"-", std::nullopt},
        {L"+-5", std::nullopt},
        // Leading zeros are read; the text keeps them.
        {L"007", 7},
        {L"0000000000000000000001", 1},
        {L"000", std::nullopt},
        // Blanks anywhere make it no delay: only the dialog drops them, before the check.
        {L" 5", std::nullopt},
        {L"5 ", std::nullopt},
        {L"\t5", std::nullopt},
        {L"1 000", std::nullopt},
        // Anything but ASCII digits.
        {L"", std::nullopt},
        {L"abc", std::nullopt},
        {L"5s", std::nullopt},
        {L"2.5", std::nullopt},
        {L"1e3", std::nullopt},
        {L"0x10", std::nullopt},
        {L"\uFF15", std::nullopt},  // a full-width 5
    };
    return cases;
}

}  // namespace

TEST(TaskDelay, ParseTakesWholeNumbersOfAtLeastOneSecondOnly) {
    for (const DelayCase& c : DelayCases()) {
        SCOPED_TRACE(::testing::Message() << "\"" << c.text << "\"");
        EXPECT_EQ(TaskDelay::Parse(c.text), c.seconds);
        const TaskDelay delay(c.text);
        EXPECT_EQ(delay.Text(), c.text) << "the text is kept as given";
        EXPECT_EQ(delay.Seconds(), c.seconds);
    }
}

TEST(TaskDelay, ValidationKeepsEveryDelayAsWrittenAndPutsThePositionForTheRest) {
    TaskList list;
    for (const DelayCase& c : DelayCases()) list.Append({L"a.exe", c.text, L"", L"0", true});
    lentora::testing::RecordingLog log;
    CheckTaskList(list, log);

    std::vector<std::wstring> corrections;
    for (size_t i = 0; i < DelayCases().size(); ++i) {
        const DelayCase& c = DelayCases()[i];
        const std::wstring line = std::to_wstring(i + 1);
        SCOPED_TRACE(::testing::Message() << "\"" << c.text << "\"");
        EXPECT_EQ(list.Item(i).delay.Text(), c.seconds ? c.text : line);
        if (!c.seconds) corrections.push_back(L"Find incorrect time of start in a.exe line " + line + L" line. Corrected.");
    }
    EXPECT_EQ(log.lines, corrections);
}

// A list read without the validation pass holds each delay as the file wrote it, and is written back
// to the same bytes, whatever its delays say.
TEST(TaskDelay, AFileIsReadAndWrittenBackWithItsDelayTextsUnchanged) {
    TaskList written;
    for (const DelayCase& c : DelayCases()) written.Append({L"a.exe", c.text, L"", L"0", true});
    const std::string bytes = TaskListToBytes(written, L"1.4.1.250");

    TaskList read;
    ASSERT_TRUE(LoadTaskListFromBytes(bytes, read));
    ASSERT_EQ(read.Count(), DelayCases().size());
    for (size_t i = 0; i < read.Count(); ++i) EXPECT_EQ(read.Item(i).delay.Text(), DelayCases()[i].text);
    EXPECT_EQ(TaskListToBytes(read, L"1.4.1.250"), bytes);
}

TEST(TaskDelay, TheOlderFileKeepsItsDelayTextsToo) {
    TaskList list;
    ASSERT_TRUE(LoadLegacyTaskListFromBytes("a.exe|007|s|1\r\nb.exe| 5|s|1\r\nc.exe|1000000|s|1\r\nd.exe|x|s|1", 1252, list));
    std::vector<std::wstring> delays;
    for (const Task& task : list.Items()) delays.push_back(task.delay.Text());
    EXPECT_EQ(delays, (std::vector<std::wstring>{L"007", L" 5", L"1000000", L"x"}));
}
