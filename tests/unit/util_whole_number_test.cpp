#include <gtest/gtest.h>

#include <climits>

#include "util/whole_number.h"

using lentora::ParseWholeNumber;

TEST(ParseWholeNumber, ReadsSignedDecimalWithin32Bits) {
    EXPECT_EQ(ParseWholeNumber(L"5"), 5);
    EXPECT_EQ(ParseWholeNumber(L"007"), 7);
    EXPECT_EQ(ParseWholeNumber(L"-3"), -3);
    EXPECT_EQ(ParseWholeNumber(L"-0"), 0);
    EXPECT_EQ(ParseWholeNumber(L"+5"), 5);  // read as the validation pass reads it
    EXPECT_EQ(ParseWholeNumber(L"2147483647"), INT32_MAX);
    EXPECT_EQ(ParseWholeNumber(L"-2147483648"), INT32_MIN);
}

TEST(ParseWholeNumber, RejectsEverythingElse) {
    for (const wchar_t* text : {L"", L"-", L" 5", L"5 ", L"5s", L"1.5", L"--1", L"\x0661", L"2147483648",
                                L"-2147483649", L"99999999999999999999999"})
        EXPECT_FALSE(ParseWholeNumber(text).has_value()) << text;
}
