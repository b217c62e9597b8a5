#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "util/date_time.h"

using namespace lentora;
using platform::LocalTime;

namespace {

bool SameTime(const LocalTime& a, const LocalTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute &&
           a.second == b.second && a.millisecond == b.millisecond;
}

std::wstring Decimal(const wchar_t* whole, const wchar_t* fraction) {
    return std::wstring(whole) + platform::DecimalSeparator() + fraction;
}

}  // namespace

TEST(DateTimeStamp, RemovesSeparatorsAndTurnsBlanksIntoDashes) {
    struct Case {
        const wchar_t *text, *expected;
    } cases[] = {
        {L"09.12.2014 14:05:33", L"09122014-140533"},
        {L"12/9/2014 2:05:33 PM", L"1292014-20533-PM"},
        {L"2014-12-09", L"20141209"},
        {L"12/9/2014", L"1292014"},
    };
    for (const auto& c : cases) EXPECT_EQ(DateTimeStampFrom(c.text), c.expected) << c.text;

    std::wstring now = DateTimeStamp();
    EXPECT_FALSE(now.empty());
    EXPECT_EQ(now.find_first_of(L"/.: "), std::wstring::npos) << now;
}

TEST(DateTimeText, LeavesOutTheTimeExactlyAtMidnight) {
    LocalTime midnight{2014, 12, 9, 0, 0, 0, 0};
    EXPECT_EQ(DateTimeText(midnight), L"12/9/2014");

    LocalTime justAfter{2014, 12, 9, 0, 0, 0, 1};
    EXPECT_EQ(DateTimeText(justAfter), L"12/9/2014 12:00:00 AM");
}

TEST(DateSerial, CountsDaysFrom30December1899WithTheTimeAsFraction) {
    struct Case {
        LocalTime time;
        double serial;
    } cases[] = {
        {{1899, 12, 30}, 0},
        {{1900, 1, 1}, 2},
        {{2014, 12, 9}, 41982},
        {{2014, 12, 9, 12, 0, 0, 0}, 41982.5},
        {{2014, 12, 9, 18, 0, 0, 0}, 41982.75},
        {{1899, 12, 29, 6, 0, 0, 0}, -1.25},  // before the epoch the fraction still counts forward
        {{2000, 2, 29}, 36585},
        {{1, 1, 1}, -693593},
        {{9999, 12, 31, 23, 59, 59, 999}, 2958465 + 86399999.0 / 86400000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.serial);
        EXPECT_DOUBLE_EQ(ToDateSerial(c.time), c.serial);
        EXPECT_TRUE(SameTime(FromDateSerial(c.serial), c.time));
    }
}

TEST(DateSerial, RoundsToTheMillisecondAndRejectsWhatIsNoDate) {
    EXPECT_TRUE(SameTime(FromDateSerial(41982.99999999999), {2014, 12, 10}));
    LocalTime noDate{};
    for (double bad : {std::nan(""), std::numeric_limits<double>::infinity(), 1e300, -1e300, 2958466.0, -693594.0})
        EXPECT_TRUE(SameTime(FromDateSerial(bad), noDate)) << bad;

    double today = TodaySerial();
    EXPECT_EQ(today, std::trunc(today));
    EXPECT_NEAR(today, ToDateSerial(platform::Now()), 1.0);
}

TEST(DateSerial, TextUsesTheRegionalDecimalSeparatorAndWholeDaysHaveNoFraction) {
    EXPECT_EQ(FormatDateSerial(41982), L"41982");
    EXPECT_EQ(FormatDateSerial(0), L"0");
    EXPECT_EQ(FormatDateSerial(41982.5), Decimal(L"41982", L"5"));
    EXPECT_EQ(FormatDateSerial(-1.25), Decimal(L"-1", L"25"));

    double withTime = ToDateSerial({2014, 12, 9, 14, 5, 33, 42});
    auto back = ParseDateSerial(FormatDateSerial(withTime));
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(SameTime(FromDateSerial(*back), {2014, 12, 9, 14, 5, 33, 42}));
}

TEST(DateSerial, ParsingAcceptsNumbersOnly) {
    struct Case {
        std::wstring text;
        std::optional<double> expected;
    } cases[] = {
        {L"41982", 41982},
        {L" 41982\t", 41982},
        {Decimal(L"41982", L"5"), 41982.5},
        {Decimal(L"", L"5"), 0.5},
        {L"-3", -3},
        {L"+3", 3},
        {L"4E2", 400},
        {L"", std::nullopt},
        {L"abc", std::nullopt},
        {L"12a", std::nullopt},
        {L"1 2", std::nullopt},
        {Decimal(L"", L""), std::nullopt},
        {L"1e", std::nullopt},
        {L"1e999", std::nullopt},
        {L"--1", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseDateSerial(c.text), c.expected) << c.text;
}

TEST(DateSerial, ShortDateIsTheRegionalFormatOfTheDay) {
    EXPECT_EQ(ShortDateOfSerial(41982.75), L"12/9/2014");
}
