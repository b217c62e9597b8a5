// The last-version request against a local server, and the whole check through a recording host.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "unit/net_test_server.h"
#include "update/update_check.h"

namespace {

using lentora::IUpdateHost;
using lentora::TLtUpd;
using lentora::UpdateCheckContext;
using lentora::UpdateCheckEnd;
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
    std::wstring lastversion;
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
        TLtUpd upd;
        upd.connect = true;
        upd.lastversion = L"previous";
        LogLines log;
        EXPECT_EQ(lentora::LoadLastVersion(upd, ContextFor(server), log), c.answered) << c.name;
        EXPECT_EQ(upd.lastversion, c.lastversion) << c.name;
        EXPECT_EQ(log.lines, c.log) << c.name;
        EXPECT_EQ(server.Request(), ExpectedGet(kPath, "127.0.0.1")) << c.name;
    }
}

TEST(LoadLastVersion, GoesThroughTheProxyWithTheMakersAddress) {
    auto proxy = ScriptedServer::Replying(Ok("1.4.1.260"));
    ASSERT_TRUE(proxy.Listening());
    UpdateCheckContext context = ContextFor(proxy);
    context.server.host = lentora::UpdateServer{}.host;  // the maker's host as built in; only the proxy is reached
    TLtUpd upd;
    upd.connect = true;
    upd.ProxyEnabled = true;
    upd.ProxyServer = L"127.0.0.1";
    upd.ProxyPort = proxy.Port();
    LogLines log;
    EXPECT_TRUE(lentora::LoadLastVersion(upd, context, log));
    EXPECT_EQ(upd.lastversion, L"1.4.1.260");
    const std::string host = LENTORA_UPDATE_HOST;
    EXPECT_EQ(proxy.Request(), ExpectedGet("http://" + host + kPath, host));
}

TEST(LoadLastVersion, SendsNothingWithoutAConnectionOrWithAProxyPortOfZero) {
    auto server = ScriptedServer::Replying(Ok("1.4.1.260"));
    ASSERT_TRUE(server.Listening());
    TLtUpd upd;
    upd.lastversion = L"previous";
    LogLines log;
    EXPECT_FALSE(lentora::LoadLastVersion(upd, ContextFor(server), log));
    EXPECT_TRUE(log.lines.empty());

    upd.connect = true;
    upd.ProxyEnabled = true;
    upd.ProxyServer = L"127.0.0.1";
    upd.ProxyPort = 0;
    EXPECT_FALSE(lentora::LoadLastVersion(upd, ContextFor(server), log));
    EXPECT_EQ(log.lines, std::vector<std::wstring>{kError});
    EXPECT_EQ(upd.lastversion, L"previous");
    EXPECT_EQ(server.Connections(), 0);
}

// Records every call of the check, log lines included, in the order they came.
class RecordingHost : public IUpdateHost {
public:
    std::optional<TLtUpd> LoadState() override {
        calls.push_back(L"LoadState");
        return state;
    }
    void Log(const std::wstring& line) override { calls.push_back(L"Log: " + line); }
    std::optional<std::wstring> QueryProxy() override {
        calls.push_back(L"QueryProxy");
        return proxy;
    }
    bool IsConnected() override {
        calls.push_back(L"IsConnected");
        return connected;
    }
    void ShowResult(const TLtUpd& upd) override {
        calls.push_back(L"ShowResult");
        shown = upd;
    }

    std::optional<TLtUpd> state = TLtUpd{};
    std::optional<std::wstring> proxy;
    bool connected = true;
    std::vector<std::wstring> calls;
    std::optional<TLtUpd> shown;
};

using Calls = std::vector<std::wstring>;

class UpdateCheckExecute : public ::testing::Test {
protected:
    UpdateCheckEnd Run(const ScriptedServer& server) {
        return lentora::ExecuteUpdateCheck(host, ContextFor(server), cancel);
    }

    RecordingHost host;
    lentora::net::CancelToken cancel;
};

TEST_F(UpdateCheckExecute, ButtonChecksAndReportsANewerBuild) {
    auto server = ScriptedServer::Replying(Ok("1.4.1.260"));
    host.state->button_update = true;
    host.state->disable_check_update = true;  // the button checks all the same
    host.state->last_update_date = kToday - 1;
    host.state->pool_date = 7;
    EXPECT_EQ(Run(server), UpdateCheckEnd::ResultShown);
    EXPECT_EQ(host.calls, (Calls{L"LoadState", L"Log: Button update", L"QueryProxy", L"IsConnected",
                                 L"Log: Internet connection is On", L"Log: Lastversion is \"1.4.1.260\"",
                                 L"Log: Program do need update", L"ShowResult"}));
    ASSERT_TRUE(host.shown);
    EXPECT_TRUE(host.shown->connect);
    EXPECT_TRUE(host.shown->getupdate);
    EXPECT_EQ(host.shown->lastversion, L"1.4.1.260");
    EXPECT_EQ(host.shown->last_update_date, kToday);
    EXPECT_FALSE(host.shown->ProxyEnabled);
}

TEST_F(UpdateCheckExecute, SwitchedOffAutomaticCheckOnlyLogsAndShows) {
    auto server = ScriptedServer::Replying(Ok("1.4.1.260"));
    host.state->disable_check_update = true;
    host.state->lastversion = L"1.4.1.260";
    host.state->last_update_date = 40000;
    EXPECT_EQ(Run(server), UpdateCheckEnd::ResultShown);
    EXPECT_EQ(host.calls, (Calls{L"LoadState", L"Log: Check update is disable", L"ShowResult"}));
    EXPECT_FALSE(host.shown->getupdate);
    EXPECT_EQ(host.shown->last_update_date, 40000);
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
        host.calls.clear();
        host.connected = false;  // no request: the branch alone is under test
        host.state->last_update_date = c.lastUpdate;
        host.state->pool_date = c.pool;
        auto server = ScriptedServer::Replying("");
        EXPECT_EQ(Run(server), UpdateCheckEnd::ResultShown);
        ASSERT_GE(host.calls.size(), 2u);
        EXPECT_EQ(host.calls[1], c.paused ? L"Log: Check update is paused by pool" : L"Log: Auto update")
            << c.lastUpdate << " + " << c.pool;
    }
}

TEST_F(UpdateCheckExecute, AutomaticCheckGoesThroughTheSystemProxy) {
    auto proxy = ScriptedServer::Replying(Ok("1.4.1.250"));
    const std::wstring list = L"http=127.0.0.1:" + std::to_wstring(proxy.Port()) + L";https=127.0.0.1:1";
    host.proxy = list;
    EXPECT_EQ(Run(proxy), UpdateCheckEnd::ResultShown);
    EXPECT_EQ(host.calls, (Calls{L"LoadState", L"Log: Auto update", L"QueryProxy", L"Log: ProxyServer " + list,
                                 L"IsConnected", L"Log: Internet connection is On",
                                 L"Log: Lastversion is \"1.4.1.250\"", L"Log: Program do not need update",
                                 L"ShowResult"}));
    EXPECT_TRUE(host.shown->ProxyEnabled);
    EXPECT_EQ(host.shown->ProxyServer, L"127.0.0.1");
    EXPECT_EQ(host.shown->ProxyPort, proxy.Port());
    EXPECT_FALSE(host.shown->getupdate);
    EXPECT_EQ(proxy.Request(), ExpectedGet("http://127.0.0.1" + kPath, "127.0.0.1"));
}

TEST_F(UpdateCheckExecute, WithoutAConnectionThePreviousAnswerIsComparedAgain) {
    auto server = ScriptedServer::Replying(Ok("1.4.1.250"));
    host.state->button_update = true;
    host.state->lastversion = L"1.4.1.260";
    host.state->last_update_date = 40000;
    host.connected = false;
    EXPECT_EQ(Run(server), UpdateCheckEnd::ResultShown);
    EXPECT_EQ(host.calls, (Calls{L"LoadState", L"Log: Button update", L"QueryProxy", L"IsConnected",
                                 L"Log: Internet connection is Off", L"Log: Program do need update", L"ShowResult"}));
    EXPECT_FALSE(host.shown->connect);
    EXPECT_EQ(host.shown->last_update_date, 40000);
    EXPECT_EQ(server.Connections(), 0);
}

TEST_F(UpdateCheckExecute, AFailedRequestKeepsTheDateAndTheOldAnswer) {
    auto server = ScriptedServer::Replying("HTTP/1.1 404 Not Found\r\n\r\n");
    host.state->button_update = true;
    host.state->lastversion = L"1.4.1.250";
    host.state->last_update_date = 40000;
    host.state->ProxyServer = L"stale";  // left from an earlier check and unused without a proxy
    EXPECT_EQ(Run(server), UpdateCheckEnd::ResultShown);
    EXPECT_EQ(host.calls, (Calls{L"LoadState", L"Log: Button update", L"QueryProxy", L"IsConnected",
                                 L"Log: Internet connection is On", L"Log: " + kError,
                                 L"Log: Program do not need update", L"ShowResult"}));
    EXPECT_EQ(host.shown->last_update_date, 40000);
    EXPECT_EQ(host.shown->lastversion, L"1.4.1.250");
    EXPECT_EQ(host.shown->ProxyServer, L"stale");
    EXPECT_FALSE(host.shown->ProxyEnabled);
}

TEST_F(UpdateCheckExecute, AProxyListWithoutPortKeepsTheOldPortAndZeroFails) {
    auto server = ScriptedServer::Replying(Ok("1.4.1.260"));
    host.state->button_update = true;
    host.proxy = L"proxyhost";
    EXPECT_EQ(Run(server), UpdateCheckEnd::ResultShown);
    EXPECT_EQ(host.calls, (Calls{L"LoadState", L"Log: Button update", L"QueryProxy", L"Log: ProxyServer proxyhost",
                                 L"IsConnected", L"Log: Internet connection is On", L"Log: " + kError,
                                 L"ShowResult"}));
    EXPECT_EQ(host.shown->ProxyServer, L"proxyhost");
    EXPECT_EQ(host.shown->ProxyPort, 0);
    EXPECT_EQ(server.Connections(), 0);
}

// Only a version received by this very check answers the user; a failure is no "latest version".
TEST_F(UpdateCheckExecute, ManualCheckSaysNoAnswerUnlessThisRequestGotAVersion) {
    using lentora::ManualCheckAnswer;
    const std::string notFound = "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n";
    struct Case {
        const char* name;
        std::string answer;
        std::wstring previous;  // lastversion of an earlier check
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
        host.state = TLtUpd{};
        host.state->button_update = true;
        host.state->lastversion = c.previous;
        host.state->versionAnswered = true;  // an earlier check's
        host.connected = c.connected;
        host.proxy = c.proxy;
        ASSERT_EQ(Run(server), UpdateCheckEnd::ResultShown) << c.name;
        EXPECT_EQ(lentora::ManualCheckVerdict(*host.shown), c.verdict) << c.name;
    }
}

TEST_F(UpdateCheckExecute, AnUnreadablePollingIntervalEndsTheCheckSilently) {
    auto server = ScriptedServer::Replying(Ok("1.4.1.260"));
    host.state.reset();
    EXPECT_EQ(Run(server), UpdateCheckEnd::StateUnreadable);
    EXPECT_EQ(host.calls, Calls{L"LoadState"});
}

TEST_F(UpdateCheckExecute, CancellingWhileTheRequestWaitsStopsWithoutCallingTheHostAgain) {
    ScriptedServer server([](lentora::net::Socket& peer, Milliseconds limit) {
        char byte;
        std::size_t got = 0;
        peer.Receive(&byte, 1, lentora::net::DeadlineAfter(limit), got);  // never answers
    });
    host.state->button_update = true;
    UpdateCheckContext context = ContextFor(server);
    context.server.timeouts.read = Milliseconds(10000);
    std::thread closer([&] {
        server.Request();
        std::this_thread::sleep_for(Milliseconds(100));
        cancel.Cancel();
    });
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(lentora::ExecuteUpdateCheck(host, context, cancel), UpdateCheckEnd::Cancelled);
    closer.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_EQ(host.calls, (Calls{L"LoadState", L"Log: Button update", L"QueryProxy", L"IsConnected",
                                 L"Log: Internet connection is On"}));

    host.calls.clear();
    EXPECT_EQ(lentora::ExecuteUpdateCheck(host, context, cancel), UpdateCheckEnd::Cancelled);
    EXPECT_TRUE(host.calls.empty());
}

}  // namespace
