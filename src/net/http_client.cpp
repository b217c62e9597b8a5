#include "net/http_client.h"

#include <utility>

#include "net/http_charset.h"

namespace lentora::net {

std::string BuildGetRequest(std::string_view host, std::string_view pathAndQuery, std::string_view userAgent,
                            bool throughProxy) {
    std::string request = "GET ";
    if (throughProxy) {
        request += "http://";
        request += host;
    }
    request += pathAndQuery;
    request += " HTTP/1.1\r\nHost: ";
    request += host;
    request += "\r\nAccept: text/html, */*\r\nAccept-Encoding: identity\r\nUser-Agent: ";
    request += userAgent;
    request += "\r\n\r\n";
    return request;
}

HttpClient::HttpClient(std::string userAgent) : userAgent_(std::move(userAgent)) {}

void HttpClient::SetProxy(std::string host, int port) {
    useProxy_ = true;
    proxyHost_ = std::move(host);
    proxyPort_ = port;
}

HttpResult HttpClient::Get(const std::string& host, int port, std::string_view pathAndQuery,
                           const CancelToken* cancel) const {
    HttpResult result;
    Socket socket;
    result.network = Socket::Connect(useProxy_ ? proxyHost_ : host, useProxy_ ? proxyPort_ : port,
                                     DeadlineAfter(timeouts_.connect), cancel, socket);
    if (result.network != NetStatus::Ok) return result;

    auto deadline = DeadlineAfter(timeouts_.read);
    result.network = socket.SendAll(BuildGetRequest(host, pathAndQuery, userAgent_, useProxy_), deadline);
    if (result.network != NetStatus::Ok) return result;

    HttpResponseParser parser;
    char buffer[4096];
    while (parser.State() == HttpResponseParser::Result::NeedMore) {
        std::size_t received = 0;
        result.network = socket.Receive(buffer, sizeof buffer, deadline, received);
        if (result.network != NetStatus::Ok) return result;
        if (received == 0) {
            parser.Finish();
        } else {
            parser.Feed(std::string_view(buffer, received));
        }
    }
    result.parse = parser.Error();
    result.response.status = parser.Status();
    if (parser.State() != HttpResponseParser::Result::Done) return result;
    result.response.body = parser.Body();
    result.response.charset = ResponseCharset(parser.Header("Content-Type"), result.response.body);
    result.response.text = DecodeBody(result.response.body, result.response.charset);
    return result;
}

}  // namespace lentora::net
