// What the task page makes of the history of starts: the Impact column and its tooltip, and the
// delays proposed from measurement, applied only when the user says so.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/delay_spacing_dialog.h"
#include "dialog_test_support.h"
#include "main_window_fixture.h"
#include "measure/start_history.h"

namespace lentora {
namespace {

std::wstring Cell(HWND list, int row, int column) {
    wchar_t buffer[256] = {};
    ListView_GetItemText(list, row, column, buffer, 256);
    return buffer;
}

std::string Launch(const char* line, const char* cpu, const char* read, const char* settled) {
    return std::string("<launch line=\"") + line + "\" delay=\"1\" launched=\"1\" outcome=\"started\" cpu=\"" + cpu +
           "\" cpuFrom=\"machine\" read=\"" + read + "\" written=\"0\" settled=\"" + settled + "\"/>";
}

// Four tasks at 1, 2, 3 and 4 s; three measured once, the last never.
test::MainWindowSetup MeasuredTasks() {
    test::MainWindowSetup setup;
    setup.startList = test::StartListXml(
        "<TASK name=\"C:\\Tools\\heavy.exe\" time=\"1\" enable=\"true\" reg=\"0\"/>"
        "<TASK name=\"C:\\Tools\\light.exe\" time=\"2\" enable=\"true\" reg=\"0\"/>"
        "<TASK name=\"C:\\Tools\\reader.exe\" time=\"3\" enable=\"true\" reg=\"0\"/>"
        "<TASK name=\"C:\\Tools\\new.exe\" time=\"4\" enable=\"true\" reg=\"0\"/>");
    setup.files = {{kStartHistoryFileName,
                    "<history version=\"1\"><start at=\"2026-12-11T09:05:07\" by=\"log-on\">" +
                        Launch("C:\\Tools\\heavy.exe", "2.1", "0", "12.5") +
                        Launch("C:\\Tools\\light.exe", "0.1", "1000", "3") +
                        Launch("C:\\Tools\\reader.exe", "0.1", "900000", "7") + "</start></history>"}};
    return setup;
}

// The hint over the list once the mouse has reached `row`.
std::wstring HintAtRow(HWND list, int row) {
    RECT cell{};
    ListView_GetItemRect(list, row, &cell, LVIR_BOUNDS);
    SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
    return test::HintOf(GetAncestor(list, GA_ROOT), list);
}

std::vector<std::wstring> Delays(const test::MainWindowFixture& main) {
    std::vector<std::wstring> delays;
    for (size_t row = 0; row < main->Tasks().Count(); ++row) delays.push_back(main->Tasks().Item(row).delay.Text());
    return delays;
}

TEST(TaskImpact, EachTaskShowsItsClassFromItsLastMeasuredStartsAndItsFiguresInTheRowHint) {
    test::MainWindowFixture main(MeasuredTasks());
    ASSERT_TRUE(main.created());
    HWND list = main->Control(ids::taskListView);
    EXPECT_EQ(Cell(list, 0, kImpactColumn), L"High");
    EXPECT_EQ(Cell(list, 1, kImpactColumn), L"Low");
    EXPECT_EQ(Cell(list, 2, kImpactColumn), L"Medium") << "by what it read";
    EXPECT_EQ(Cell(list, 3, kImpactColumn), L"") << "never measured";

    EXPECT_EQ(HintAtRow(list, 0), L"Measured starts: 1. Typical CPU 2.1 s, disk 0.0 MB, settled after 12.5 s");
    EXPECT_EQ(HintAtRow(list, 2), L"Measured starts: 1. Typical CPU 0.1 s, disk 0.9 MB, settled after 7.0 s");
    EXPECT_EQ(HintAtRow(list, 3), L"") << "never measured";
}

TEST(TaskImpact, SpacingByMeasurementShowsTheProposalAndChangesDelaysOnlyWhenApplied) {
    test::MainWindowFixture main(MeasuredTasks());
    ASSERT_TRUE(main.created());
    const std::vector<std::wstring> today = Delays(main);
    ASSERT_EQ(today, (std::vector<std::wstring>{L"1", L"2", L"3", L"4"}));

    // Esc leaves every delay as it was; what the dialog showed is read inside its loop.
    std::vector<std::vector<std::wstring>> shown;
    DelaySpacingDialog::OnShownHook() = [&](DelaySpacingDialog& dialog) {
        shown.clear();
        for (int row = 0; row < ListView_GetItemCount(dialog.List()); ++row)
            shown.push_back({Cell(dialog.List(), row, 0), Cell(dialog.List(), row, 1), Cell(dialog.List(), row, 2),
                             Cell(dialog.List(), row, 3)});
        PostMessageW(dialog.List(), WM_KEYDOWN, VK_ESCAPE, 0);
    };
    SendMessageW(main->hwnd(), WM_COMMAND, MAKEWPARAM(ids::spaceByMeasurement, 0), 0);
    const std::vector<std::vector<std::wstring>> expected = {
        {L"C:\\Tools\\heavy.exe", L"1", L"1", L""},
        {L"C:\\Tools\\light.exe", L"2", L"14", L"measurement"},  // heavy settled after 12.5 s
        {L"C:\\Tools\\reader.exe", L"3", L"17", L"measurement"},
        {L"C:\\Tools\\new.exe", L"4", L"24", L"measurement"}};
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(Delays(main), today) << "cancelled";

    // Enter is the dialog's Apply.
    DelaySpacingDialog::OnShownHook() = [](DelaySpacingDialog& dialog) {
        PostMessageW(dialog.List(), WM_KEYDOWN, VK_RETURN, 0);
    };
    SendMessageW(main->hwnd(), WM_COMMAND, MAKEWPARAM(ids::spaceByMeasurement, 0), 0);
    DelaySpacingDialog::OnShownHook() = nullptr;
    EXPECT_EQ(Delays(main), (std::vector<std::wstring>{L"1", L"14", L"17", L"24"}));
    const std::vector<std::wstring> log = main->LogLines();
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const std::wstring& line) {
        return test::MainWindowFixture::ShowsText(line, L"Delays spaced by measurement: 3 of 4 tasks changed");
    }));
}

TEST(TaskImpact, SpacingWithNothingMeasuredSaysSoAndOpensNoDialog) {
    test::MainWindowSetup setup = MeasuredTasks();
    setup.files.clear();
    test::MainWindowFixture main(setup);
    ASSERT_TRUE(main.created());
    bool opened = false;
    DelaySpacingDialog::OnShownHook() = [&](DelaySpacingDialog& dialog) {
        opened = true;
        dialog.Close(false);
    };
    SendMessageW(main->hwnd(), WM_COMMAND, MAKEWPARAM(ids::spaceByMeasurement, 0), 0);
    DelaySpacingDialog::OnShownHook() = nullptr;
    EXPECT_FALSE(opened);
    ASSERT_EQ(main.boxes.shown.size(), 1u);
    EXPECT_EQ(main.boxes.shown[0].text, main->Msg(NamedMsg::SpacingNothingMeasured));
}

}  // namespace
}  // namespace lentora
