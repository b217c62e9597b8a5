#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

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

TEST_F(SettingsFileTest, WithoutAFileEveryOptionHasItsDefaultAndASaveWritesFifteenKeysInTheirOrder) {
    const Settings read = LoadSettings(ini);
    EXPECT_EQ(read.skinName, L"Vista (internal)");
    EXPECT_EQ(read.languageName, L"English (EN)");
    EXPECT_EQ(read.delayOfStartSeconds, 0);
    EXPECT_EQ(read.exitAfterSeconds, 10);
    EXPECT_EQ(read.pollingIntervalDays, 7);
    EXPECT_EQ(read.idleThresholdPercent, 30);
    EXPECT_EQ(read.idleWaitLimitSeconds, 60);
    EXPECT_TRUE(read.checkForUpdates);
    EXPECT_FALSE(read.useSkin || read.useAero || read.showBalloon || read.delayOfStart || read.taskListInProfile ||
                 read.waitForIdle || read.useLog);
    EXPECT_EQ(ReadBytes(ini), "<missing>") << "reading never creates the file";

    ASSERT_EQ(SaveSettings(ini, read), SettingsSaveResult::Saved);
    EXPECT_EQ(ReadBytes(ini),
              "[Skin]\r\nUseskin=0\r\nUseAero=0\r\nCurrentskin=Vista (internal)\r\n"
              "[Options]\r\nShowBalloon=0\r\nWaitTimeOut=0\r\nTimeExit=10\r\nWaitTimer=0\r\nUserProfile=0\r\n"
              "check_update=1\r\nPollingInterval=7\r\nLastUpdateDate=0\r\nWaitIdle=0\r\nIdleThreshold=30\r\n"
              "IdleTimeOut=60\r\n"
              "[Language]\r\nCurrentLanguage=English (EN)\r\n");
}

TEST_F(SettingsFileTest, ValuesOfTheWrongTypeReadAsDefaultsAndNumbersAreClampedToTheirFields) {
    const Settings s = ParseSettings(
        "[skin]\r\nUSESKIN=1\r\nCurrentSkin=\"Graphite\"\r\n"
        "[Options]\r\nWaitTimeOut=abc\r\ncheck_update=yes\r\nWaitTimer=2\r\nTimeExit=-5\r\n"
        "PollingInterval=1000\r\nShowBalloon=0x1\r\nLastUpdateDate=soon\r\nUseLog=1\r\n"
        "WaitIdle=on\r\nIdleThreshold=half\r\nIdleTimeOut=0\r\n");
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
    EXPECT_FALSE(s.waitForIdle);
    EXPECT_EQ(s.idleThresholdPercent, 30);
    EXPECT_EQ(s.idleWaitLimitSeconds, 1);
}

// Each number keeps to its field's range; the idle wait's fields do not start at 0.
TEST_F(SettingsFileTest, StoredNumbersAreClampedToTheRangeOfTheirField) {
    struct Case {
        const char* stored;
        std::optional<int> Settings::*field;
        int expected;
    };
    const Case cases[] = {
        {"WaitTimeOut=1000000", &Settings::delayOfStartSeconds, 999999},
        {"TimeExit=-1", &Settings::exitAfterSeconds, 0},
        {"PollingInterval=366", &Settings::pollingIntervalDays, 365},
        {"IdleThreshold=4", &Settings::idleThresholdPercent, 5},
        {"IdleThreshold=5", &Settings::idleThresholdPercent, 5},
        {"IdleThreshold=95", &Settings::idleThresholdPercent, 95},
        {"IdleThreshold=0x60", &Settings::idleThresholdPercent, 95},
        {"IdleTimeOut=-7", &Settings::idleWaitLimitSeconds, 1},
        {"IdleTimeOut=3600", &Settings::idleWaitLimitSeconds, 3600},
        {"IdleTimeOut=3601", &Settings::idleWaitLimitSeconds, 3600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(ParseSettings(std::string("[Options]\r\n") + c.stored + "\r\n").*c.field, c.expected);
    }
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

// Whichever number field is empty, exactly the keys before it in the written order change.
TEST_F(SettingsFileTest, TheKeysAfterAnEmptyNumberFieldKeepTheirStoredValues) {
    const std::pair<std::optional<int> Settings::*, std::string> numbers[] = {
        {&Settings::delayOfStartSeconds, "WaitTimeOut"},     {&Settings::exitAfterSeconds, "TimeExit"},
        {&Settings::pollingIntervalDays, "PollingInterval"}, {&Settings::idleThresholdPercent, "IdleThreshold"},
        {&Settings::idleWaitLimitSeconds, "IdleTimeOut"}};
    const std::string order[] = {"ShowBalloon",    "WaitTimeOut",    "TimeExit", "WaitTimer",     "UserProfile",
                                 "check_update",   "PollingInterval", "LastUpdateDate", "WaitIdle", "IdleThreshold",
                                 "IdleTimeOut"};
    std::string stored = "[Options]\r\n";
    for (const std::string& key : order) stored += key + "=old\r\n";
    for (const auto& [field, emptyKey] : numbers) {
        SCOPED_TRACE("empty " + emptyKey);
        WriteBytes(ini, stored);
        Settings s;
        s.*field = std::nullopt;
        EXPECT_EQ(SaveSettings(ini, s), SettingsSaveResult::NumberMissing);
        const ProfileFile file(ReadBytes(ini));
        bool beforeTheEmptyField = true;
        for (const std::string& key : order) {
            beforeTheEmptyField = beforeTheEmptyField && key != emptyKey;
            EXPECT_EQ(file.Read(L"Options", std::wstring(key.begin(), key.end())) != L"old", beforeTheEmptyField)
                << key;
        }
    }
}

TEST_F(SettingsFileTest, WhatASaveWritesReadsBackEqual) {
    Settings s;
    s.useSkin = s.useAero = s.showBalloon = s.delayOfStart = s.taskListInProfile = s.waitForIdle = true;
    s.checkForUpdates = false;
    s.skinName = L"Graphite";
    s.languageName = L"\u0420\u0443\u0441\u0441\u043A\u0438\u0439 (RU)";
    s.delayOfStartSeconds = 30;
    s.exitAfterSeconds = 0;
    s.pollingIntervalDays = 365;
    s.lastUpdateCheck = 41982;
    s.idleThresholdPercent = 95;
    s.idleWaitLimitSeconds = 3600;
    ASSERT_EQ(SaveSettings(ini, s), SettingsSaveResult::Saved);
    Settings back = LoadSettings(ini);
    back.useLog = s.useLog;  // read only
    EXPECT_EQ(back.skinName, s.skinName);
    EXPECT_EQ(back.languageName, s.languageName);
    EXPECT_TRUE(back.useSkin && back.useAero && back.showBalloon && back.delayOfStart && back.taskListInProfile &&
                back.waitForIdle);
    EXPECT_FALSE(back.checkForUpdates);
    EXPECT_EQ(back.delayOfStartSeconds, 30);
    EXPECT_EQ(back.exitAfterSeconds, 0);
    EXPECT_EQ(back.pollingIntervalDays, 365);
    EXPECT_EQ(back.lastUpdateCheck, 41982.0);
    EXPECT_EQ(back.idleThresholdPercent, 95);
    EXPECT_EQ(back.idleWaitLimitSeconds, 3600);
}

}  // namespace
