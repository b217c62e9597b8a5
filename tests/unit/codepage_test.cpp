#include <gtest/gtest.h>

#include "util/codepage.h"
#include "util/codepage_names.h"

#include <optional>

using namespace lentora;

TEST(Codepage, Windows1251RoundTripsCyrillicAndRefusesWhatItCannotHold) {
    std::wstring text = L"\u041F\u0440\u0438\u0432\u0435\u0442 \u0451\u2116";  // Привет ё№
    std::string bytes = EncodeSingleByte(text, 1251);
    EXPECT_EQ(bytes, "\xCF\xF0\xE8\xE2\xE5\xF2 \xB8\xB9");
    EXPECT_EQ(DecodeSingleByte(bytes, 1251), text);
    EXPECT_FALSE(EncodeSingleByteChar(L'\u00E9', 1251).has_value());
    EXPECT_EQ(EncodeSingleByte(L"\u00E9", 1251), "?");
}

TEST(Codepage, Utf8AndUtf16SurviveCharactersBeyondTheBasicPlane) {
    std::wstring text = L"a\u00E9\u0416\u20AC";
    text += static_cast<wchar_t>(sizeof(wchar_t) == 2 ? 0xD83D : 0x1F600);
    if (sizeof(wchar_t) == 2) text += static_cast<wchar_t>(0xDE00);
    EXPECT_EQ(DecodeUtf8(EncodeUtf8(text)), text);
    EXPECT_EQ(DecodeUtf16Le(EncodeUtf16Le(text)), text);
    EXPECT_EQ(EncodeUtf8(text).size(), 1u + 2 + 2 + 3 + 4);
    // Long ASCII runs are read by the word: a character that breaks one must come out in place.
    std::wstring path = L"C:\\Program Files\\\u041F\u0440\u043E\u0433\u0440\u0430\u043C\u043C\u044B\\tool.exe --a\u00E9b";
    EXPECT_EQ(DecodeUtf8(EncodeUtf8(path)), path);
}

TEST(Codepage, MalformedUtf8BecomesReplacementCharacters) {
    EXPECT_EQ(DecodeUtf8("a\xC3"), L"a\uFFFD");
    EXPECT_EQ(DecodeUtf8("\xFF" "b"), L"\uFFFD" L"b");
    EXPECT_EQ(DecodeUtf8("\xE2\x28\xA1"), L"\uFFFD(\uFFFD");
    // Overlong forms of NUL, "/" and "\u20AC" decode to no character of theirs.
    EXPECT_EQ(DecodeUtf8(std::string("a\xC0\x80" "b")), L"a\uFFFD\uFFFD" L"b");
    EXPECT_EQ(DecodeUtf8("\xC0\xAF"), L"\uFFFD\uFFFD");
    EXPECT_EQ(DecodeUtf8("\xF0\x82\x82\xAC"), L"\uFFFD\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(DecodeUtf8("\xC2\x80\xE0\xA0\x80"), L"\u0080\u0800");  // the least of each length stay
}

// Text read from a UTF-16 file may hold a surrogate without its partner; written as UTF-8 (as the
// task list's XML is built) it must read back as one character, not three.
TEST(Codepage, LoneSurrogatesBecomeOneReplacementCharacterInUtf8) {
    std::wstring high = L"a", low = L"b";
    high += static_cast<wchar_t>(0xDB00);
    high += L"c";
    low += static_cast<wchar_t>(0xDC00);
    EXPECT_EQ(EncodeUtf8(high), "a\xEF\xBF\xBD" "c");
    EXPECT_EQ(DecodeUtf8(EncodeUtf8(high)), L"a\uFFFDc");
    EXPECT_EQ(DecodeUtf8(EncodeUtf8(low)), L"b\uFFFD");
}

TEST(Codepage, TextFileEncodingFollowsTheByteOrderMark) {
    struct Case { std::string bytes; std::wstring text; } cases[] = {
        {"\xEF\xBB\xBF\xD0\x96", L"\u0416"},
        {std::string("\xFF\xFE\x16\x04", 4), L"\u0416"},
        {std::string("\xFE\xFF\x04\x16", 4), L"\u0416"},
        {"\xC6", L"\u0416"},  // no mark: the fallback code page, here 1251
    };
    for (const auto& c : cases) EXPECT_EQ(DecodeTextFile(c.bytes, 1251), c.text);
}

TEST(CodepageNames, NamesMapToTheCodePagesWindowsGivesThem) {
    struct Case {
        const char* name;
        std::optional<unsigned> codePage;
    } cases[] = {
        {"windows-1251", 1251u}, {"Windows-1253", 1253u},  {"cp1251", 1251u},    {"x-cp1250", 1250u},
        {"UTF-8", 65001u},       {"utf8", 65001u},         {"us-ascii", 20127u}, {"KOI8-R", 20866u},
        {"koi8-u", 21866u},      {"ISO-8859-5", 28595u},   {"iso_8859-5:1988", 28595u},
        {"iso8859-2", 28592u},   {"iso-8859-8-i", 38598u}, {"iso-8859-15", 28605u}, {"latin1", 28591u},
        {"IBM866", 866u},        {"cp866", 866u},          {"ibm00858", 858u},   {"dos-862", 862u},
        {"x-mac-cyrillic", 10007u}, {"Shift_JIS", 932u},   {"gb18030", 54936u},  {"big5", 950u},
        // Unknown to Windows, or no code page at all.
        {"iso-8859-10", std::nullopt}, {"iso-8859-16", std::nullopt}, {"koi8-t", std::nullopt},
        {"cp", std::nullopt},          {"cp0", std::nullopt},         {"cp1251x", std::nullopt},
        {"windows-1251 ", std::nullopt}, {"ebcdic", std::nullopt},    {"", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(CodePageOfEncodingName(c.name), c.codePage) << c.name;
}
