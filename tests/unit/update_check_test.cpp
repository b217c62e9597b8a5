// The last-version request against a local server, and the whole check with the system's answers
// recorded.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "unit/net_test_server.h"
#include "update/update_check.h"

namespace {

using lentora::IUpdateSystem;
using lentora::UpdateCheckContext;
using lentora::UpdateCheckResult;
using lentora::UpdateState;
using lentora::net::Milliseconds;
using lentora::testing::ExpectedGet;
using lentora::testing::ScriptedServer;

constexpr double kToday = 45000;
const std::wstring kError = L"Error load lastversion. File not fount";

std::string Ok(const std::string& body) {
    return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

const std::string kPath = "/download/lastversion.php?app=lt&ver=1.4.1.250";

// The maker's server is the local one unless a test routes through a "proxy".
UpdateCheckContext ContextFor(const ScriptedServer& server) {
    UpdateCheckContext context;
    context.programVersion = L"1.4.1.250";
    context.server.host = "127.0.0.1";
    context.server.port = server.Port();
    context.server.timeouts = {Milliseconds(5000), Milliseconds(5000)};
    context.today = [] { return kToday; };
    return context;
}

class LogLines : public lentora::ILogSink {
public:
    void Log(const std::wstring& line) override { lines.push_back(line); }
    std::vector<std::wstring> lines;
};

struct ExchangeCase {
    const char* name;
    std::string answer;
    bool answered;
    std::wstring lastVersion;
    std::vector<std::wstring> log;
};

TEST(LoadLastVersion, TakesTheBodyUnchangedOrKeepsTheOldValueOnFailure) {
    const ExchangeCase cases[] = {
        {"version", Ok("1.4.1.260"), true, L"1.4.1.260", {L"Lastversion is \"1.4.1.260\""}},
        {"line break kept", Ok("1.4.1.250\r\n"), true, L"1.4.1.250\r\n", {L"Lastversion is \"1.4.1.250\r\n\""}},
        {"14 characters", Ok("1.4.1.260.1234"), true, L"1.4.1.260.1234", {L"Lastversion is \"1.4.1.260.1234\""}},
        {"15 characters", Ok("1.4.1.260.12345"), true, L"0.0.0.0", {L"Lastversion is \"0.0.0.0\""}},
        {"a page", Ok("<html><body>Not here</body></html>"), true, L"0.0.0.0", {L"Lastversion is \"0.0.0.0\""}},
        {"empty body", Ok(""), true, L"", {L"Lastversion is \"\""}},
        {"not found", "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\n1.4.1.999", false, L"previous", {kError}},
        {"redirect", "HTTP/1.1 302 Found\r\nLocation: http://elsewhere.invalid/v\r\n\r\n", false, L"previous", {kError}},
        {"cut short", "HTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\n1.4", false, L"previous", {kError}},
    };
    for (const ExchangeCase& c : cases) {
        auto server = ScriptedServer::Replying(c.answer);
        ASSERT_TRUE(server.Listening());
        UpdateState state;
        state.connected = true;
        state.lastVersion = L"previous";
        LogLines log;
        EXPECT_EQ(lentora::LoadLastVersion(state, ContextFor(server), log), c.answered) << c.name;
        EXPECT_EQ(state.lastVersion, c.lastVersion) << c.name;
        EXPECT_EQ(log.lines, c.log) << c.name;
        EXPECT_EQ(server.Request(), ExpectedGet(kPath, "127.0.0.1")) << c.name;
    }
}

TEST(LoadLastVersion, GoesThroughTheProxyWithTheMakersAddress) {
    auto proxy = ScriptedServer::Replying(Ok("1.4.1.260"));
    ASSERT_TRUE(proxy.Listening());
    UpdateCheckContext context = ContextFor(proxy);
    context.server.host = lentora::UpdateServer{}.host;  // the maker's host as built in; only the proxy is reached
    UpdateState state;
    state.connected = true;
    state.proxyEnabled = true;
    state.proxyHost = L"127.0.0.1";
    state.proxyPort = proxy.Port();
    LogLines log;
    EXPECT_TRUE(lentora::LoadLastVersion(state, context, log));
    EXPECT_EQ(state.lastVersion, L"1.4.1.260");
    const std::string host = LENTORA_UPDATE_HOST;
    EXPECT_EQ(proxy.Request(), ExpectedGet("http://" + host + kPath, host));
}

TEST(LoadLastVersion, SendsNothingWithoutAConnectionOrWithAProxyPortOfZero) {
    auto server = ScriptedServer::Replying(Ok("1.4.1.260"));
    ASSERT_TRUE(server.Listening());
    UpdateState state;
    state.lastVersion = L"previous";
    LogLines log;
    EXPECT_FALSE(lentora::LoadLastVersion(state, ContextFor(server), log));
    EXPECT_TRUE(log.lines.empty());

    state.connected = true;
    state.proxyEnabled = true;
    state.proxyHost = L"127.0.0.1";
    state.proxyPort = 0;
    EXPECT_FALSE(lentora::LoadLastVersion(state, ContextFor(server), log));
    EXPECT_EQ(log.lines, std::vector<std::wstring>{kError});
    EXPECT_EQ(state.lastVersion, L"previous");
    EXPECT_EQ(server.Connections(), 0);
}

// Answers the check's questions to the system and records them.
class RecordingSystem : public IUpdateSystem {
public:
    std::optional<std::wstring> QueryProxy() override {
        calls.push_back(L"QueryProxy");
        return proxy;
    }
    bool IsConnected() override {
        calls.push_back(L"IsConnected");
        return connected;
    }

    std::optional<std::wstring> proxy;
    bool connected = true;
    std::vector<std::wstring> calls;
};

using Lines = std::vector<std::wstring>;

class UpdateCheckExecute : public ::testing::Test {
protected:
    // Runs the check from `state`, its lines alone in `log`; false when it ended without a result.
    bool Run(const ScriptedServer& server) { return Run(ContextFor(server)); }
    bool Run(const UpdateCheckContext& context) {
        log.lines.clear();
        result = lentora::ExecuteUpdateCheck(state, context, system, log, cancel);
        return result.has_value();
    }

    UpdateState state;
    RecordingSystem system;
    LogLines log;  // the check's lines, as they happen
    lentora::net::CancelToken cancel;
    std::optional<UpdateCheckResult> result;
};

TEST_F(UpdateCheckExecute, ButtonChecksAndReportsANewerBuild) {
    auto server = ScriptedServer::Replying(Ok("1.4.1.260"));
    state.startedByButton = true;
    state.automaticCheckDisabled = true;  // the button checks all the same
    state.lastUpdateDate = kToday - 1;
    state.pollingIntervalDays = 7;
    ASSERT_TRUE(Run(server));
    EXPECT_EQ(log.lines, (Lines{L"Button update", L"Internet connection is On", L"Lastversion is \"1.4.1.260\"",
                                       L"Program do need update"}));
    EXPECT_EQ(system.calls, (Lines{L"QueryProxy", L"IsConnected"}));
    EXPECT_TRUE(result->state.connected);
    EXPECT_TRUE(result->state.newerBuildAvailable);
    EXPECT_EQ(result->state.lastVersion, L"1.4.1.260");
    EXPECT_EQ(result->state.lastUpdateDate, kToday);
    EXPECT_FALSE(result->state.proxyEnabled);
}

TEST_F(UpdateCheckExecute, SwitchedOffAutomaticCheckOnlyLogs) {
    auto server = ScriptedServer::Replying(Ok("1.4.1.260"));
    state.automaticCheckDisabled = true;
    state.lastVersion = L"1.4.1.260";
    state.lastUpdateDate = 40000;
    ASSERT_TRUE(Run(server));
    EXPECT_EQ(log.lines, Lines{L"Check update is disable"});
    EXPECT_TRUE(system.calls.empty());
    EXPECT_FALSE(result->state.newerBuildAvailable);
    EXPECT_EQ(result->state.lastUpdateDate, 40000);
    EXPECT_EQ(server.Connections(), 0);
}

TEST_F(UpdateCheckExecute, PollingIntervalPausesUntilItsLastDay) {
    struct Case {
        double lastUpdate;
        double pool;
        bool paused;
    };
    for (Case c : {Case{kToday - 3, 7, true}, Case{kToday - 6, 7, true}, Case{kToday - 7, 7, false},
                   Case{kToday, 0, false}, Case{kToday + 1, 0, true}}) {
        system.connected = false;  // no request: the branch alone is under test
        state.lastUpdateDate = c.lastUpdate;
        state.pollingIntervalDays = c.pool;
        auto server = ScriptedServer::Replying("");
        ASSERT_TRUE(Run(server));
        ASSERT_FALSE(log.lines.empty());
        EXPECT_EQ(log.lines[0], c.paused ? L"Check update is paused by pool" : L"Auto update")
            << c.lastUpdate << " + " << c.pool;
    }
}

// A check the predicate calls silent runs on the GUI thread: it must never reach the system.
TEST_F(UpdateCheckExecute, AsksTheServerExactlyWhenThePredicateSaysSo) {
    struct Case {
        const char* name;
        bool button;
        bool disabled;
        double lastUpdate;
        double pool;
        bool asks;
    };
    const Case cases[] = {
        {"button, switched off and paused", true, true, kToday, 7, true},
        {"automatic, due", false, false, kToday - 7, 7, true},
        {"automatic, paused", false, false, kToday - 6, 7, false},
        {"automatic, switched off and due", false, true, kToday - 30, 7, false},
        {"automatic, never answered", false, false, 0, 7, true},
    };
    for (const Case& c : cases) {
        system.calls.clear();
        system.connected = false;  // no request: whether the system is asked is under test
        state.startedByButton = c.button;
        state.automaticCheckDisabled = c.disabled;
        state.lastUpdateDate = c.lastUpdate;
        state.pollingIntervalDays = c.pool;
        auto server = ScriptedServer::Replying("");
        EXPECT_EQ(lentora::UpdateCheckAsksServer(state, kToday), c.asks) << c.name;
        ASSERT_TRUE(Run(server));
        EXPECT_EQ(!system.calls.empty(), c.asks) << c.name;
    }
}

TEST_F(UpdateCheckExecute, AutomaticCheckGoesThroughTheSystemProxy) {
    auto proxy = ScriptedServer::Replying(Ok("1.4.1.250"));
    const std::wstring list = L"http=127.0.0.1:" + std::to_wstring(proxy.Port()) + L";https=127.0.0.1:1";
    system.proxy = list;
    ASSERT_TRUE(Run(proxy));
    EXPECT_EQ(log.lines, (Lines{L"Auto update", L"ProxyServer " + list, L"Internet connection is On",
                                       L"Lastversion is \"1.4.1.250\"", L"Program do not need update"}));
    EXPECT_TRUE(result->state.proxyEnabled);
    EXPECT_EQ(result->state.proxyHost, L"127.0.0.1");
    EXPECT_EQ(result->state.proxyPort, proxy.Port());
    EXPECT_FALSE(result->state.newerBuildAvailable);
    EXPECT_EQ(proxy.Request(), ExpectedGet("http://127.0.0.1" + kPath, "127.0.0.1"));
}

TEST_F(UpdateCheckExecute, WithoutAConnectionThePreviousAnswerIsComparedAgain) {
    auto server = ScriptedServer::Replying(Ok("1.4.1.250"));
    state.startedByButton = true;
    state.lastVersion = L"1.4.1.260";
    state.lastUpdateDate = 40000;
    system.connected = false;
    ASSERT_TRUE(Run(server));
    EXPECT_EQ(log.lines,
              (Lines{L"Button update", L"Internet connection is Off", L"Program do need update"}));
    EXPECT_FALSE(result->state.connected);
    EXPECT_EQ(result->state.lastUpdateDate, 40000);
    EXPECT_EQ(server.Connections(), 0);
}

TEST_F(UpdateCheckExecute, AFailedRequestKeepsTheDateAndTheOldAnswer) {
    auto server = ScriptedServer::Replying("HTTP/1.1 404 Not Found\r\n\r\n");
    state.startedByButton = true;
    state.lastVersion = L"1.4.1.250";
    state.lastUpdateDate = 40000;
    state.proxyHost = L"stale";  // left from an earlier check and unused without a proxy
    ASSERT_TRUE(Run(server));
    EXPECT_EQ(log.lines, (Lines{L"Button update", L"Internet connection is On", kError,
                                       L"Program do not need update"}));
    EXPECT_EQ(result->state.lastUpdateDate, 40000);
    EXPECT_EQ(result->state.lastVersion, L"1.4.1.250");
    EXPECT_EQ(result->state.proxyHost, L"stale");
    EXPECT_FALSE(result->state.proxyEnabled);
}

TEST_F(UpdateCheckExecute, AProxyListWithoutPortKeepsTheOldPortAndZeroFails) {
    auto server = ScriptedServer::Replying(Ok("1.4.1.260"));
    state.startedByButton = true;
    system.proxy = L"proxyhost";
    ASSERT_TRUE(Run(server));
    EXPECT_EQ(log.lines, (Lines{L"Button update", L"ProxyServer proxyhost", L"Internet connection is On",
                                       kError}));
    EXPECT_EQ(result->state.proxyHost, L"proxyhost");
    EXPECT_EQ(result->state.proxyPort, 0);
    EXPECT_EQ(server.Connections(), 0);
}

// Only a version received by this very check answers the user; a failure is no "latest version".
TEST_F(UpdateCheckExecute, ManualCheckSaysNoAnswerUnlessThisRequestGotAVersion) {
    using lentora::ManualCheckAnswer;
    const std::string notFound = "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n";
    struct Case {
        const char* name;
        std::string answer;
        std::wstring previous;  // lastVersion of an earlier check
        bool connected;
        std::optional<std::wstring> proxy;
        ManualCheckAnswer verdict;
    };
    const Case cases[] = {
        {"same build", Ok("1.4.1.250"), L"", true, {}, ManualCheckAnswer::NoNewerBuild},
        {"older build", Ok("1.4.1.100"), L"1.4.1.260", true, {}, ManualCheckAnswer::NoNewerBuild},
        {"newer build", Ok("1.4.1.260"), L"", true, {}, ManualCheckAnswer::NewerBuild},
        {"HTTP status", notFound, L"1.4.1.250", true, {}, ManualCheckAnswer::NoAnswer},
        {"HTTP status, newer build known", notFound, L"1.4.1.260", true, {}, ManualCheckAnswer::NoAnswer},
        {"proxy port 0", Ok("1.4.1.250"), L"1.4.1.250", true, L"127.0.0.1:0", ManualCheckAnswer::NoAnswer},
        {"too long", Ok("1.4.1.250.123456"), L"", true, {}, ManualCheckAnswer::NoAnswer},
        {"empty body", Ok(""), L"", true, {}, ManualCheckAnswer::NoAnswer},
        {"no connection", Ok("1.4.1.250"), L"1.4.1.250", false, {}, ManualCheckAnswer::NoAnswer},
    };
    for (const Case& c : cases) {
        auto server = ScriptedServer::Replying(c.answer);
        ASSERT_TRUE(server.Listening());
        state = UpdateState{};
        state.startedByButton = true;
        state.lastVersion = c.previous;
        state.versionAnswered = true;  // an earlier check's
        system.connected = c.connected;
        system.proxy = c.proxy;
        ASSERT_TRUE(Run(server)) << c.name;
        EXPECT_EQ(lentora::ManualCheckVerdict(result->state), c.verdict) << c.name;
    }
}

TEST_F(UpdateCheckExecute, CancellingWhileTheRequestWaitsEndsWithoutAResult) {
    ScriptedServer server([](lentora::net::Socket& peer, Milliseconds limit) {
        char byte;
        std::size_t got = 0;
        peer.Receive(&byte, 1, lentora::net::DeadlineAfter(limit), got);  // never answers
    });
    state.startedByButton = true;
    UpdateCheckContext context = ContextFor(server);
    context.server.timeouts.read = Milliseconds(10000);
    std::thread closer([&] {
        server.Request();
        std::this_thread::sleep_for(Milliseconds(100));
        cancel.Cancel();
    });
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(Run(context));
    closer.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_EQ(system.calls, (Lines{L"QueryProxy", L"IsConnected"}));

    // A check started after the cancel asks the system nothing.
    system.calls.clear();
    EXPECT_FALSE(Run(context));
    EXPECT_TRUE(system.calls.empty());
}

}  // namespace
