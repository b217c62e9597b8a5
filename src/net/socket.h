// A small blocking TCP socket with time-outs and cancellation from another thread.
// Implemented with BSD sockets (net/posix) and with Winsock (net/win).
#pragma once
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace lentora::net {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::milliseconds;

enum class NetStatus {
    Ok,
    BadPort,        // port outside 1..65535: nothing was tried
    ResolveFailed,  // the host name has no address
    ConnectFailed,  // refused or unreachable
    TimedOut,
    Cancelled,
    Failed,         // any other socket error (reset, broken pipe, ...)
};

// Shared by the thread that waits in a socket call and the thread that wants it to stop.
// Cancel() wakes every wait of the sockets bound to this token at once, and every later
// call on them returns Cancelled. A token is cancelled for good; make a new one per check.
class CancelToken {
public:
    CancelToken();
    ~CancelToken();
    CancelToken(const CancelToken&) = delete;
    CancelToken& operator=(const CancelToken&) = delete;

    void Cancel();
    bool IsCancelled() const;

    struct Impl;  // the platform's wake-up primitive

private:
    friend class Socket;
    std::unique_ptr<Impl> impl_;
};

// One TCP connection (or a listening socket). Move-only; closes itself.
class Socket {
public:
    Socket();
    ~Socket();
    Socket(Socket&&) noexcept;
    Socket& operator=(Socket&&) noexcept;
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    // Resolves `host` (a name or an address literal) and connects to the first address that
    // answers before `deadline`. `cancel` may be null; when given it must outlive the socket.
    static NetStatus Connect(const std::string& host, int port, Clock::time_point deadline,
                             const CancelToken* cancel, Socket& out);

    // Listens on 127.0.0.1 on a port the system picks (for local servers such as test peers).
    // Accepted sockets share the listener's `cancel`.
    static NetStatus ListenLoopback(const CancelToken* cancel, Socket& out, std::uint16_t& port);
    // Waits for one connection on a listening socket until `deadline`.
    NetStatus Accept(Clock::time_point deadline, Socket& out);

    // Sends every byte or fails.
    NetStatus SendAll(std::string_view data, Clock::time_point deadline);
    // Waits until some bytes arrive or `deadline`; `received` is 0 with Ok when the peer has
    // closed its side.
    NetStatus Receive(char* buffer, std::size_t size, Clock::time_point deadline, std::size_t& received);

    bool IsOpen() const;
    void Close();

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

inline Clock::time_point DeadlineAfter(Milliseconds timeout) { return Clock::now() + timeout; }

}  // namespace lentora::net
