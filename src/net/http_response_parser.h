// Incremental parser of one HTTP/1.1 response as it arrives from the wire.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lentora::net {

enum class HttpParseError {
    None,
    Malformed,     // not HTTP, or a framing error (bad length, bad chunk)
    HeadTooLarge,  // the status and header lines, interim responses included, exceed their cap
    Status,        // the final status is not 2xx (3xx is not followed)
    BodyTooLarge,  // the body exceeds its cap
    Truncated,     // the peer closed the connection before the response was complete
};

// Fed the response's bytes in pieces of any size. Interim 1xx responses are skipped; a final
// status other than 2xx ends parsing with HttpParseError::Status. The body is framed by
// chunked transfer coding, by Content-Length, or runs until the connection closes.
// Every byte counts against a cap, so no input makes it grow or loop without bound.
class HttpResponseParser {
public:
    static constexpr std::size_t kMaxBody = 64 * 1024;
    static constexpr std::size_t kMaxHead = 16 * 1024;

    enum class Result { NeedMore, Done, Failed };

    explicit HttpResponseParser(std::size_t maxBody = kMaxBody);

    // Takes the next bytes. After Done or Failed further bytes are ignored.
    Result Feed(std::string_view bytes);
    // The peer closed the connection: completes a body that runs until then, else fails.
    Result Finish();

    Result State() const { return result_; }
    HttpParseError Error() const { return error_; }
    // Status code of the last status line read (the final one once parsing is past the head).
    int Status() const { return status_; }
    // The first header of that name, compared without regard to case; value without outer blanks.
    std::optional<std::string_view> Header(std::string_view name) const;
    // The body read so far; empty after a failure.
    const std::string& Body() const { return body_; }

private:
    enum class Phase { StatusLine, Headers, FixedBody, ChunkSize, ChunkData, ChunkEnd, Trailers, UntilClose };

    // Each returns false when it needs more input or parsing has ended.
    bool Step();
    bool NextLine(std::string_view& line);
    bool OnStatusLine(std::string_view line);
    bool OnHeaderLine(std::string_view line);
    bool OnHeadEnd();
    bool OnChunkSize(std::string_view line);
    bool TakeBody(std::size_t count);
    bool Fail(HttpParseError error);
    bool Complete();

    std::size_t maxBody_;
    Phase phase_ = Phase::StatusLine;
    Result result_ = Result::NeedMore;
    HttpParseError error_ = HttpParseError::None;
    std::string pending_;  // bytes received and not yet consumed
    std::size_t pos_ = 0;  // consumed prefix of pending_
    std::size_t headBytes_ = 0;
    std::size_t remaining_ = 0;  // of the fixed body or the current chunk
    int status_ = 0;
    std::vector<std::pair<std::string, std::string>> headers_;
    std::string body_;
};

}  // namespace lentora::net
