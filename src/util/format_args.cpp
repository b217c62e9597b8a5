#include "util/format_args.h"

#include <cstdio>

#include "util/platform.h"

namespace lentora {
namespace {

// Widths and precisions beyond this are taken for garbage rather than allocated.
constexpr int kMaxFieldSize = 4096;

struct Placeholder {
    bool leftAlign = false;
    int width = 0;
    int precision = -1;
    wchar_t type = 0;
};

// Reads digits into `number`, stopping its growth past kMaxFieldSize; false when there are none.
bool ReadNumber(std::wstring_view format, size_t& i, int& number) {
    size_t start = i;
    number = 0;
    for (; i < format.size() && format[i] >= L'0' && format[i] <= L'9'; ++i) {
        if (number <= kMaxFieldSize) number = number * 10 + (format[i] - L'0');
    }
    return i > start;
}

// Parses the placeholder after its "%"; `i` ends on the type character.
std::optional<Placeholder> ParsePlaceholder(std::wstring_view format, size_t& i) {
    Placeholder placeholder;
    if (i < format.size() && format[i] == L'-') {
        placeholder.leftAlign = true;
        ++i;
    }
    ReadNumber(format, i, placeholder.width);
    if (placeholder.width > kMaxFieldSize) return std::nullopt;
    if (i < format.size() && format[i] == L'.') {
        ++i;
        if (!ReadNumber(format, i, placeholder.precision) || placeholder.precision > kMaxFieldSize) return std::nullopt;
    }
    if (i >= format.size()) return std::nullopt;
    placeholder.type = format[i];
    return placeholder;
}

std::wstring Digits(unsigned long long value, unsigned base) {
    std::wstring out;
    do {
        out.insert(out.begin(), L"0123456789ABCDEF"[value % base]);
        value /= base;
    } while (value != 0);
    return out;
}

std::wstring WithMinDigits(std::wstring digits, int precision) {
    if (precision > 0 && digits.size() < static_cast<size_t>(precision))
        digits.insert(0, static_cast<size_t>(precision) - digits.size(), L'0');
    return digits;
}

std::optional<std::wstring> FormatInteger(const Placeholder& placeholder, long long value) {
    switch (placeholder.type) {
        case L'd': {
            unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value) : value;
            return (value < 0 ? L"-" : L"") + WithMinDigits(Digits(magnitude, 10), placeholder.precision);
        }
        case L'u': return WithMinDigits(Digits(static_cast<unsigned long long>(value), 10), placeholder.precision);
        case L'x': return WithMinDigits(Digits(static_cast<unsigned long long>(value), 16), placeholder.precision);
        default: return std::nullopt;
    }
}

std::optional<std::wstring> FormatFloat(const Placeholder& placeholder, double value) {
    const wchar_t* pattern = placeholder.type == L'f' ? L"%.*f" : placeholder.type == L'e' ? L"%.*e" : placeholder.type == L'g' ? L"%.*g" : nullptr;
    if (!pattern) return std::nullopt;
    // Room for the largest double in fixed notation plus the precision.
    std::wstring out(320 + kMaxFieldSize, L'\0');
    int n = std::swprintf(out.data(), out.size(), pattern, placeholder.precision < 0 ? 6 : placeholder.precision, value);
    if (n < 0) return std::nullopt;
    out.resize(static_cast<size_t>(n));
    const wchar_t separator = platform::DecimalSeparator();
    for (auto& c : out) {
        if (c == L'.') c = separator;
    }
    return out;
}

std::optional<std::wstring> FormatOne(const Placeholder& placeholder, const FormatArg& arg) {
    if (placeholder.type == L's') {
        const auto* text = std::get_if<std::wstring>(&arg);
        if (!text) return std::nullopt;
        return placeholder.precision < 0 ? *text : text->substr(0, static_cast<size_t>(placeholder.precision));
    }
    if (const auto* integer = std::get_if<long long>(&arg)) return FormatInteger(placeholder, *integer);
    if (const auto* real = std::get_if<double>(&arg)) return FormatFloat(placeholder, *real);
    return std::nullopt;
}

}  // namespace

std::optional<std::wstring> FormatWithArgs(std::wstring_view format, const FormatArgs& args) {
    std::wstring out;
    out.reserve(format.size() + 32);
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != L'%') {
            out += format[i];
            continue;
        }
        ++i;
        if (i < format.size() && format[i] == L'%') {
            out += L'%';
            continue;
        }
        auto placeholder = ParsePlaceholder(format, i);
        if (!placeholder || next >= args.size()) return std::nullopt;
        auto field = FormatOne(*placeholder, args[next++]);
        if (!field) return std::nullopt;
        if (field->size() < static_cast<size_t>(placeholder->width)) {
            size_t pad = static_cast<size_t>(placeholder->width) - field->size();
            field->insert(placeholder->leftAlign ? field->size() : 0, pad, L' ');
        }
        out += *field;
    }
    return out;
}

}  // namespace lentora
