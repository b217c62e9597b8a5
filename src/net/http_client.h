// A minimal HTTP/1.1 client: one GET per connection, directly or through an HTTP proxy.
#pragma once
#include <string>
#include <string_view>

#include "net/http_response_parser.h"
#include "net/socket.h"

namespace lentora::net {

struct HttpTimeouts {
    Milliseconds connect{10000};
    // The whole answer must have arrived this long after the request went out.
    Milliseconds read{15000};
};

struct HttpResponse {
    int status = 0;
    std::string body;     // the bytes as received
    std::string charset;  // canonical name (see KnownCharset), "" when none is named or known
    std::wstring text;    // the body decoded with that charset
};

struct HttpResult {
    NetStatus network = NetStatus::Ok;           // where the exchange stopped on the wire
    HttpParseError parse = HttpParseError::None;  // or what was wrong with the answer
    HttpResponse response;

    bool Succeeded() const { return network == NetStatus::Ok && parse == HttpParseError::None; }
};

// The request as it goes on the wire: the request line (with the absolute address when it goes
// to a proxy), then Host, Accept, Accept-Encoding and User-Agent, then an empty line.
std::string BuildGetRequest(std::string_view host, std::string_view pathAndQuery, std::string_view userAgent,
                            bool throughProxy);

class HttpClient {
public:
    explicit HttpClient(std::string userAgent);

    void SetProxy(std::string host, int port);
    void SetTimeouts(HttpTimeouts timeouts) { timeouts_ = timeouts; }

    // GET of http://host/pathAndQuery; `port` is where the server listens when no proxy is set.
    // Only a complete 2xx answer succeeds. `cancel` may be null.
    HttpResult Get(const std::string& host, int port, std::string_view pathAndQuery,
                   const CancelToken* cancel = nullptr) const;

private:
    std::string userAgent_;
    bool useProxy_ = false;
    std::string proxyHost_;
    int proxyPort_ = 0;
    HttpTimeouts timeouts_;
};

}  // namespace lentora::net
