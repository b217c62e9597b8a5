// Every option of the program with its default, as kept in "lentora.ini". The options page shows
// and edits these values; start-up reads them once and the close writes them once.
#pragma once
#include <optional>
#include <string>

namespace lentora {

struct Settings {
    // [Skin]
    bool useSkin = false;                          // "UseSkin" (written "Useskin")
    bool useAero = false;                          // "UseAero": extended window borders with a skin
    std::wstring skinName = L"Vista (internal)";   // "CurrentSkin" (written "Currentskin")
    // [Language]
    std::wstring languageName = L"English (EN)";   // "CurrentLanguage": display name of the language file
    // [Options]
    bool showBalloon = false;                      // "ShowBalloon": a balloon at every launch
    // Whole numbers of their fields; empty while a field holds no whole number (being edited),
    // which stops a save at that key.
    std::optional<int> delayOfStartSeconds = 0;    // "WaitTimeOut", 0..999999
    std::optional<int> exitAfterSeconds = 10;      // "TimeExit", 0..999999: after the last launch
    bool delayOfStart = false;                     // "WaitTimer": the delay of start is on
    bool taskListInProfile = false;                // "UserProfile": the task list in the user's profile
    bool checkForUpdates = true;                   // "check_update"
    std::optional<int> pollingIntervalDays = 7;    // "PollingInterval", 0..365: days between checks
    double lastUpdateCheck = 0;                    // "LastUpdateDate": days since 30 December 1899
    bool waitForIdle = false;                      // "WaitIdle": each launch waits for a calm system
    std::optional<int> idleThresholdPercent = 30;  // "IdleThreshold", 5..95: CPU use below it is calm
    std::optional<int> idleWaitLimitSeconds = 60;  // "IdleTimeOut", 1..3600: longest wait per task
    bool useLog = false;                           // "UseLog": read only, never written

    static constexpr int kMaxSeconds = 999999;
    static constexpr int kMaxPollingDays = 365;
    static constexpr int kMinIdleThreshold = 5, kMaxIdleThreshold = 95;
    static constexpr int kMinIdleWait = 1, kMaxIdleWait = 3600;
};

}  // namespace lentora
