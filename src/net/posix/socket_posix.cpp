#include "net/socket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <string>

namespace lentora::net {

// A pipe that becomes readable, for good, when the token is cancelled: every poll of a bound
// socket also watches its read end.
struct CancelToken::Impl {
    std::atomic<bool> cancelled{false};
    int readEnd = -1;
    int writeEnd = -1;
};

struct Socket::Impl {
    int fd = -1;
    const CancelToken::Impl* cancel = nullptr;
};

namespace {

void CloseFd(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

bool SetNonBlocking(int fd) {
    int flags = ::fcntl(fd, F_GETFL, 0);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

int CreateSocket(int family) {
    int fd = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd >= 0 && !SetNonBlocking(fd)) CloseFd(fd);
    return fd;
}

// Waits until `fd` reports one of `events`, the token is cancelled or the deadline passes.
NetStatus WaitFor(int fd, short events, const CancelToken::Impl* cancel, Clock::time_point deadline) {
    for (;;) {
        if (cancel && cancel->cancelled.load()) return NetStatus::Cancelled;
        auto left = std::chrono::ceil<Milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return NetStatus::TimedOut;
        pollfd fds[2] = {{fd, events, 0}, {cancel ? cancel->readEnd : -1, POLLIN, 0}};
        int n = ::poll(fds, cancel ? 2 : 1, static_cast<int>(std::min<long long>(left, INT_MAX)));
        if (n < 0 && errno != EINTR) return NetStatus::Failed;
        if (cancel && cancel->cancelled.load()) return NetStatus::Cancelled;
        // Errors and hang-ups are reported by the call that follows the wait.
        if (n > 0 && fds[0].revents != 0) return NetStatus::Ok;
    }
}

NetStatus ConnectOne(const addrinfo& ai, const CancelToken::Impl* cancel, Clock::time_point deadline, int& out) {
    int fd = CreateSocket(ai.ai_family);
    if (fd < 0) return NetStatus::Failed;
    if (::connect(fd, ai.ai_addr, ai.ai_addrlen) != 0) {
        if (errno != EINPROGRESS) {
            CloseFd(fd);
            return NetStatus::ConnectFailed;
        }
        NetStatus waited = WaitFor(fd, POLLOUT, cancel, deadline);
        int error = 0;
        socklen_t len = sizeof error;
        if (waited == NetStatus::Ok && (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &len) != 0 || error != 0))
            waited = NetStatus::ConnectFailed;
        if (waited != NetStatus::Ok) {
            CloseFd(fd);
            return waited;
        }
    }
    out = fd;
    return NetStatus::Ok;
}

}  // namespace

CancelToken::CancelToken() : impl_(std::make_unique<Impl>()) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) == 0) {
        impl_->readEnd = ends[0];
        impl_->writeEnd = ends[1];
    }
}

CancelToken::~CancelToken() {
    CloseFd(impl_->readEnd);
    CloseFd(impl_->writeEnd);
}

void CancelToken::Cancel() {
    if (impl_->cancelled.exchange(true)) return;
    char byte = 1;
    if (impl_->writeEnd >= 0) (void)!::write(impl_->writeEnd, &byte, 1);
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

bool Socket::IsOpen() const { return impl_->fd >= 0; }
void Socket::Close() { CloseFd(impl_->fd); }

NetStatus Socket::Connect(const std::string& host, int port, Clock::time_point deadline, const CancelToken* cancel,
                          Socket& out) {
    out.Close();
    if (port < 1 || port > 65535) return NetStatus::BadPort;
    const CancelToken::Impl* token = cancel ? cancel->impl_.get() : nullptr;
    if (token && token->cancelled.load()) return NetStatus::Cancelled;

    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* list = nullptr;
    if (host.empty() || ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &list) != 0)
        return NetStatus::ResolveFailed;
    std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> owner(list, &::freeaddrinfo);

    NetStatus status = NetStatus::ConnectFailed;
    for (const addrinfo* ai = list; ai; ai = ai->ai_next) {
        int fd = -1;
        status = ConnectOne(*ai, token, deadline, fd);
        if (status == NetStatus::Ok) {
            out.impl_->fd = fd;
            out.impl_->cancel = token;
            break;
        }
        if (status == NetStatus::Cancelled || status == NetStatus::TimedOut) break;
    }
    return status;
}

NetStatus Socket::ListenLoopback(const CancelToken* cancel, Socket& out, std::uint16_t& port) {
    out.Close();
    int fd = CreateSocket(AF_INET);
    if (fd < 0) return NetStatus::Failed;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 8) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        CloseFd(fd);
        return NetStatus::Failed;
    }
    port = ntohs(addr.sin_port);
    out.impl_->fd = fd;
    out.impl_->cancel = cancel ? cancel->impl_.get() : nullptr;
    return NetStatus::Ok;
}

NetStatus Socket::Accept(Clock::time_point deadline, Socket& out) {
    out.Close();
    for (;;) {
        if (impl_->cancel && impl_->cancel->cancelled.load()) return NetStatus::Cancelled;
        int fd = ::accept4(impl_->fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd >= 0) {
            out.impl_->fd = fd;
            out.impl_->cancel = impl_->cancel;
            return NetStatus::Ok;
        }
        if (errno == EINTR || errno == ECONNABORTED) continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) return NetStatus::Failed;
        if (NetStatus waited = WaitFor(impl_->fd, POLLIN, impl_->cancel, deadline); waited != NetStatus::Ok)
            return waited;
    }
}

NetStatus Socket::SendAll(std::string_view data, Clock::time_point deadline) {
    while (!data.empty()) {
        if (impl_->cancel && impl_->cancel->cancelled.load()) return NetStatus::Cancelled;
        ssize_t sent = ::send(impl_->fd, data.data(), data.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            data.remove_prefix(static_cast<std::size_t>(sent));
            continue;
        }
        if (sent < 0 && errno == EINTR) continue;
        if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (NetStatus waited = WaitFor(impl_->fd, POLLOUT, impl_->cancel, deadline); waited != NetStatus::Ok)
                return waited;
            continue;
        }
        return NetStatus::Failed;
    }
    return NetStatus::Ok;
}

NetStatus Socket::Receive(char* buffer, std::size_t size, Clock::time_point deadline, std::size_t& received) {
    received = 0;
    for (;;) {
        if (impl_->cancel && impl_->cancel->cancelled.load()) return NetStatus::Cancelled;
        ssize_t got = ::recv(impl_->fd, buffer, size, 0);
        if (got >= 0) {
            received = static_cast<std::size_t>(got);
            return NetStatus::Ok;
        }
        if (errno == EINTR) continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) return NetStatus::Failed;
        if (NetStatus waited = WaitFor(impl_->fd, POLLIN, impl_->cancel, deadline); waited != NetStatus::Ok)
            return waited;
    }
}

}  // namespace lentora::net
