#include <gtest/gtest.h>

#include "settings/settings_file.h"
#include "support/temp_dir.h"
#include "util/codepage.h"
#include "util/profile_file.h"

using namespace lentora;
using test::ReadBytes;
using test::WriteBytes;

// Typed reads of a settings file and saves into files already there.
class IniFiles : public ::testing::Test {
protected:
    test::TempDir dir;
    std::wstring ini = dir.File(L"lentora.ini");
};

TEST_F(IniFiles, MissingFileSectionOrKeyGivesTheDefault) {
    const ProfileFile none;
    EXPECT_EQ(none.ReadString(L"Skin", L"CurrentSkin", L"Vista (internal)"), L"Vista (internal)");
    EXPECT_EQ(none.ReadInteger(L"Options", L"TimeExit", 10), 10);
    EXPECT_TRUE(none.ReadBool(L"Options", L"check_update", true));

    const ProfileFile file("[Options]\r\nTimeExit=3\r\n");
    EXPECT_EQ(file.ReadInteger(L"Options", L"PollingInterval", 7), 7);
    EXPECT_EQ(file.ReadInteger(L"Skin", L"TimeExit", 7), 7);
    EXPECT_EQ(file.ReadInteger(L"OPTIONS", L"timeexit", 7), 3);
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
    const ProfileFile file(content);
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(file.ReadInteger(L"Options", L"K" + std::to_wstring(i), -7), cases[i].expected) << cases[i].stored;
}

TEST_F(IniFiles, BooleansAreIntegersWhereAnyNonzeroIsTrue) {
    const ProfileFile file("[Options]\r\nOne=1\r\nZero=0\r\nTwo=2\r\nMinus=-1\r\nWord=yes\r\n");
    struct Case {
        const wchar_t* key;
        bool withDefaultFalse, withDefaultTrue;
    } cases[] = {
        {L"One", true, true},     {L"Zero", false, false}, {L"Two", true, true},
        {L"Minus", true, true},   {L"Word", false, true},  {L"Missing", false, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(file.ReadBool(L"Options", c.key, false), c.withDefaultFalse) << c.key;
        EXPECT_EQ(file.ReadBool(L"Options", c.key, true), c.withDefaultTrue) << c.key;
    }
}

// A save replaces the values of keys already there, whatever their letter case, in their lines.
TEST_F(IniFiles, SaveReplacesValuesInPlaceAndLeavesTheRestAlone) {
    WriteBytes(ini, "; kept\n[Skin]\nUseSkin = 1\nOther=\"x\"\n");
    Settings s;
    s.useSkin = false;
    ASSERT_EQ(SaveSettings(ini, s), SettingsSaveResult::Saved);
    EXPECT_TRUE(ReadBytes(ini).starts_with("; kept\n[Skin]\nUseSkin=0\nOther=\"x\"\n")) << ReadBytes(ini);
}

TEST_F(IniFiles, Utf16FileStaysUtf16) {
    WriteBytes(ini, "\xFF\xFE" + EncodeUtf16Le(L"[Options]\r\nTimeExit=3\r\n"));
    Settings s;
    s.exitAfterSeconds = 12;
    ASSERT_EQ(SaveSettings(ini, s), SettingsSaveResult::Saved);
    EXPECT_TRUE(ReadBytes(ini).starts_with("\xFF\xFE" + EncodeUtf16Le(L"[Options]\r\nTimeExit=12\r\n")));
    EXPECT_EQ(LoadSettings(ini).exitAfterSeconds, 12);
}

TEST_F(IniFiles, RefusedWriteChangesNothing) {
    // A parent that is a regular file refuses writes even to root.
    const std::wstring parent = dir.File(L"not-a-folder");
    WriteBytes(parent, "data");
    const std::wstring blocked = parent + L"/lentora.ini";
    EXPECT_EQ(SaveSettings(blocked, Settings{}), SettingsSaveResult::WriteRefused);
    EXPECT_EQ(ReadBytes(parent), "data");
    EXPECT_EQ(LoadSettings(blocked).exitAfterSeconds, 10);
}
