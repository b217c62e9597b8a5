// The HTTP client against real servers on 127.0.0.1: the bytes it sends, and what it makes of
// the answers, slow peers and cancellation.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "net/http_client.h"
#include "unit/net_test_server.h"

namespace {

using lentora::net::CancelToken;
using lentora::net::HttpClient;
using lentora::net::HttpParseError;
using lentora::net::HttpResult;
using lentora::net::HttpTimeouts;
using lentora::net::Milliseconds;
using lentora::net::NetStatus;
using lentora::testing::ExpectedGet;
using lentora::testing::ScriptedServer;

constexpr char kPath[] = "/download/lastversion.php?app=lt&ver=1.4.1.250";
// Generous for a busy machine; only the silent peer's test waits for the read time-out.
constexpr HttpTimeouts kTestTimeouts{Milliseconds(5000), Milliseconds(5000)};

HttpClient TestClient(Milliseconds read = kTestTimeouts.read) {
    HttpClient client("LT_UPDATE_AGENT");
    client.SetTimeouts({kTestTimeouts.connect, read});
    return client;
}

ScriptedServer SilentServer() {
    // Reads nothing more and answers nothing until the client leaves or the test ends.
    return ScriptedServer([](lentora::net::Socket& peer, Milliseconds limit) {
        char byte;
        std::size_t got = 0;
        peer.Receive(&byte, 1, lentora::net::DeadlineAfter(limit), got);
    });
}

Milliseconds Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<Milliseconds>(std::chrono::steady_clock::now() - start);
}

TEST(HttpClientWire, SendsTheRequestLineAndExactlyFourHeaders) {
    auto server = ScriptedServer::Replying("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
    ASSERT_TRUE(server.Listening());
    HttpResult result = TestClient().Get("127.0.0.1", server.Port(), kPath);
    EXPECT_TRUE(result.Succeeded());
    EXPECT_EQ(server.Request(), ExpectedGet(kPath, "127.0.0.1"));
}

TEST(HttpClientWire, ThroughAProxyTheAbsoluteAddressGoesToTheProxy) {
    auto proxy = ScriptedServer::Replying("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
    ASSERT_TRUE(proxy.Listening());
    HttpClient client = TestClient();
    client.SetProxy("127.0.0.1", proxy.Port());
    // The server's own name is never resolved: only the proxy is reached.
    HttpResult result = client.Get("updates.invalid", 80, kPath);
    EXPECT_TRUE(result.Succeeded());
    EXPECT_EQ(result.response.body, "ok");
    EXPECT_EQ(proxy.Request(), ExpectedGet(std::string("http://updates.invalid") + kPath, "updates.invalid"));
}

TEST(HttpClientWire, AProxyPortOutsideTheRangeFailsWithoutConnecting) {
    auto proxy = ScriptedServer::Replying("HTTP/1.1 200 OK\r\n\r\n");
    ASSERT_TRUE(proxy.Listening());
    // The last one would reach the server if the port were cut to 16 bits.
    for (int port : {0, -1, 65536, proxy.Port() + 65536}) {
        HttpClient client = TestClient();
        client.SetProxy("127.0.0.1", port);
        EXPECT_EQ(client.Get("updates.invalid", 80, kPath).network, NetStatus::BadPort) << port;
    }
    EXPECT_EQ(proxy.Connections(), 0);
}

struct AnswerCase {
    const char* name;
    std::string answer;
    bool succeeds;
    HttpParseError error;
    std::wstring text;
    std::string charset;
};

class HttpClientAnswers : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(HttpClientAnswers, BecomeTextOrFailure) {
    const AnswerCase& c = GetParam();
    auto server = ScriptedServer::Replying(c.answer);
    ASSERT_TRUE(server.Listening());
    HttpResult result = TestClient().Get("127.0.0.1", server.Port(), kPath);
    EXPECT_EQ(result.network, NetStatus::Ok);
    EXPECT_EQ(result.Succeeded(), c.succeeds);
    EXPECT_EQ(result.parse, c.error);
    if (c.succeeds) {
        EXPECT_EQ(result.response.text, c.text);
        EXPECT_EQ(result.response.charset, c.charset);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HttpClientAnswers,
    ::testing::Values(
        AnswerCase{"ContentLength", "HTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\n1.4.1.260", true, HttpParseError::None,
                   L"1.4.1.260", ""},
        AnswerCase{"ContinueThenOk",
                   "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\n1.4.1.260", true,
                   HttpParseError::None, L"1.4.1.260", ""},
        AnswerCase{"Chunked",
                   "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\n1.4.1\r\n4;ext=1\r\n.260\r\n0\r\n\r\n",
                   true, HttpParseError::None, L"1.4.1.260", ""},
        AnswerCase{"UntilClose", "HTTP/1.0 200 OK\r\n\r\n1.4.1.250\r\n", true, HttpParseError::None,
                   L"1.4.1.250\r\n", ""},
        AnswerCase{"CharsetInContentType",
                   "HTTP/1.1 200 OK\r\nContent-Type: text/plain; charset=windows-1251\r\nContent-Length: 6\r\n\r\n"
                   "\xC2\xE5\xF0\xF1\xE8\xFF",
                   true, HttpParseError::None, L"\u0412\u0435\u0440\u0441\u0438\u044F", "windows-1251"},
        AnswerCase{"CharsetInHtmlMeta",
                   "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n"
                   "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">"
                   "</head>\xC2</html>",
                   true, HttpParseError::None,
                   L"<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">"
                   L"</head>\u0412</html>",
                   "windows-1251"},
        AnswerCase{"NoCharsetIsLatin1", "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\n\xC2\xE9", true,
                   HttpParseError::None, L"\u00C2\u00E9", ""},
        AnswerCase{"RedirectIsNotFollowed",
                   "HTTP/1.1 302 Found\r\nLocation: http://elsewhere.invalid/\r\nContent-Length: 0\r\n\r\n", false,
                   HttpParseError::Status, L"", ""},
        AnswerCase{"NotFound", "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found", false,
                   HttpParseError::Status, L"", ""},
        AnswerCase{"ProxyAuthentication", "HTTP/1.1 407 Proxy Authentication Required\r\n\r\n", false,
                   HttpParseError::Status, L"", ""},
        AnswerCase{"ClosedEarly", "HTTP/1.1 200 OK\r\nContent-Length: 20\r\n\r\n1.4.1.260", false,
                   HttpParseError::Truncated, L"", ""},
        AnswerCase{"NotHttp", "SSH-2.0-server\r\n", false, HttpParseError::Malformed, L"", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HttpClientPeers, ARefusedConnectionFails) {
    std::uint16_t port = 0;
    {
        lentora::net::Socket listener;
        ASSERT_EQ(lentora::net::Socket::ListenLoopback(nullptr, listener, port), NetStatus::Ok);
    }  // closed again: nothing listens on the port now
    EXPECT_EQ(TestClient().Get("127.0.0.1", port, kPath).network, NetStatus::ConnectFailed);
}

TEST(HttpClientPeers, AServerThatNeverAnswersTimesOut) {
    auto server = SilentServer();
    ASSERT_TRUE(server.Listening());
    auto start = std::chrono::steady_clock::now();
    HttpResult result = TestClient(Milliseconds(300)).Get("127.0.0.1", server.Port(), kPath);
    EXPECT_EQ(result.network, NetStatus::TimedOut);
    EXPECT_GE(Since(start), Milliseconds(250));
    EXPECT_LT(Since(start), Milliseconds(3000));
    EXPECT_FALSE(server.Request().empty());
}

TEST(HttpClientPeers, ABodyThatNeverEndsStopsAtTheCap) {
    ScriptedServer server([](lentora::net::Socket& peer, Milliseconds limit) {
        auto deadline = lentora::net::DeadlineAfter(limit);
        if (peer.SendAll("HTTP/1.1 200 OK\r\n\r\n", deadline) != NetStatus::Ok) return;
        const std::string block(4096, '7');
        // At most 1 MiB: the client is expected to give up after 64 KiB and close.
        for (int i = 0; i < 256 && peer.SendAll(block, deadline) == NetStatus::Ok; ++i) {
        }
    });
    ASSERT_TRUE(server.Listening());
    HttpResult result = TestClient().Get("127.0.0.1", server.Port(), kPath);
    EXPECT_EQ(result.network, NetStatus::Ok);
    EXPECT_EQ(result.parse, HttpParseError::BodyTooLarge);
    EXPECT_TRUE(result.response.body.empty());
}

TEST(HttpClientPeers, CancellingFromAnotherThreadEndsABlockedRequestAtOnce) {
    auto server = SilentServer();
    ASSERT_TRUE(server.Listening());
    CancelToken cancel;
    HttpClient client("LT_UPDATE_AGENT");  // default time-outs: only the cancellation can end it soon
    std::thread canceller([&] {
        server.Request();  // the request is on the wire and the client waits for the answer
        std::this_thread::sleep_for(Milliseconds(100));
        cancel.Cancel();
    });
    auto start = std::chrono::steady_clock::now();
    HttpResult result = client.Get("127.0.0.1", server.Port(), kPath, &cancel);
    canceller.join();
    EXPECT_EQ(result.network, NetStatus::Cancelled);
    EXPECT_LT(Since(start), Milliseconds(3000));
    // A cancelled token stays cancelled: the next request does not even connect.
    EXPECT_EQ(client.Get("127.0.0.1", server.Port(), kPath, &cancel).network, NetStatus::Cancelled);
}

}  // namespace
