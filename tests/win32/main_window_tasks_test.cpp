// The task page of the real main window: its commands with their message boxes, the list view
// over the task model, the drawing of disabled tasks and the launch of the selected task.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "main_window_fixture.h"
#include "util/format.h"

namespace lentora {
namespace {

using test::MainWindowFixture;
using test::MainWindowSetup;

MainWindowSetup WithTasks(std::string_view tasks) {
    MainWindowSetup setup;
    setup.startList = test::StartListXml(tasks);
    return setup;
}

// A command as its button or menu item gives it.
void Command(const MainWindowFixture& main, int actionId) {
    SendMessageW(main->hwnd(), WM_COMMAND, MAKEWPARAM(actionId, 0), 0);
}

std::wstring CellText(HWND list, int row, int column) {
    wchar_t buffer[512] = {};
    ListView_GetItemText(list, row, column, buffer, 512);
    return buffer;
}

std::vector<std::wstring> Column(const MainWindowFixture& main, int column) {
    std::vector<std::wstring> texts;
    for (int i = 0; i < ListView_GetItemCount(main->TaskView().List()); ++i)
        texts.push_back(CellText(main->TaskView().List(), i, column));
    return texts;
}

std::vector<bool> CheckBoxes(const MainWindowFixture& main) {
    std::vector<bool> checks;
    for (int i = 0; i < ListView_GetItemCount(main->TaskView().List()); ++i)
        checks.push_back(ListView_GetCheckState(main->TaskView().List(), i) != FALSE);
    return checks;
}

std::vector<bool> ModelEnabled(const MainWindowFixture& main) {
    std::vector<bool> enabled;
    for (const auto& task : main->Tasks().Items()) enabled.push_back(task.enabled);
    return enabled;
}

const char kTwoTasks[] = R"(<TASK id="0" name="C:\one.exe" time="5" enable="true" reg="0"/>)"
                         R"(<TASK id="1" name="C:\two.exe" time="3" enable="false" reg="0"/>)";

TEST(MainWindowTasks, CommandsWithoutTheRowTheyNeedWarnAndChangeNothing) {
    MainWindowFixture main(WithTasks(kTwoTasks));
    ASSERT_TRUE(main.created());
    ASSERT_FALSE(main->Msg(Message::WarningCaption).empty());
    struct Case {
        const char* name;
        int action;
        Message text, caption;
        UINT type;
    };
    const Case withRows[] = {
        {"delete, nothing selected", ids::deleteTask, Message::NothingToDelete, Message::WarningCaption,
         MB_OK | MB_ICONWARNING},
        {"edit, nothing selected", ids::editTask, Message::NothingToEdit, Message::WarningCaption,
         MB_OK | MB_ICONWARNING},
        {"start, nothing selected", ids::startOrStop, Message::NothingToStart, Message::WarningCaption,
         MB_OK | MB_ICONWARNING},
    };
    const Case empty[] = {
        {"delete, empty list", ids::deleteTask, Message::ListEmpty, Message::WarningCaption, MB_OK | MB_ICONWARNING},
        {"edit, empty list", ids::editTask, Message::ListEmpty, Message::WarningCaption, MB_OK | MB_ICONWARNING},
        {"start, empty list", ids::startOrStop, Message::ListEmpty, Message::WarningCaption, MB_OK | MB_ICONWARNING},
        {"delete all, empty list", ids::deleteAllTasks, Message::ListEmpty, Message::EmptyListCaption,
         MB_OK | MB_ICONINFORMATION},
    };
    auto check = [&](const Case& c, size_t rows) {
        SCOPED_TRACE(c.name);
        main.boxes.shown.clear();
        size_t logged = main->LogLines().size();
        Command(main, c.action);
        ASSERT_EQ(main.boxes.shown.size(), 1u);
        EXPECT_EQ(main.boxes.shown[0].text, main->Msg(c.text));
        EXPECT_EQ(main.boxes.shown[0].caption, main->Msg(c.caption));
        EXPECT_EQ(main.boxes.shown[0].type, c.type);
        EXPECT_EQ(main->Tasks().Count(), rows);
        EXPECT_EQ(ListView_GetItemCount(main->TaskView().List()), static_cast<int>(rows));
        EXPECT_EQ(main->LogLines().size(), logged);
    };
    for (const auto& c : withRows) check(c, 2);

    main.boxes.shown.clear();
    main.boxes.Answer(IDYES);
    Command(main, ids::deleteAllTasks);
    ASSERT_EQ(main.boxes.shown.size(), 1u);
    EXPECT_EQ(main.boxes.shown[0].text, main->Msg(Message::DeleteAllQuestion));
    EXPECT_EQ(main.boxes.shown[0].caption, main->Msg(Message::QuestionCaption));
    EXPECT_EQ(main.boxes.shown[0].type, static_cast<UINT>(MB_YESNO | MB_ICONWARNING));
    EXPECT_EQ(ListView_GetItemCount(main->TaskView().List()), 0);
    EXPECT_EQ(main.ScreenLogCount(L"List of tasks is fully cleared"), 1);
    for (const auto& c : empty) check(c, 0);
}

TEST(MainWindowTasks, DeletionsAnsweredNoChangeNothingAndYesRemovesTheSelectedRow) {
    MainWindowFixture main(WithTasks(kTwoTasks));
    ASSERT_TRUE(main.created());
    size_t logged = main->LogLines().size();
    Command(main, ids::deleteAllTasks);  // answered No
    main.SelectRow(1);
    Command(main, ids::deleteTask);  // answered No
    ASSERT_EQ(main.boxes.shown.size(), 2u);
    EXPECT_EQ(main.boxes.shown[1].text, main->Msg(Message::DeleteTaskQuestion));
    EXPECT_EQ(main.boxes.shown[1].caption, main->Msg(Message::QuestionCaption));
    EXPECT_EQ(main->LogLines().size(), logged);
    EXPECT_EQ(Column(main, 0), (std::vector<std::wstring>{L"C:\\two.exe", L"C:\\one.exe"}));

    main.boxes.Answer(IDYES);
    Command(main, ids::deleteTask);
    EXPECT_EQ(Column(main, 0), (std::vector<std::wstring>{L"C:\\two.exe"}));
    EXPECT_EQ(main->Tasks().Count(), 1u);
    EXPECT_EQ(main.ScreenLogCount(L"Task \"C:\\one.exe\" is deleted from list"), 1);
}

TEST(MainWindowTasks, AfterStartUpTheListIsAscendingByDelayAsNumbers) {
    MainWindowFixture main(WithTasks(R"(<TASK name="a" time="10" enable="true"/><TASK name="b" time="9" enable="true"/>)"
                                     R"(<TASK name="c" time="100" enable="false"/><TASK name="d" time="2" enable="true"/>)"));
    ASSERT_TRUE(main.created());
    EXPECT_EQ(Column(main, 1), (std::vector<std::wstring>{L"2", L"9", L"10", L"100"}));
    EXPECT_EQ(Column(main, 0), (std::vector<std::wstring>{L"d", L"b", L"a", L"c"}));
    EXPECT_EQ(Column(main, 2), (std::vector<std::wstring>{
                                   main->Msg(Message::TaskEnabledStatus), main->Msg(Message::TaskEnabledStatus),
                                   main->Msg(Message::TaskEnabledStatus), main->Msg(Message::TaskDisabledStatus)}));
    EXPECT_EQ(CheckBoxes(main), (std::vector<bool>{true, true, true, false}));
    EXPECT_EQ(main->Tasks().Item(0).commandLine, L"d");
}

// The program's column is left-aligned, the others centred; a click on a header sorts the list, and
// the list view, by that column's texts.
TEST(MainWindowTasks, HeaderClicksSortTheListByTheirColumns) {
    MainWindowFixture main(WithTasks(R"(<TASK name="b" time="10" enable="true"/><TASK name="c" time="9" enable="true"/>)"
                                     R"(<TASK name="a" time="100" enable="false"/>)"));
    ASSERT_TRUE(main.created());
    HWND list = main->TaskView().List();
    std::vector<int> alignments;
    for (int column = 0; column < 3; ++column) {
        LVCOLUMNW format{LVCF_FMT};
        ASSERT_TRUE(ListView_GetColumn(list, column, &format));
        alignments.push_back(format.fmt & LVCFMT_JUSTIFYMASK);
    }
    EXPECT_EQ(alignments, (std::vector<int>{LVCFMT_LEFT, LVCFMT_CENTER, LVCFMT_CENTER}));

    auto click = [&](int column) {
        NMLISTVIEW header{};
        header.hdr = {list, static_cast<UINT_PTR>(ids::taskListView), static_cast<UINT>(LVN_COLUMNCLICK)};
        header.iItem = -1;
        header.iSubItem = column;
        SendMessageW(GetParent(list), WM_NOTIFY, ids::taskListView, reinterpret_cast<LPARAM>(&header));
        return Column(main, 0);
    };
    using Names = std::vector<std::wstring>;
    ASSERT_EQ(Column(main, 0), (Names{L"c", L"b", L"a"})) << "ascending by delay after start-up";
    EXPECT_EQ(click(0), (Names{L"a", L"b", L"c"}));
    EXPECT_EQ(click(0), (Names{L"c", L"b", L"a"}));
    EXPECT_EQ(click(1), (Names{L"a", L"b", L"c"})) << "largest delay first";
    EXPECT_EQ(Column(main, 1), (Names{L"100", L"10", L"9"}));
    EXPECT_EQ(click(2), (Names{L"a", L"b", L"c"})) << "statuses read as numbers are all equal";
    EXPECT_EQ(click(3), (Names{L"a", L"b", L"c"})) << "no such column";
}

TEST(MainWindowTasks, ActivateAndDeactivateAllSetEveryCheckBoxAndKeepTheStatuses) {
    MainWindowFixture main(WithTasks(kTwoTasks));
    ASSERT_TRUE(main.created());
    const std::vector<std::wstring> statuses = {main->Msg(Message::TaskDisabledStatus),
                                                main->Msg(Message::TaskEnabledStatus)};  // two.exe (3 s) first
    ASSERT_EQ(Column(main, 2), statuses);

    Command(main, ids::enableAllTasks);
    EXPECT_EQ(CheckBoxes(main), (std::vector<bool>{true, true}));
    EXPECT_EQ(ModelEnabled(main), (std::vector<bool>{true, true}));
    EXPECT_EQ(Column(main, 2), statuses) << "statuses wait for the next click";
    EXPECT_EQ(main.ScreenLogCount(L"Activate all tasks"), 1);

    Command(main, ids::disableAllTasks);
    EXPECT_EQ(CheckBoxes(main), (std::vector<bool>{false, false}));
    EXPECT_EQ(ModelEnabled(main), (std::vector<bool>{false, false}));
    EXPECT_EQ(Column(main, 2), statuses);
    EXPECT_EQ(main.ScreenLogCount(L"Deactivate all tasks"), 1);
}

TEST(MainWindowTasks, ACheckBoxFlippedByClickOrSpaceChangesTheTaskAndItsStatusAtOnce) {
    MainWindowFixture main(WithTasks(kTwoTasks));
    ASSERT_TRUE(main.created());
    HWND list = main->TaskView().List();
    const std::wstring on = main->Msg(Message::TaskEnabledStatus), off = main->Msg(Message::TaskDisabledStatus);
    ListView_SetCheckState(list, 0, TRUE);
    EXPECT_EQ(ModelEnabled(main), (std::vector<bool>{true, true}));
    EXPECT_EQ(Column(main, 2), (std::vector<std::wstring>{on, on}));
    ListView_SetCheckState(list, 1, FALSE);
    EXPECT_EQ(ModelEnabled(main), (std::vector<bool>{true, false}));
    EXPECT_EQ(CheckBoxes(main), (std::vector<bool>{true, false}));
    EXPECT_EQ(Column(main, 2), (std::vector<std::wstring>{on, off}));

    // Space on the focused row, as the keyboard gives it; the selection stays where it is.
    ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SetFocus(list);
    SendMessageW(list, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(list, WM_CHAR, L' ', 0);
    SendMessageW(list, WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_EQ(CheckBoxes(main), (std::vector<bool>{false, false}));
    EXPECT_EQ(Column(main, 2), (std::vector<std::wstring>{off, off}));
}

TEST(MainWindowTasks, DisabledTasksAreDrawnStruckThrough) {
    MainWindowFixture main(WithTasks(kTwoTasks));
    ASSERT_TRUE(main.created());
    HWND list = main->TaskView().List();
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    // The notifications the list view sends its parent before it paints, on our own surface.
    auto draw = [&](DWORD stage, int row) {
        NMLVCUSTOMDRAW cd{};
        cd.nmcd.hdr = {list, static_cast<UINT_PTR>(ids::taskListView), static_cast<UINT>(NM_CUSTOMDRAW)};
        cd.nmcd.dwDrawStage = stage;
        cd.nmcd.hdc = dc;
        cd.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
        return SendMessageW(GetParent(list), WM_NOTIFY, ids::taskListView, reinterpret_cast<LPARAM>(&cd));
    };
    auto struckOut = [&] {
        LOGFONTW font{};
        GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof(font), &font);
        return font.lfStrikeOut != 0;
    };
    EXPECT_EQ(draw(CDDS_PREPAINT, -1), CDRF_NOTIFYITEMDRAW);
    EXPECT_EQ(draw(CDDS_ITEMPREPAINT, 0), CDRF_NEWFONT);
    EXPECT_TRUE(struckOut()) << "two.exe is disabled";
    EXPECT_EQ(draw(CDDS_ITEMPREPAINT, 1), CDRF_NEWFONT);
    EXPECT_FALSE(struckOut());
    // Enabling it by its check box takes the strike-out away at once.
    ListView_SetCheckState(list, 0, TRUE);
    draw(CDDS_ITEMPREPAINT, 0);
    EXPECT_FALSE(struckOut());
    DeleteDC(dc);
}

TEST(MainWindowTasks, StartSelectedLaunchesTheTaskAndShowsTheOutcome) {
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring good = std::wstring(system) + L"\\cmd.exe /c exit";
    const std::wstring missing = std::wstring(system) + L"\\no-such-program-lentora.exe";
    struct Case {
        std::wstring command;
        Message status;
        std::wstring logLine;
    };
    const Case cases[] = {
        {good, Message::TaskStartedStatus, FormatText(L"application: \"%s\" is started", {good})},
        {missing, Message::TaskFailedStatus, FormatText(L"Error at an launch \"%s\"", {missing})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.command));
        MainWindowFixture main;
        ASSERT_TRUE(main.created());
        main->Tasks().AddTask({c.command, L"4", L"", L"0", true}, main->LogSink());
        main.SelectRow(0);
        Command(main, ids::startOrStop);
        EXPECT_TRUE(main.boxes.shown.empty());
        EXPECT_EQ(CellText(main->TaskView().List(), 0, 2), main->Msg(c.status));
        EXPECT_EQ(main.ScreenLogCount(FormatText(L"Launch application: \"%s\"", {c.command})), 1);
        EXPECT_EQ(main.ScreenLogCount(c.logLine), 1);
    }
}

}  // namespace
}  // namespace lentora
