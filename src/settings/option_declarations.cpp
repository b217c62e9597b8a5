#include "settings/option_declarations.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace lentora {
namespace {

constexpr std::wstring_view kSkin = L"Skin", kOptions = L"Options", kLanguage = L"Language";
constexpr auto kCheckBox = OptionControl::CheckBox, kNumberField = OptionControl::NumberField,
               kList = OptionControl::List;

// In the order a save writes them: a file made by the first save holds the sections Skin, Options,
// Language, as files of earlier versions do. English texts are exact, odd spellings included:
// stored language files and users rely on them.
constexpr OptionDeclaration kDeclarations[] = {
    {.member = &Settings::useSkin, .section = kSkin, .key = L"UseSkin", .writtenAs = L"Useskin",
     .control = kCheckBox, .name = L"chbUseSkin", .caption = L"To use skin",
     .hint = L"Enable/disable skin (A little allows to reduce used memory)",
     .hintBeforeLanguage = L"Turn skins on or off (without skins Lentora uses a little less memory)"},
    {.member = &Settings::useAero, .section = kSkin, .key = L"UseAero", .control = kCheckBox, .name = L"chbAero",
     .caption = L"To use Aero Effect", .hint = L"Enable Aero effects",
     .hintBeforeLanguage = L"Turn Aero effects on or off", .enabledBy = &Settings::useSkin},
    {.member = &Settings::showBalloon, .section = kOptions, .key = L"ShowBalloon", .control = kCheckBox,
     .name = L"chkShowBalloon", .caption = L"Show BallonHint on launch task", .hint = L"Show BallonHint on launch task",
     .hintBeforeLanguage = L"Show a notification balloon each time a task starts"},
    {.member = &Settings::skinName, .section = kSkin, .key = L"CurrentSkin", .writtenAs = L"Currentskin",
     .control = kList, .name = L"sSkinBox", .enabledBy = &Settings::useSkin},
    {.member = &Settings::languageName, .section = kLanguage, .key = L"CurrentLanguage", .control = kList,
     .name = L"cbLanguageSelect"},
    {.member = &Settings::delayOfStartSeconds, .section = kOptions, .key = L"WaitTimeOut", .minValue = 0,
     .maxValue = Settings::kMaxSeconds, .control = kNumberField, .name = L"dseWaitSec",
     .caption = L"Delay of start (s)", .hint = L"Time of delay (s)",
     .hintBeforeLanguage = L"How many seconds to wait before the task list is processed",
     .enabledBy = &Settings::delayOfStart},
    {.member = &Settings::exitAfterSeconds, .section = kOptions, .key = L"TimeExit", .minValue = 0,
     .maxValue = Settings::kMaxSeconds, .control = kNumberField, .name = L"dseTimeExit",
     .caption = L"Time before exit (s)",
     .hint = L"Time which the program waits before closing after start of all tasks (s)",
     .hintBeforeLanguage = L"How many seconds Lentora waits after the last task has started before it closes"},
    {.member = &Settings::delayOfStart, .section = kOptions, .key = L"WaitTimer", .control = kCheckBox,
     .name = L"chbSetWaitTimer", .caption = L"To use delay of start",
     .hint = L"The delay, time after which starts start under the task list.",
     .hintBeforeLanguage = L"Wait for a while after sign-in before the task list is processed"},
    {.member = &Settings::taskListInProfile, .section = kOptions, .key = L"UserProfile", .control = kCheckBox,
     .name = L"chkUserProfile", .caption = L"Use User's Profile",
     .hint = L"For each user the personal profile of loading is used.",
     .hintBeforeLanguage = L"Keep a separate task list for each Windows user"},
    {.member = &Settings::checkForUpdates, .section = kOptions, .key = L"check_update", .control = kCheckBox,
     .name = L"chkCheckforUpdate", .caption = L"Check for updates", .hint = L"Check for updates",
     .hintBeforeLanguage = L"Check automatically whether a new version of Lentora is available"},
    {.member = &Settings::pollingIntervalDays, .section = kOptions, .key = L"PollingInterval", .minValue = 0,
     .maxValue = Settings::kMaxPollingDays, .control = kNumberField, .name = L"dsePollingInterval",
     .caption = L"Polling interval (in days)", .hint = L"Polling interval (0 - every time)",
     .captionKey = L"dsePollingInterval",
     .hintBeforeLanguage = L"How often to check for updates, in days (0 means at every start)"},
    // Shown by the page's own read-only field, as a date or as "never checked".
    {.member = &Settings::lastUpdateCheck, .section = kOptions, .key = L"LastUpdateDate"},
    {.member = &Settings::waitForIdle, .section = kOptions, .key = L"WaitIdle", .control = kCheckBox,
     .name = L"chbWaitIdle", .caption = L"Wait until the system is idle before each launch",
     .hint = L"Before each launch, wait until the processors have been less busy than the threshold for two seconds"},
    {.member = &Settings::idleThresholdPercent, .section = kOptions, .key = L"IdleThreshold",
     .minValue = Settings::kMinIdleThreshold, .maxValue = Settings::kMaxIdleThreshold, .control = kNumberField,
     .name = L"dseIdleThreshold", .caption = L"Idle below CPU use (%)",
     .hint = L"Total processor use below which the system counts as idle, in per cent",
     .enabledBy = &Settings::waitForIdle},
    {.member = &Settings::idleWaitLimitSeconds, .section = kOptions, .key = L"IdleTimeOut",
     .minValue = Settings::kMinIdleWait, .maxValue = Settings::kMaxIdleWait, .control = kNumberField,
     .name = L"dseIdleTimeOut", .caption = L"Longest wait (s)",
     .hint = L"A task waits for the system no longer than this, then starts anyway, in seconds",
     .enabledBy = &Settings::waitForIdle},
    {.member = &Settings::useLog, .section = kOptions, .key = L"UseLog", .readOnly = true},
};

// What a row must hold for its control, checked as the table is compiled: a wrong row fails the build
// instead of throwing when the page or the file first reaches it.
template <class T>
constexpr bool Holds(const OptionDeclaration& d) {
    return std::holds_alternative<T Settings::*>(d.member);
}
constexpr bool WellFormed(const OptionDeclaration& d) {
    if (d.section.empty() || d.key.empty()) return false;
    if (Holds<std::optional<int>>(d) && d.minValue > d.maxValue) return false;
    const bool texts = !d.name.empty() && !d.caption.empty() && !d.hint.empty();
    switch (d.control) {
        case OptionControl::None: return d.name.empty() && d.caption.empty() && d.hint.empty();
        case OptionControl::CheckBox: return Holds<bool>(d) && texts;
        case OptionControl::NumberField: return Holds<std::optional<int>>(d) && texts;
        case OptionControl::List: return Holds<std::wstring>(d) && !d.name.empty();
    }
    return false;
}
static_assert(std::ranges::all_of(kDeclarations, WellFormed));

}  // namespace

std::span<const OptionDeclaration> OptionDeclarations() { return kDeclarations; }

const OptionDeclaration& DeclarationOf(const OptionMember& member) {
    auto it = std::ranges::find(kDeclarations, member, &OptionDeclaration::member);
    if (it == std::end(kDeclarations)) throw std::invalid_argument("a member of Settings without its declaration");
    return *it;
}

}  // namespace lentora
