#include "util/codepage.h"

#include <cstdint>
#include <cstring>

#include "util/platform.h"

namespace lentora {
namespace {

#include "util/codepage_tables.inc"

const char16_t* UpperHalf(unsigned codePage) {
    switch (codePage) {
        case 1250: return kUpperHalf1250;
        case 1251: return kUpperHalf1251;
        case 1252: return kUpperHalf1252;
        default: return nullptr;
    }
}

constexpr bool kWide16 = sizeof(wchar_t) == 2;

// Reads one code point from wide text, joining surrogate pairs.
char32_t NextCodePoint(std::wstring_view text, size_t& i) {
    char32_t c = static_cast<char32_t>(text[i++]);
    if (kWide16 && c >= 0xD800 && c <= 0xDBFF && i < text.size()) {
        char32_t low = static_cast<char32_t>(text[i]);
        if (low >= 0xDC00 && low <= 0xDFFF) {
            ++i;
            return 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        }
    }
    return c;
}

std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        auto b0 = static_cast<unsigned char>(bytes[i]);
        auto b1 = static_cast<unsigned char>(bytes[i + 1]);
        units.push_back(static_cast<char16_t>(bigEndian ? (b0 << 8 | b1) : (b1 << 8 | b0)));
    }
    std::wstring out;
    out.reserve(units.size());
    for (size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (!kWide16 && c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
        }
        out.push_back(static_cast<wchar_t>(c));
    }
    return out;
}

bool StartsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

}  // namespace

bool IsBuiltinCodePage(unsigned codePage) { return UpperHalf(codePage) != nullptr; }

std::wstring DecodeSingleByte(std::string_view bytes, unsigned codePage) {
    const char16_t* upper = UpperHalf(codePage);
    std::wstring out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        auto b = static_cast<unsigned char>(ch);
        out.push_back(static_cast<wchar_t>(b < 0x80 || !upper ? b : upper[b - 0x80]));
    }
    return out;
}

std::optional<unsigned char> EncodeSingleByteChar(wchar_t ch, unsigned codePage) {
    if (static_cast<unsigned long>(ch) < 0x80) return static_cast<unsigned char>(ch);
    const char16_t* upper = UpperHalf(codePage);
    if (!upper) {
        if (static_cast<unsigned long>(ch) < 0x100) return static_cast<unsigned char>(ch);
        return std::nullopt;
    }
    for (int i = 0; i < 128; ++i) {
        if (static_cast<unsigned long>(upper[i]) == static_cast<unsigned long>(ch))
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

std::string EncodeSingleByte(std::wstring_view text, unsigned codePage, char fallback) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        char32_t cp = NextCodePoint(text, i);
        auto b = cp <= 0xFFFF ? EncodeSingleByteChar(static_cast<wchar_t>(cp), codePage) : std::nullopt;
        out.push_back(b ? static_cast<char>(*b) : fallback);
    }
    return out;
}

size_t AsciiRunEnd(std::string_view bytes, size_t from) {
    constexpr uint64_t kHighBits = 0x8080808080808080ull;
    for (uint64_t word = 0; from + 8 <= bytes.size(); from += 8) {
        std::memcpy(&word, bytes.data() + from, 8);
        if (word & kHighBits) break;
    }
    while (from < bytes.size() && static_cast<unsigned char>(bytes[from]) < 0x80) ++from;
    return from;
}

size_t Utf8SequenceLength(unsigned char lead) {
    return lead >= 0xF8 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

std::wstring DecodeUtf8(std::string_view bytes) {
    std::wstring out;
    AppendDecodedUtf8(bytes, out);
    return out;
}

void AppendDecodedUtf8(std::string_view bytes, std::wstring& out) {
    // Written through a pointer: no byte yields more than one unit, and no sequence more than its bytes.
    size_t start = out.size();
    out.resize(start + bytes.size());
    wchar_t* p = out.data() + start;
    size_t i = 0;
    while (i < bytes.size()) {
        // ASCII, nearly all of most texts, found by the word.
        for (size_t run = AsciiRunEnd(bytes, i); i < run; ++i) *p++ = static_cast<wchar_t>(bytes[i]);
        if (i == bytes.size()) break;
        auto b = static_cast<unsigned char>(bytes[i]);
        auto next = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
        if (b >= 0xC2 && b <= 0xDF && (next & 0xC0) == 0x80) {
            // Two bytes, as Cyrillic and most other letters take (C0 and C1 only lead overlong forms).
            *p++ = static_cast<wchar_t>((b & 0x1F) << 6 | (next & 0x3F));
            i += 2;
            continue;
        }
        int extra = static_cast<int>(Utf8SequenceLength(b)) - 1;
        char32_t cp = b & (0x3F >> extra);
        bool ok = extra > 0;  // else no lead byte
        for (int k = 1; ok && k <= extra; ++k) {
            auto c = i + k < bytes.size() ? static_cast<unsigned char>(bytes[i + k]) : 0;
            ok = (c & 0xC0) == 0x80;
            cp = (cp << 6) | (c & 0x3F);
        }
        // An overlong form (C0 80 for NUL, C0 AF for "/") is no character: it would smuggle in one
        // that the bytes do not show.
        constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
        if (!ok || cp < kLeast[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            *p++ = static_cast<wchar_t>(0xFFFD);
            ++i;
            continue;
        }
        if (kWide16 && cp > 0xFFFF) {
            cp -= 0x10000;
            *p++ = static_cast<wchar_t>(0xD800 + (cp >> 10));
            *p++ = static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
        } else {
            *p++ = static_cast<wchar_t>(cp);
        }
        i += static_cast<size_t>(extra) + 1;
    }
    out.resize(static_cast<size_t>(p - out.data()));
}

void AppendUtf8(std::wstring_view text, std::string& out) {
    // Written through a pointer into room for the longest form: four bytes per character at most.
    size_t start = out.size();
    out.resize(start + text.size() * 4);
    char* p = out.data() + start;
    auto put = [&p](char32_t byte) { *p++ = static_cast<char>(byte); };
    for (size_t i = 0; i < text.size();) {
        if (static_cast<char32_t>(text[i]) < 0x80) {
            put(static_cast<char32_t>(text[i++]));
            continue;
        }
        char32_t cp = NextCodePoint(text, i);
        // A surrogate without its partner (or, where wchar_t is wider, no character at all) has no
        // UTF-8 form; its bytes would read back as three replacement characters, or not at all.
        if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) cp = 0xFFFD;
        if (cp < 0x800) {
            put(0xC0 | (cp >> 6));
            put(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            put(0xE0 | (cp >> 12));
            put(0x80 | ((cp >> 6) & 0x3F));
            put(0x80 | (cp & 0x3F));
        } else {
            put(0xF0 | (cp >> 18));
            put(0x80 | ((cp >> 12) & 0x3F));
            put(0x80 | ((cp >> 6) & 0x3F));
            put(0x80 | (cp & 0x3F));
        }
    }
    out.resize(static_cast<size_t>(p - out.data()));
}

std::string EncodeUtf8(std::wstring_view text) {
    std::string out;
    AppendUtf8(text, out);
    return out;
}

std::wstring DecodeUtf16Le(std::string_view bytes) { return DecodeUtf16(bytes, false); }
std::wstring DecodeUtf16Be(std::string_view bytes) { return DecodeUtf16(bytes, true); }

std::string EncodeUtf16Le(std::wstring_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    auto put = [&out](char32_t u) {
        out.push_back(static_cast<char>(u & 0xFF));
        out.push_back(static_cast<char>((u >> 8) & 0xFF));
    };
    for (size_t i = 0; i < text.size();) {
        char32_t cp = NextCodePoint(text, i);
        if (cp > 0xFFFF) {
            cp -= 0x10000;
            put(0xD800 + (cp >> 10));
            put(0xDC00 + (cp & 0x3FF));
        } else {
            put(cp);
        }
    }
    return out;
}

std::wstring DecodeLatin1(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    for (char ch : bytes) out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(ch)));
    return out;
}

std::wstring DecodeTextFile(std::string_view bytes, unsigned fallbackCodePage) {
    if (StartsWith(bytes, "\xEF\xBB\xBF")) return DecodeUtf8(bytes.substr(3));
    if (StartsWith(bytes, "\xFF\xFE")) return DecodeUtf16Le(bytes.substr(2));
    if (StartsWith(bytes, "\xFE\xFF")) return DecodeUtf16Be(bytes.substr(2));
    return platform::DecodeCodePage(bytes, fallbackCodePage);
}

}  // namespace lentora
