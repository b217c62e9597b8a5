// The last-version request against update servers that misbehave on the wire: silent, dripping,
// resetting the connection half way, or streaming without end. Each one ends as a logged failure
// within the read time-out, and the previous answer is kept.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "unit/net_test_server.h"
#include "update/update_check.h"

namespace {

using lentora::UpdateState;
using lentora::UpdateCheckContext;
using lentora::net::DeadlineAfter;
using lentora::net::Milliseconds;
using lentora::net::NetStatus;
using lentora::net::Socket;
using lentora::testing::ScriptedServer;

constexpr Milliseconds kReadTimeout{1500};
constexpr std::uint64_t kGigabyte = 1ull << 30;

class LogLines : public lentora::ILogSink {
public:
    void Log(const std::wstring& line) override { lines.push_back(line); }
    std::vector<std::wstring> lines;
};

// What a peer managed to send before the client went away.
struct Sent {
    std::atomic<std::uint64_t> bytes{0};
};

using Peer = void (*)(Socket& peer, Sent& sent);

void Silent(Socket& peer, Sent&) {
    char byte;
    std::size_t got = 0;
    peer.Receive(&byte, 1, DeadlineAfter(ScriptedServer::kLimit), got);
}

// One byte of a valid answer every 100 ms: every single read is quick, the answer never ends.
void Dripping(Socket& peer, Sent& sent) {
    const std::string answer = "HTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\n1.4.1.260";
    auto deadline = DeadlineAfter(ScriptedServer::kLimit);
    for (;; std::this_thread::sleep_for(Milliseconds(100))) {
        if (peer.SendAll(answer.substr(sent.bytes % answer.size(), 1), deadline) != NetStatus::Ok) return;
        ++sent.bytes;
    }
}

// Half of an answer, then the connection is reset: the peer closes with the rest of the request
// unread, which makes the system send a reset instead of an orderly end.
void ResetHalfWay(Socket& peer, Sent& sent) {
    char byte;
    std::size_t got = 0;
    auto deadline = DeadlineAfter(ScriptedServer::kLimit);
    if (peer.Receive(&byte, 1, deadline, got) != NetStatus::Ok || got == 0) return;
    const std::string half = "HTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\n1.4";
    if (peer.SendAll(half, deadline) == NetStatus::Ok) sent.bytes += half.size();
}

// A 200 answer followed by 1 GiB, sent as fast as the client takes it.
void StreamGigabyte(Socket& peer, Sent& sent, const std::string& head) {
    auto deadline = DeadlineAfter(ScriptedServer::kLimit);
    if (peer.SendAll(head, deadline) != NetStatus::Ok) return;
    sent.bytes += head.size();
    const std::string block(16384, '7');
    while (sent.bytes < kGigabyte && peer.SendAll(block, deadline) == NetStatus::Ok) sent.bytes += block.size();
}

// Announced: refused as soon as the length is seen.
void AnnouncedGigabyte(Socket& peer, Sent& sent) {
    StreamGigabyte(peer, sent, "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(kGigabyte) + "\r\n\r\n");
}

// Not announced: the body runs until the server closes, which it never does by itself.
void EndlessBody(Socket& peer, Sent& sent) { StreamGigabyte(peer, sent, "HTTP/1.1 200 OK\r\n\r\n"); }

struct FaultCase {
    const char* name;
    Peer peer;
    bool endsByTimeOut;  // else it must end before the time-out could fire
    bool readRequest = true;
};

class MisbehavingServer : public ::testing::TestWithParam<FaultCase> {};

TEST_P(MisbehavingServer, EndsAsALoggedFailureWithinTheReadTimeOut) {
    auto sent = std::make_shared<Sent>();
    Peer peer = GetParam().peer;
    auto server = std::make_unique<ScriptedServer>([peer, sent](Socket& s, Milliseconds) { peer(s, *sent); },
                                                   GetParam().readRequest);
    ASSERT_TRUE(server->Listening());

    UpdateCheckContext context;
    context.programVersion = L"1.4.1.250";
    context.server.host = "127.0.0.1";
    context.server.port = server->Port();
    context.server.timeouts = {Milliseconds(5000), kReadTimeout};
    UpdateState state;
    state.connected = true;
    state.lastVersion = L"1.4.1.255";
    LogLines log;

    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(lentora::LoadLastVersion(state, context, log));
    auto took = std::chrono::duration_cast<Milliseconds>(std::chrono::steady_clock::now() - start);

    EXPECT_EQ(log.lines, std::vector<std::wstring>{L"Error load lastversion. File not fount"});
    EXPECT_EQ(state.lastVersion, L"1.4.1.255");
    if (GetParam().endsByTimeOut) {
        EXPECT_GE(took, kReadTimeout - Milliseconds(100));
        EXPECT_LT(took, kReadTimeout + Milliseconds(1000));
    } else {
        EXPECT_LT(took, kReadTimeout);
    }
    server.reset();  // the peer has given up once the server is gone
    // Past the 64 KiB cap the client stops reading and closes; what the system buffers meanwhile
    // is all the peer gets rid of.
    EXPECT_LT(sent->bytes.load(), 16ull << 20) << "bytes the server managed to send";
    RecordProperty("bytes_sent", std::to_string(sent->bytes.load()));
    RecordProperty("ms", std::to_string(took.count()));
}

INSTANTIATE_TEST_SUITE_P(Cases, MisbehavingServer,
                         ::testing::Values(FaultCase{"Silent", Silent, true}, FaultCase{"Dripping", Dripping, true},
                                           FaultCase{"ResetHalfWay", ResetHalfWay, false, false},
                                           FaultCase{"AnnouncedGigabyte", AnnouncedGigabyte, false},
                                           FaultCase{"EndlessBody", EndlessBody, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
