// A one-connection TCP server on 127.0.0.1 for the network tests: it records the request that
// arrives and then plays a scripted answer. Every wait is bounded, and the destructor stops it.
#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "net/socket.h"

namespace lentora::testing {

// The GET the client must send for `target` (a path, or an absolute address for a proxy).
inline std::string ExpectedGet(const std::string& target, const std::string& host) {
    return "GET " + target + " HTTP/1.1\r\n"
           "Host: " + host + "\r\n"
           "Accept: text/html, */*\r\n"
           "Accept-Encoding: identity\r\n"
           "User-Agent: LT_UPDATE_AGENT\r\n"
           "\r\n";
}

class ScriptedServer {
public:
    using Milliseconds = net::Milliseconds;
    static constexpr Milliseconds kLimit{5000};  // no single wait of the server lasts longer

    // What to do once the request has arrived; `peer` closes when it returns.
    using Play = std::function<void(net::Socket& peer, Milliseconds limit)>;

    // With `readRequest` false the play begins at once and the request stays unread (a peer that
    // closes then makes the system reset the connection).
    explicit ScriptedServer(Play play, bool readRequest = true) : play_(std::move(play)), readRequest_(readRequest) {
        listening_ = net::Socket::ListenLoopback(&stop_, listener_, port_) == net::NetStatus::Ok;
        if (listening_) thread_ = std::thread([this] { Run(); });
    }

    ~ScriptedServer() {
        stop_.Cancel();
        if (thread_.joinable()) thread_.join();
    }

    // Sends `answer` and closes.
    static ScriptedServer Replying(std::string answer) {
        return ScriptedServer([answer](net::Socket& peer, Milliseconds limit) {
            peer.SendAll(answer, net::DeadlineAfter(limit));
        });
    }

    bool Listening() const { return listening_; }
    std::uint16_t Port() const { return port_; }

    // The bytes of the request up to its empty line, once they have arrived (or "" after a while).
    std::string Request() {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, kLimit, [this] { return requestDone_; });
        return request_;
    }

    int Connections() {
        std::lock_guard lock(mutex_);
        return connections_;
    }

private:
    void Run() {
        net::Socket peer;
        if (listener_.Accept(net::DeadlineAfter(kLimit), peer) != net::NetStatus::Ok) return;
        {
            std::lock_guard lock(mutex_);
            ++connections_;
        }
        std::string request;
        auto deadline = net::DeadlineAfter(kLimit);
        char buffer[1024];
        while (readRequest_ && request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
            std::size_t got = 0;
            if (peer.Receive(buffer, sizeof buffer, deadline, got) != net::NetStatus::Ok || got == 0) break;
            request.append(buffer, got);
        }
        {
            std::lock_guard lock(mutex_);
            request_ = request;
            requestDone_ = true;
        }
        changed_.notify_all();
        play_(peer, kLimit);
    }

    Play play_;
    bool readRequest_;
    net::CancelToken stop_;
    net::Socket listener_;
    std::uint16_t port_ = 0;
    bool listening_ = false;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::string request_;
    bool requestDone_ = false;
    int connections_ = 0;
    std::thread thread_;
};

}  // namespace lentora::testing
