#include "util/text.h"

#include "util/platform.h"

namespace lentora {
namespace {

wchar_t AsciiUpper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

bool IsAscii(wchar_t c) { return static_cast<unsigned long>(c) < 0x80; }

}  // namespace

std::wstring ReplaceAllNoCase(const std::wstring& text, const std::wstring& oldPattern, const std::wstring& newPattern) {
    if (oldPattern.empty()) return text;
    std::wstring upperText = platform::UpperCase(text);
    std::wstring upperPattern = platform::UpperCase(oldPattern);
    // Upper-casing maps character for character, so positions in the upper-cased copy are positions in `text`.
    if (upperText.size() != text.size() || upperPattern.size() != oldPattern.size()) {
        upperText = text;
        upperPattern = oldPattern;
    }
    std::wstring out;
    out.reserve(text.size());
    size_t from = 0;
    for (size_t hit = upperText.find(upperPattern); hit != std::wstring::npos;
         hit = upperText.find(upperPattern, from)) {
        out.append(text, from, hit - from);
        out += newPattern;
        from = hit + oldPattern.size();
    }
    out.append(text, from, std::wstring::npos);
    return out;
}

std::wstring ConcatText(const std::wstring& a, const std::wstring& b) { return a + b; }

std::wstring AddBackslash(const std::wstring& path) {
    if (!path.empty() && path.back() == L'\\') return path;
    return path + L'\\';
}

std::wstring Iif(bool flag, const std::wstring& a, const std::wstring& b) { return flag ? a : b; }

bool SameTextNoCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] == b[i]) continue;
        if (IsAscii(a[i]) && IsAscii(b[i])) {
            if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
            continue;
        }
        // Beyond ASCII the locale decides; rare enough to compare the rest in one call.
        return platform::UpperCase(a.substr(i)) == platform::UpperCase(b.substr(i));
    }
    return true;
}

std::wstring_view TrimBlanks(std::wstring_view text) {
    auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace lentora
