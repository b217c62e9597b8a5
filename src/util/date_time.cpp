#include "util/date_time.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "util/text.h"

namespace lentora {
namespace {

using std::chrono::days;
using std::chrono::sys_days;
using std::chrono::year_month_day;

constexpr long long kMsPerDay = 86400000;
// 1 January 0001 and 31 December 9999 as serials.
constexpr double kFirstSerial = -693593.0;
constexpr double kPastLastSerial = 2958466.0;

const sys_days kSerialEpoch = sys_days{std::chrono::year{1899} / 12 / 30};

size_t SkipDigits(std::wstring_view text, size_t i) {
    while (i < text.size() && text[i] >= L'0' && text[i] <= L'9') ++i;
    return i;
}

}  // namespace

std::wstring DateTimeText(const platform::LocalTime& t) {
    std::wstring text = platform::FormatShortDate(t);
    bool midnight = t.hour == 0 && t.minute == 0 && t.second == 0 && t.millisecond == 0;
    if (!midnight) text += L' ' + platform::FormatLongTime(t);
    return text;
}

std::wstring DateTimeStamp() { return DateTimeStampFrom(DateTimeText(platform::Now())); }

std::wstring DateTimeStampFrom(std::wstring_view dateTimeText) {
    std::wstring text(dateTimeText);
    for (const wchar_t* removed : {L"/", L".", L"-", L":"}) text = ReplaceAllNoCase(text, removed, L"");
    return ReplaceAllNoCase(text, L" ", L"-");
}

double ToDateSerial(const platform::LocalTime& t) {
    year_month_day date{std::chrono::year{t.year}, std::chrono::month{static_cast<unsigned>(t.month)},
                        std::chrono::day{static_cast<unsigned>(t.day)}};
    double whole = static_cast<double>((sys_days{date} - kSerialEpoch).count());
    long long ms = ((t.hour * 60LL + t.minute) * 60 + t.second) * 1000 + t.millisecond;
    double fraction = static_cast<double>(ms) / kMsPerDay;
    return whole >= 0 ? whole + fraction : whole - fraction;
}

platform::LocalTime FromDateSerial(double serial) {
    if (!std::isfinite(serial) || serial < kFirstSerial || serial >= kPastLastSerial) return {};
    double whole = std::trunc(serial);
    long long ms = std::llround(std::fabs(serial - whole) * kMsPerDay);
    long long dayCount = static_cast<long long>(whole);
    if (ms >= kMsPerDay) {
        ms -= kMsPerDay;
        ++dayCount;
    }
    year_month_day date{kSerialEpoch + days{dayCount}};
    platform::LocalTime t;
    t.year = static_cast<int>(date.year());
    t.month = static_cast<int>(static_cast<unsigned>(date.month()));
    t.day = static_cast<int>(static_cast<unsigned>(date.day()));
    t.hour = static_cast<int>(ms / 3600000);
    t.minute = static_cast<int>(ms / 60000 % 60);
    t.second = static_cast<int>(ms / 1000 % 60);
    t.millisecond = static_cast<int>(ms % 1000);
    return t;
}

double TodaySerial() {
    platform::LocalTime now = platform::Now();
    now.hour = now.minute = now.second = now.millisecond = 0;
    return ToDateSerial(now);
}

std::wstring FormatDateSerial(double serial) {
    if (std::isfinite(serial) && serial == std::trunc(serial) && std::fabs(serial) < 1e15)
        return std::to_wstring(std::llround(serial));
    wchar_t buf[64];
    std::swprintf(buf, 64, L"%.15g", serial);
    std::wstring text = buf;
    const wchar_t separator = platform::DecimalSeparator();
    for (auto& c : text) {
        if (c == L'.') c = separator;
    }
    return text;
}

std::optional<double> ParseDateSerial(std::wstring_view text) {
    text = TrimBlanks(text);
    const wchar_t separator = platform::DecimalSeparator();
    // Check the shape with the regional separator, then hand a plain ASCII copy to the converter.
    size_t i = 0;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) ++i;
    size_t intEnd = SkipDigits(text, i);
    size_t mantissaDigits = intEnd - i;
    size_t end = intEnd;
    if (end < text.size() && text[end] == separator) {
        size_t fracEnd = SkipDigits(text, end + 1);
        mantissaDigits += fracEnd - end - 1;
        end = fracEnd;
    }
    if (mantissaDigits == 0) return std::nullopt;
    if (end < text.size() && (text[end] == L'e' || text[end] == L'E')) {
        size_t j = end + 1;
        if (j < text.size() && (text[j] == L'+' || text[j] == L'-')) ++j;
        size_t expEnd = SkipDigits(text, j);
        if (expEnd == j) return std::nullopt;
        end = expEnd;
    }
    if (end != text.size()) return std::nullopt;

    std::string ascii;
    for (size_t k = text[0] == L'+' ? 1 : 0; k < text.size(); ++k)
        ascii += text[k] == separator ? '.' : static_cast<char>(text[k]);
    double value = 0;
    auto [ptr, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ec != std::errc{} || ptr != ascii.data() + ascii.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::wstring ShortDateOfSerial(double serial) { return platform::FormatShortDate(FromDateSerial(serial)); }

}  // namespace lentora
