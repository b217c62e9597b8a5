// The real main window itself: status routine, Ctrl+X, size, the options page's scrolling and
// skin options, and "Save current log".
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>

#include "app/program.h"
#include "app/update_worker.h"
#include "image_ids.h"
#include "main_window_fixture.h"
#include "ui/unhandled_error.h"
#include "ui/dpi.h"
#include "util/date_time.h"
#include "util/format.h"

namespace lentora {
namespace {

using test::MainWindowFixture;
using test::MainWindowSetup;

std::wstring StatusText(HWND statusBar, int part) {
    wchar_t buffer[512] = {};
    SendMessageW(statusBar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

TEST(MainWindow, StatusRoutineShowsTheTextInTheStatusBarAndTheTrayHint) {
    MainWindowFixture main;
    ASSERT_TRUE(main.created());
    const std::wstring caption = ui::GetText(main->hwnd());
    ASSERT_EQ(caption, L"Lentora v." + main->ProgramVersion());
    EXPECT_EQ(StatusText(main->StatusBar(), 0), main->Msg(Message::IdleStatus)) << "start-up ends ready";
    // Two panels: the status text, 230 wide, and the tick counter, 150 wide.
    UINT dpi = ui::WindowDpi(main->hwnd());
    int parts[4] = {};
    EXPECT_EQ(SendMessageW(main->StatusBar(), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(parts)), 2);
    EXPECT_EQ(parts[0], ui::Scale(230, dpi));
    EXPECT_EQ(parts[1], ui::Scale(230 + 150, dpi));
    EXPECT_EQ(main->Tray().ImageIndex(), 0);
    struct Case {
        std::wstring text;
        int index, shown;
    };
    const Case cases[] = {
        {L"Processing", 3, 3},
        {L"", 0, 0},
        {L"Past the end", IDI_TRAY_COUNT + 5, IDI_TRAY_COUNT - 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        main->WalkView().ShowStateText(c.text, c.index);
        EXPECT_EQ(StatusText(main->StatusBar(), 0), c.text);
        EXPECT_EQ(main->Tray().Icon().Hint(), caption + L"\r" + c.text);
        EXPECT_EQ(main->Tray().Icon().Hint(), caption + L"\r" + c.text);
        EXPECT_EQ(main->Tray().ImageIndex(), c.shown);
    }
}

// The walk tells its states; the window shows each with its text, its tray picture and the Start
// button's face, and a launch's end with the task's status and, when balloons are on, a balloon.
TEST(WalkPresenter, ShowsEachStateOfTheWalkAndEachLaunchAsTheWindowPresentsIt) {
    MainWindowFixture main(MainWindowSetup{.startList = test::StartListXml(R"(<TASK name="C:\a.exe" time="2" enable="true"/>)")});
    ASSERT_TRUE(main.created());
    WalkPresenter& view = main->WalkView();
    struct StateCase {
        WalkStatus status;
        std::wstring text;
        int picture;
    };
    const StateCase states[] = {
        {{WalkState::Ready}, main->Msg(Message::IdleStatus), 0},
        {{WalkState::DelayOfStart}, main->Msg(Message::DelayOfStartStatus), 2},
        {{WalkState::Walking}, main->Msg(Message::WalkStatus), 3},
        {{WalkState::Paused}, main->Msg(Message::PausedStatus), 4},
        {{WalkState::AllLaunched, 3, 0}, main->Msg(Message::LastDelayReachedStatus), 2},
        {{WalkState::AllLaunched, 3, 2}, L"2 of 3 tasks failed to start", 2},
    };
    for (const StateCase& c : states) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        view.StatusChanged(c.status);
        EXPECT_EQ(StatusText(main->StatusBar(), 0), c.text);
        EXPECT_EQ(main->Tray().ImageIndex(), c.picture);
    }
    view.HeldForSystem(true);
    EXPECT_EQ(StatusText(main->StatusBar(), 0), main->Msg(NamedMsg::WaitingForSystem));
    view.HeldForSystem(false);
    EXPECT_EQ(StatusText(main->StatusBar(), 0), L"2 of 3 tasks failed to start") << "the state comes back";

    view.TicksChanged(7);
    EXPECT_EQ(StatusText(main->StatusBar(), 1), main->Msg(Message::ElapsedLabel) + L": 7");
    view.TicksChanged(std::nullopt);
    EXPECT_EQ(StatusText(main->StatusBar(), 1), L"");

    HWND start = main->Control(ids::startStopButton);
    view.WalkActiveChanged(true);
    EXPECT_EQ(ui::GetText(start), main->Msg(Message::StopCaption));
    EXPECT_FALSE(main->ActionFor(ids::addTask).enabled());
    view.WalkActiveChanged(false);
    EXPECT_EQ(ui::GetText(start), main->Msg(Message::StartCaption));
    EXPECT_TRUE(main->ActionFor(ids::addTask).enabled());

    const TaskId task = main->Tasks().Item(0).id;
    struct LaunchCase {
        bool balloons, ofTheWalk;
        LaunchOutcome outcome;
        std::wstring status, balloonTitle;
    };
    const LaunchCase launches[] = {
        {true, true, LaunchOutcome::Started, main->Msg(Message::TaskStartedStatus), main->Msg(Message::LaunchBalloonTitle)},
        {true, true, LaunchOutcome::Failed, main->Msg(Message::TaskFailedStatus), main->Msg(NamedMsg::LaunchFailedTitle)},
        {true, true, LaunchOutcome::Declined, main->Msg(NamedMsg::TaskDeclinedStatus), L""},
        {true, false, LaunchOutcome::Started, main->Msg(Message::TaskStartedStatus), L""},
        {false, true, LaunchOutcome::Started, main->Msg(Message::TaskStartedStatus), L""},
    };
    main.ShowTab(2);
    for (const LaunchCase& c : launches) {
        SCOPED_TRACE(testing::PrintToString(c.status) + (c.balloons ? " balloons on" : " balloons off"));
        if (main.Checked(ids::launchBalloonsCheck) != c.balloons) main.Click(ids::launchBalloonsCheck);
        main->Tray().Icon().HideBalloon();
        view.LaunchEnded(task, c.outcome, c.ofTheWalk);
        EXPECT_EQ(main->Tasks().Item(0).status, c.status);
        EXPECT_EQ(main->Tray().Icon().BalloonTitle(), c.balloonTitle);
        if (!c.balloonTitle.empty()) {
            EXPECT_EQ(main->Tray().Icon().BalloonText(), L"C:\\a.exe");
        }
    }
}

TEST(MainWindow, CtrlXClosesTheWindowThroughItsCloseHandler) {
    MainWindowFixture main(MainWindowSetup{.startList = test::StartListXml(R"(<TASK name="x" time="2" enable="true"/>)")});
    ASSERT_TRUE(main.created());
    std::filesystem::remove(main.Path(L"startlist.xml"));
    BYTE keys[256] = {}, saved[256] = {};
    GetKeyboardState(saved);
    std::copy(std::begin(saved), std::end(saved), keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    MSG msg{main->hwnd(), WM_KEYDOWN, 'X', 0x002D0001};
    bool translated = main->Keys().Translate(msg);
    SetKeyboardState(saved);
    EXPECT_TRUE(translated);
    test::PumpMessages();
    EXPECT_EQ(main->hwnd(), nullptr);
    EXPECT_TRUE(main.Exists(L"startlist.xml"));
    auto log = main.LogFileTexts();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), L"Closing application v." + main->ProgramVersion());
}

// An error nothing caught while the window handles a message (here the box of an update result
// throws, as an allocation failure there would): logged, shown in the general error box, the
// loop asked to end, and the close that follows saves nothing.
TEST(MainWindow, UnhandledErrorIsShownAndTheProgramEndsWithoutSaving) {
    const std::string startList = test::StartListXml(R"(<TASK name="x" time="2" enable="true"/>)");
    MainWindowFixture main(MainWindowSetup{.startList = startList});
    ASSERT_TRUE(main.created());
    const std::string ini = test::ReadBytes(main.Path(L"lentora.ini"));
    ui::UnhandledErrorHandler previous = ui::SetUnhandledErrorHandler(
        [&main](const std::wstring& what) { main->StopAfterUnhandledError(what); });
    ui::MessageBoxHandler recording;
    bool thrown = false;
    recording = ui::SetMessageBoxHandler([&](HWND owner, const std::wstring& text, const std::wstring& caption,
                                             UINT type) -> int {
        if (thrown) return recording(owner, text, caption, type);
        thrown = true;
        throw std::runtime_error("no room for the list");
    });
    auto result = std::make_unique<UpdateCheckResult>();
    result->state.startedByButton = true;  // no connection: the manual check's error box
    SendMessageW(main->hwnd(), WM_UPDATE_RESULT, 0, reinterpret_cast<LPARAM>(result.release()));
    ui::SetMessageBoxHandler(std::move(recording));
    ui::SetUnhandledErrorHandler(std::move(previous));

    MSG quit{};
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the message loop is asked to end";
    EXPECT_EQ(quit.wParam, static_cast<WPARAM>(kExitAfterUnhandledError));
    ASSERT_EQ(main.boxes.shown.size(), 1u);
    EXPECT_EQ(main.boxes.shown[0].text, L"no room for the list");
    EXPECT_EQ(main.boxes.shown[0].caption, L"Lentora");
    EXPECT_EQ(main.boxes.shown[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));

    main.Close();
    EXPECT_EQ(test::ReadBytes(main.Path(L"startlist.xml")), startList);
    EXPECT_EQ(test::ReadBytes(main.Path(L"lentora.ini")), ini);
    const auto log = main.LogFileTexts();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), L"Unhandled error \"no room for the list\". The program ends without saving");
}

TEST(MainWindow, HasItsClientSizeAndMinimumSizeScaledForTheDpi) {
    MainWindowFixture main;
    ASSERT_TRUE(main.created());
    UINT dpi = ui::WindowDpi(main->hwnd());
    MINMAXINFO info{};
    SendMessageW(main->hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, ui::Scale(570, dpi));
    EXPECT_EQ(info.ptMinTrackSize.y, ui::Scale(410, dpi));
    // With the usual frame a 554 x 371 client makes exactly the minimum window; a thinner frame
    // (as Wine's) lets the minimum size win, as it wins over every other size.
    RECT frame{0, 0, ui::Scale(554, dpi), ui::Scale(371, dpi)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(main->hwnd(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(main->hwnd(), GWL_EXSTYLE)));
    int extraX = frame.right - frame.left - ui::Scale(554, dpi), extraY = frame.bottom - frame.top - ui::Scale(371, dpi);
    RECT client{};
    GetClientRect(main->hwnd(), &client);
    EXPECT_EQ(client.right, std::max(ui::Scale(554, dpi), ui::Scale(570, dpi) - extraX));
    EXPECT_EQ(client.bottom, std::max(ui::Scale(371, dpi), ui::Scale(410, dpi) - extraY));
}

TEST(MainWindow, DownAndUpScrollTheOptionsPageToItsEnds) {
    MainWindowFixture main;
    ASSERT_TRUE(main.created());
    main.ShowTab(2);
    HWND box = GetParent(main->Control(ids::scrollDownButton));
    auto inView = [&](int id) {
        RECT page{}, control{};
        GetClientRect(box, &page);
        MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&page), 2);
        GetWindowRect(main->Control(id), &control);
        return control.top >= page.top && control.bottom <= page.bottom;
    };
    ASSERT_TRUE(inView(ids::scrollDownButton));
    ASSERT_FALSE(inView(ids::scrollUpButton)) << "the page is taller than the window";
    main.Click(ids::scrollDownButton);
    EXPECT_TRUE(inView(ids::scrollUpButton));
    EXPECT_TRUE(inView(ids::saveOptionsButton));
    EXPECT_FALSE(inView(ids::scrollDownButton));
    EXPECT_EQ(GetScrollPos(box, SB_VERT), main->Options().ScrollPosition());
    main.Click(ids::scrollUpButton);
    EXPECT_TRUE(inView(ids::scrollDownButton));
    EXPECT_EQ(main->Options().ScrollPosition(), 0);
    EXPECT_EQ(GetScrollPos(box, SB_VERT), 0);
}

TEST(MainWindow, UseSkinSwitchesTheSkinControlsAndTheGlassFrame) {
    MainWindowFixture main(MainWindowSetup{.ini = "[Options]\r\ncheck_update=0\r\n[Skin]\r\nUseSkin=1\r\nUseAero=1\r\n"});
    ASSERT_TRUE(main.created());
    main.ShowTab(2);
    ASSERT_TRUE(main.Checked(ids::useSkinCheck));
    ASSERT_TRUE(main.Checked(ids::extendedBordersCheck));
    EXPECT_TRUE(main.Enabled(ids::extendedBordersCheck));
    EXPECT_TRUE(main.Enabled(ids::skinList));
    EXPECT_FALSE(main->GlassFrameOn());
    EXPECT_TRUE(main->Skins().ExtendedBorders());

    main.Click(ids::useSkinCheck);
    EXPECT_FALSE(main.Checked(ids::useSkinCheck));
    EXPECT_FALSE(main->Skins().Active());
    EXPECT_FALSE(main.Checked(ids::extendedBordersCheck));
    EXPECT_FALSE(main.Enabled(ids::extendedBordersCheck));
    EXPECT_FALSE(main->Skins().ExtendedBorders());
    EXPECT_FALSE(main.Enabled(ids::skinList));
    EXPECT_TRUE(main->GlassFrameOn());
    EXPECT_TRUE(main.Enabled(ids::saveOptionsButton));

    main.Click(ids::useSkinCheck);
    EXPECT_TRUE(main->Skins().Active());
    EXPECT_TRUE(main.Enabled(ids::extendedBordersCheck));
    EXPECT_FALSE(main.Checked(ids::extendedBordersCheck));
    EXPECT_TRUE(main.Enabled(ids::skinList));
    EXPECT_FALSE(main->GlassFrameOn());
}

// What the screen shows at a point of the window's client area, after it has painted.
COLORREF ScreenPixel(HWND window, POINT at) {
    RedrawWindow(GetAncestor(window, GA_ROOT), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    ClientToScreen(window, &at);
    HDC screen = GetDC(nullptr);
    COLORREF color = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return color;
}

TEST(MainWindow, SkinPaintsThePagesAfterEveryPageChange) {
    MainWindowFixture main(MainWindowSetup{.ini = "[Options]\r\ncheck_update=0\r\n[Skin]\r\nUseSkin=1\r\n"
                                                  "CurrentSkin=Ubuntu (internal)\r\n"});
    ASSERT_TRUE(main.created());
    const COLORREF skin = main->Skins().Colors().window;
    HWND toolbar = GetParent(main->Control(ids::startStopButton));
    EXPECT_EQ(ScreenPixel(toolbar, {2, 2}), skin);
    // Controls lend their own DC to have the page's background painted under them; it must come back
    // with their colours, or their texts take the skin's.
    HDC lent = GetDC(main->Control(ids::startStopButton));
    SetTextColor(lent, RGB(1, 2, 3));
    SendMessageW(toolbar, WM_ERASEBKGND, reinterpret_cast<WPARAM>(lent), 0);
    EXPECT_EQ(GetTextColor(lent), RGB(1, 2, 3));
    ReleaseDC(main->Control(ids::startStopButton), lent);
    main.ShowTab(2);
    HWND optionsPanel = GetParent(main->Control(ids::scrollDownButton));
    EXPECT_EQ(ScreenPixel(optionsPanel, {2, 40}), skin);
    main.ShowTab(0);
    EXPECT_EQ(ScreenPixel(toolbar, {2, 2}), skin);

    main.ShowTab(2);
    main.Click(ids::useSkinCheck);
    main.ShowTab(0);
    EXPECT_EQ(ScreenPixel(toolbar, {2, 2}), GetSysColor(COLOR_BTNFACE)) << "skinning off";
}

// Buttons, tabs, the list header and the status bar ignore the colour messages; the skin draws them,
// and leaves them to the system again when it is switched off.
TEST(MainWindow, SkinDrawsTheControlsThatIgnoreColourMessages) {
    MainWindowFixture main(MainWindowSetup{.ini = "[Options]\r\ncheck_update=0\r\n[Skin]\r\nUseSkin=1\r\n"
                                                  "CurrentSkin=Ubuntu (internal)\r\n"});
    ASSERT_TRUE(main.created());
    const ui::SkinColors colors = main->Skins().Colors();
    HWND tabs = main->Control(ids::pageTabs);
    RECT tabsClient{}, header{}, lastTab{};
    GetClientRect(tabs, &tabsClient);
    TabCtrl_GetItemRect(tabs, TabCtrl_GetItemCount(tabs) - 1, &lastTab);
    HWND listHeader = ListView_GetHeader(main->Control(ids::taskListView));
    Header_GetItemRect(listHeader, 0, &header);
    int parts[2] = {};
    SendMessageW(main->StatusBar(), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(parts));
    struct Case {
        const char* what;
        HWND control;
        POINT at;  // away from texts and pictures
        COLORREF skinned;
    };
    const Case cases[] = {
        {"push button", main->Control(ids::startStopButton), {3, 3}, colors.control},
        {"tab strip beside the tabs", tabs, {(lastTab.right + tabsClient.right) / 2, 3}, colors.window},
        {"list header", listHeader, {header.right - 3, 3}, colors.window},
        {"status bar", main->StatusBar(), {parts[0] + 20, 4}, colors.window},
    };
    for (const Case& c : cases) EXPECT_EQ(ScreenPixel(c.control, c.at), c.skinned) << c.what;

    main.ShowTab(2);
    main.Click(ids::useSkinCheck);
    main.ShowTab(0);
    for (const Case& c : cases) EXPECT_NE(ScreenPixel(c.control, c.at), c.skinned) << c.what << ", skinning off";
}

// Restores the process's current directory when it goes.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::wstring& folder) : saved_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~CurrentDirectory() { std::filesystem::current_path(saved_); }

private:
    std::filesystem::path saved_;
};

TEST(MainWindow, SaveCurrentLogWritesTheListToAStampedFileInTheCurrentDirectory) {
    MainWindowFixture main;
    ASSERT_TRUE(main.created());
    test::TempDir current;
    CurrentDirectory cd(current.File(L""));
    std::wstring before = DateTimeStamp();
    main->LogView().SaveCurrentLog(main->hwnd());
    std::wstring after = DateTimeStamp();

    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(current.File(L""))) files.push_back(entry.path());
    ASSERT_EQ(files.size(), 1u);
    std::wstring name = files[0].stem().wstring();
    EXPECT_TRUE(name == before || name == after) << testing::PrintToString(name);
    EXPECT_EQ(files[0].extension(), L".log");

    std::wstring expected;
    for (const auto& line : main->LogLines()) expected += line + L"\r\n";
    EXPECT_EQ(test::ReadBytes(files[0].wstring()), platform::EncodeCodePage(expected, platform::AnsiCodePage()));
    EXPECT_TRUE(MainWindowFixture::ShowsText(main->LogLines().back(), FormatText(L"Save current log in \"%s\"", {name})));
}

}  // namespace
}  // namespace lentora
