// Every option of the program with its default. option_declarations.cpp says for each where
// "lentora.ini" keeps it and how the Options page shows it; the page shows and edits these values,
// start-up reads them once and the close writes them once.
#pragma once
#include <optional>
#include <string>

namespace lentora {

struct Settings {
    bool useSkin = false;
    bool useAero = false;                          // extended window borders with a skin
    std::wstring skinName = L"Vista (internal)";
    std::wstring languageName = L"English (EN)";   // display name of the language file
    bool showBalloon = false;                      // a balloon at every launch
    // Whole numbers of their fields; empty while a field holds no whole number (being edited),
    // which stops a save at that key.
    std::optional<int> delayOfStartSeconds = 0;
    std::optional<int> exitAfterSeconds = 10;      // after the last launch
    bool delayOfStart = false;                     // the delay of start is on
    bool taskListInProfile = false;                // the task list in the user's profile
    bool checkForUpdates = true;
    std::optional<int> pollingIntervalDays = 7;    // days between checks
    double lastUpdateCheck = 0;                    // days since 30 December 1899; 0: no check has succeeded
    bool waitForIdle = false;                      // each launch waits for a calm system
    std::optional<int> idleThresholdPercent = 30;  // CPU use below it is calm
    std::optional<int> idleWaitLimitSeconds = 60;  // longest wait per task
    bool useLog = false;                           // set by hand in the file only

    // The numbers' ranges; the walk keeps to the idle wait's too.
    static constexpr int kMaxSeconds = 999999;
    static constexpr int kMaxPollingDays = 365;
    static constexpr int kMinIdleThreshold = 5, kMaxIdleThreshold = 95;
    static constexpr int kMinIdleWait = 1, kMaxIdleWait = 3600;
};

}  // namespace lentora
