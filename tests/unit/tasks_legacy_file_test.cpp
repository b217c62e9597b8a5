#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tasks/task_list_file.h"
#include "tasks_test_support.h"
#include "util/codepage.h"

using namespace lentora;
using lentora::testing::RecordingLog;

namespace {

class LegacyTaskFileTest : public lentora::testing::TempFolderTest {
protected:
    bool Convert() {
        return ConvertLegacyTaskList(PathOf("startlist.lst"), PathOf("startlist.xml"), list_, L"1.4.1.250", log_);
    }
    std::wstring Quoted(const std::string& name) const { return L"\"" + PathOf(name) + L"\""; }

    TaskList list_;
    RecordingLog log_;
};

}  // namespace

TEST_F(LegacyTaskFileTest, ConversionWritesTheXmlFileAndDeletesTheOldOne) {
    WriteBytes("startlist.lst", "C:\\Tools\\app.exe|5|Active|True\r\n");
    ASSERT_TRUE(Convert());

    EXPECT_EQ(list_.Items(), (std::vector<Task>{{L"C:\\Tools\\app.exe", L"5", L"Active", L"0", true}}));
    EXPECT_FALSE(Exists("startlist.lst"));
    EXPECT_NE(ReadBytes("startlist.xml").find("<TASK id=\"0\" name=\"C:\\Tools\\app.exe\" time=\"5\" enable=\"true\" reg=\"0\"/>"),
              std::string::npos);
    EXPECT_EQ(log_.lines, (std::vector<std::wstring>{
                              L"Find task-list file " + Quoted("startlist.lst") + L" oldest format",
                              L"Loading task list from " + Quoted("startlist.lst"),
                              L"Task list is loaded",
                              L"Save task-list as new format in file " + Quoted("startlist.xml"),
                              L"Saving of task list...",
                              L"Task list is saved as " + Quoted("startlist.xml"),
                              L"Delete task-list file " + Quoted("startlist.lst") + L" oldest format",
                          }));
}

TEST_F(LegacyTaskFileTest, LinesEndAtAnyBreakAndMissingFieldsAreEmpty) {
    WriteBytes("startlist.lst", "a.exe -x|3|Waiting|1\rb.exe|4||0\nc.exe|7|s|FALSE\r\nd.exe|8|s|-1|extra");
    // The list is emptied before reading.
    list_.Append({L"old.exe", L"1", L"", L"0", true});
    ASSERT_FALSE(LoadLegacyTaskList(PathOf("startlist.lst"), list_, log_));

    EXPECT_EQ(list_.Items(), (std::vector<Task>{{L"a.exe -x", L"3", L"Waiting", L"0", true},
                                                     {L"b.exe", L"4", L"", L"0", false},
                                                     {L"c.exe", L"7", L"s", L"0", false},
                                                     {L"d.exe", L"8", L"s", L"0", false}}));  // flag "-1|extra"
}

TEST_F(LegacyTaskFileTest, AFileWithAByteOrderMarkIsReadInItsEncoding) {
    std::wstring name = L"C:\\\u041F\u0440\u043E\u0433\\a.exe";
    WriteBytes("startlist.lst", "\xFF\xFE" + EncodeUtf16Le(name + L"|2|s|true\r\n"));
    ASSERT_TRUE(LoadLegacyTaskList(PathOf("startlist.lst"), list_, log_));
    ASSERT_EQ(list_.Count(), 1u);
    EXPECT_EQ(list_.Item(0).commandLine, name);
}

TEST_F(LegacyTaskFileTest, BadFlagKeepsTheFailingRowAndTheOldFile) {
    WriteBytes("startlist.lst", "a.exe|3|s|True\r\nb.exe|4|s|maybe\r\nc.exe|5|s|1\r\n");
    EXPECT_FALSE(Convert());

    EXPECT_EQ(list_.Items(), (std::vector<Task>{{L"a.exe", L"3", L"s", L"0", true}, {L"b.exe", L"4", L"s", L"0", false}}));
    // Set aside with all its lines, so the next start reads the new list instead of converting again.
    EXPECT_FALSE(Exists("startlist.lst"));
    EXPECT_EQ(ReadBytes("startlist.lst.bak"), "a.exe|3|s|True\r\nb.exe|4|s|maybe\r\nc.exe|5|s|1\r\n");
    ASSERT_GE(log_.lines.size(), 3u);
    EXPECT_EQ(log_.lines[2], L"Error of loading of a file \"startlist.lst\"");
    EXPECT_EQ(log_.lines.back(), L"Task-list file " + Quoted("startlist.lst") + L" oldest format is kept as " +
                                     Quoted("startlist.lst.bak") + L": its tasks could not all be read");
}

TEST_F(LegacyTaskFileTest, UnwritableXmlFileKeepsTheOldFile) {
    WriteBytes("startlist.lst", "a.exe|3|s|True\r\n");
    EXPECT_FALSE(ConvertLegacyTaskList(PathOf("startlist.lst"), PathOf("missing/startlist.xml"), list_, L"1.4.1.250",
                                       log_));
    EXPECT_EQ(ReadBytes("startlist.lst.bak"), "a.exe|3|s|True\r\n");
    EXPECT_EQ(list_.Count(), 1u);
    ASSERT_GE(log_.lines.size(), 2u);
    EXPECT_EQ(log_.lines[log_.lines.size() - 2], L"Error at a saving file " + Quoted("missing/startlist.xml"));
    EXPECT_EQ(log_.lines.back(), L"Task-list file " + Quoted("startlist.lst") + L" oldest format is kept as " +
                                     Quoted("startlist.lst.bak") + L": the new file could not be written");
}

TEST_F(LegacyTaskFileTest, MissingFileNamesTheBareFileName) {
    list_.Append({L"old.exe", L"1", L"", L"0", true});
    EXPECT_FALSE(LoadLegacyTaskList(PathOf("startlist.lst"), list_, log_));
    EXPECT_TRUE(list_.Empty());
    EXPECT_EQ(log_.lines, (std::vector<std::wstring>{L"Loading task list from " + Quoted("startlist.lst"),
                                                     L"Error of loading of a file \"startlist.lst\""}));
}
