// The update check of the real main window with the system's proxy set in the registry: a proxy
// list without a port or with port 0 ends as a logged failure (no connection is tried), and
// a usable one carries the request; a press keeps its answer when another check runs beside it;
// a posted result is logged and shown, or dropped while the window closes; a check that asks
// nothing is queued at once.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "../unit/net_test_server.h"
#include "app/update_worker.h"
#include "main_window_fixture.h"
#include "util/format.h"

namespace lentora {
namespace {

using test::MainWindowFixture;

// Sets the current user's Internet settings to a proxy while it lives, then puts back what was
// there before (or removes the values that were not).
class SystemProxy {
public:
    explicit SystemProxy(const std::wstring& list) {
        RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_,
                        nullptr);
        enable_ = Save(L"ProxyEnable");
        server_ = Save(L"ProxyServer");
        DWORD on = 1;
        RegSetValueExW(key_, L"ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on), sizeof on);
        RegSetValueExW(key_, L"ProxyServer", 0, REG_SZ, reinterpret_cast<const BYTE*>(list.c_str()),
                       static_cast<DWORD>((list.size() + 1) * sizeof(wchar_t)));
    }
    ~SystemProxy() {
        Restore(L"ProxyEnable", enable_);
        Restore(L"ProxyServer", server_);
        RegCloseKey(key_);
    }
    SystemProxy(const SystemProxy&) = delete;
    SystemProxy& operator=(const SystemProxy&) = delete;

private:
    static constexpr const wchar_t* kKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
    struct Value {
        DWORD type = 0;
        std::vector<BYTE> bytes;
    };

    std::optional<Value> Save(const wchar_t* name) const {
        Value value;
        DWORD size = 0;
        if (RegQueryValueExW(key_, name, nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
        value.bytes.resize(size);
        RegQueryValueExW(key_, name, nullptr, &value.type, value.bytes.data(), &size);
        return value;
    }
    void Restore(const wchar_t* name, const std::optional<Value>& value) const {
        if (value)
            RegSetValueExW(key_, name, 0, value->type, value->bytes.data(), static_cast<DWORD>(value->bytes.size()));
        else
            RegDeleteValueW(key_, name);
    }

    HKEY key_ = nullptr;
    std::optional<Value> enable_, server_;
};

// Pumps until a result box was shown; false when none came.
bool WaitForBox(MainWindowFixture& main) {
    for (int i = 0; i < 500 && main.boxes.shown.empty(); ++i) {
        test::PumpMessages();
        Sleep(20);
    }
    return !main.boxes.shown.empty();
}

// Presses "Check updates" and waits for the result box.
bool CheckUpdatesByButton(MainWindowFixture& main) {
    main->StartUpdateCheck(true);
    return WaitForBox(main);
}

const std::wstring kError = L"Error load lastversion. File not fount";

struct UnusableProxyCase {
    const char* name;
    const wchar_t* list;
    const wchar_t* server;  // ProxyServer of the update state afterwards
};

class UnusableSystemProxy : public ::testing::TestWithParam<UnusableProxyCase> {};

TEST_P(UnusableSystemProxy, FailsWithTheLogLineAndKeepsTheDate) {
    const UnusableProxyCase& param = GetParam();
    SystemProxy proxy(param.list);
    MainWindowFixture main;
    ASSERT_TRUE(main.created());

    ASSERT_TRUE(CheckUpdatesByButton(main));
    EXPECT_EQ(main.ScreenLogCount(L"Button update"), 1);
    EXPECT_EQ(main.ScreenLogCount(FormatText(L"ProxyServer %s", {param.list})), 1);
    EXPECT_EQ(main.ScreenLogCount(L"Internet connection is On"), 1);
    EXPECT_EQ(main.ScreenLogCount(kError), 1);
    EXPECT_TRUE(main->Updates().State().proxyEnabled);
    EXPECT_EQ(main->Updates().State().proxyHost, param.server);
    EXPECT_EQ(main->Updates().State().proxyPort, 0);
    EXPECT_EQ(main->Updates().State().lastUpdateDate, 0) << "no answer: the date stays";
    // Connected, but no answer: the manual check says the server could not be reached.
    ASSERT_EQ(main.boxes.shown.size(), 1u);
    EXPECT_EQ(main.boxes.shown[0].text, main->Msg(Message::UpdateServerUnreachable));
    EXPECT_EQ(main.boxes.shown[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
}

INSTANTIATE_TEST_SUITE_P(Cases, UnusableSystemProxy,
                         ::testing::Values(UnusableProxyCase{"WithoutColon", L"proxyhost", L"proxyhost"},
                                           UnusableProxyCase{"PortZero", L"127.0.0.1:0", L"127.0.0.1"},
                                           UnusableProxyCase{"PortNotANumber", L"127.0.0.1:http", L"127.0.0.1"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(UsableSystemProxy, CarriesTheRequestAndItsAnswer) {
    auto server = testing::ScriptedServer::Replying("HTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\n1.4.1.260");
    ASSERT_TRUE(server.Listening());
    const std::wstring list = L"127.0.0.1:" + std::to_wstring(server.Port());
    SystemProxy proxy(list);
    MainWindowFixture main;
    ASSERT_TRUE(main.created());

    ASSERT_TRUE(CheckUpdatesByButton(main));
    EXPECT_EQ(server.Request().rfind("GET http://" LENTORA_UPDATE_HOST "/download/lastversion.php?app=lt&ver=", 0),
              0u)
        << server.Request();
    EXPECT_EQ(main.ScreenLogCount(FormatText(L"ProxyServer %s", {list})), 1);
    EXPECT_EQ(main.ScreenLogCount(L"Lastversion is \"1.4.1.260\""), 1);
    EXPECT_EQ(main.ScreenLogCount(L"Program do need update"), 1);
    EXPECT_EQ(main->Updates().State().proxyPort, server.Port());
    ASSERT_EQ(main.boxes.shown.size(), 1u);
    EXPECT_EQ((main.boxes.shown[0].type & MB_TYPEMASK), static_cast<UINT>(MB_YESNO)) << "the download question";
}

// An automatic check started while a press is in flight (the start-up one does so) may hand its
// result over first; the press must still end with its answer box.
TEST(UpdateCheckRuns, APressKeepsItsAnswerWhenAnAutomaticCheckStartsRightAfter) {
    SystemProxy proxy(L"127.0.0.1:0");  // the press fails at once, without a connection
    MainWindowFixture main;
    ASSERT_TRUE(main.created());

    main->StartUpdateCheck(true);
    main->StartUpdateCheck(false);
    ASSERT_TRUE(WaitForBox(main));
    EXPECT_EQ(main.boxes.shown[0].text, main->Msg(Message::UpdateServerUnreachable));
    for (int i = 0; i < 500 && main.ScreenLogCount(L"Check update is disable") < 2; ++i) {
        test::PumpMessages();
        Sleep(20);
    }
    EXPECT_EQ(main.ScreenLogCount(L"Check update is disable"), 2) << "the start-up check and the one after the press";
    EXPECT_EQ(main.ScreenLogCount(L"Button update"), 1);
    EXPECT_EQ(main.boxes.shown.size(), 1u);
}

// What a worker posts after a press that found a newer build: its lines as they happen, then
// its state.
const std::vector<std::wstring> kPressLines = {L"Button update", L"Internet connection is On",
                                               L"Lastversion is \"1.4.1.999\""};

void PostPressLines(HWND window) {
    for (const auto& line : kPressLines)
        ASSERT_TRUE(PostMessageW(window, WM_UPDATE_LOG_LINE, 0, reinterpret_cast<LPARAM>(new std::wstring(line))));
}

std::unique_ptr<UpdateCheckResult> PressResult() {
    auto result = std::make_unique<UpdateCheckResult>();
    result->state.startedByButton = true;
    result->state.connected = true;
    result->state.versionAnswered = true;
    result->state.newerBuildAvailable = true;
    result->state.lastVersion = L"1.4.1.999";
    return result;
}

// The window writes a posted result's lines in their order, then answers the press.
TEST(UpdateCheckRuns, APostedResultIsLoggedInOrderThenShown) {
    MainWindowFixture main;
    ASSERT_TRUE(main.created());
    ASSERT_TRUE(test::PumpUntil([&] { return main.ScreenLogCount(L"Check update is disable") == 1; }));
    const std::vector<std::wstring>& lines = kPressLines;
    PostPressLines(main->hwnd());
    ASSERT_TRUE(PostMessageW(main->hwnd(), WM_UPDATE_RESULT, 0, reinterpret_cast<LPARAM>(PressResult().release())));
    ASSERT_TRUE(WaitForBox(main));
    const std::vector<std::wstring> log = main.LogFileTexts();
    ASSERT_GE(log.size(), lines.size());
    EXPECT_EQ(std::vector<std::wstring>(log.end() - static_cast<std::ptrdiff_t>(lines.size()), log.end()), lines);
    EXPECT_EQ(main->Updates().State().lastVersion, L"1.4.1.999");
    EXPECT_EQ((main.boxes.shown[0].type & MB_TYPEMASK), static_cast<UINT>(MB_YESNO)) << "the download question";
}

// A check still running when the window closes: the lines it wrote before the close reach the
// log ahead of the closing lines; its result, queued before closing began or delivered after it,
// is dropped, and so are lines that come later. No box, no state.
TEST(UpdateCheckRuns, AResultThatComesWhileTheWindowClosesIsDropped) {
    MainWindowFixture main;
    ASSERT_TRUE(main.created());
    ASSERT_TRUE(test::PumpUntil([&] { return main.ScreenLogCount(L"Check update is disable") == 1; }));
    PostPressLines(main->hwnd());
    ASSERT_TRUE(PostMessageW(main->hwnd(), WM_UPDATE_RESULT, 0, reinterpret_cast<LPARAM>(PressResult().release())));
    main->Shutdown();  // closing has begun, the window is still there
    for (const auto& line : kPressLines) EXPECT_EQ(main.ScreenLogCount(line), 1) << "written before the close";
    const auto log = main.LogFileTexts();
    const auto written = std::find(log.begin(), log.end(), kPressLines.back());
    EXPECT_LT(written, std::find(log.begin(), log.end(), L"Saving of task list...")) << "ahead of the closing lines";
    const size_t lines = main->LogLines().size();
    SendMessageW(main->hwnd(), WM_UPDATE_RESULT, 0, reinterpret_cast<LPARAM>(PressResult().release()));
    SendMessageW(main->hwnd(), WM_UPDATE_LOG_LINE, 0, reinterpret_cast<LPARAM>(new std::wstring(L"late line")));
    test::PumpMessages();
    EXPECT_TRUE(main.boxes.shown.empty());
    EXPECT_EQ(main->LogLines().size(), lines);
    EXPECT_NE(main->Updates().State().lastVersion, L"1.4.1.999");
}

// A polling interval that is no number ends a check before it starts: no line, no box.
TEST(UpdateCheckRuns, APollingIntervalThatIsNoNumberStartsNoCheck) {
    MainWindowFixture main;
    ASSERT_TRUE(main.created());
    ASSERT_TRUE(test::PumpUntil([&] { return main.ScreenLogCount(L"Check update is disable") == 1; }));
    SetWindowTextW(main->Control(ids::pollingIntervalField), L"7x");
    EXPECT_FALSE(main->StartUpdateCheck(false));
    SetWindowTextW(main->Control(ids::pollingIntervalField), L"7");
    EXPECT_TRUE(main->StartUpdateCheck(false));
    ASSERT_TRUE(test::PumpUntil([&] { return main.ScreenLogCount(L"Check update is disable") >= 2; }));
    test::PumpMessages();
    EXPECT_EQ(main.ScreenLogCount(L"Check update is disable"), 2) << "the start-up check and the one with a number";
}

// A check that asks nothing is done when Start returns: its line and result are already queued,
// in that order, and no thread was needed to post them.
TEST(UpdateCheckRuns, ASilentCheckIsQueuedBeforeStartReturns) {
    struct Case {
        bool disabled;
        double lastUpdate;
        const wchar_t* line;
    };
    const double today = 45000;
    for (Case c : {Case{true, 0, L"Check update is disable"}, Case{false, today - 1, L"Check update is paused by pool"}}) {
        HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        ASSERT_TRUE(window);
        UpdateState snapshot;
        snapshot.automaticCheckDisabled = c.disabled;
        snapshot.lastUpdateDate = c.lastUpdate;
        snapshot.pollingIntervalDays = 7;
        snapshot.lastVersion = L"1.4.1.260";
        UpdateCheckContext context;
        context.today = [today] { return today; };
        UpdateCheckWorkers workers;
        workers.Start(window, snapshot, context);

        MSG line{}, result{};
        ASSERT_TRUE(PeekMessageW(&line, window, WM_UPDATE_RESULT, WM_UPDATE_LOG_LINE, PM_REMOVE)) << c.line;
        ASSERT_EQ(line.message, WM_UPDATE_LOG_LINE);
        EXPECT_EQ(*TakeUpdateLogLine(line.lParam), c.line);
        ASSERT_TRUE(PeekMessageW(&result, window, WM_UPDATE_RESULT, WM_UPDATE_LOG_LINE, PM_REMOVE)) << c.line;
        ASSERT_EQ(result.message, WM_UPDATE_RESULT);
        std::unique_ptr<UpdateCheckResult> taken = TakeUpdateResult(result.lParam);
        EXPECT_EQ(taken->state.lastUpdateDate, c.lastUpdate);
        EXPECT_EQ(taken->state.lastVersion, L"1.4.1.260");
        workers.Close([](const std::wstring&) {});
        DestroyWindow(window);
    }
}

}  // namespace
}  // namespace lentora
