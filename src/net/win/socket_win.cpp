#include "net/socket.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <atomic>
#include <string>

namespace lentora::net {

// A manual-reset event set for good when the token is cancelled: every wait of a bound socket
// also waits on it.
struct CancelToken::Impl {
    std::atomic<bool> cancelled{false};
    WSAEVENT event = WSA_INVALID_EVENT;
};

// The socket is non-blocking and reports its network events through its own event object.
struct Socket::Impl {
    SOCKET s = INVALID_SOCKET;
    WSAEVENT event = WSA_INVALID_EVENT;
    const CancelToken::Impl* cancel = nullptr;
};

namespace {

constexpr long kAllEvents = FD_READ | FD_WRITE | FD_CONNECT | FD_ACCEPT | FD_CLOSE;

// Winsock is started once for the process and stays up until it ends.
bool StartWinsock() {
    static const bool started = [] {
        WSADATA data;
        return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

void CloseImpl(Socket::Impl& impl) {
    if (impl.s != INVALID_SOCKET) {
        ::closesocket(impl.s);
        impl.s = INVALID_SOCKET;
    }
    if (impl.event != WSA_INVALID_EVENT) {
        ::WSACloseEvent(impl.event);
        impl.event = WSA_INVALID_EVENT;
    }
}

// Makes `s` the socket of `impl`: non-blocking, with its events bound to a new event object.
bool Adopt(SOCKET s, const CancelToken::Impl* cancel, Socket::Impl& impl) {
    impl.s = s;
    impl.cancel = cancel;
    impl.event = ::WSACreateEvent();
    if (impl.event == WSA_INVALID_EVENT || ::WSAEventSelect(s, impl.event, kAllEvents) != 0) {
        CloseImpl(impl);
        return false;
    }
    return true;
}

bool IsCancelled(const Socket::Impl& impl) { return impl.cancel && impl.cancel->cancelled.load(); }

// Waits until one of `wanted` network events has happened on the socket, the token is cancelled
// or the deadline passes. `error` receives the event's error code.
NetStatus WaitFor(Socket::Impl& impl, long wanted, Clock::time_point deadline, int& error) {
    error = 0;
    WSAEVENT events[2] = {impl.event, impl.cancel ? impl.cancel->event : WSA_INVALID_EVENT};
    DWORD count = impl.cancel && impl.cancel->event != WSA_INVALID_EVENT ? 2 : 1;
    for (;;) {
        if (IsCancelled(impl)) return NetStatus::Cancelled;
        auto left = std::chrono::ceil<Milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return NetStatus::TimedOut;
        DWORD waitMs = static_cast<DWORD>(std::min<long long>(left, 0x7FFFFFFF));
        DWORD index = ::WSAWaitForMultipleEvents(count, events, FALSE, waitMs, FALSE);
        if (index == WSA_WAIT_FAILED) return NetStatus::Failed;
        if (index == WSA_WAIT_TIMEOUT) continue;
        if (IsCancelled(impl)) return NetStatus::Cancelled;
        WSANETWORKEVENTS happened{};
        if (::WSAEnumNetworkEvents(impl.s, impl.event, &happened) != 0) return NetStatus::Failed;
        // A close also ends waits for reading or writing: the call that follows reports it.
        long seen = happened.lNetworkEvents & (wanted | FD_CLOSE);
        if (seen == 0) continue;
        for (int bit : {FD_CONNECT_BIT, FD_READ_BIT, FD_WRITE_BIT, FD_ACCEPT_BIT, FD_CLOSE_BIT}) {
            if ((seen & (1L << bit)) && happened.iErrorCode[bit] != 0) error = happened.iErrorCode[bit];
        }
        return NetStatus::Ok;
    }
}

NetStatus ConnectOne(const ADDRINFOA& ai, const CancelToken::Impl* cancel, Clock::time_point deadline,
                     Socket::Impl& out) {
    SOCKET s = ::socket(ai.ai_family, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) return NetStatus::Failed;
    Socket::Impl attempt;
    if (!Adopt(s, cancel, attempt)) return NetStatus::Failed;
    if (::connect(attempt.s, ai.ai_addr, static_cast<int>(ai.ai_addrlen)) != 0) {
        if (::WSAGetLastError() != WSAEWOULDBLOCK) {
            CloseImpl(attempt);
            return NetStatus::ConnectFailed;
        }
        int error = 0;
        NetStatus waited = WaitFor(attempt, FD_CONNECT, deadline, error);
        if (waited == NetStatus::Ok && error != 0) waited = NetStatus::ConnectFailed;
        if (waited != NetStatus::Ok) {
            CloseImpl(attempt);
            return waited;
        }
    }
    out = attempt;
    return NetStatus::Ok;
}

}  // namespace

// A plain kernel event, which the socket waits accept as well: a token made for a check that never
// connects (the automatic one, switched off) loads no socket library.
CancelToken::CancelToken() : impl_(std::make_unique<Impl>()) {
    if (HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr)) impl_->event = event;
}

CancelToken::~CancelToken() {
    if (impl_->event != WSA_INVALID_EVENT) ::CloseHandle(impl_->event);
}

void CancelToken::Cancel() {
    if (impl_->cancelled.exchange(true)) return;
    if (impl_->event != WSA_INVALID_EVENT) ::SetEvent(impl_->event);
}

bool CancelToken::IsCancelled() const { return impl_->cancelled.load(); }

Socket::Socket() : impl_(std::make_unique<Impl>()) {}
Socket::~Socket() { Close(); }
Socket::Socket(Socket&& other) noexcept : impl_(std::make_unique<Impl>()) { std::swap(impl_, other.impl_); }
Socket& Socket::operator=(Socket&& other) noexcept {
    if (this != &other) {
        Close();
        std::swap(impl_, other.impl_);
    }
    return *this;
}

bool Socket::IsOpen() const { return impl_->s != INVALID_SOCKET; }
void Socket::Close() { CloseImpl(*impl_); }

NetStatus Socket::Connect(const std::string& host, int port, Clock::time_point deadline, const CancelToken* cancel,
                          Socket& out) {
    out.Close();
    if (port < 1 || port > 65535) return NetStatus::BadPort;
    const CancelToken::Impl* token = cancel ? cancel->impl_.get() : nullptr;
    if (token && token->cancelled.load()) return NetStatus::Cancelled;
    if (!StartWinsock()) return NetStatus::Failed;

    ADDRINFOA hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    hints.ai_flags = AI_NUMERICSERV;
    ADDRINFOA* list = nullptr;
    if (host.empty() || ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &list) != 0)
        return NetStatus::ResolveFailed;
    std::unique_ptr<ADDRINFOA, decltype(&::freeaddrinfo)> owner(list, &::freeaddrinfo);

    NetStatus status = NetStatus::ConnectFailed;
    for (const ADDRINFOA* ai = list; ai; ai = ai->ai_next) {
        status = ConnectOne(*ai, token, deadline, *out.impl_);
        if (status == NetStatus::Ok || status == NetStatus::Cancelled || status == NetStatus::TimedOut) break;
    }
    return status;
}

NetStatus Socket::ListenLoopback(const CancelToken* cancel, Socket& out, std::uint16_t& port) {
    out.Close();
    if (!StartWinsock()) return NetStatus::Failed;
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) return NetStatus::Failed;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int len = sizeof addr;
    if (::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(s, 8) != 0 ||
        ::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        ::closesocket(s);
        return NetStatus::Failed;
    }
    port = ntohs(addr.sin_port);
    return Adopt(s, cancel ? cancel->impl_.get() : nullptr, *out.impl_) ? NetStatus::Ok : NetStatus::Failed;
}

NetStatus Socket::Accept(Clock::time_point deadline, Socket& out) {
    out.Close();
    for (;;) {
        if (IsCancelled(*impl_)) return NetStatus::Cancelled;
        SOCKET s = ::accept(impl_->s, nullptr, nullptr);
        if (s != INVALID_SOCKET) {
            // The new socket inherits the listener's event binding; Adopt gives it its own.
            return Adopt(s, impl_->cancel, *out.impl_) ? NetStatus::Ok : NetStatus::Failed;
        }
        if (::WSAGetLastError() != WSAEWOULDBLOCK) return NetStatus::Failed;
        int error = 0;
        if (NetStatus waited = WaitFor(*impl_, FD_ACCEPT, deadline, error); waited != NetStatus::Ok) return waited;
    }
}

NetStatus Socket::SendAll(std::string_view data, Clock::time_point deadline) {
    while (!data.empty()) {
        if (IsCancelled(*impl_)) return NetStatus::Cancelled;
        int chunk = static_cast<int>(std::min<std::size_t>(data.size(), 0x7FFFFFFF));
        int sent = ::send(impl_->s, data.data(), chunk, 0);
        if (sent > 0) {
            data.remove_prefix(static_cast<std::size_t>(sent));
            continue;
        }
        if (sent == SOCKET_ERROR && ::WSAGetLastError() == WSAEWOULDBLOCK) {
            int error = 0;
            NetStatus waited = WaitFor(*impl_, FD_WRITE, deadline, error);
            if (waited != NetStatus::Ok) return waited;
            if (error != 0) return NetStatus::Failed;
            continue;
        }
        return NetStatus::Failed;
    }
    return NetStatus::Ok;
}

NetStatus Socket::Receive(char* buffer, std::size_t size, Clock::time_point deadline, std::size_t& received) {
    received = 0;
    for (;;) {
        if (IsCancelled(*impl_)) return NetStatus::Cancelled;
        int chunk = static_cast<int>(std::min<std::size_t>(size, 0x7FFFFFFF));
        int got = ::recv(impl_->s, buffer, chunk, 0);
        if (got >= 0) {
            received = static_cast<std::size_t>(got);
            return NetStatus::Ok;
        }
        if (::WSAGetLastError() != WSAEWOULDBLOCK) return NetStatus::Failed;
        int error = 0;
        if (NetStatus waited = WaitFor(*impl_, FD_READ, deadline, error); waited != NetStatus::Ok) return waited;
    }
}

}  // namespace lentora::net
