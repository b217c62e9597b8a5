#include "net/http_response_parser.h"

#include <algorithm>

#include "net/ascii_text.h"

namespace lentora::net {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A number of `base` digits only; nothing when empty, not such a number or above `limit`.
// The limit check keeps the result from overflowing whatever the server sends.
std::optional<std::size_t> ParseBounded(std::string_view text, int base, std::size_t limit, bool& tooLarge) {
    tooLarge = false;
    if (text.empty()) return std::nullopt;
    std::size_t value = 0;
    for (char c : text) {
        int digit = base == 16 ? HexValue(c) : (IsDigit(c) ? c - '0' : -1);
        if (digit < 0) return std::nullopt;
        if (!tooLarge) {
            value = value * base + static_cast<std::size_t>(digit);
            tooLarge = value > limit;
        }
    }
    return value;
}

}  // namespace

HttpResponseParser::HttpResponseParser(std::size_t maxBody) : maxBody_(maxBody) {}

std::optional<std::string_view> HttpResponseParser::Header(std::string_view name) const {
    for (const auto& [key, value] : headers_) {
        if (EqualsNoCaseAscii(key, name)) return std::string_view(value);
    }
    return std::nullopt;
}

HttpResponseParser::Result HttpResponseParser::Feed(std::string_view bytes) {
    if (result_ != Result::NeedMore) return result_;
    pending_.append(bytes);
    while (result_ == Result::NeedMore && Step()) {
    }
    pending_.erase(0, pos_);
    pos_ = 0;
    return result_;
}

HttpResponseParser::Result HttpResponseParser::Finish() {
    if (result_ != Result::NeedMore) return result_;
    if (phase_ == Phase::UntilClose) {
        Complete();
    } else {
        Fail(HttpParseError::Truncated);
    }
    return result_;
}

bool HttpResponseParser::Fail(HttpParseError error) {
    error_ = error;
    body_.clear();
    result_ = Result::Failed;
    return false;
}

bool HttpResponseParser::Complete() {
    result_ = Result::Done;
    return false;
}

bool HttpResponseParser::Step() {
    std::size_t available = pending_.size() - pos_;
    std::string_view line;
    switch (phase_) {
        case Phase::StatusLine: {
            // Blank lines before a status line are tolerated; anything but "HTTP/" fails at once.
            while (pos_ < pending_.size() && (pending_[pos_] == '\r' || pending_[pos_] == '\n')) {
                if (++headBytes_ > kMaxHead) return Fail(HttpParseError::HeadTooLarge);
                ++pos_;
            }
            std::string_view start = std::string_view(pending_).substr(pos_, 5);
            if (start != std::string_view("HTTP/").substr(0, start.size())) return Fail(HttpParseError::Malformed);
            return NextLine(line) && OnStatusLine(line);
        }
        case Phase::Headers:
            return NextLine(line) && OnHeaderLine(line);
        case Phase::FixedBody:
        case Phase::ChunkData: {
            std::size_t count = std::min(remaining_, available);
            if (count == 0 || !TakeBody(count)) return false;
            remaining_ -= count;
            if (remaining_ > 0) return true;
            if (phase_ == Phase::FixedBody) return Complete();
            phase_ = Phase::ChunkEnd;
            return true;
        }
        case Phase::ChunkEnd:
            if (!NextLine(line)) return false;
            if (!line.empty()) return Fail(HttpParseError::Malformed);
            phase_ = Phase::ChunkSize;
            return true;
        case Phase::ChunkSize:
            return NextLine(line) && OnChunkSize(line);
        case Phase::Trailers:
            if (!NextLine(line)) return false;
            return line.empty() ? Complete() : true;
        case Phase::UntilClose:
            TakeBody(available);
            return false;
    }
    return false;
}

// Cuts the next line (LF or CR LF) off the pending bytes. Lines of the head and the trailers
// count against the head cap; any single line is capped the same way.
bool HttpResponseParser::NextLine(std::string_view& line) {
    bool head = phase_ == Phase::StatusLine || phase_ == Phase::Headers || phase_ == Phase::Trailers;
    std::size_t used = head ? headBytes_ : 0;
    std::size_t end = pending_.find('\n', pos_);
    std::size_t length = (end == std::string::npos ? pending_.size() : end + 1) - pos_;
    if (used + length > kMaxHead) return Fail(HttpParseError::HeadTooLarge);
    if (end == std::string::npos) return false;
    line = std::string_view(pending_).substr(pos_, end - pos_);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    pos_ = end + 1;
    if (head) headBytes_ += length;
    return true;
}

bool HttpResponseParser::OnStatusLine(std::string_view line) {
    // HTTP/d.d SP ddd [SP reason]
    if (line.size() < 12 || line.substr(0, 5) != "HTTP/" || !IsDigit(line[5]) || line[6] != '.' ||
        !IsDigit(line[7]) || line[8] != ' ')
        return Fail(HttpParseError::Malformed);
    std::string_view rest = line.substr(9);
    rest.remove_prefix(std::min(rest.find_first_not_of(' '), rest.size()));
    if (rest.size() < 3 || !IsDigit(rest[0]) || !IsDigit(rest[1]) || !IsDigit(rest[2]) ||
        (rest.size() > 3 && rest[3] != ' ') || rest[0] < '1' || rest[0] > '5')
        return Fail(HttpParseError::Malformed);
    status_ = (rest[0] - '0') * 100 + (rest[1] - '0') * 10 + (rest[2] - '0');
    headers_.clear();
    headers_.reserve(16);  // a usual answer's headers without growing
    phase_ = Phase::Headers;
    return true;
}

bool HttpResponseParser::OnHeaderLine(std::string_view line) {
    if (line.empty()) return OnHeadEnd();
    if (line[0] == ' ' || line[0] == '\t') {
        // An obsolete folded line continues the previous header's value.
        if (headers_.empty()) return Fail(HttpParseError::Malformed);
        std::string& value = headers_.back().second;
        value += ' ';
        value += TrimBlanks(line);
        return true;
    }
    std::size_t colon = line.find(':');
    if (colon == 0 || colon == std::string_view::npos) return Fail(HttpParseError::Malformed);
    std::string_view name = line.substr(0, colon);
    if (name.find_first_of(" \t") != std::string_view::npos) return Fail(HttpParseError::Malformed);
    headers_.emplace_back(std::string(name), std::string(TrimBlanks(line.substr(colon + 1))));
    return true;
}

bool HttpResponseParser::OnHeadEnd() {
    if (status_ < 200) {
        // 101 would hand the connection to another protocol; other 1xx are interim.
        if (status_ == 101) return Fail(HttpParseError::Status);
        phase_ = Phase::StatusLine;
        return true;
    }
    if (status_ >= 300) return Fail(HttpParseError::Status);
    if (status_ == 204) return Complete();

    if (auto coding = Header("Transfer-Encoding")) {
        std::string_view codings = *coding;
        std::size_t comma = codings.rfind(',');
        std::string_view last = TrimBlanks(comma == std::string_view::npos ? codings : codings.substr(comma + 1));
        phase_ = EqualsNoCaseAscii(last, "chunked") ? Phase::ChunkSize : Phase::UntilClose;
        return true;
    }

    // Every Content-Length, and every item of a listed one, must give the same number.
    std::optional<std::size_t> length;
    for (const auto& [key, value] : headers_) {
        if (!EqualsNoCaseAscii(key, "Content-Length")) continue;
        std::string_view items = value;
        for (;;) {
            std::size_t comma = items.find(',');
            bool tooLarge = false;
            auto item = ParseBounded(TrimBlanks(items.substr(0, comma)), 10, maxBody_, tooLarge);
            if (!item || (length && *length != *item)) return Fail(HttpParseError::Malformed);
            if (tooLarge) return Fail(HttpParseError::BodyTooLarge);
            length = item;
            if (comma == std::string_view::npos) break;
            items.remove_prefix(comma + 1);
        }
    }
    if (!length) {
        phase_ = Phase::UntilClose;
        return true;
    }
    if (*length == 0) return Complete();
    remaining_ = *length;
    phase_ = Phase::FixedBody;
    return true;
}

bool HttpResponseParser::OnChunkSize(std::string_view line) {
    std::string_view size = TrimBlanks(line.substr(0, line.find(';')));
    bool tooLarge = false;
    auto value = ParseBounded(size, 16, maxBody_ - body_.size(), tooLarge);
    if (!value) return Fail(HttpParseError::Malformed);
    if (tooLarge) return Fail(HttpParseError::BodyTooLarge);
    if (*value == 0) {
        phase_ = Phase::Trailers;
    } else {
        remaining_ = *value;
        phase_ = Phase::ChunkData;
    }
    return true;
}

bool HttpResponseParser::TakeBody(std::size_t count) {
    if (count > maxBody_ - body_.size()) return Fail(HttpParseError::BodyTooLarge);
    body_.append(pending_, pos_, count);
    pos_ += count;
    return true;
}

}  // namespace lentora::net
