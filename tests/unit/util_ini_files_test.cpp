#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "util/codepage.h"
#include "util/ini_files.h"

using namespace lentora;
using test::ReadBytes;
using test::WriteBytes;

class IniFiles : public ::testing::Test {
protected:
    test::TempDir dir;
    std::wstring ini = dir.File(L"lentora.ini");
};

TEST_F(IniFiles, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(IniReadString(ini, L"Skin", L"CurrentSkin", L"Vista (internal)"), L"Vista (internal)");
    EXPECT_EQ(IniReadInteger(ini, L"Options", L"TimeExit", 10), 10);
    EXPECT_TRUE(IniReadBool(ini, L"Options", L"check_update", true));
    EXPECT_EQ(ReadBytes(ini), "<missing>");  // reading never creates the file

    WriteBytes(ini, "[Options]\r\nTimeExit=3\r\n");
    EXPECT_EQ(IniReadInteger(ini, L"Options", L"PollingInterval", 7), 7);
    EXPECT_EQ(IniReadInteger(ini, L"Skin", L"TimeExit", 7), 7);
    EXPECT_EQ(IniReadInteger(ini, L"OPTIONS", L"timeexit", 7), 3);
}

TEST_F(IniFiles, IntegersAreDecimalOrHexAndAnythingElseGivesTheDefault) {
    struct Case {
        const char* stored;
        std::int32_t expected;
    } cases[] = {
        {"0x1F", 31},
        {"0X1f", 31},
        {"12a", -7},
        {"", -7},
        {"abc", -7},
        {"-5", -5},
        {"+7", 7},
        {"0x", -7},
        {"0xG1", -7},
        {"-0x1F", -7},
        {"2147483647", 2147483647},
        {"2147483648", -7},
        {"-2147483648", -2147483647 - 1},
        {"0xFFFFFFFF", -1},
        {"0x100000000", -7},
        {"\"42\"", 42},
        {"  42  ", 42},
        {"4 2", -7},
        {"1.5", -7},
    };
    std::string content = "[Options]\r\n";
    for (size_t i = 0; i < std::size(cases); ++i) content += "K" + std::to_string(i) + "=" + cases[i].stored + "\r\n";
    WriteBytes(ini, content);
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(IniReadInteger(ini, L"Options", L"K" + std::to_wstring(i), -7), cases[i].expected) << cases[i].stored;
}

TEST_F(IniFiles, BooleansAreIntegersWhereAnyNonzeroIsTrue) {
    WriteBytes(ini, "[Options]\r\nOne=1\r\nZero=0\r\nTwo=2\r\nMinus=-1\r\nWord=yes\r\n");
    struct Case {
        const wchar_t* key;
        bool withDefaultFalse, withDefaultTrue;
    } cases[] = {
        {L"One", true, true},     {L"Zero", false, false}, {L"Two", true, true},
        {L"Minus", true, true},   {L"Word", false, true},  {L"Missing", false, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IniReadBool(ini, L"Options", c.key, false), c.withDefaultFalse) << c.key;
        EXPECT_EQ(IniReadBool(ini, L"Options", c.key, true), c.withDefaultTrue) << c.key;
    }
}

TEST_F(IniFiles, FirstSaveCreatesSectionsInTheOrderOfTheirFirstKey) {
    IniWriteBool(ini, L"Skin", L"Useskin", false);
    IniWriteBool(ini, L"Skin", L"UseAero", true);
    IniWriteBool(ini, L"Options", L"ShowBalloon", false);
    IniWriteString(ini, L"Skin", L"Currentskin", L"Vista (internal)");
    IniWriteString(ini, L"Language", L"CurrentLanguage", L"English (EN)");
    IniWriteInteger(ini, L"Options", L"WaitTimeOut", -3);
    EXPECT_EQ(ReadBytes(ini),
              "[Skin]\r\n"
              "Useskin=0\r\n"
              "UseAero=1\r\n"
              "Currentskin=Vista (internal)\r\n"
              "[Options]\r\n"
              "ShowBalloon=0\r\n"
              "WaitTimeOut=-3\r\n"
              "[Language]\r\n"
              "CurrentLanguage=English (EN)\r\n");
    EXPECT_TRUE(IniReadBool(ini, L"skin", L"useaero", false));
    EXPECT_EQ(IniReadInteger(ini, L"Options", L"WaitTimeOut", 0), -3);
}

TEST_F(IniFiles, WriteReplacesTheValueAndLeavesTheRestAlone) {
    WriteBytes(ini, "; kept\n[Skin]\nUseSkin = 1\nCurrentSkin=\"Aero\"\n");
    IniWriteBool(ini, L"skin", L"Useskin", false);
    EXPECT_EQ(ReadBytes(ini), "; kept\n[Skin]\nUseSkin=0\nCurrentSkin=\"Aero\"\n");
    EXPECT_EQ(IniReadString(ini, L"Skin", L"CurrentSkin", L""), L"Aero");
}

TEST_F(IniFiles, Utf16FileStaysUtf16) {
    WriteBytes(ini, "\xFF\xFE" + EncodeUtf16Le(L"[Options]\r\nTimeExit=3\r\n"));
    IniWriteInteger(ini, L"Options", L"TimeExit", 12);
    EXPECT_EQ(ReadBytes(ini), "\xFF\xFE" + EncodeUtf16Le(L"[Options]\r\nTimeExit=12\r\n"));
    EXPECT_EQ(IniReadInteger(ini, L"Options", L"TimeExit", 0), 12);
}

TEST_F(IniFiles, RefusedWriteThrowsWithTheFileNameAndChangesNothing) {
    // A parent that is a regular file refuses writes even to root.
    const std::wstring parent = dir.File(L"not-a-folder");
    WriteBytes(parent, "data");
    const std::wstring blocked = parent + L"/lentora.ini";
    try {
        IniWriteString(blocked, L"Options", L"TimeExit", L"10");
        FAIL() << "no error";
    } catch (const IniWriteError& error) {
        EXPECT_EQ(error.What(), L"Unable to write to " + blocked);
    }
    EXPECT_THROW(IniWriteBool(blocked, L"Options", L"WaitTimer", true), IniWriteError);
    EXPECT_THROW(IniWriteInteger(blocked, L"Options", L"TimeExit", 1), IniWriteError);
    EXPECT_EQ(ReadBytes(parent), "data");
    EXPECT_EQ(IniReadInteger(blocked, L"Options", L"TimeExit", 7), 7);
}
