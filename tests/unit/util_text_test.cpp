#include <gtest/gtest.h>

#include "util/text.h"

using namespace lentora;

TEST(ReplaceAllNoCase, ReplacesEveryMatchIgnoringCaseWithoutRescanningReplacements) {
    struct Case {
        const wchar_t *text, *oldPattern, *newPattern, *expected;
    } cases[] = {
        {L"Hello hello HELLO", L"hello", L"x", L"x x x"},
        {L"aaa", L"aa", L"b", L"ba"},
        {L"ab", L"b", L"bb", L"abb"},
        {L"12/9/2014", L"/", L"", L"1292014"},
        {L"abc", L"", L"x", L"abc"},
        {L"", L"a", L"x", L""},
        {L"HKEY_Current_User\\Run", L"hkey_current_user", L"HKCU", L"HKCU\\Run"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReplaceAllNoCase(c.text, c.oldPattern, c.newPattern), c.expected);
    }
}

TEST(AddBackslash, EnsuresOneTrailingBackslash) {
    struct Case {
        const wchar_t *path, *expected;
    } cases[] = {
        {L"", L"\\"},
        {L"C:\\", L"C:\\"},
        {L"C:\\Tools", L"C:\\Tools\\"},
        {L"C:", L"C:\\"},
        {L"dir/", L"dir/\\"},
    };
    for (const auto& c : cases) EXPECT_EQ(AddBackslash(c.path), c.expected) << c.path;
}

TEST(SameTextNoCase, MatchesLettersOfEitherCaseOnly) {
    EXPECT_TRUE(SameTextNoCase(L"UseSkin", L"useskin"));
    EXPECT_TRUE(SameTextNoCase(L"", L""));
    EXPECT_FALSE(SameTextNoCase(L"UseSkin", L"UseSkins"));
    EXPECT_FALSE(SameTextNoCase(L"Use_Skin", L"Use Skin"));
    EXPECT_FALSE(SameTextNoCase(L"a[", L"a{"));  // not letters: no folding
}
