// The real main window in the notification area: its icon and images, launch and update balloons
// with the hide timer and the balloon click, the tray menu in each sequencer state, and the way
// back from the tray.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "image_ids.h"
#include "main_window_fixture.h"
#include "sysint_test_support.h"
#include "util/format.h"

namespace lentora {
namespace {

using test::MainWindowFixture;
using test::MainWindowSetup;

// Harmless real programs for the tasks: a shell that exits at once, and the same with a command
// line longer than a balloon holds.
const std::wstring kShort = L"C:\\windows\\system32\\cmd.exe /c exit";
const std::wstring kLong = L"C:\\windows\\system32\\cmd.exe /c rem " + std::wstring(300, L'x');

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// Balloons on, the closing delay far away, the short task at tick 1 and the long one at tick 2.
MainWindowSetup LaunchSetup(bool showBalloon) {
    MainWindowSetup setup;
    setup.ini = "[Options]\r\nUseLog=1\r\ncheck_update=0\r\nTimeExit=100\r\nShowBalloon=" +
                std::string(showBalloon ? "1" : "0") + "\r\n";
    setup.startList = test::StartListXml("<TASK name=\"" + Narrow(kShort) + "\" time=\"1\" enable=\"true\"/>" +
                                         "<TASK name=\"" + Narrow(kLong) + "\" time=\"2\" enable=\"true\"/>");
    return setup;
}

// Started at log-on with a long delay of start: the program waits in the tray.
MainWindowSetup WaitingSetup() {
    MainWindowSetup setup;
    setup.ini = "[Options]\r\nUseLog=1\r\ncheck_update=0\r\nTimeExit=100\r\nWaitTimer=1\r\nWaitTimeOut=100\r\n";
    setup.args = {L"-start"};
    return setup;
}

// Starts a walk whose ticks the test gives itself, so no real second can slip in between.
void StartWalkByHand(MainWindowFixture& main) {
    main->Seq().StartOrStop();
    KillTimer(main->hwnd(), ids::walkClockTimer);
    ASSERT_TRUE(main->Seq().WalkActive());
}

// The shell's report about the icon, as it reaches the icon's own window.
void ShellEvent(MainWindowFixture& main, UINT event) {
    SendMessageW(main->Tray().Icon().NotifyWindow(), ui::TrayIcon::kCallbackMessage, 0, MAKELPARAM(event, 1));
}

// Runs the queue until the start-up update check has handed over its result, so it cannot
// overwrite an update state that the test sets afterwards. The result carries the polling
// interval read from the options, so a mark put in its place shows when the result has landed.
// Call it first after start-up: the worker hands nothing over before the queue is run, but a
// call to the shell may run it.
void WaitForStartupUpdateCheck(MainWindowFixture& main) {
    constexpr int kMark = -1;
    main->Updates().State().pollingIntervalDays = kMark;
    ASSERT_TRUE(test::PumpUntil([&] { return main->Updates().State().pollingIntervalDays != kMark; })) << "the result never came";
    ASSERT_EQ(main.ScreenLogCount(L"Check update is disable"), 1);
}

// An update answer as the worker hands it over after an automatic check found a newer build.
UpdateState NewerBuild(MainWindowFixture& main) {
    UpdateState upd = main->Updates().State();
    upd.connected = true;
    upd.newerBuildAvailable = true;
    upd.lastVersion = L"9.9.9.999";
    upd.startedByButton = false;
    return upd;
}

std::wstring UpdateText(MainWindowFixture& main) {
    return FormatText(main->Msg(Message::UpdateAvailable), {L"9.9.9.999", main->ProgramVersion()});
}

// What `draw` paints into a white bitmap of that size; empty when it could not paint.
std::vector<DWORD> Painted(int width, int height, const std::function<bool(HDC)>& draw) {
    struct DcDeleter {
        void operator()(HDC dc) const { DeleteDC(dc); }
    };
    ui::Owned<HDC, DcDeleter> dc(CreateCompatibleDC(nullptr));
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    ui::Owned<HBITMAP, ui::GdiObjectDeleter> dib(CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || !bits) return {};
    std::vector<DWORD> pixels(static_cast<size_t>(width) * static_cast<size_t>(height), 0x00FFFFFF);
    ui::SelectGuard select(dc.get(), dib.get());
    std::copy(pixels.begin(), pixels.end(), static_cast<DWORD*>(bits));
    if (!draw(dc.get())) return {};
    GdiFlush();
    std::copy_n(static_cast<const DWORD*>(bits), pixels.size(), pixels.begin());
    return pixels;
}

// The icon drawn, to tell the tray images apart.
std::vector<DWORD> IconPixels(HICON icon) {
    return Painted(16, 16, [icon](HDC dc) { return icon && DrawIconEx(dc, 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL); });
}

std::vector<std::wstring> TrayMenuNow(MainWindowFixture& main) {
    main->Actions().Update();
    std::vector<std::wstring> names;
    for (const ui::MenuItem* item : main->Tray().Menu().VisibleItems()) names.push_back(item->name);
    return names;
}

// The whole window lies in the work area.
bool OnScreen(HWND hwnd) {
    RECT window{}, work{}, both{};
    GetWindowRect(hwnd, &window);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return IntersectRect(&both, &window, &work) && EqualRect(&both, &window);
}

// Whether the menu's owner window measures and paints a picture for the item.
bool OwnerDrawsPicture(HWND owner, const MENUITEMINFOW& item) {
    if (item.hbmpItem != HBMMENU_CALLBACK || !item.dwItemData) return false;
    MEASUREITEMSTRUCT measure{ODT_MENU};
    measure.itemData = item.dwItemData;
    SendMessageW(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    int width = static_cast<int>(measure.itemWidth), height = static_cast<int>(measure.itemHeight);
    if (width <= 0 || height <= 0) return false;
    auto pixels = Painted(width, height, [&](HDC dc) {
        DRAWITEMSTRUCT draw{ODT_MENU};
        draw.hDC = dc;
        draw.rcItem = {0, 0, width, height};
        draw.itemData = item.dwItemData;
        return SendMessageW(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)) != 0;
    });
    return std::any_of(pixels.begin(), pixels.end(), [](DWORD pixel) { return (pixel & 0xFFFFFF) != 0xFFFFFF; });
}

using Names = std::vector<std::wstring>;

TEST(TrayBehaviour, IconIsShownAtStartUpAndItsImageFollowsTheStatusRoutine) {
    MainWindowFixture main;
    ASSERT_TRUE(main.created());
    const ui::TrayIcon& tray = main->Tray().Icon();
    EXPECT_TRUE(tray.Visible());
    EXPECT_EQ(tray.Owner(), main->hwnd());
    EXPECT_EQ(tray.Hint(), L"Lentora v." + main->ProgramVersion() + L"\r" + main->Msg(Message::IdleStatus));
    EXPECT_EQ(tray.updateBalloonUp, false);
    EXPECT_TRUE(tray.BalloonText().empty());

    std::vector<std::vector<DWORD>> images;
    for (int index = 0; index < IDI_TRAY_COUNT; ++index) {
        main->WalkView().ShowStateText(L"state", index);
        ASSERT_NE(tray.Icon(), nullptr) << index;
        images.push_back(IconPixels(tray.Icon()));
        ASSERT_FALSE(images.back().empty()) << index;
    }
    // Idle grey, waiting, walking and paused each look different.
    for (int a : {0, 2, 3, 4})
        for (int b : {0, 2, 3, 4})
            if (a < b) {
                EXPECT_NE(images[a], images[b]) << a << " and " << b;
            }
    main->WalkView().ShowStateText(L"state", IDI_TRAY_COUNT + 3);
    EXPECT_EQ(IconPixels(tray.Icon()), images.back()) << "past the end shows the last image";
    main->WalkView().ShowStateText(L"state", 3);
    EXPECT_EQ(IconPixels(tray.Icon()), images[3]);
}

TEST(TrayBehaviour, LaunchBalloonShowsTheCommandLineAndTheNextLaunchReplacesIt) {
    MainWindowFixture main(LaunchSetup(true));
    ASSERT_TRUE(main.created());
    ASSERT_EQ(main->Tasks().Count(), 2u);
    ui::TrayIcon& tray = main->Tray().Icon();
    StartWalkByHand(main);
    EXPECT_FALSE(main->Tray().HideTimerRunning());

    main->Seq().Tick();
    EXPECT_EQ(main->Tasks().Item(0).status, main->Msg(Message::TaskStartedStatus)) << "the task really started";
    EXPECT_EQ(tray.BalloonTitle(), main->Msg(Message::LaunchBalloonTitle));
    EXPECT_EQ(tray.BalloonText(), kShort);
    EXPECT_TRUE(main->Tray().HideTimerRunning());
    EXPECT_EQ(main->Tray().HideInterval(), 13000u);

    main->Seq().Tick();
    EXPECT_EQ(main->Tasks().Item(1).status, main->Msg(Message::TaskStartedStatus));
    EXPECT_EQ(tray.BalloonTitle(), main->Msg(Message::LaunchBalloonTitle));
    EXPECT_EQ(tray.BalloonText(), kLong.substr(0, 255)) << "the first 255 characters of a longer line";
    EXPECT_TRUE(main->Tray().HideTimerRunning());

    main->Tray().OnHideTimer();
    EXPECT_TRUE(tray.BalloonTitle().empty());
    EXPECT_TRUE(tray.BalloonText().empty());
    EXPECT_EQ(tray.updateBalloonUp, false);
    EXPECT_FALSE(main->Tray().HideTimerRunning());
    EXPECT_EQ(main->Tray().HideInterval(), 13000u);

    // A click on a launch balloon is no update question.
    ShellEvent(main, NIN_BALLOONUSERCLICK);
    EXPECT_TRUE(main.boxes.shown.empty());
    EXPECT_FALSE(main->Updates().State().downloadQuestionAsked);
}

// The closing saves wait on a box (here: the autorun value cannot be written); the box's loop
// delivers a due tick and a second close request. Neither may act: no task starts after Close
// was chosen, and the window is closed once, after the box.
TEST(TrayBehaviour, NothingStartsAndNothingClosesTwiceWhileTheClosingSavesWait) {
    MainWindowFixture main(LaunchSetup(false));
    ASSERT_TRUE(main.created());
    main->Seq().StartOrStop();
    ASSERT_TRUE(main->Seq().TickTimerOn());
    HWND window = main->hwnd();
    int boxes = 0;
    bool windowDuringBox = false;
    ui::MessageBoxHandler previous = ui::SetMessageBoxHandler([&](HWND, const std::wstring&, const std::wstring&, UINT) {
        ++boxes;
        SendMessageW(window, WM_TIMER, ids::walkClockTimer, 0);
        SendMessageW(window, WM_CLOSE, 0, 0);
        test::PumpMessages();
        windowDuringBox = IsWindow(window) != FALSE;
        return IDOK;
    });
    {
        test::UnwritableRoot unwritable(HKEY_CURRENT_USER);
        ASSERT_TRUE(unwritable.active());
        main.Close();
    }
    ui::SetMessageBoxHandler(std::move(previous));
    EXPECT_EQ(boxes, 1);
    EXPECT_TRUE(windowDuringBox) << "the second request destroyed the window under the first close";
    EXPECT_EQ(main->hwnd(), nullptr);
    const auto log = main.LogFileTexts();
    EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const std::wstring& l) { return l.starts_with(L"Launch application"); }), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), L"Closing application v." + main->ProgramVersion()), 1);
    EXPECT_EQ(log.back(), L"Closing application v." + main->ProgramVersion());
}

TEST(TrayBehaviour, WithBalloonsOffALaunchShowsNoBalloon) {
    MainWindowFixture main(LaunchSetup(false));
    ASSERT_TRUE(main.created());
    StartWalkByHand(main);
    main->Seq().Tick();
    EXPECT_EQ(main->Tasks().Item(0).status, main->Msg(Message::TaskStartedStatus));
    EXPECT_TRUE(main->Tray().Icon().BalloonText().empty());
    EXPECT_FALSE(main->Tray().HideTimerRunning());
}

TEST(TrayBehaviour, ClickOnTheUpdateBalloonAsksTheDownloadQuestionOnce) {
    MainWindowFixture main;
    ASSERT_TRUE(main.created());
    WaitForStartupUpdateCheck(main);
    ui::TrayIcon& tray = main->Tray().Icon();
    main->Updates().ShowResult(NewerBuild(main));
    EXPECT_EQ(tray.BalloonTitle(), main->Msg(Message::UpdateCaption));
    EXPECT_EQ(tray.BalloonText(), UpdateText(main));
    EXPECT_EQ(tray.updateBalloonUp, true);
    EXPECT_TRUE(main->Tray().HideTimerRunning());
    EXPECT_EQ(main->Tray().HideInterval(), 23000u);

    ShellEvent(main, NIN_BALLOONUSERCLICK);
    ASSERT_EQ(main.boxes.shown.size(), 1u);
    const auto& box = main.boxes.shown[0];
    EXPECT_EQ(box.text, UpdateText(main) + L"\n\r" + main->Msg(Message::OpenDownloadQuestion));
    EXPECT_EQ(box.caption, main->Msg(Message::UpdateCaption));
    EXPECT_EQ(box.type, static_cast<UINT>(MB_YESNO | MB_ICONINFORMATION));
    EXPECT_EQ(tray.updateBalloonUp, false);
    EXPECT_TRUE(main->Updates().State().downloadQuestionAsked);

    ShellEvent(main, NIN_BALLOONUSERCLICK);
    EXPECT_EQ(main.boxes.shown.size(), 1u) << "asked once";
    // Once asked, a later automatic result shows no balloon.
    main->Updates().ShowResult(NewerBuild(main));
    EXPECT_EQ(tray.updateBalloonUp, false);
}

TEST(TrayBehaviour, UpdateBalloonLeftAloneEndsWithTheFlagCleared) {
    enum class End { ShellTimeout, HideTimer, LaunchBalloon };
    for (End end : {End::ShellTimeout, End::HideTimer, End::LaunchBalloon}) {
        SCOPED_TRACE(static_cast<int>(end));
        MainWindowFixture main(LaunchSetup(true));
        ASSERT_TRUE(main.created());
        WaitForStartupUpdateCheck(main);
        ui::TrayIcon& tray = main->Tray().Icon();
        if (end == End::LaunchBalloon) StartWalkByHand(main);
        main->Updates().ShowResult(NewerBuild(main));
        ASSERT_EQ(tray.updateBalloonUp, true);
        ASSERT_EQ(main->Tray().HideInterval(), 23000u);

        switch (end) {
            case End::ShellTimeout:
                ShellEvent(main, NIN_BALLOONTIMEOUT);
                EXPECT_TRUE(tray.BalloonText().empty());
                break;
            case End::HideTimer:
                main->Tray().OnHideTimer();
                EXPECT_TRUE(tray.BalloonText().empty());
                EXPECT_FALSE(main->Tray().HideTimerRunning());
                EXPECT_EQ(main->Tray().HideInterval(), 13000u) << "back to the launch balloon's interval";
                break;
            case End::LaunchBalloon: {
                main->Seq().Tick();
                const auto& rows = main->Tasks().Items();
                auto launched = std::find_if(rows.begin(), rows.end(), [](const Task& t) { return t.commandLine == kShort; });
                ASSERT_NE(launched, rows.end());
                ASSERT_EQ(launched->status, main->Msg(Message::TaskStartedStatus)) << "tick 1 launched the short task";
                EXPECT_EQ(tray.BalloonTitle(), main->Msg(Message::LaunchBalloonTitle))
                    << "the launch balloon replaced the update balloon";
                EXPECT_EQ(tray.BalloonText(), kShort);
                EXPECT_TRUE(main->Tray().HideTimerRunning()) << "the running timer keeps its countdown";
                break;
            }
        }
        EXPECT_EQ(tray.updateBalloonUp, false);
        ShellEvent(main, NIN_BALLOONUSERCLICK);
        EXPECT_TRUE(main.boxes.shown.empty()) << "a later click cannot open the question";
        EXPECT_FALSE(main->Updates().State().downloadQuestionAsked);
    }
}

TEST(TrayBehaviour, TrayMenuOffersTheCommandsOfEachSequencerState) {
    MainWindowFixture main(WaitingSetup());
    ASSERT_TRUE(main.created());
    ASSERT_TRUE(main->Seq().DelayRunning());

    const ui::MenuItem* def = main->Tray().Menu().DefaultItem();
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(def->name, L"mnuShow");
    EXPECT_FALSE(def->caption.empty());

    EXPECT_EQ(TrayMenuNow(main), (Names{L"mnuShow", L"mnuWait", L"mnuExit"})) << "waiting";
    EXPECT_EQ(main->Tray().ImageIndex(), 2);
    main->Seq().CancelDelay();
    EXPECT_EQ(TrayMenuNow(main), (Names{L"mnuShow", L"mnuExit"})) << "idle";
    EXPECT_EQ(main->Tray().ImageIndex(), 0);
    StartWalkByHand(main);
    EXPECT_EQ(TrayMenuNow(main), (Names{L"mnuShow", L"N2", L"Start1", L"mnuStartNext", L"mnuExit"})) << "walking";
    EXPECT_EQ(main->Tray().ImageIndex(), 3);
    main->Seq().Pause();
    EXPECT_EQ(TrayMenuNow(main), (Names{L"mnuShow", L"N2", L"Start1", L"Resume1", L"mnuStartNext", L"mnuExit"}))
        << "paused offers Pause again";
    EXPECT_EQ(main->Tray().ImageIndex(), 4);

    // As it opens: the texts of the language, the default item bold, and every item's picture.
    ui::PopupMenu::Built menu = main->Tray().Menu().Build();
    ASSERT_EQ(menu.shown.size(), 6u);
    EXPECT_EQ(GetMenuDefaultItem(menu.menu.get(), FALSE, 0), 1u);
    for (size_t i = 0; i < menu.shown.size(); ++i) {
        const ui::MenuItem& item = *menu.shown[i];
        SCOPED_TRACE(item.name);
        wchar_t text[128] = {};
        MENUITEMINFOW info{sizeof(info), MIIM_BITMAP | MIIM_STRING | MIIM_DATA};
        info.dwTypeData = text;
        info.cch = 128;
        ASSERT_TRUE(GetMenuItemInfoW(menu.menu.get(), static_cast<UINT>(i + 1), FALSE, &info));
        EXPECT_EQ(std::wstring(text), item.action ? item.action->caption() : item.caption);
        EXPECT_FALSE(std::wstring(text).empty());
        EXPECT_TRUE(OwnerDrawsPicture(main->hwnd(), info));
    }

    main->Seq().Resume();
    EXPECT_EQ(TrayMenuNow(main), (Names{L"mnuShow", L"N2", L"Start1", L"mnuStartNext", L"mnuExit"})) << "resumed";
    KillTimer(main->hwnd(), ids::walkClockTimer);
}

int ClientWidth(HWND window) {
    RECT rc{};
    GetClientRect(window, &rc);
    return rc.right;
}

TEST(TrayBehaviour, StartModeShowsOnlyTheTrayIconUntilTheWindowIsBroughtBack) {
    enum class Way { MenuItem, DoubleClick };
    for (Way way : {Way::MenuItem, Way::DoubleClick}) {
        SCOPED_TRACE(way == Way::MenuItem ? "mnuShow" : "double click");
        MainWindowFixture main(WaitingSetup());
        ASSERT_TRUE(main.created());
        WaitForStartupUpdateCheck(main);  // its line comes late: the list below must be whole
        EXPECT_FALSE(IsWindowVisible(main->hwnd()));
        EXPECT_TRUE(main->Tray().Icon().Visible());
        // Nobody sees the pages yet: they are not even built.
        EXPECT_FALSE(main->ContentBuilt());
        EXPECT_EQ(main->Options().Shown().delayOfStartSeconds, 100) << "the options are there without their page";
        const std::vector<std::wstring> logged = main->LogLines();
        ASSERT_GT(main.ScreenLogCount(L"Timer of delay is started"), 0);

        if (way == Way::MenuItem) {
            main->Tray().Menu().Run(*main->Tray().Menu().DefaultItem());
        } else {
            ShellEvent(main, WM_LBUTTONDBLCLK);
        }
        test::PumpMessages();
        EXPECT_TRUE(main->ContentBuilt());
        // A page is built when it is first shown, and gets its own texts only: those of the
        // pages already there are not written again.
        EXPECT_FALSE(main->Options().Built());
        HWND tabs = main->Control(ids::pageTabs), list = main->Control(ids::taskListView);
        wchar_t marked[] = L"marked", caption[64] = {};
        LVCOLUMNW column{LVCF_TEXT};
        column.pszText = marked;
        ListView_SetColumn(list, 0, &column);
        main.ShowTab(2);
        EXPECT_TRUE(main->Options().Built());
        column.pszText = caption;
        column.cchTextMax = 64;
        ListView_GetColumn(list, 0, &column);
        EXPECT_STREQ(caption, L"marked");
        // Built late, the pages show what start-up set while they were not there.
        EXPECT_TRUE(main.Checked(ids::delayOfStartCheck));
        EXPECT_EQ(main.Text(ids::delayOfStartField), L"100");
        EXPECT_EQ(main.Text(ids::exitAfterField), L"100");
        EXPECT_EQ(main.Text(ids::languageList), L"English (EN)");
        EXPECT_FALSE(main.Enabled(ids::saveOptionsButton)) << "nothing changed by the user";
        EXPECT_FALSE(main.Enabled(ids::extendedBordersCheck)) << "skins are off";
        EXPECT_EQ(main->LogLines(), logged);
        EXPECT_EQ(main.TabTexts(), (std::vector<std::wstring>{L"Task List", L"Last start", L"Options", L"Log", L"About"}));
        wchar_t status[256] = {};
        SendMessageW(main->StatusBar(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(status));
        EXPECT_EQ(status, main->Msg(Message::DelayOfStartStatus)) << "the delay's status text";
        EXPECT_EQ(main.Text(ids::startStopButton), main->Msg(Message::StartCaption));
        EXPECT_TRUE(IsWindowVisible(main->hwnd()));
        EXPECT_FALSE(IsIconic(main->hwnd()));
        EXPECT_TRUE(OnScreen(main->hwnd())) << "restored where it was centred, not at the minimised position";
        EXPECT_TRUE(main->Tray().Icon().Visible()) << "the icon stays while the window is up";
        EXPECT_EQ(ImageList_GetImageCount(TabCtrl_GetImageList(tabs)), IDI_IMG_COUNT)
            << "the pictures came with the window";
        EXPECT_GT(ClientWidth(list), 0) << "and the layout";

        // Minimised again, the window goes back to the tray.
        ShowWindow(main->hwnd(), SW_MINIMIZE);
        test::PumpMessages();
        EXPECT_FALSE(IsWindowVisible(main->hwnd()));
        main->ShowFromTray();
        test::PumpMessages();
        EXPECT_TRUE(IsWindowVisible(main->hwnd()));
        EXPECT_FALSE(IsIconic(main->hwnd()));
        EXPECT_TRUE(OnScreen(main->hwnd()));
    }
}

}  // namespace
}  // namespace lentora
