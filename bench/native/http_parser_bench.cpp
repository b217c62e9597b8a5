// Cost of parsing a typical update answer with the response parser, against the bare minimum
// of finding the end of the head and copying the body: the ratio is the price of the parsing.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "net/http_response_parser.h"

namespace {

const std::string kAnswer =
    "HTTP/1.1 200 OK\r\n"
    "Date: Tue, 09 Dec 2014 14:05:33 GMT\r\n"
    "Server: Apache/2.2.22 (Debian)\r\n"
    "X-Powered-By: PHP/5.4.4-14+deb7u14\r\n"
    "Vary: Accept-Encoding\r\n"
    "Content-Length: 9\r\n"
    "Keep-Alive: timeout=5, max=100\r\n"
    "Connection: Keep-Alive\r\n"
    "Content-Type: text/html; charset=utf-8\r\n"
    "\r\n"
    "1.4.1.260";

void BM_ParserTypicalAnswer(benchmark::State& state) {
    for (auto _ : state) {
        lentora::net::HttpResponseParser parser;
        parser.Feed(kAnswer);
        benchmark::DoNotOptimize(parser.Body().data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(kAnswer.size()));
}
BENCHMARK(BM_ParserTypicalAnswer);

// The floor: scan for the empty line with memchr and copy what follows.
void BM_BareHeadScanAndCopy(benchmark::State& state) {
    for (auto _ : state) {
        const char* data = kAnswer.data();
        std::size_t size = kAnswer.size();
        std::string body;
        for (std::size_t at = 0; at < size;) {
            const void* lf = std::memchr(data + at, '\n', size - at);
            if (!lf) break;
            std::size_t next = static_cast<std::size_t>(static_cast<const char*>(lf) - data) + 1;
            if (next + 1 < size && data[next] == '\r' && data[next + 1] == '\n') {
                body.assign(data + next + 2, size - next - 2);
                break;
            }
            at = next;
        }
        benchmark::DoNotOptimize(body.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(kAnswer.size()));
}
BENCHMARK(BM_BareHeadScanAndCopy);

}  // namespace
