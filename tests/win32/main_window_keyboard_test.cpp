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

namespace lentora {
namespace {

using test::KeyboardUser;
using test::MainWindowFixture;
using test::MainWindowSetup;

const char kTwoTasks[] = R"(<TASK id="0" name="C:\one.exe" time="3" enable="true" reg="0"/>)"
                         R"(<TASK id="1" name="C:\two.exe" time="5" enable="true" reg="0"/>)";

MainWindowSetup WithTwoTasks() {
    MainWindowSetup setup;
    setup.startList = test::StartListXml(kTwoTasks);
    return setup;
}

// Logging is on (kQuietIni), so the Log tab is there: Tasks, Options, Log, About.
enum Page { kTasks, kOptions, kLog, kAbout };

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
        {"tasks: the toolbar left to right, then the list", kTasks, 0,
         {ids::pcMainPage, ids::actAddTask, ids::actEditTask, ids::actDeleteTask, ids::bbtnStart, ids::lvListProg}},
        // Disabled until a skin or a change: the skin list, Aero, Apply and Save options.
        {"options: both columns row by row, inside the scrolling box", kOptions, 0,
         {ids::pcMainPage, ids::sbDownSB, ids::chbWindowsStart, ids::chkCheckforUpdate, ids::chkUserProfile,
          ids::dsePollingInterval, ids::chbSetWaitTimer, ids::dseWaitSec, ids::dseTimeExit, ids::btnCheckUpdates,
          ids::chkShowBalloon, ids::btnCreateLink, ids::cbLanguageSelect, ids::chbUseSkin, ids::wlblLoadSkins,
          ids::sbUpSB}},
        {"log", kLog, 0, {ids::pcMainPage, ids::lbLog}},
        {"about: header link, sub-page tabs, then the links of the used components", kAbout, 2,
         {ids::pcMainPage, ids::wlblForum, ids::pcAbout, ids::wlAC, ids::lblLF, ids::sWebLabel1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MainWindowFixture main;
        ASSERT_TRUE(main.created());
        main.ShowTab(c.page);
        TabCtrl_SetCurFocus(main->Control(ids::pcAbout), c.aboutPage);
        SetFocus(main->Control(ids::pcMainPage));
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

}  // namespace
}  // namespace lentora
