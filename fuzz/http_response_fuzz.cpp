// An update server's answer as it may come off the wire. However the bytes are split into reads,
// the parser must come to the same result as when it gets them in one piece.
#include <string>

#include "fuzz_support.h"
#include "net/http_response_parser.h"

using namespace lentora;
using net::HttpResponseParser;

namespace {

struct Outcome {
    HttpResponseParser::Result result;
    net::HttpParseError error;
    int status;
    std::string body;
    bool operator==(const Outcome&) const = default;
};

// Feeds `bytes` in pieces whose sizes come from `sizes`, then closes the connection.
Outcome Parse(std::string_view bytes, std::string_view sizes, size_t maxBody) {
    HttpResponseParser parser(maxBody);
    size_t next = 0;
    while (!bytes.empty()) {
        size_t piece = sizes.empty() ? bytes.size() : 1 + static_cast<unsigned char>(sizes[next++ % sizes.size()]);
        parser.Feed(bytes.substr(0, piece));
        bytes.remove_prefix(std::min(piece, bytes.size()));
    }
    parser.Finish();
    fuzz::Require(parser.Body().size() <= maxBody, "the body stays within its cap");
    return {parser.State(), parser.Error(), parser.Status(), parser.Body()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input input(data, size);
    const size_t kCaps[] = {HttpResponseParser::kMaxBody, 1, 16, 100};
    size_t maxBody = input.Pick(kCaps);
    size_t sizeCount = input.Byte() % 16;
    std::string_view rest = input.Rest();
    std::string_view sizes = rest.substr(0, sizeCount);
    std::string_view bytes = rest.substr(sizes.size());

    Outcome whole = Parse(bytes, {}, maxBody);
    fuzz::Require(whole.result != HttpResponseParser::Result::NeedMore, "a closed connection ends the parsing");
    fuzz::Require(Parse(bytes, sizes, maxBody) == whole, "the split of the reads does not matter");
    return 0;
}
