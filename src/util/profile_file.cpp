#include "util/profile_file.h"

#include <optional>

#include "util/codepage.h"
#include "util/text.h"

namespace lentora {
namespace {

constexpr std::string_view kUtf16Bom = "\xFF\xFE";
constexpr size_t npos = std::string::npos;

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\v' || c == L'\f'; }

std::wstring_view Trim(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

struct ParsedLine {
    enum Kind { Blank, Section, Entry } kind = Blank;
    std::wstring_view name;  // section name or key
    std::optional<std::wstring_view> value;  // of an entry with "=", trimmed
};

ParsedLine Parse(std::wstring_view text) {
    std::wstring_view line = Trim(text);
    if (line.empty()) return {};
    size_t close = line.find(L']');
    if (line.front() == L'[' && close != std::wstring_view::npos)
        return {ParsedLine::Section, Trim(line.substr(1, close - 1)), std::nullopt};
    // Anything else is an entry, a "[" without "]" and a line without "=" included.
    size_t eq = line.find(L'=');
    if (eq == std::wstring_view::npos) return {ParsedLine::Entry, line, std::nullopt};
    return {ParsedLine::Entry, Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))};
}

bool IsAsciiText(std::string_view bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

std::wstring WithoutLineBreaks(std::wstring_view text) {
    std::wstring out(text);
    for (auto& c : out) {
        if (c == L'\r' || c == L'\n') c = L' ';
    }
    return out;
}

int DigitValue(wchar_t c, int base) {
    int v = c >= L'0' && c <= L'9'   ? c - L'0'
            : c >= L'a' && c <= L'f' ? c - L'a' + 10
            : c >= L'A' && c <= L'F' ? c - L'A' + 10
                                     : 99;
    return v < base ? v : -1;
}

// Digits only, at least one, value at most `limit`.
std::optional<std::uint64_t> ParseDigits(std::wstring_view digits, int base, std::uint64_t limit) {
    if (digits.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (wchar_t c : digits) {
        int d = DigitValue(c, base);
        if (d < 0) return std::nullopt;
        value = value * base + d;
        if (value > limit) return std::nullopt;
    }
    return value;
}

std::optional<std::int32_t> ParseInteger(std::wstring_view text) {
    if (text.size() >= 3 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
        // Hexadecimal gives the 32 bits as they are: 0xFFFFFFFF is -1.
        auto bits = ParseDigits(text.substr(2), 16, 0xFFFFFFFFu);
        if (!bits) return std::nullopt;
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(*bits));
    }
    bool negative = !text.empty() && text[0] == L'-';
    if (!text.empty() && (text[0] == L'-' || text[0] == L'+')) text.remove_prefix(1);
    auto magnitude = ParseDigits(text, 10, negative ? 2147483648u : 2147483647u);
    if (!magnitude) return std::nullopt;
    return static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(*magnitude)
                                              : static_cast<std::int64_t>(*magnitude));
}

}  // namespace

ProfileFile::ProfileFile(std::string_view bytes, unsigned ansiCodePage) : codePage_(ansiCodePage) {
    size_t unit = 1;
    if (bytes.substr(0, kUtf16Bom.size()) == kUtf16Bom) {
        utf16_ = true;
        unit = 2;
        bytes.remove_prefix(kUtf16Bom.size());
    }
    // The code of the unit at byte offset i; a CR or LF unit is a line end in either encoding.
    auto at = [&](size_t i) -> unsigned {
        auto lo = static_cast<unsigned char>(bytes[i]);
        return unit == 1 ? lo : lo | static_cast<unsigned char>(bytes[i + 1]) << 8;
    };
    // Room for every line at once: growing the list would hold two copies of it for a moment.
    size_t lineEnds = 1;
    for (size_t b = 0; b < bytes.size(); ++b)
        lineEnds += bytes[b] == '\n' || (bytes[b] == '\r' && (b + 1 == bytes.size() || bytes[b + 1] != '\n'));
    lines_.reserve(lineEnds);
    size_t start = 0, i = 0;
    while (i + unit <= bytes.size()) {
        unsigned c = at(i);
        if (c != '\r' && c != '\n') {
            i += unit;
            continue;
        }
        size_t eolEnd = i + unit;
        if (c == '\r' && eolEnd + unit <= bytes.size() && at(eolEnd) == '\n') eolEnd += unit;
        std::string_view content = bytes.substr(start, i - start);
        lines_.push_back({std::string(content), std::string(bytes.substr(i, eolEnd - i)), Decode(content)});
        start = i = eolEnd;
    }
    // The last line has no line end; an odd trailing byte of a UTF-16 file stays with it.
    if (start < bytes.size()) {
        std::string_view content = bytes.substr(start);
        lines_.push_back({std::string(content), {}, Decode(content)});
    }
}

std::wstring ProfileFile::Decode(std::string_view bytes) const {
    if (utf16_) return DecodeUtf16Le(bytes);
    if (IsAsciiText(bytes)) return std::wstring(bytes.begin(), bytes.end());
    return platform::DecodeCodePage(bytes, codePage_);
}

std::string ProfileFile::Encode(std::wstring_view text) const {
    if (utf16_) return EncodeUtf16Le(text);
    bool ascii = true;
    for (wchar_t c : text) ascii = ascii && static_cast<unsigned long>(c) < 0x80;
    if (ascii) return std::string(text.begin(), text.end());
    return platform::EncodeCodePage(text, codePage_);
}

std::string ProfileFile::LineEnd() const { return Encode(L"\r\n"); }

ProfileFile::Location ProfileFile::Find(std::wstring_view section, std::wstring_view key) const {
    Location found;
    // The lines before the first header form the section without a name.
    found.section = section.empty();
    for (size_t i = 0; i < lines_.size(); ++i) {
        ParsedLine line = Parse(lines_[i].text);
        if (line.kind == ParsedLine::Section) {
            if (found.section) break;  // only the first matching section counts
            if (SameTextNoCase(line.name, section)) {
                found.section = true;
                found.sectionEnd = i + 1;
            }
        } else if (line.kind == ParsedLine::Entry && found.section) {
            found.sectionEnd = i + 1;
            if (found.key == npos && SameTextNoCase(line.name, key)) found.key = i;
        }
    }
    return found;
}

std::optional<std::wstring> ProfileFile::Read(std::wstring_view section, std::wstring_view key) const {
    Location found = Find(section, key);
    if (found.key == npos) return std::nullopt;
    std::optional<std::wstring_view> value = Parse(lines_[found.key].text).value;
    if (!value) return std::nullopt;  // a key without "=" has no value
    if (value->size() >= 2 && (value->front() == L'"' || value->front() == L'\'') && value->back() == value->front())
        *value = value->substr(1, value->size() - 2);
    return std::wstring(value->substr(0, kMaxValueLength));
}

void ProfileFile::InsertLine(size_t index, std::wstring text) {
    // The line before the new one may be a last line without a line end.
    if (index > 0 && lines_[index - 1].eol.empty()) lines_[index - 1].eol = LineEnd();
    std::string bytes = Encode(text);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), Line{std::move(bytes), LineEnd(), std::move(text)});
}

void ProfileFile::SwitchToUtf16() {
    utf16_ = true;
    for (auto& line : lines_) {
        line.bytes = Encode(line.text);
        line.eol = Encode(std::wstring(line.eol.begin(), line.eol.end()));
    }
}

void ProfileFile::Write(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
    std::wstring cleanSection = WithoutLineBreaks(section);
    std::wstring cleanKey = WithoutLineBreaks(key);
    std::wstring cleanValue = WithoutLineBreaks(value);
    // A text the ANSI code page cannot hold would come back as "?": the file becomes UTF-16LE.
    for (const std::wstring* text : {&cleanSection, &cleanKey, &cleanValue})
        if (!utf16_ && Decode(Encode(*text)) != *text) SwitchToUtf16();

    Location found = Find(cleanSection, cleanKey);
    if (found.key != npos) {
        // The key keeps the spelling it has in the file.
        Line& line = lines_[found.key];
        line.text = std::wstring(Parse(line.text).name) + L'=' + cleanValue;
        line.bytes = Encode(line.text);
        return;
    }
    if (!found.section) {
        found.sectionEnd = lines_.size() + 1;
        InsertLine(lines_.size(), L'[' + cleanSection + L']');
    }
    InsertLine(found.sectionEnd, cleanKey + L'=' + cleanValue);
}

std::string ProfileFile::ToBytes() const {
    size_t size = utf16_ ? kUtf16Bom.size() : 0;
    for (const auto& line : lines_) size += line.bytes.size() + line.eol.size();
    std::string out;
    out.reserve(size);
    if (utf16_) out += kUtf16Bom;
    for (const auto& line : lines_) {
        out += line.bytes;
        out += line.eol;
    }
    return out;
}

std::wstring ProfileFile::ReadString(std::wstring_view section, std::wstring_view key,
                                     std::wstring_view defaultValue) const {
    std::optional<std::wstring> value = Read(section, key);
    return value ? std::move(*value) : std::wstring(defaultValue);
}

std::int32_t ProfileFile::ReadInteger(std::wstring_view section, std::wstring_view key, std::int32_t defaultValue) const {
    std::optional<std::wstring> value = Read(section, key);
    return value ? ParseInteger(*value).value_or(defaultValue) : defaultValue;
}

bool ProfileFile::ReadBool(std::wstring_view section, std::wstring_view key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

}  // namespace lentora
