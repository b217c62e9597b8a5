// The real main window and the wait for a calm system: its options from the file through the page
// and back, the waiting text in the status bar and the tray hint, and "Start next now".
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

#include "cpu_spin.h"
#include "dialog_test_support.h"
#include "main_window_fixture.h"

namespace lentora {
namespace {

using test::MainWindowFixture;
using test::MainWindowSetup;

const std::wstring kFirst = L"C:\\windows\\system32\\cmd.exe /c exit";
const std::wstring kLater = L"C:\\windows\\system32\\cmd.exe /c rem later";

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// Logging on, no update check, the close far away, and `options` on top; the two tasks at `first`
// and `later` seconds.
MainWindowSetup WalkSetup(const std::string& options, int first, int later) {
    MainWindowSetup setup;
    setup.ini = "[Options]\r\nUseLog=1\r\ncheck_update=0\r\nTimeExit=100\r\n" + options;
    setup.startList = test::StartListXml("<TASK name=\"" + Narrow(kFirst) + "\" time=\"" + std::to_string(first) +
                                         "\" enable=\"true\"/><TASK name=\"" + Narrow(kLater) + "\" time=\"" +
                                         std::to_string(later) + "\" enable=\"true\"/>");
    return setup;
}

// A walk whose ticks come from the test, through the window's timer message.
void StartWalkByHand(MainWindowFixture& main) {
    main->Seq().StartOrStop();
    KillTimer(main->hwnd(), ids::walkClockTimer);
    ASSERT_TRUE(main->Seq().WalkActive());
}
void Tick(MainWindowFixture& main) { SendMessageW(main->hwnd(), WM_TIMER, ids::walkClockTimer, 0); }
// The walk measures the system from its beginning: a busy first second holds the launch due at 1.
void BusyFirstTick(MainWindowFixture& main) {
    test::SpinEveryProcessor(300);
    Tick(main);
}

std::wstring StatusText(MainWindowFixture& main) {
    wchar_t buffer[512] = {};
    SendMessageW(main->StatusBar(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}
// The tray hint is the window's caption, a line break and the state.
std::wstring TrayState(MainWindowFixture& main) {
    const std::wstring& hint = main->Tray().Icon().Hint();
    const size_t lineEnd = hint.find(L'\r');
    return lineEnd == std::wstring::npos ? L"<no state in \"" + hint + L"\">" : hint.substr(lineEnd + 1);
}

void Type(HWND edit, const std::wstring& text) {
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    for (wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 1);
}

HWND StartNextButton(MainWindowFixture& main) { return GetDlgItem(main->TaskView().Toolbar(), ids::startNextNow); }

bool HasStyle(HWND hwnd, LONG style) { return (GetWindowLongW(hwnd, GWL_STYLE) & style) != 0; }

TEST(MainWindowIdleWait, OptionsGoFromTheFileThroughThePageToTheSequencerAndBack) {
    struct Case {
        const char* ini;
        bool on;
        const wchar_t *threshold, *longestWait;
    };
    const Case cases[] = {
        {"", false, L"30", L"60"},
        {"WaitIdle=1\r\nIdleThreshold=45\r\nIdleTimeOut=600\r\n", true, L"45", L"600"},
        {"WaitIdle=1\r\nIdleThreshold=2\r\nIdleTimeOut=99999\r\n", true, L"5", L"3600"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ini);
        MainWindowSetup setup;
        setup.ini = std::string(test::kQuietIni) + c.ini;
        MainWindowFixture main(std::move(setup));
        ASSERT_TRUE(main.created());
        EXPECT_EQ(main.Checked(ids::waitForIdleCheck), c.on);
        EXPECT_EQ(main.Text(ids::idleThresholdField), c.threshold);
        EXPECT_EQ(main.Text(ids::longestWaitField), c.longestWait);
        const IdleWaitOptions read = IdleWaitOf(main->Options().Shown());
        EXPECT_EQ(read.on, c.on);
        EXPECT_EQ(read.thresholdPercent, std::stoi(c.threshold));
        EXPECT_EQ(read.longestWaitSec, std::stoi(c.longestWait));
        EXPECT_FALSE(main.Enabled(ids::saveOptionsButton)) << "loading leaves no change to save";

        // The user's edits count at once, saved or not.
        main.ShowTab(2);
        main.Click(ids::waitForIdleCheck);
        Type(main->Control(ids::idleThresholdField), L"70");
        Type(main->Control(ids::longestWaitField), L"15");
        const IdleWaitOptions edited = IdleWaitOf(main->Options().Shown());
        EXPECT_EQ(edited.on, !c.on);
        EXPECT_EQ(edited.thresholdPercent, 70);
        EXPECT_EQ(edited.longestWaitSec, 15);
        EXPECT_TRUE(main.Enabled(ids::saveOptionsButton));
        main.Click(ids::saveOptionsButton);
        EXPECT_EQ(main.IniValue(L"Options", L"WaitIdle"), c.on ? L"0" : L"1");
        EXPECT_EQ(main.IniValue(L"Options", L"IdleThreshold"), L"70");
        EXPECT_EQ(main.IniValue(L"Options", L"IdleTimeOut"), L"15");
    }
}

// A task due at tick 1 with the wait on is always held: the first CPU sample of a run is unknown.
TEST(MainWindowIdleWait, WaitingTextStandsInForTheStateUntilTheHoldEndsAndTheRightStateFollows) {
    struct Case {
        const char* name;
        std::function<void(MainWindowFixture&)> act;
        Message shownAfter;
    };
    const Case cases[] = {
        {"tray Stop", [](MainWindowFixture& main) { main->ActionFor(ids::stopWalk).Execute(); }, Message::IdleStatus},
        {"Start button stop", [](MainWindowFixture& main) { main.Click(ids::startStopButton); }, Message::IdleStatus},
        {"Pause", [](MainWindowFixture& main) { main->ActionFor(ids::pauseWalk).Execute(); }, Message::PausedStatus},
        {"Start next now", [](MainWindowFixture& main) { main->ActionFor(ids::startNextNow).Execute(); },
         Message::WalkStatus},
        {"the option turned off, then a tick",
         [](MainWindowFixture& main) {
             main.Click(ids::waitForIdleCheck);
             Tick(main);
         },
         Message::WalkStatus},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MainWindowFixture main(WalkSetup("WaitIdle=1\r\nIdleThreshold=5\r\nIdleTimeOut=3600\r\n", 1, 9));
        ASSERT_TRUE(main.created());
        StartWalkByHand(main);
        ASSERT_EQ(StatusText(main), main->Msg(Message::WalkStatus));
        BusyFirstTick(main);
        const std::wstring& waiting = main->Msg(NamedMsg::WaitingForSystem);
        ASSERT_EQ(main.ScreenLogCount(L"Waiting for the system to be idle before \"" + kFirst + L"\""), 1);
        EXPECT_EQ(StatusText(main), waiting);
        EXPECT_EQ(TrayState(main), waiting);
        EXPECT_EQ(main->Tray().ImageIndex(), 3) << "the walk's picture stays";

        c.act(main);
        EXPECT_EQ(StatusText(main), main->Msg(c.shownAfter));
        EXPECT_EQ(TrayState(main), main->Msg(c.shownAfter));
    }
}

TEST(MainWindowIdleWait, AHeldWalkResumedOrTranslatedShowsTheWaitInTheLanguageInForce) {
    MainWindowFixture main(WalkSetup("WaitIdle=1\r\nIdleThreshold=5\r\nIdleTimeOut=3600\r\n", 1, 9));
    ASSERT_TRUE(main.created());
    StartWalkByHand(main);
    BusyFirstTick(main);
    main->Seq().Pause();
    ASSERT_EQ(StatusText(main), main->Msg(Message::PausedStatus));
    main->Seq().Resume();
    KillTimer(main->hwnd(), ids::walkClockTimer);
    EXPECT_EQ(StatusText(main), L"Waiting for the system to be idle...");

    ASSERT_TRUE(test::PickLanguageFile(main.form(), L"Russian.lng"));
    test::ClickApply(main.form());
    const std::wstring russian = L"\u041E\u0436\u0438\u0434\u0430\u043D\u0438\u0435 "
                                 L"\u043E\u0441\u0432\u043E\u0431\u043E\u0436\u0434\u0435\u043D\u0438\u044F "
                                 L"\u0441\u0438\u0441\u0442\u0435\u043C\u044B...";
    EXPECT_EQ(StatusText(main), russian);
    EXPECT_EQ(TrayState(main), russian);
}

TEST(MainWindowIdleWait, StartNextNowIsOfferedDuringAWalkAndEnabledWhileATaskIsStillToStart) {
    MainWindowFixture main(WalkSetup("", 1, 3));
    ASSERT_TRUE(main.created());
    ui::Action& startNext = main->ActionFor(ids::startNextNow);
    HWND button = StartNextButton(main);
    ASSERT_NE(button, nullptr) << "a toolbar button of the Task List page";
    auto offered = [&] {
        main->Actions().Update();  // as before a menu opens
        return std::pair{startNext.visible(), startNext.enabled()};
    };
    EXPECT_FALSE(HasStyle(button, WS_VISIBLE));
    EXPECT_EQ(offered().first, false) << "no walk";

    StartWalkByHand(main);
    EXPECT_TRUE(HasStyle(button, WS_VISIBLE));
    EXPECT_TRUE(IsWindowEnabled(button));
    EXPECT_EQ(offered(), std::pair(true, true));

    // Tick 1 starts the first task; the button skips the later one's remaining delay.
    Tick(main);
    ASSERT_EQ(main->Tasks().Item(0).status, main->Msg(Message::TaskStartedStatus));
    ASSERT_NE(main->Tasks().Item(1).status, main->Msg(Message::TaskStartedStatus));
    SendMessageW(button, BM_CLICK, 0, 0);
    EXPECT_EQ(main->Tasks().Item(1).status, main->Msg(Message::TaskStartedStatus));
    EXPECT_EQ(main->Seq().Ticks(), 3) << "the walk goes on from the skipped delay";
    EXPECT_EQ(main.ScreenLogCount(L"Starting \"" + kLater + L"\" now, ahead of its turn"), 1);
    EXPECT_FALSE(IsWindowEnabled(button)) << "nothing left to start";
    EXPECT_EQ(offered(), std::pair(true, false));

    main->Seq().StartOrStop();
    EXPECT_FALSE(HasStyle(button, WS_VISIBLE));
    EXPECT_EQ(offered().first, false);
}

TEST(MainWindowIdleWait, TheLastLaunchOfAWalkDisablesStartNextNowAtItsTick) {
    MainWindowFixture main(WalkSetup("", 1, 2));
    ASSERT_TRUE(main.created());
    StartWalkByHand(main);
    HWND button = StartNextButton(main);
    Tick(main);
    EXPECT_TRUE(IsWindowEnabled(button));
    Tick(main);
    ASSERT_EQ(main->Tasks().Item(1).status, main->Msg(Message::TaskStartedStatus));
    EXPECT_FALSE(IsWindowEnabled(button));
    EXPECT_TRUE(HasStyle(button, WS_VISIBLE)) << "the walk still runs until its close";
}

}  // namespace
}  // namespace lentora
