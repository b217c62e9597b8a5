#include <gtest/gtest.h>

#include "settings/settings_file.h"
#include "support/temp_dir.h"
#include "util/profile_file.h"

using namespace lentora;
using test::ReadBytes;
using test::WriteBytes;

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    test::TempDir dir;
    std::wstring ini = dir.File(L"lentora.ini");
};

TEST_F(SettingsFileTest, WithoutAFileEveryOptionHasItsDefaultAndASaveWritesTwelveKeysInTheirOrder) {
    const Settings read = LoadSettings(ini);
    EXPECT_EQ(read.skinName, L"Vista (internal)");
    EXPECT_EQ(read.languageName, L"English (EN)");
    EXPECT_EQ(read.delayOfStartSeconds, 0);
    EXPECT_EQ(read.exitAfterSeconds, 10);
    EXPECT_EQ(read.pollingIntervalDays, 7);
    EXPECT_TRUE(read.checkForUpdates);
    EXPECT_FALSE(read.useSkin || read.useAero || read.showBalloon || read.delayOfStart || read.taskListInProfile ||
                 read.useLog);
    EXPECT_EQ(ReadBytes(ini), "<missing>") << "reading never creates the file";

    ASSERT_EQ(SaveSettings(ini, read), SettingsSaveResult::Saved);
    EXPECT_EQ(ReadBytes(ini),
              "[Skin]\r\nUseskin=0\r\nUseAero=0\r\nCurrentskin=Vista (internal)\r\n"
              "[Options]\r\nShowBalloon=0\r\nWaitTimeOut=0\r\nTimeExit=10\r\nWaitTimer=0\r\nUserProfile=0\r\n"
              "check_update=1\r\nPollingInterval=7\r\nLastUpdateDate=0\r\n"
              "[Language]\r\nCurrentLanguage=English (EN)\r\n");
}

TEST_F(SettingsFileTest, ValuesOfTheWrongTypeReadAsDefaultsAndNumbersAreClampedToTheirFields) {
    const Settings s = ParseSettings(
        "[skin]\r\nUSESKIN=1\r\nCurrentSkin=\"Graphite\"\r\n"
        "[Options]\r\nWaitTimeOut=abc\r\ncheck_update=yes\r\nWaitTimer=2\r\nTimeExit=-5\r\n"
        "PollingInterval=1000\r\nShowBalloon=0x1\r\nLastUpdateDate=soon\r\nUseLog=1\r\n");
    EXPECT_TRUE(s.useSkin) << "the key is found whatever its letter case";
    EXPECT_EQ(s.skinName, L"Graphite");
    EXPECT_EQ(s.delayOfStartSeconds, 0);
    EXPECT_TRUE(s.checkForUpdates) << "not a number: the default";
    EXPECT_TRUE(s.delayOfStart) << "any number but 0 is on";
    EXPECT_EQ(s.exitAfterSeconds, 0);
    EXPECT_EQ(s.pollingIntervalDays, 365);
    EXPECT_TRUE(s.showBalloon);
    EXPECT_EQ(s.lastUpdateCheck, 0.0);
    EXPECT_TRUE(s.useLog);
}

// A field holding no whole number stops the save at its key: the keys before it are written, the
// later ones keep what the file held, and the file's other lines stay as they were.
TEST_F(SettingsFileTest, ASaveStopsAtTheFirstNumberFieldWithoutANumber) {
    WriteBytes(ini, "; kept\r\n[Options]\r\nTimeExit=3\r\nPollingInterval=9\r\n[Other]\r\nKey=value\r\n");
    Settings s;
    s.useSkin = true;
    s.languageName = L"Deutsch (DE)";
    s.delayOfStartSeconds = std::nullopt;
    s.exitAfterSeconds = 44;
    EXPECT_EQ(SaveSettings(ini, s), SettingsSaveResult::NumberMissing);
    const ProfileFile file(ReadBytes(ini));
    EXPECT_EQ(file.Read(L"Skin", L"Useskin"), L"1");
    EXPECT_EQ(file.Read(L"Language", L"CurrentLanguage"), L"Deutsch (DE)");
    EXPECT_EQ(file.Read(L"Options", L"WaitTimeOut"), std::nullopt);
    EXPECT_EQ(file.Read(L"Options", L"TimeExit"), L"3");
    EXPECT_EQ(file.Read(L"Options", L"PollingInterval"), L"9");
    EXPECT_EQ(file.Read(L"Other", L"Key"), L"value");
    EXPECT_TRUE(ReadBytes(ini).starts_with("; kept\r\n"));
}

TEST_F(SettingsFileTest, WhatASaveWritesReadsBackEqual) {
    Settings s;
    s.useSkin = s.useAero = s.showBalloon = s.delayOfStart = s.taskListInProfile = true;
    s.checkForUpdates = false;
    s.skinName = L"Graphite";
    s.languageName = L"\u0420\u0443\u0441\u0441\u043A\u0438\u0439 (RU)";
    s.delayOfStartSeconds = 30;
    s.exitAfterSeconds = 0;
    s.pollingIntervalDays = 365;
    s.lastUpdateCheck = 41982;
    ASSERT_EQ(SaveSettings(ini, s), SettingsSaveResult::Saved);
    Settings back = LoadSettings(ini);
    back.useLog = s.useLog;  // read only
    EXPECT_EQ(back.skinName, s.skinName);
    EXPECT_EQ(back.languageName, s.languageName);
    EXPECT_TRUE(back.useSkin && back.useAero && back.showBalloon && back.delayOfStart && back.taskListInProfile);
    EXPECT_FALSE(back.checkForUpdates);
    EXPECT_EQ(back.delayOfStartSeconds, 30);
    EXPECT_EQ(back.exitAfterSeconds, 0);
    EXPECT_EQ(back.pollingIntervalDays, 365);
    EXPECT_EQ(back.lastUpdateCheck, 41982.0);
}

}  // namespace
