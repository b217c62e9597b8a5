#include <gtest/gtest.h>

#include "util/version.h"

using namespace lentora;

TEST(ParseVersion, SplitsAtDotsOnlyAndFillsMissingPartsWithZero) {
    struct Case {
        const wchar_t* text;
        TVersionPRG expected;
    } cases[] = {
        {L"1.4.1.250", {L"1", L"4", L"1", L"250"}},
        {L"1.4", {L"1", L"4", L"0", L"0"}},
        {L"", {L"0", L"0", L"0", L"0"}},
        {L"1..2", {L"1", L"", L"2", L"0"}},
        {L"1.2.3.4.5", {L"1", L"2", L"3", L"4"}},
        {L"1.", {L"1", L"0", L"0", L"0"}},
        {L" 1 . b", {L" 1 ", L" b", L"0", L"0"}},
    };
    for (const auto& c : cases) {
        TVersionPRG v = ParseVersion(c.text);
        SCOPED_TRACE(c.text);
        EXPECT_EQ(v.Major, c.expected.Major);
        EXPECT_EQ(v.Minor, c.expected.Minor);
        EXPECT_EQ(v.Release, c.expected.Release);
        EXPECT_EQ(v.Build, c.expected.Build);
    }
}

TEST(CompareVersion, ComparesPartsAsTextsAndIgnoresBuild) {
    struct Case {
        const wchar_t* a;
        const wchar_t* b;
        long long expected;
    } cases[] = {
        {L"1.10.0", L"1.9.0", -2},       // text order, not numeric
        {L"1.4.1.250", L"1.4.1.300", 0},  // Build never counts
        {L"1.4.0", L"0.0", 1},
        {L"1.4.0", L"1.4", 0},            // the missing Release of 1.4 is "0"
        {L"1.4.2", L"1.4.10", 4},
        {L"1.4", L"1.4.1", -4},
        {L"1..2", L"1.0.2", -2},          // the empty part is smaller than any other
        {L"1.A", L"1.a", -2},             // case-sensitive
        {L"10.0", L"9.9", -1},
        {L"2", L"1.9.9", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::wstring(c.a) + L" vs " + c.b);
        EXPECT_EQ(CompareVersion(ParseVersion(c.a), ParseVersion(c.b)), c.expected);
        EXPECT_EQ(CompareVersion(ParseVersion(c.b), ParseVersion(c.a)), -c.expected);
    }
}
