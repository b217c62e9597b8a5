// The response parser on its own: framings, malformed input, caps, and that the way the bytes
// are split never changes the outcome.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "net/http_response_parser.h"

namespace {

using lentora::net::HttpParseError;
using lentora::net::HttpResponseParser;
using Result = HttpResponseParser::Result;

struct Outcome {
    Result result;
    HttpParseError error;
    int status;
    std::string body;

    bool operator==(const Outcome&) const = default;
};

void PrintTo(const Outcome& o, std::ostream* os) {
    *os << "result " << static_cast<int>(o.result) << ", error " << static_cast<int>(o.error) << ", status "
        << o.status << ", body size " << o.body.size();
}

// Feeds `bytes` in pieces of `piece` bytes (0: all at once), then closes when `close`.
Outcome Parse(const std::string& bytes, std::size_t piece = 0, bool close = true) {
    HttpResponseParser parser;
    if (piece == 0) piece = bytes.size() + 1;
    for (std::size_t at = 0; at < bytes.size(); at += piece) parser.Feed(std::string_view(bytes).substr(at, piece));
    if (close) parser.Finish();
    return {parser.State(), parser.Error(), parser.Status(), parser.Body()};
}

struct GoodCase {
    const char* name;
    std::string bytes;
    int status;
    std::string body;
};

const GoodCase kGood[] = {
    {"content length", "HTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\n1.4.1.260", 200, "1.4.1.260"},
    {"header names ignore case", "HTTP/1.1 200 OK\r\ncONTENT-lENGTH:3\r\n\r\nabcdef", 200, "abc"},
    {"repeated equal lengths", "HTTP/1.1 200 OK\r\nContent-Length: 3, 3\r\nContent-Length: 3\r\n\r\nabc", 200, "abc"},
    {"interim answers skipped",
     "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 103 Early Hints\r\nLink: </a>\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok",
     200, "ok"},
    {"chunked with extensions and trailers",
     "HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip, Chunked\r\n\r\n3;a=b\r\n1.4\r\nA\r\n.1.260\r\n\r\n\r\n0\r\nX-T: 1\r\n\r\n",
     200, "1.4.1.260\r\n\r\n"},
    {"chunked wins over length",
     "HTTP/1.1 200 OK\r\nContent-Length: 99\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nok\r\n0\r\n\r\n", 200, "ok"},
    {"until close", "HTTP/1.0 200 OK\r\nServer: x\r\n\r\n1.4.1.250\r\n", 200, "1.4.1.250\r\n"},
    {"other coding reads until close", "HTTP/1.1 200 OK\r\nTransfer-Encoding: identity\r\n\r\nabc", 200, "abc"},
    {"bare line feeds", "HTTP/1.1 200 OK\nContent-Length: 2\n\nok", 200, "ok"},
    {"folded header", "HTTP/1.1 200 OK\r\nX-A: 1\r\n  2\r\nContent-Length: 1\r\n\r\nz", 200, "z"},
    {"blank lines before the status line", "\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 1\r\n\r\nz", 200, "z"},
    {"no reason phrase", "HTTP/1.1 200\r\nContent-Length: 1\r\n\r\nz", 200, "z"},
    {"no content", "HTTP/1.1 204 No Content\r\n\r\n", 204, ""},
    {"last success status", "HTTP/1.1 299 Odd\r\nContent-Length: 2\r\n\r\nok", 299, "ok"},
    {"empty body", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", 200, ""},
};

TEST(HttpResponseParser, ReadsEveryFramingTheSameWayInAnyPieces) {
    for (const GoodCase& c : kGood) {
        Outcome expected{Result::Done, HttpParseError::None, c.status, c.body};
        for (std::size_t piece : {0, 1, 2, 7}) EXPECT_EQ(Parse(c.bytes, piece), expected) << c.name << " / " << piece;
    }
}

TEST(HttpResponseParser, EndsWithoutTheCloseWhenTheBodyIsFramed) {
    EXPECT_EQ(Parse("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok", 0, false).result, Result::Done);
    EXPECT_EQ(Parse("HTTP/1.1 200 OK\r\n\r\nok", 0, false).result, Result::NeedMore);

    HttpResponseParser parser;
    parser.Feed("HTTP/1.1 200 OK\r\nContent-Type: text/plain; charset=utf-8\r\nContent-Length: 2\r\n\r\nokEXTRA");
    EXPECT_EQ(parser.Body(), "ok");
    EXPECT_EQ(parser.Feed("more"), Result::Done);
    EXPECT_EQ(parser.Header("content-type"), "text/plain; charset=utf-8");
    EXPECT_FALSE(parser.Header("Location"));
}

struct BadCase {
    const char* name;
    std::string bytes;
    HttpParseError error;
};

const std::string kOkHead = "HTTP/1.1 200 OK\r\n";

const BadCase kBad[] = {
    {"not http", "<html>hello</html>", HttpParseError::Malformed},
    {"letters for a status", "HTTP/1.1 2OO OK\r\n\r\n", HttpParseError::Malformed},
    {"status out of range", "HTTP/1.1 600 Odd\r\n\r\n", HttpParseError::Malformed},
    {"four-digit status", "HTTP/1.1 2000 OK\r\n\r\n", HttpParseError::Malformed},
    {"header without colon", kOkHead + "NoColon\r\n\r\n", HttpParseError::Malformed},
    {"blank in a header name", kOkHead + "Content Length: 2\r\n\r\nok", HttpParseError::Malformed},
    {"fold before any header", kOkHead + " folded\r\n\r\n", HttpParseError::Malformed},
    {"conflicting lengths", kOkHead + "Content-Length: 2\r\nContent-Length: 3\r\n\r\nabc", HttpParseError::Malformed},
    {"negative length", kOkHead + "Content-Length: -1\r\n\r\n", HttpParseError::Malformed},
    {"length not a number", kOkHead + "Content-Length: 9x\r\n\r\n", HttpParseError::Malformed},
    {"chunk size not hex", kOkHead + "Transfer-Encoding: chunked\r\n\r\nzz\r\n", HttpParseError::Malformed},
    {"empty chunk size", kOkHead + "Transfer-Encoding: chunked\r\n\r\n\r\n", HttpParseError::Malformed},
    {"chunk longer than its size", kOkHead + "Transfer-Encoding: chunked\r\n\r\n2\r\nabc\r\n0\r\n\r\n",
     HttpParseError::Malformed},
    {"switching protocols", "HTTP/1.1 101 Switching Protocols\r\n\r\n", HttpParseError::Status},
    {"multiple choices", "HTTP/1.1 300 Multiple Choices\r\nContent-Length: 9\r\n\r\n1.4.1.260", HttpParseError::Status},
    {"redirect", "HTTP/1.1 301 Moved\r\nLocation: /x\r\n\r\n", HttpParseError::Status},
    {"unauthorized", "HTTP/1.1 401 Unauthorized\r\n\r\n", HttpParseError::Status},
    {"server error", "HTTP/1.1 500 Oops\r\nContent-Length: 0\r\n\r\n", HttpParseError::Status},
    {"huge header", kOkHead + "X-Big: " + std::string(20000, 'a') + "\r\n\r\n", HttpParseError::HeadTooLarge},
    {"header line never ends", kOkHead + "X-Big: " + std::string(20000, 'a'), HttpParseError::HeadTooLarge},
    {"endless interim answers", [] {
         std::string s;
         for (int i = 0; i < 1000; ++i) s += "HTTP/1.1 100 Continue\r\n\r\n";
         return s;
     }(), HttpParseError::HeadTooLarge},
    {"length above the cap", kOkHead + "Content-Length: 65537\r\n\r\n", HttpParseError::BodyTooLarge},
    {"length that overflows", kOkHead + "Content-Length: 99999999999999999999999999\r\n\r\n", HttpParseError::BodyTooLarge},
    {"chunk size that overflows", kOkHead + "Transfer-Encoding: chunked\r\n\r\nFFFFFFFFFFFFFFFFFFFFFFFF\r\n",
     HttpParseError::BodyTooLarge},
    {"chunks adding up above the cap",
     kOkHead + "Transfer-Encoding: chunked\r\n\r\n8000\r\n" + std::string(0x8000, 'a') + "\r\n8001\r\n",
     HttpParseError::BodyTooLarge},
    {"body until close above the cap", kOkHead + "\r\n" + std::string(65537, 'a'), HttpParseError::BodyTooLarge},
    {"closed in the head", "HTTP/1.1 200 OK\r\nContent-Le", HttpParseError::Truncated},
    {"closed in the body", kOkHead + "Content-Length: 5\r\n\r\nab", HttpParseError::Truncated},
    {"closed in a chunk", kOkHead + "Transfer-Encoding: chunked\r\n\r\n5\r\nab", HttpParseError::Truncated},
    {"closed before the last chunk", kOkHead + "Transfer-Encoding: chunked\r\n\r\n2\r\nab\r\n", HttpParseError::Truncated},
    {"nothing at all", "", HttpParseError::Truncated},
};

TEST(HttpResponseParser, RejectsMalformedAndOversizedAnswersInAnyPieces) {
    for (const BadCase& c : kBad) {
        for (std::size_t piece : {0, 1, 3}) {
            Outcome got = Parse(c.bytes, piece);
            EXPECT_EQ(got.result, Result::Failed) << c.name << " / " << piece;
            EXPECT_EQ(got.error, c.error) << c.name << " / " << piece;
            EXPECT_TRUE(got.body.empty()) << c.name;
        }
    }
}

TEST(HttpResponseParser, TakesABodyOfExactlyTheCap) {
    std::string body(HttpResponseParser::kMaxBody, 'b');
    EXPECT_EQ(Parse(kOkHead + "\r\n" + body).body, body);
    EXPECT_EQ(Parse(kOkHead + "Content-Length: 65536\r\n\r\n" + body).body, body);
}

// Mutated answers (bytes changed, dropped, repeated) must give the same outcome whether fed whole
// or byte by byte, and a body only with a success status.
TEST(HttpResponseParser, SurvivesMutatedInputIndependentlyOfHowItIsSplit) {
    std::uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    const char alphabet[] = "HTP/1.0 2:\r\n;abcF-";
    for (int round = 0; round < 600; ++round) {
        std::string bytes = kGood[next() % std::size(kGood)].bytes;
        for (int edits = 1 + next() % 6; edits > 0 && !bytes.empty(); --edits) {
            std::size_t at = next() % bytes.size();
            switch (next() % 3) {
                case 0: bytes[at] = alphabet[next() % (sizeof alphabet - 1)]; break;
                case 1: bytes.erase(at, 1 + next() % 4); break;
                default: bytes.insert(at, bytes.substr(at, 1 + next() % 8)); break;
            }
        }
        Outcome whole = Parse(bytes);
        if (whole.result == Result::Done) {
            EXPECT_GE(whole.status, 200) << bytes;
            EXPECT_LT(whole.status, 300) << bytes;
        } else {
            EXPECT_TRUE(whole.body.empty()) << bytes;
        }
        EXPECT_EQ(Parse(bytes, 1), whole) << bytes;
    }
}

}  // namespace
