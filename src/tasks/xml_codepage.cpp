#include "tasks/xml_codepage.h"

#include <algorithm>
#include <array>
#include <vector>

#include "util/codepage.h"
#include "util/platform.h"

namespace lentora {
namespace {

bool StartsWith(std::string_view bytes, std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; }

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

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
    return Lower(decl.substr(open + 1, close - open - 1));
}

// 0 for UTF-8, 28591 for Latin-1, a Windows code page number, or nothing when unknown.
std::optional<unsigned> CodePageOfName(const std::string& name) {
    if (name.empty() || name == "utf-8" || name == "utf8" || name == "us-ascii") return 0u;
    if (name == "iso-8859-1" || name == "latin1" || name == "iso_8859-1") return 28591u;
    for (std::string_view prefix : {"windows-", "cp"}) {
        if (!StartsWith(name, prefix) || name.size() == prefix.size()) continue;
        unsigned cp = 0;
        for (size_t i = prefix.size(); i < name.size(); ++i) {
            if (name[i] < '0' || name[i] > '9' || cp > 100000) return std::nullopt;
            cp = cp * 10 + static_cast<unsigned>(name[i] - '0');
        }
        return cp;
    }
    return std::nullopt;
}

std::wstring UpperHalfChars(unsigned codePage) {
    std::string upper;
    for (int b = 0x80; b <= 0xFF; ++b) upper.push_back(static_cast<char>(b));
    if (codePage == 28591) return DecodeLatin1(upper);
    return IsBuiltinCodePage(codePage) ? DecodeSingleByte(upper, codePage) : platform::DecodeCodePage(upper, codePage);
}

// Byte by byte through a table: ASCII is copied, the upper half maps to ready UTF-8 sequences.
std::string SingleByteToUtf8(std::string_view bytes, unsigned codePage) {
    std::wstring upper = UpperHalfChars(codePage);
    std::array<std::string, 128> table;
    for (size_t i = 0; i < table.size(); ++i) table[i] = EncodeUtf8(std::wstring_view(&upper[i], 1));
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char ch : bytes) {
        auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            out.push_back(ch);
        } else {
            out += table[b - 0x80];
        }
    }
    return out;
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

    std::optional<unsigned> cp = CodePageOfName(DeclaredEncoding(bytes));
    if (!cp) return std::nullopt;
    if (*cp == 0 || *cp == 65001) return bytes;
    if (*cp == 28591 || IsBuiltinCodePage(*cp)) return SingleByteToUtf8(bytes, *cp);
    return EncodeUtf8(platform::DecodeCodePage(bytes, *cp));
}

std::string Utf8ToSingleByteXml(std::string_view utf8, unsigned codePage) {
    std::vector<unsigned char> reverse = ReverseTable(codePage);
    std::wstring text = DecodeUtf8(utf8);
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (size_t i = 0; i < text.size(); ++i) {
        auto cp = static_cast<char32_t>(text[i]);
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
            continue;
        }
        if (cp < reverse.size() && reverse[cp] != 0) {
            out.push_back(static_cast<char>(reverse[cp]));
            continue;
        }
        // A reference names the whole character, never half of a UTF-16 surrogate pair.
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size()) {
            auto low = static_cast<char32_t>(text[i + 1]);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        AppendReference(out, cp);
    }
    return out;
}

}  // namespace lentora
