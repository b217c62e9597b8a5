#include "tasks/xml_codepage.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "util/codepage.h"
#include "util/codepage_names.h"
#include "util/platform.h"

namespace lentora {
namespace {

bool StartsWith(std::string_view bytes, std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; }

// The value of the declaration's "encoding", "" when there is no declaration or no such attribute.
std::string DeclaredEncoding(std::string_view bytes) {
    if (!StartsWith(bytes, "<?xml")) return {};
    std::string_view decl = bytes.substr(0, bytes.find("?>"));
    size_t at = decl.find("encoding");
    if (at == std::string_view::npos) return {};
    size_t eq = decl.find_first_not_of(" \t\r\n", at + 8);
    if (eq == std::string_view::npos || decl[eq] != '=') return {};
    size_t open = decl.find_first_not_of(" \t\r\n", eq + 1);
    if (open == std::string_view::npos || (decl[open] != '"' && decl[open] != '\'')) return {};
    size_t close = decl.find(decl[open], open + 1);
    if (close == std::string_view::npos) return {};
    return std::string(decl.substr(open + 1, close - open - 1));
}

constexpr unsigned kUtf8 = 65001, kAscii = 20127, kLatin1 = 28591;

std::wstring UpperHalfChars(unsigned codePage) {
    std::string upper;
    for (int b = 0x80; b <= 0xFF; ++b) upper.push_back(static_cast<char>(b));
    if (codePage == kLatin1) return DecodeLatin1(upper);
    return IsBuiltinCodePage(codePage) ? DecodeSingleByte(upper, codePage) : platform::DecodeCodePage(upper, codePage);
}

// Upper-half bytes through a table of ready UTF-8 sequences; ASCII runs are copied whole.
std::string SingleByteToUtf8(std::string_view bytes, unsigned codePage) {
    // Every character of a single-byte code page lies in the first plane: three bytes at most.
    struct Sequence {
        char bytes[3];
        size_t size;
    };
    std::wstring upper = UpperHalfChars(codePage);
    std::array<Sequence, 128> table{};
    for (size_t i = 0; i < table.size(); ++i) {
        std::string utf8 = EncodeUtf8(std::wstring_view(&upper[i], 1));
        table[i].size = std::min(utf8.size(), sizeof table[i].bytes);
        std::memcpy(table[i].bytes, utf8.data(), table[i].size);
    }
    auto sequence = [&](char byte) -> const Sequence& { return table[static_cast<unsigned char>(byte) - 0x80]; };
    // The exact size first, so the text is written in place.
    size_t size = 0;
    for (size_t i = 0; i < bytes.size();) {
        size_t run = AsciiRunEnd(bytes, i);
        size += run - i;
        for (i = run; i < bytes.size() && static_cast<unsigned char>(bytes[i]) >= 0x80; ++i) size += sequence(bytes[i]).size;
    }
    std::string out(size, '\0');
    char* p = out.data();
    for (size_t i = 0; i < bytes.size();) {
        size_t run = AsciiRunEnd(bytes, i);
        std::memcpy(p, bytes.data() + i, run - i);
        p += run - i;
        for (i = run; i < bytes.size() && static_cast<unsigned char>(bytes[i]) >= 0x80; ++i) {
            const Sequence& s = sequence(bytes[i]);
            for (size_t k = 0; k < s.size; ++k) *p++ = s.bytes[k];
        }
    }
    return out;
}

// The end of the text without a multi-byte sequence cut off at its end.
size_t WholeSequencesEnd(std::string_view utf8) {
    for (size_t back = 1; back <= std::min<size_t>(3, utf8.size()); ++back) {
        auto byte = static_cast<unsigned char>(utf8[utf8.size() - back]);
        if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: the lead is further back
        return Utf8SequenceLength(byte) > back ? utf8.size() - back : utf8.size();
    }
    return utf8.size();
}

// One character from a UTF-8 sequence whose lead byte is at or above 0x80; U+FFFD when malformed.
char32_t NextMultiByte(std::string_view utf8, size_t& i) {
    auto lead = static_cast<unsigned char>(utf8[i++]);
    int extra = static_cast<int>(Utf8SequenceLength(lead)) - 1;
    // Not a lead byte (a continuation byte, or above the longest lead), or cut off.
    if (extra == 0 || i + static_cast<size_t>(extra) > utf8.size()) return 0xFFFD;
    char32_t cp = lead & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        auto next = static_cast<unsigned char>(utf8[i + static_cast<size_t>(k)]);
        if ((next & 0xC0) != 0x80) return 0xFFFD;
        cp = cp << 6 | (next & 0x3F);
    }
    i += static_cast<size_t>(extra);
    return cp;
}

// Code point to byte for the upper half of a code page, indexed by code point.
std::vector<unsigned char> ReverseTable(unsigned codePage) {
    std::wstring upper = UpperHalfChars(codePage);
    size_t top = 0;
    for (wchar_t c : upper) top = std::max(top, static_cast<size_t>(c));
    std::vector<unsigned char> reverse(top + 1, 0);
    for (size_t i = 0; i < upper.size(); ++i) reverse[static_cast<size_t>(upper[i])] = static_cast<unsigned char>(0x80 + i);
    return reverse;
}

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// XML's Char: the characters a document may hold, as they are or as references.
bool IsXmlChar(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

void AppendReference(std::string& out, char32_t cp) {
    out += "&#";
    out += std::to_string(static_cast<unsigned long>(cp));
    out += ';';
}

}  // namespace

std::optional<std::string> XmlToUtf8(std::string bytes) {
    std::string_view view(bytes);
    if (StartsWith(view, "\xEF\xBB\xBF")) {
        bytes.erase(0, 3);
        return bytes;
    }
    if (StartsWith(view, "\xFF\xFE")) return EncodeUtf8(DecodeUtf16Le(view.substr(2)));
    if (StartsWith(view, "\xFE\xFF")) return EncodeUtf8(DecodeUtf16Be(view.substr(2)));
    // UTF-16 without a mark still starts with "<".
    if (StartsWith(bytes, std::string_view("<\0", 2))) return EncodeUtf8(DecodeUtf16Le(bytes));
    if (StartsWith(bytes, std::string_view("\0<", 2))) return EncodeUtf8(DecodeUtf16Be(bytes));

    const std::string name = DeclaredEncoding(bytes);
    std::optional<unsigned> cp = name.empty() ? kUtf8 : CodePageOfEncodingName(name);
    if (!cp) return std::nullopt;
    // ASCII reads the same in every code page this handles, and UTF-8 is read as declared ASCII:
    // nothing to convert.
    if (*cp == kUtf8 || *cp == kAscii || AsciiRunEnd(bytes, 0) == bytes.size()) return bytes;
    if (*cp == kLatin1 || IsBuiltinCodePage(*cp)) return SingleByteToUtf8(bytes, *cp);
    // Any other code page the system has; one it lacks converts nothing.
    std::wstring text = platform::DecodeCodePage(bytes, *cp);
    if (text.empty()) return std::nullopt;
    return EncodeUtf8(text);
}

void AppendXmlUtf8(std::wstring_view text, std::string& out) {
    std::wstring blanked;  // made only for a text that needs a blank, which few do
    for (size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<char32_t>(text[i]);
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(static_cast<char32_t>(text[i + 1]))) {
            ++i;
            continue;
        }
        if (IsXmlChar(c)) continue;
        if (blanked.empty()) blanked.assign(text);
        blanked[i] = L' ';
    }
    AppendUtf8(blanked.empty() ? text : std::wstring_view(blanked), out);
}

SingleByteXmlEncoder::SingleByteXmlEncoder(unsigned codePage) : reverse_(ReverseTable(codePage)) {}

void SingleByteXmlEncoder::Append(std::string_view utf8, std::string& out) {
    if (!pending_.empty()) {
        // Complete the cut sequence with as many bytes as its lead byte asks for.
        size_t need = Utf8SequenceLength(static_cast<unsigned char>(pending_[0]));
        size_t take = std::min(need > pending_.size() ? need - pending_.size() : 0, utf8.size());
        pending_.append(utf8.substr(0, take));
        utf8.remove_prefix(take);
        if (pending_.size() < need) return;
        AppendWhole(pending_, out);
        pending_.clear();
    }
    size_t whole = WholeSequencesEnd(utf8);
    AppendWhole(utf8.substr(0, whole), out);
    pending_.assign(utf8.substr(whole));
}

void SingleByteXmlEncoder::Finish(std::string& out) {
    AppendWhole(pending_, out);
    pending_.clear();
}

void SingleByteXmlEncoder::AppendWhole(std::string_view utf8, std::string& out) const {
    for (size_t i = 0; i < utf8.size();) {
        size_t run = AsciiRunEnd(utf8, i);
        out.append(utf8, i, run - i);
        i = run;
        if (i == utf8.size()) break;
        char32_t cp = NextMultiByte(utf8, i);
        if (cp < reverse_.size() && reverse_[cp] != 0) {
            out.push_back(static_cast<char>(reverse_[cp]));
        } else {
            AppendReference(out, cp);
        }
    }
}

}  // namespace lentora
