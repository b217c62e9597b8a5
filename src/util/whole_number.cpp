#include "util/whole_number.h"

#include <limits>

namespace lentora {
namespace {

bool EqualsAsciiNoCase(std::wstring_view text, std::wstring_view lowerWord) {
    if (text.size() != lowerWord.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
        if (c != lowerWord[i]) return false;
    }
    return true;
}

}  // namespace

WholeNumber ReadWholeNumber(std::wstring_view text) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    size_t firstDigit = i;
    // Saturates far beyond the 32-bit range, which is invalid anyway.
    constexpr int64_t kCap = int64_t{1} << 40;
    int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        if (magnitude < kCap) magnitude = magnitude * 10 + (text[i] - L'0');
    }
    WholeNumber n;
    if (i == firstDigit) return n;
    n.value = negative ? -magnitude : magnitude;
    n.valid = i == text.size() && n.value >= std::numeric_limits<int32_t>::min() &&
              n.value <= std::numeric_limits<int32_t>::max();
    return n;
}

std::optional<std::int32_t> ParseWholeNumber(std::wstring_view text) {
    WholeNumber n = ReadWholeNumber(text);
    if (!n.valid) return std::nullopt;
    return static_cast<std::int32_t>(n.value);
}

bool ReadFlag(std::wstring_view text, bool& flag) {
    if (EqualsAsciiNoCase(text, L"true") || EqualsAsciiNoCase(text, L"false")) {
        flag = text.size() == 4;
        return true;
    }
    WholeNumber n = ReadWholeNumber(text);
    if (!n.valid) return false;
    flag = n.value != 0;
    return true;
}

}  // namespace lentora
