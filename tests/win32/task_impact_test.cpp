// The Impact column of the task list, from a history of starts beside the task list.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "main_window_fixture.h"
#include "measure/start_history.h"

namespace lentora {
namespace {

std::wstring Cell(HWND list, int row, int column) {
    wchar_t buffer[128] = {};
    ListView_GetItemText(list, row, column, buffer, 128);
    return buffer;
}

TEST(TaskImpact, EachTaskShowsItsClassFromItsLastMeasuredStartsAndAnUnmeasuredOneNone) {
    auto launch = [](const char* line, const char* cpu, const char* read) {
        return std::string("<launch line=\"") + line + "\" delay=\"1\" launched=\"1\" outcome=\"started\" cpu=\"" + cpu +
               "\" cpuFrom=\"machine\" read=\"" + read + "\" written=\"0\" settled=\"3\"/>";
    };
    const std::string history =
        "<history version=\"1\"><start at=\"2026-12-11T09:05:07\" by=\"log-on\">" +
        launch("C:\\Tools\\heavy.exe", "2.1", "0") + launch("C:\\Tools\\light.exe", "0.1", "1000") +
        launch("C:\\Tools\\reader.exe", "0.1", "900000") + "</start></history>";
    test::MainWindowSetup setup;
    setup.startList = test::StartListXml(
        "<TASK name=\"C:\\Tools\\heavy.exe\" time=\"1\" enable=\"true\" reg=\"0\"/>"
        "<TASK name=\"C:\\Tools\\light.exe\" time=\"2\" enable=\"true\" reg=\"0\"/>"
        "<TASK name=\"C:\\Tools\\reader.exe\" time=\"3\" enable=\"true\" reg=\"0\"/>"
        "<TASK name=\"C:\\Tools\\new.exe\" time=\"4\" enable=\"true\" reg=\"0\"/>");
    setup.files = {{kStartHistoryFileName, history}};
    test::MainWindowFixture main(setup);
    ASSERT_TRUE(main.created());
    HWND list = main->Control(ids::taskListView);
    EXPECT_EQ(Cell(list, 0, kImpactColumn), L"High");
    EXPECT_EQ(Cell(list, 1, kImpactColumn), L"Low");
    EXPECT_EQ(Cell(list, 2, kImpactColumn), L"Medium") << "by what it read";
    EXPECT_EQ(Cell(list, 3, kImpactColumn), L"") << "never measured";
}

}  // namespace
}  // namespace lentora
