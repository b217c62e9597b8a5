#include "settings/settings_file.h"

#include <algorithm>

#include "util/date_time.h"
#include "util/platform.h"
#include "util/profile_file.h"

namespace lentora {
namespace {

constexpr std::wstring_view kSkin = L"Skin", kOptions = L"Options", kLanguage = L"Language";

std::optional<int> ClampedNumber(const ProfileFile& file, std::wstring_view key, int defaultValue, int minValue,
                                 int maxValue) {
    return std::clamp(file.ReadInteger(kOptions, key, defaultValue), minValue, maxValue);
}

std::wstring Flag(bool on) { return on ? L"1" : L"0"; }

}  // namespace

Settings ParseSettings(std::string_view bytes) {
    const ProfileFile file(bytes);
    const Settings defaults;
    Settings s;
    s.useSkin = file.ReadBool(kSkin, L"UseSkin", defaults.useSkin);
    s.useAero = file.ReadBool(kSkin, L"UseAero", defaults.useAero);
    s.skinName = file.ReadString(kSkin, L"CurrentSkin", defaults.skinName);
    s.showBalloon = file.ReadBool(kOptions, L"ShowBalloon", defaults.showBalloon);
    s.languageName = file.ReadString(kLanguage, L"CurrentLanguage", defaults.languageName);
    s.delayOfStartSeconds =
        ClampedNumber(file, L"WaitTimeOut", *defaults.delayOfStartSeconds, 0, Settings::kMaxSeconds);
    s.exitAfterSeconds = ClampedNumber(file, L"TimeExit", *defaults.exitAfterSeconds, 0, Settings::kMaxSeconds);
    s.delayOfStart = file.ReadBool(kOptions, L"WaitTimer", defaults.delayOfStart);
    s.taskListInProfile = file.ReadBool(kOptions, L"UserProfile", defaults.taskListInProfile);
    s.checkForUpdates = file.ReadBool(kOptions, L"check_update", defaults.checkForUpdates);
    s.pollingIntervalDays =
        ClampedNumber(file, L"PollingInterval", *defaults.pollingIntervalDays, 0, Settings::kMaxPollingDays);
    // A stored date that is not a number reads as day 0.
    s.lastUpdateCheck = ParseDateSerial(file.ReadString(kOptions, L"LastUpdateDate", L"0")).value_or(0.0);
    s.waitForIdle = file.ReadBool(kOptions, L"WaitIdle", defaults.waitForIdle);
    s.idleThresholdPercent = ClampedNumber(file, L"IdleThreshold", *defaults.idleThresholdPercent,
                                           Settings::kMinIdleThreshold, Settings::kMaxIdleThreshold);
    s.idleWaitLimitSeconds = ClampedNumber(file, L"IdleTimeOut", *defaults.idleWaitLimitSeconds, Settings::kMinIdleWait,
                                           Settings::kMaxIdleWait);
    s.useLog = file.ReadBool(kOptions, L"UseLog", defaults.useLog);
    return s;
}

Settings LoadSettings(const std::wstring& path) {
    std::string bytes;
    if (!platform::ReadWholeFile(path, bytes)) return Settings{};
    return ParseSettings(bytes);
}

SettingsSaveResult SaveSettings(const std::wstring& path, const Settings& s) {
    std::string bytes;
    // A file that exists but cannot be read must not be replaced by one holding only our keys.
    if (platform::FileExists(path) && !platform::ReadWholeFile(path, bytes)) return SettingsSaveResult::WriteRefused;
    ProfileFile file(bytes);
    // In this order: a file made by the first save holds the sections Skin, Options, Language.
    const auto write = [&] {
        file.Write(kSkin, L"Useskin", Flag(s.useSkin));
        file.Write(kSkin, L"UseAero", Flag(s.useAero));
        file.Write(kOptions, L"ShowBalloon", Flag(s.showBalloon));
        file.Write(kSkin, L"Currentskin", s.skinName);
        file.Write(kLanguage, L"CurrentLanguage", s.languageName);
        if (!s.delayOfStartSeconds) return false;
        file.Write(kOptions, L"WaitTimeOut", std::to_wstring(*s.delayOfStartSeconds));
        if (!s.exitAfterSeconds) return false;
        file.Write(kOptions, L"TimeExit", std::to_wstring(*s.exitAfterSeconds));
        file.Write(kOptions, L"WaitTimer", Flag(s.delayOfStart));
        file.Write(kOptions, L"UserProfile", Flag(s.taskListInProfile));
        file.Write(kOptions, L"check_update", Flag(s.checkForUpdates));
        if (!s.pollingIntervalDays) return false;
        file.Write(kOptions, L"PollingInterval", std::to_wstring(*s.pollingIntervalDays));
        file.Write(kOptions, L"LastUpdateDate", FormatDateSerial(s.lastUpdateCheck));
        file.Write(kOptions, L"WaitIdle", Flag(s.waitForIdle));
        if (!s.idleThresholdPercent) return false;
        file.Write(kOptions, L"IdleThreshold", std::to_wstring(*s.idleThresholdPercent));
        if (!s.idleWaitLimitSeconds) return false;
        file.Write(kOptions, L"IdleTimeOut", std::to_wstring(*s.idleWaitLimitSeconds));
        return true;
    };
    const bool complete = write();
    if (!platform::WriteFileAtomic(path, file.ToBytes())) return SettingsSaveResult::WriteRefused;
    return complete ? SettingsSaveResult::Saved : SettingsSaveResult::NumberMissing;
}

}  // namespace lentora
