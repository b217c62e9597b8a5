#include <gtest/gtest.h>

#include "util/format_args.h"
#include "util/platform.h"

using namespace lentora;

TEST(FormatWithArgs, FormatsEachPlaceholderWithItsArgument) {
    std::wstring oneAndHalf = std::wstring(L"1") + platform::DecimalSeparator() + L"50";
    struct Case {
        const wchar_t* format;
        FormatArgs args;
        std::wstring expected;
    } cases[] = {
        {L"Task \"%s\" started", {L"a.exe"}, L"Task \"a.exe\" started"},
        {L"%s has %d of %d", {L"x", 2LL, -3LL}, L"x has 2 of -3"},
        {L"[%5d|%-5d]", {42LL, 42LL}, L"[   42|42   ]"},
        {L"%.3d %x %u", {7LL, 255LL, -1LL}, L"007 FF 18446744073709551615"},
        {L"%.2f", {1.5}, oneAndHalf},
        {L"[%-4s|%.2s|%3s]", {L"ab", L"abcdef", L"ab"}, L"[ab  |ab| ab]"},
        {L"100%% %s", {L"%d"}, L"100% %d"},  // an argument is never read as a format
        {L"%s", {L"a", 1LL}, L"a"},           // arguments left over are ignored
        {L"no placeholders", {}, L"no placeholders"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatWithArgs(c.format, c.args), c.expected) << c.format;
}

TEST(FormatWithArgs, MismatchesGiveNothing) {
    struct Case {
        const wchar_t* format;
        FormatArgs args;
    } cases[] = {
        {L"%d items", {L"text"}},
        {L"%s", {5LL}},
        {L"%f", {5LL}},
        {L"%d", {5.0}},
        {L"%s and %s", {L"one"}},
        {L"%q", {L"x"}},
        {L"50%", {}},
        {L"%.f", {1.0}},
        {L"%99999d", {1LL}},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatWithArgs(c.format, c.args), std::nullopt) << c.format;
}
