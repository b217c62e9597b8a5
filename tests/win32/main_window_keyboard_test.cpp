// The real main window worked from the keyboard: real key input through the program's message loop
// moves the focus, switches pages, edits and deletes tasks, opens the task list's menu, and keeps
// the dialogs' own keys working.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "keyboard_test_support.h"
#include "main_window_fixture.h"
#include "measure/start_history.h"

namespace lentora {
namespace {

using test::KeyboardUser;
using test::MainWindowFixture;
using test::MainWindowSetup;

const char kTwoTasks[] = R"(<TASK id="0" name="C:\one.exe" time="3" enable="true" reg="0"/>)"
                         R"(<TASK id="1" name="C:\two.exe" time="5" enable="true" reg="0"/>)";

// One measured start, so the Last start page shows its list and its picture.
MainWindowSetup WithAStart() {
    MainWindowSetup setup;
    setup.files = {{kStartHistoryFileName,
                    R"(<history version="1"><start at="2026-12-11T09:05:07" by="log-on">)"
                    R"(<launch line="C:\one.exe" delay="3" launched="3" outcome="started" settled="4"/></start></history>)"}};
    return setup;
}

MainWindowSetup WithTwoTasks() {
    MainWindowSetup setup;
    setup.startList = test::StartListXml(kTwoTasks);
    return setup;
}

// Logging is on (kQuietIni), so the Log tab is there: Tasks, Last start, Options, Log, About.
enum Page { kTasks, kLastStart, kOptions, kLog, kAbout };

// Wholly inside the part of its parent that is on show.
bool InView(HWND control) {
    RECT shown{}, parent{};
    GetWindowRect(control, &shown);
    GetClientRect(GetParent(control), &parent);
    MapWindowPoints(GetParent(control), nullptr, reinterpret_cast<POINT*>(&parent), 2);
    return shown.top >= parent.top && shown.bottom <= parent.bottom && shown.left >= parent.left &&
           shown.right <= parent.right;
}

TEST(MainWindowKeyboard, TabAndShiftTabVisitEachPageRowByRowAndWrap) {
    struct Case {
        const char* name;
        Page page;
        int aboutPage;
        std::vector<int> order;  // from the page tabs on
    };
    const Case cases[] = {
        {"tasks: the toolbar left to right (Wait and Start next now are hidden), then the list", kTasks, 0,
         {ids::pageTabs, ids::addTask, ids::editTask, ids::deleteTask, ids::startStopButton, ids::taskListView}},
        // Disabled until a skin or a change: the skin list, Aero, Apply and Save options; the start
        // delay and the idle fields until their switches are on.
        {"options: both columns row by row, inside the scrolling box", kOptions, 0,
         {ids::pageTabs, ids::scrollDownButton, ids::startWithWindowsCheck, ids::checkForUpdatesCheck, ids::userProfileCheck,
          ids::pollingIntervalField, ids::delayOfStartCheck, ids::exitAfterField, ids::checkNowButton,
          ids::launchBalloonsCheck, ids::createShortcutButton, ids::waitForIdleCheck, ids::languageList, ids::useSkinCheck, ids::moreSkinsLink, ids::scrollUpButton}},
        {"last start: the list of starts, then the picture", kLastStart, 0,
         {ids::pageTabs, ids::lastStartList, ids::lastStartPicture}},
        {"log", kLog, 0, {ids::pageTabs, ids::logList}},
        {"about: header link, sub-page tabs, then the links of the used components", kAbout, 2,
         {ids::pageTabs, ids::siteLink, ids::aboutTabs, ids::skinLayerLink, ids::logComponentLink, ids::xmlParserLink}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MainWindowFixture main(WithAStart());
        ASSERT_TRUE(main.created());
        main.ShowTab(c.page);
        TabCtrl_SetCurFocus(main->Control(ids::aboutTabs), c.aboutPage);
        SetFocus(main->Control(ids::pageTabs));
        std::vector<int> forwards, backwards;
        std::vector<int> outOfView;
        test::TypeWhileLoopRuns(main.form(), [&](KeyboardUser& keyboard) {
            for (size_t i = 0; i < c.order.size(); ++i) {
                forwards.push_back(keyboard.MoveFocus(VK_TAB));
                if (!InView(keyboard.Focus())) outOfView.push_back(keyboard.FocusId());
            }
            for (size_t i = 0; i < c.order.size(); ++i) {
                backwards.push_back(keyboard.MoveFocus(VK_TAB, {VK_SHIFT}));
                if (!InView(keyboard.Focus())) outOfView.push_back(keyboard.FocusId());
            }
        });
        std::vector<int> expectForwards(c.order.begin() + 1, c.order.end());
        expectForwards.push_back(c.order.front());
        std::vector<int> expectBackwards(c.order.rbegin(), c.order.rend());
        EXPECT_EQ(forwards, expectForwards);
        EXPECT_EQ(backwards, expectBackwards);
        EXPECT_EQ(outOfView, std::vector<int>{}) << "a focused control is scrolled into view";
    }
}

TEST(MainWindowKeyboard, TabLeavesAReadOnlyTextThatWasClickedInto) {
    struct Case {
        const char* name;
        std::vector<WORD> modifiers;
        int next;
    };
    const Case cases[] = {
        {"Tab: round to the page tabs", {}, ids::pageTabs},
        {"Shift+Tab: the sub-page tabs above it", {VK_SHIFT}, ids::aboutTabs},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MainWindowFixture main;
        ASSERT_TRUE(main.created());
        main.ShowTab(kAbout);
        SetFocus(main->Control(ids::aboutText));
        int next = 0;
        test::TypeWhileLoopRuns(main.form(),
                                [&](KeyboardUser& keyboard) { next = keyboard.MoveFocus(VK_TAB, c.modifiers); });
        EXPECT_EQ(next, c.next);
    }
}

TEST(MainWindowKeyboard, CtrlTabAndCtrlShiftTabSwitchPagesFromAnywhereAndWrap) {
    struct Case {
        const char* name;
        Page from;
        int focused;
        bool backwards;
        Page to;
        int onPage;        // a control of the page that is to be shown
        int focusedAfter;  // the new page's first control, or the tabs where they had the focus
    };
    const Case cases[] = {
        {"from the task list on", kTasks, ids::taskListView, false, kLastStart, ids::lastStartPicture, ids::lastStartList},
        {"on to the options", kLastStart, ids::lastStartPicture, false, kOptions, ids::scrollDownButton,
         ids::scrollDownButton},
        {"from the last page round to the first, on the tabs", kAbout, ids::pageTabs, false, kTasks,
         ids::taskListView, ids::pageTabs},
        {"back from the first round to the last", kTasks, ids::startStopButton, true, kAbout, ids::aboutTabs, ids::siteLink},
        {"back from an option", kOptions, ids::launchBalloonsCheck, true, kLastStart, ids::lastStartPicture,
         ids::lastStartList},
        {"back from the picture of a start", kLastStart, ids::lastStartPicture, true, kTasks, ids::taskListView,
         ids::addTask},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MainWindowFixture main(WithAStart());
        ASSERT_TRUE(main.created());
        main.ShowTab(c.from);
        SetFocus(main->Control(c.focused));
        HWND tabs = main->Control(ids::pageTabs), onPage = main->Control(c.onPage);
        int shownPage = -1, focusedAfter = 0;
        bool pageShown = false, focusShown = false;
        test::TypeWhileLoopRuns(main.form(), [&](KeyboardUser& keyboard) {
            keyboard.Press(VK_TAB, c.backwards ? std::vector<WORD>{VK_CONTROL, VK_SHIFT}
                                               : std::vector<WORD>{VK_CONTROL});
            KeyboardUser::WaitFor([&] { return TabCtrl_GetCurSel(tabs) == c.to; });
            keyboard.Settle(tabs);
            shownPage = TabCtrl_GetCurSel(tabs);
            pageShown = IsWindowVisible(onPage) != FALSE;
            focusedAfter = keyboard.FocusId();
            focusShown = IsWindowVisible(keyboard.Focus()) != FALSE;
        });
        EXPECT_EQ(shownPage, c.to);
        EXPECT_TRUE(pageShown);
        EXPECT_EQ(focusedAfter, c.focusedAfter);
        EXPECT_TRUE(focusShown);
    }
}

TEST(MainWindowKeyboard, TheLogScrollsSidewaysToItsLongestLineAndCtrlCCopiesTheSelectedLines) {
    MainWindowFixture main;
    ASSERT_TRUE(main.created());
    main.ShowTab(kLog);
    HWND list = main->Control(ids::logList);
    // The update worker's line comes on its own time; a new line selects itself alone.
    ASSERT_TRUE(test::PumpUntil([&] { return main.ScreenLogCount(L"Check update is disable") > 0; }));
    const std::wstring longText(400, L'w');
    main->Log(longText);
    main->Log(L"last line");
    RECT client{};
    GetClientRect(list, &client);
    EXPECT_GT(SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0), client.right) << "the long line can be scrolled to";
    const auto lines = main->LogLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(SendMessageW(list, LB_GETSELCOUNT, 0, 0), 1) << "the newest line alone is selected";
    SendMessageW(list, LB_SETSEL, TRUE, static_cast<LPARAM>(lines.size() - 2));
    SetFocus(list);
    std::wstring copied;
    test::TypeWhileLoopRuns(main.form(), [&](KeyboardUser& keyboard) {
        keyboard.Press('C', {VK_CONTROL});
        KeyboardUser::WaitFor([&] {
            if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(nullptr)) return false;
            if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
                copied = static_cast<const wchar_t*>(GlobalLock(data));
                GlobalUnlock(data);
            }
            CloseClipboard();
            return copied.find(L"last line") != std::wstring::npos;
        });
    });
    EXPECT_EQ(copied, lines[lines.size() - 2] + L"\r\n" + lines.back() + L"\r\n");
}

TEST(MainWindowKeyboard, CtrlXStillClosesTheWindowThroughTheLoop) {
    MainWindowFixture main;
    ASSERT_TRUE(main.created());
    HWND window = main->hwnd();
    bool closed = false;
    test::TypeWhileLoopRuns(main.form(), [&](KeyboardUser& keyboard) {
        keyboard.Press('X', {VK_CONTROL});
        closed = KeyboardUser::WaitFor([&] { return !IsWindow(window); });
    });
    EXPECT_TRUE(closed);
    auto log = main.LogFileTexts();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), L"Closing application v." + main->ProgramVersion());
}

TEST(MainWindowKeyboard, EnterOnATaskOpensItsEditDialogWhichKeepsItsOwnKeys) {
    struct Case {
        const char* name;
        std::vector<std::pair<WORD, std::vector<WORD>>> closingKeys;
        bool saved;
    };
    const Case cases[] = {
        {"Esc cancels", {{VK_ESCAPE, {}}}, false},
        {"Enter on the focused Cancel cancels", {{VK_TAB, {VK_SHIFT}}, {VK_RETURN, {}}}, false},
        {"Enter in the field is OK", {{VK_RETURN, {}}}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MainWindowFixture main(WithTwoTasks());
        ASSERT_TRUE(main.created());
        const std::wstring before = main->Tasks().Item(0).commandLine;
        ASSERT_EQ(before, L"C:\\one.exe");
        main.SelectRow(0);
        HWND list = main->TaskView().List();
        SetFocus(list);
        bool opened = false, closed = false;
        std::wstring shownText, typedText;
        int focusedAfter = 0;
        test::TypeWhileLoopRuns(main.form(), [&](KeyboardUser& keyboard) {
            keyboard.Press(VK_RETURN);
            opened = KeyboardUser::WaitFor([&] { return keyboard.ShownWindow(L"TfrmProperty") != nullptr; });
            if (!opened) return;
            HWND dialog = keyboard.ShownWindow(L"TfrmProperty");
            KeyboardUser::WaitFor([&] { return GetParent(keyboard.Focus()) == dialog; });
            keyboard.Settle(dialog);
            HWND field = keyboard.Focus();
            shownText = ui::GetText(field);
            keyboard.Press('Z');
            KeyboardUser::WaitFor([&] { return ui::GetText(field) != shownText; });
            typedText = ui::GetText(field);
            for (const auto& [key, modifiers] : c.closingKeys) keyboard.Press(key, modifiers);
            closed = KeyboardUser::WaitFor([&] { return keyboard.ShownWindow(L"TfrmProperty") == nullptr; });
            keyboard.Settle(list);
            focusedAfter = keyboard.FocusId();
        });
        ASSERT_TRUE(opened);
        EXPECT_EQ(shownText, before) << "the selected task is edited";
        EXPECT_NE(typedText, before);
        EXPECT_TRUE(closed);
        EXPECT_EQ(main->Tasks().Item(0).commandLine, c.saved ? typedText : before);
        EXPECT_EQ(focusedAfter, ids::taskListView) << "the focus is back in the list";
    }
}

TEST(MainWindowKeyboard, DeleteOnATaskAsksFirstAndTheBoxIsAnsweredByKey) {
    MainWindowFixture main(WithTwoTasks());
    ASSERT_TRUE(main.created());
    ui::SetMessageBoxHandler({});  // the real box, answered by key
    main.SelectRow(0);
    HWND list = main->TaskView().List();
    SetFocus(list);
    struct Answer {
        WORD key;
        std::wstring boxCaption;
        int rowsAfter = -1, focusedAfter = 0;
    };
    Answer answers[] = {{'N'}, {'Y'}};
    test::TypeWhileLoopRuns(main.form(), [&](KeyboardUser& keyboard) {
        for (auto& answer : answers) {
            keyboard.Press(VK_DELETE);
            if (!KeyboardUser::WaitFor([&] { return keyboard.ShownWindow(L"#32770") != nullptr; })) return;
            answer.boxCaption = ui::GetText(keyboard.ShownWindow(L"#32770"));
            keyboard.Press(answer.key);
            KeyboardUser::WaitFor([&] { return keyboard.ShownWindow(L"#32770") == nullptr; });
            keyboard.Settle(list);
            answer.rowsAfter = ListView_GetItemCount(list);
            answer.focusedAfter = keyboard.FocusId();
        }
    });
    for (const auto& answer : answers) {
        SCOPED_TRACE(static_cast<char>(answer.key));
        EXPECT_EQ(answer.boxCaption, main->Msg(Message::QuestionCaption));
        EXPECT_EQ(answer.focusedAfter, ids::taskListView);
    }
    EXPECT_EQ(answers[0].rowsAfter, 2) << "No keeps the task";
    EXPECT_EQ(answers[1].rowsAfter, 1) << "Yes deletes it";
    EXPECT_EQ(main.ScreenLogCount(L"Task \"C:\\one.exe\" is deleted from list"), 1);
}

TEST(MainWindowKeyboard, MenuKeysOpenTheListMenuAtTheSelectedRow) {
    struct Case {
        const char* name;
        WORD key;
        std::vector<WORD> modifiers;
        int selected;  // -1: none, the menu opens at the list's corner; else just under the row
    };
    const Case cases[] = {
        {"Shift+F10", VK_F10, {VK_SHIFT}, 1},
        {"the context-menu key", VK_APPS, {}, 1},
        {"the context-menu key without a selected row", VK_APPS, {}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MainWindowFixture main(WithTwoTasks());
        ASSERT_TRUE(main.created());
        HWND list = main->TaskView().List();
        if (c.selected >= 0) main.SelectRow(c.selected);
        SetFocus(list);
        RECT menu{}, at{};
        int items = 0;
        bool closed = false;
        test::TypeWhileLoopRuns(main.form(), [&](KeyboardUser& keyboard) {
            keyboard.Press(c.key, c.modifiers);
            if (!KeyboardUser::WaitFor([&] { return keyboard.ShownWindow(L"#32768") != nullptr; })) return;
            HWND shown = keyboard.ShownWindow(L"#32768");
            GetWindowRect(shown, &menu);
            items = GetMenuItemCount(reinterpret_cast<HMENU>(SendMessageW(shown, MN_GETHMENU, 0, 0)));
            if (c.selected >= 0) {
                ListView_GetItemRect(list, c.selected, &at, LVIR_BOUNDS);
            } else {
                GetClientRect(list, &at);
                at.right = at.left + 32;  // the corner
                at.bottom = at.top + 32;
            }
            MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&at), 2);
            keyboard.Press(VK_ESCAPE);
            closed = KeyboardUser::WaitFor([&] { return keyboard.ShownWindow(L"#32768") == nullptr; });
        });
        EXPECT_EQ(items, 10) << "the task list's menu";
        EXPECT_TRUE(menu.left > at.left && menu.left < at.right && menu.top > at.top && menu.top <= at.bottom)
            << "menu at " << menu.left << "," << menu.top << "; expected within " << at.left << "," << at.top << " - "
            << at.right << "," << at.bottom;
        EXPECT_TRUE(closed);
    }
}

TEST(MainWindowKeyboard, TheModelessRegistryDialogHasItsKeysInTheModalLoopOfTheTaskDialog) {
    MainWindowFixture main;
    ASSERT_TRUE(main.created());
    SetFocus(main->Control(ids::pageTabs));
    int addId = 0;
    HWND registry = nullptr, list = nullptr, tabbedTo = nullptr, tabbedBack = nullptr;
    test::TypeWhileLoopRuns(main.form(), [&](KeyboardUser& keyboard) {
        addId = keyboard.MoveFocus(VK_TAB);
        keyboard.Press(VK_RETURN);  // the focused Add button
        if (!KeyboardUser::WaitFor([&] { return keyboard.ShownWindow(L"TfrmProperty") != nullptr; })) return;
        HWND dialog = keyboard.ShownWindow(L"TfrmProperty");
        KeyboardUser::WaitFor([&] { return GetParent(keyboard.Focus()) == dialog; });
        keyboard.Settle(dialog);
        for (int i = 0; i < 3; ++i) keyboard.MoveFocus(VK_TAB, {VK_SHIFT});  // Cancel, OK, Import
        keyboard.Press(VK_RETURN);
        if (!KeyboardUser::WaitFor([&] { return keyboard.ShownWindow(L"TfrmRegistryEdit") != nullptr; })) return;
        registry = keyboard.ShownWindow(L"TfrmRegistryEdit");
        KeyboardUser::WaitFor([&] { return GetParent(keyboard.Focus()) == registry; });
        keyboard.Settle(registry);
        list = keyboard.Focus();
        keyboard.MoveFocus(VK_TAB);
        tabbedTo = keyboard.Focus();
        keyboard.MoveFocus(VK_TAB, {VK_SHIFT});
        tabbedBack = keyboard.Focus();
    });
    EXPECT_EQ(addId, ids::addTask);
    ASSERT_NE(registry, nullptr);
    wchar_t listClass[64] = {};
    GetClassNameW(list, listClass, 64);
    EXPECT_STREQ(listClass, WC_LISTVIEWW) << "the dialog opens with its list focused";
    EXPECT_NE(tabbedTo, list);
    EXPECT_EQ(GetAncestor(tabbedTo, GA_ROOT), registry);
    EXPECT_EQ(tabbedBack, list);
}

}  // namespace
}  // namespace lentora
