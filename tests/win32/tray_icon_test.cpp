// The tray icon against a recording stand-in for the shell call, and once against the real shell.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/tray_icon.h"

using lentora::ui::TrayIcon;

namespace {

struct Call {
    DWORD message;
    NOTIFYICONDATAW data;
};

class TrayIconTest : public ::testing::Test {
protected:
    std::unique_ptr<TrayIcon> MakeIcon() {
        return std::make_unique<TrayIcon>([this](DWORD message, NOTIFYICONDATAW* data) {
            calls.push_back({message, *data});
            return message == NIM_SETVERSION ? acceptVersion4 : TRUE;
        });
    }
    void ShowIcon(const std::wstring& hint = L"Lentora") {
        icon->SetState(appIcon, hint);
        ASSERT_TRUE(icon->Show(nullptr));
        calls.clear();
    }
    const Call& Last() const { return calls.back(); }

    BOOL acceptVersion4 = TRUE;
    std::vector<Call> calls;
    HICON appIcon = LoadIconW(nullptr, IDI_APPLICATION);
    std::unique_ptr<TrayIcon> icon = MakeIcon();
};

TEST_F(TrayIconTest, ShowAddsIconWithCallbackHintAndVersion4) {
    // What is set before Show is kept for it, not sent.
    icon->SetHint(L"Lentora");
    icon->SetState(appIcon, L"Lentora v.1");
    EXPECT_TRUE(calls.empty());
    ASSERT_TRUE(icon->Show(nullptr));
    ASSERT_EQ(calls.size(), 2u);
    const NOTIFYICONDATAW& added = calls[0].data;
    EXPECT_EQ(calls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(added.hWnd, icon->NotifyWindow());
    EXPECT_EQ(added.uFlags & (NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP),
              static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP));
    EXPECT_EQ(added.uCallbackMessage, TrayIcon::kCallbackMessage);
    EXPECT_STREQ(added.szTip, L"Lentora v.1");
    EXPECT_NE(added.hIcon, nullptr);
    EXPECT_EQ(added.hIcon, icon->Icon());
    EXPECT_EQ(calls[1].message, static_cast<DWORD>(NIM_SETVERSION));
    EXPECT_EQ(calls[1].data.uVersion, static_cast<UINT>(NOTIFYICON_VERSION_4));
    EXPECT_TRUE(icon->Visible());
    // The icon keeps its own copy, so the caller may destroy its handle.
    EXPECT_NE(icon->Icon(), appIcon);
}

TEST_F(TrayIconTest, TextsAreCutToWhatTheNotificationAreaHolds) {
    ShowIcon();
    struct Case {
        size_t length;
        size_t hint, title, text;
    } cases[] = {
        {0, 0, 0, 0}, {63, 63, 63, 63}, {64, 64, 63, 64}, {127, 127, 63, 127},
        {128, 127, 63, 128}, {255, 127, 63, 255}, {256, 127, 63, 255}, {1000, 127, 63, 255},
    };
    wchar_t letter = L'a';
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        // A letter of its own per case: a hint equal to the one shown is not sent again.
        std::wstring text(c.length, letter++);
        icon->SetHint(text);
        EXPECT_EQ(icon->Hint().size(), c.hint);
        EXPECT_EQ(std::wstring(Last().data.szTip), icon->Hint());

        icon->ShowBalloon(text, text, 10);
        EXPECT_EQ(icon->BalloonTitle().size(), c.title);
        EXPECT_EQ(icon->BalloonText().size(), c.text);
        EXPECT_EQ(std::wstring(Last().data.szInfoTitle), icon->BalloonTitle());
        EXPECT_EQ(std::wstring(Last().data.szInfo), icon->BalloonText());
    }
}

TEST_F(TrayIconTest, AStateChangeIsOneCallAndAnUnchangedStateNone) {
    ShowIcon(L"Lentora\rReady");
    HICON warning = LoadIconW(nullptr, IDI_WARNING);
    icon->SetState(warning, L"Lentora\rWalk running");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(Last().message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(Last().data.uFlags & (NIF_ICON | NIF_TIP), static_cast<UINT>(NIF_ICON | NIF_TIP));
    EXPECT_EQ(Last().data.hIcon, icon->Icon());
    EXPECT_NE(icon->Icon(), warning);
    EXPECT_STREQ(Last().data.szTip, L"Lentora\rWalk running");

    icon->SetState(warning, L"Lentora\rWalk running");
    EXPECT_EQ(calls.size(), 1u);
    // Beyond what the area holds, only the part it shows counts.
    std::wstring longer(128, L'x');
    icon->SetState(warning, longer);
    longer.back() = L'y';
    icon->SetState(warning, longer);
    EXPECT_EQ(calls.size(), 2u);

    icon->SetState(appIcon, icon->Hint());
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_NE(Last().data.hIcon, nullptr);
}

TEST_F(TrayIconTest, CutNeverSplitsASurrogatePair) {
    ShowIcon();
    // U+1F600 as a UTF-16 pair straddling the 127th character.
    icon->SetHint(std::wstring(126, L'a') + L"\xD83D\xDE00");
    EXPECT_EQ(icon->Hint(), std::wstring(126, L'a'));
}

TEST_F(TrayIconTest, NewBalloonHidesTheCurrentOneFirst) {
    ShowIcon();
    icon->updateBalloonUp = true;
    icon->ShowBalloon(L"Launched", L"C:\\Tools\\a.exe", 10);
    icon->ShowBalloon(L"Update", L"Version 2 is out", 20);

    ASSERT_EQ(calls.size(), 4u);
    for (size_t i : {0u, 2u}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(calls[i].message, static_cast<DWORD>(NIM_MODIFY));
        EXPECT_TRUE(calls[i].data.uFlags & NIF_INFO);
        EXPECT_STREQ(calls[i].data.szInfo, L"");
    }
    const NOTIFYICONDATAW& shown = calls[3].data;
    EXPECT_EQ(calls[3].message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_TRUE(shown.uFlags & NIF_INFO);
    EXPECT_STREQ(shown.szInfoTitle, L"Update");
    EXPECT_STREQ(shown.szInfo, L"Version 2 is out");
    EXPECT_EQ(shown.uTimeout, 20000u);
    EXPECT_EQ(shown.dwInfoFlags, static_cast<DWORD>(NIIF_INFO));
    EXPECT_EQ(icon->BalloonTitle(), L"Update");
    EXPECT_EQ(icon->BalloonText(), L"Version 2 is out");

    icon->HideBalloon();
    EXPECT_STREQ(Last().data.szInfo, L"");
    EXPECT_TRUE(Last().data.uFlags & NIF_INFO);
    EXPECT_EQ(icon->BalloonTitle(), L"");
    EXPECT_EQ(icon->BalloonText(), L"");
    // The update-balloon flag belongs to the main window: balloons leave it alone.
    EXPECT_EQ(icon->updateBalloonUp, true);
}

TEST_F(TrayIconTest, ShellRestartAddsTheIconAgainWithItsCurrentState) {
    ShowIcon(L"first");
    icon->SetState(LoadIconW(nullptr, IDI_WARNING), L"Lentora\rWalk running");
    calls.clear();

    SendMessageW(icon->NotifyWindow(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_STREQ(calls[0].data.szTip, L"Lentora\rWalk running");
    EXPECT_EQ(calls[0].data.hIcon, icon->Icon());
    EXPECT_EQ(calls[0].data.uCallbackMessage, TrayIcon::kCallbackMessage);
    EXPECT_EQ(calls[1].message, static_cast<DWORD>(NIM_SETVERSION));

    icon->SetHint(L"after");
    EXPECT_EQ(Last().message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_STREQ(Last().data.szTip, L"after");

    // A removed icon stays removed.
    icon->Remove();
    calls.clear();
    SendMessageW(icon->NotifyWindow(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(calls.empty());
}

TEST_F(TrayIconTest, RemoveDeletesTheIconAndTheDestructorToo) {
    ShowIcon();
    icon->ShowBalloon(L"t", L"x", 10);
    icon->Remove();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(Last().message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_FALSE(icon->Visible());
    EXPECT_EQ(icon->BalloonText(), L"");

    // Changes while removed are kept for the next Show but not sent.
    calls.clear();
    icon->SetHint(L"later");
    icon->ShowBalloon(L"t", L"x", 10);
    EXPECT_TRUE(calls.empty());
    ASSERT_TRUE(icon->Show(nullptr));
    EXPECT_STREQ(calls[0].data.szTip, L"later");

    calls.clear();
    icon.reset();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].message, static_cast<DWORD>(NIM_DELETE));
}

TEST_F(TrayIconTest, ShellEventsReachTheirCallbacks) {
    struct Case {
        BOOL version4;
        WPARAM wParam;
        LPARAM lParam;
        const char* expected;  // "" when no callback may run
    } cases[] = {
        {TRUE, 0, MAKELPARAM(NIN_BALLOONUSERCLICK, 1), "click"},
        {TRUE, 0, MAKELPARAM(NIN_BALLOONTIMEOUT, 1), "timeout"},
        {TRUE, MAKEWPARAM(10, 20), MAKELPARAM(WM_LBUTTONDBLCLK, 1), "double"},
        {TRUE, MAKEWPARAM(120, 340), MAKELPARAM(WM_CONTEXTMENU, 1), "menu 120,340"},
        // Version 4 also reports the button itself; the menu must open once only.
        {TRUE, MAKEWPARAM(120, 340), MAKELPARAM(WM_RBUTTONUP, 1), ""},
        {TRUE, 0, MAKELPARAM(WM_MOUSEMOVE, 1), ""},
        {FALSE, 1, NIN_BALLOONUSERCLICK, "click"},
        {FALSE, 1, NIN_BALLOONTIMEOUT, "timeout"},
        {FALSE, 1, WM_LBUTTONDBLCLK, "double"},
        {FALSE, 1, WM_RBUTTONUP, "menu"},
        {FALSE, 1, WM_LBUTTONUP, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.version4 << " " << c.lParam);
        acceptVersion4 = c.version4;
        icon = MakeIcon();
        ShowIcon();
        std::string seen;
        icon->onBalloonClick = [&] { seen += "click"; };
        icon->onBalloonTimeout = [&] { seen += "timeout"; };
        icon->onDoubleClick = [&] { seen += "double"; };
        icon->onRightClick = [&](POINT p) {
            seen += "menu";
            if (c.version4) seen += ' ' + std::to_string(p.x) + ',' + std::to_string(p.y);
        };
        SendMessageW(icon->NotifyWindow(), TrayIcon::kCallbackMessage, c.wParam, c.lParam);
        EXPECT_EQ(seen, c.expected);
    }
}

TEST(TrayIconShell, OwnWindowIsHiddenTopLevelSoItHearsTheShellRestart) {
    TrayIcon icon;
    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    icon.SetState(LoadIconW(nullptr, IDI_APPLICATION), L"Lentora");
    icon.Show(owner);
    HWND window = icon.NotifyWindow();
    ASSERT_TRUE(IsWindow(window));
    EXPECT_FALSE(IsWindowVisible(window));
    // Message-only windows miss broadcasts such as "TaskbarCreated".
    EXPECT_EQ(GetAncestor(window, GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(icon.Owner(), owner);
    EXPECT_TRUE(icon.Visible());
    icon.Remove();
    EXPECT_FALSE(icon.Visible());
    DestroyWindow(owner);
}

}  // namespace
