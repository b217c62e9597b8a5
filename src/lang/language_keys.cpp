#include "lang/language_keys.h"

#include <algorithm>
#include <array>
#include <deque>
#include <iterator>
#include <string>

#include "settings/option_declarations.h"
#include "tasks/task_columns.h"

namespace lentora {
namespace {

constexpr auto kCatalogue = LangRoutine::AddLanguageFile;
constexpr auto kMain = LangRoutine::ApplyLanguage;
constexpr auto kProperty = LangRoutine::ApplyPropertyTexts;
constexpr auto kRegistry = LangRoutine::ApplyRegistryTexts;

// Defaults are exact, odd spellings included: stored language files and users rely on them. The
// columns' captions and the options' captions and hints join from their declarations.
constexpr LanguageKey kKeysBeforeColumns[] = {
    {kCatalogue, L"FILE", L"Name", L"Error", L"cbLanguageSelect.item"},

    {kMain, L"FILE", L"Language", L"EN", L"TLngParam.ShortName"},
    {kMain, L"FILE", L"AUTHOR", L"Unknown", L"TLngParam.AutorLNG"},
    {kMain, L"FILE", L"Version", L"0.0", L"TLngParam.verLNG"},

    {kMain, L"PAGES", L"tsStartProgram", L"Start of programs", L"pcMainPage.tsStartProgram.caption"},
    {kMain, L"PAGES", L"tsLastStart", L"Last start", L"pcMainPage.tsLastStart.caption"},
    {kMain, L"PAGES", L"tsOptions", L"Options", L"pcMainPage.tsOptions.caption"},
    {kMain, L"PAGES", L"tsAbout", L"About", L"pcMainPage.tsAbout.caption"},
    {kMain, L"PAGES", L"tsDonate", L"Donate", L"pcAbout.tsDonate.caption", L"sbtbtnDonate.caption"},
    {kMain, L"PAGES", L"tsAboutProg", L"About", L"pcAbout.tsAboutProg.caption"},
    {kMain, L"PAGES", L"tsLicense", L"License", L"pcAbout.tsLicense.caption"},
    {kMain, L"PAGES", L"tsComponents", L"Used components", L"pcAbout.tsComponents.caption"},
    {kMain, L"PAGES", L"tsLog", L"Log", L"pcMainPage.tsLog.caption"},
};

// The captions of the task list's columns, in the columns' order, from their declarations.
constexpr auto kColumnKeys = [] {
    std::array<LanguageKey, std::size(kTaskColumns)> keys{};
    for (size_t i = 0; i < keys.size(); ++i)
        keys[i] = {kMain, kTaskColumnSection, kTaskColumns[i].languageKey, L"no data", kTaskColumns[i].captionTarget};
    return keys;
}();

constexpr LanguageKey kKeysAfterColumns[] = {
    {kMain, L"ACTIONS", L"actAddTask", L"Add", L"actAddTask.caption"},
    {kMain, L"ACTIONS", L"actEditTask", L"Edit", L"actEditTask.caption"},
    {kMain, L"ACTIONS", L"actDeleteTask", L"Delete", L"actDeleteTask.caption"},
    {kMain, L"ACTIONS", L"actCloseApp", L"Exit", L"actCloseApp.caption"},
    {kMain, L"ACTIONS", L"actApplyLng", L"Apply", L"actApplyLng.caption"},
    {kMain, L"ACTIONS", L"actStart", L"Start the program", L"actStart.caption"},
    {kMain, L"ACTIONS", L"actDeleteAllTask", L"Delete All Tasks", L"actDeleteAllTask.caption"},
    {kMain, L"ACTIONS", L"actStop", L"Stop", L"actStop.caption"},
    {kMain, L"ACTIONS", L"mnuShow", L"Show window", L"mnuShow.caption"},
    {kMain, L"ACTIONS", L"actPause", L"Pause", L"actPause.caption"},
    {kMain, L"ACTIONS", L"actResume", L"Resume", L"actResume.caption"},
    {kMain, L"ACTIONS", L"actSetActiveAll", L"Activate all tasks", L"actSetActiveAll.caption"},
    {kMain, L"ACTIONS", L"actDeactiveAll", L"Off all tasks", L"actDeactiveAll.caption"},
    {kMain, L"ACTIONS", L"actWait", L"Stop waiting", L"actWait.caption"},
    {kMain, L"ACTIONS", L"actStartNext", L"Start next now", L"actStartNext.caption"},
    {kMain, L"ACTIONS", L"actSpaceByMeasurement", L"Space by measurement", L"actSpaceByMeasurement.caption"},

    {kMain, L"HINTS", L"actAddTask", L"To add a file for start in the task list", L"actAddTask.hint"},
    {kMain, L"HINTS", L"actEditTask", L"To edit the selected task in the task list", L"actEditTask.hint"},
    {kMain, L"HINTS", L"actDeleteTask", L"To delete the selected task from the task list", L"actDeleteTask.hint"},
    {kMain, L"HINTS", L"actCloseApp", L"Close Application", L"actCloseApp.hint"},
    {kMain, L"HINTS", L"actApplyLng", L"Change Language", L"actApplyLng.hint"},
    {kMain, L"HINTS", L"chbWindowsStart",
     L"Registers in the registry for the current user program start",
     L"chbWindowsStart.hint"},
    {kMain, L"HINTS", L"sbtnWait",
     L"The delay of start Is active. Press for a stop of delay of start and transition in a hand-held mode.",
     L"actWait.hint"},
    {kMain, L"HINTS", L"btnCreateLink", L"Create startup link", L"btnCreateLink.hint"},
    {kMain, L"HINTS", L"sbUpSB", L"Scrolling the settings page up", L"sbUpSB.hint"},
    {kMain, L"HINTS", L"sbDownSB", L"Scrolling the settings page down", L"sbDownSB.hint"},
    {kMain, L"HINTS", L"btnSaveOptions", L"Save options", L"btnSaveOptions.hint"},
    {kMain, L"HINTS", L"btnCheckUpdates", L"Check updates", L"btnCheckUpdates.hint"},
    {kMain, L"HINTS", L"ledLastPool", L"Date of last pool updates", L"ledLastPool.hint"},
    {kMain, L"HINTS", L"actStartNext", L"Start the next task now, without waiting for its delay or for the system",
     L"actStartNext.hint"},
    {kMain, L"HINTS", L"actSpaceByMeasurement", L"Propose delays so that each program starts once the one before it has settled", L"actSpaceByMeasurement.hint"},
    {kMain, L"HINTS", L"mmoDonate",
     L"If you liked the program, you can keep its development having transferred into account commands the "
     L"small sum of money",
     L"mmoDonate.text"},

    {kMain, L"OPTIONS", L"gbStartStop", L"Customisations of start / closing", L"gbStartStop.caption"},
    {kMain, L"OPTIONS", L"gbSkins", L"Skins", L"gbSkins.caption"},
    {kMain, L"OPTIONS", L"gbLanguage", L"Language", L"gbLanguage.caption"},
    {kMain, L"OPTIONS", L"chbWindowsStart", L"To start at Windows loading", L"chbWindowsStart.caption"},
    {kMain, L"OPTIONS", L"wlblLoadSkins", L"To load additiona skins", L"wlblLoadSkins.caption"},
    {kMain, L"OPTIONS", L"btnCreateLink", L"Create startup link", L"btnCreateLink.caption"},
    {kMain, L"OPTIONS", L"sbUpSB", L"Up", L"sbUpSB.caption"},
    {kMain, L"OPTIONS", L"sbDownSB", L"Down", L"sbDownSB.caption"},
    {kMain, L"OPTIONS", L"btnSaveOptions", L"Save options", L"btnSaveOptions.caption"},
    {kMain, L"OPTIONS", L"btnCheckUpdates", L"Check updates", L"btnCheckUpdates.caption"},
    {kMain, L"OPTIONS", L"ledLastPool", L"Last pool", L"ledLastPool.BoundLabel"},
    {kMain, L"OPTIONS", L"gbIdleWait", L"Launch when the system is idle", L"gbIdleWait.caption"},

    {kMain, L"MSG", L"MSG1", L"no data", L"LngMsg.MSG1"},
    {kMain, L"MSG", L"MSG2", L"no data", L"LngMsg.MSG2"},
    {kMain, L"MSG", L"MSG3", L"no data", L"LngMsg.MSG3"},
    {kMain, L"MSG", L"MSG4", L"no data", L"LngMsg.MSG4"},
    {kMain, L"MSG", L"MSG5", L"no data", L"LngMsg.MSG5"},
    {kMain, L"MSG", L"MSG6", L"no data", L"LngMsg.MSG6"},
    {kMain, L"MSG", L"MSG7", L"no data", L"LngMsg.MSG7"},
    {kMain, L"MSG", L"MSG8", L"no data", L"LngMsg.MSG8"},
    {kMain, L"MSG", L"MSG9", L"no data", L"LngMsg.MSG9"},
    {kMain, L"MSG", L"MSG10", L"no data", L"LngMsg.MSG10"},
    {kMain, L"MSG", L"MSG11", L"no data", L"LngMsg.MSG11"},
    {kMain, L"MSG", L"MSG12", L"no data", L"LngMsg.MSG12"},
    {kMain, L"MSG", L"MSG13", L"no data", L"LngMsg.MSG13"},
    {kMain, L"MSG", L"MSG14", L"no data", L"LngMsg.MSG14"},
    {kMain, L"MSG", L"MSG15", L"no data", L"LngMsg.MSG15"},
    {kMain, L"MSG", L"MSG16", L"no data", L"LngMsg.MSG16"},
    {kMain, L"MSG", L"MSG17", L"no data", L"LngMsg.MSG17"},
    {kMain, L"MSG", L"MSG18", L"no data", L"LngMsg.MSG18"},
    {kMain, L"MSG", L"MSG19", L"no data", L"LngMsg.MSG19"},
    {kMain, L"MSG", L"MSG20", L"no data", L"LngMsg.MSG20"},
    {kMain, L"MSG", L"MSG21", L"no data", L"LngMsg.MSG21"},
    {kMain, L"MSG", L"MSG22", L"no data", L"LngMsg.MSG22"},
    {kMain, L"MSG", L"MSG23", L"no data", L"LngMsg.MSG23"},
    {kMain, L"MSG", L"MSG24", L"no data", L"LngMsg.MSG24"},
    {kMain, L"MSG", L"MSG25", L"no data", L"LngMsg.MSG25"},
    {kMain, L"MSG", L"MSG26", L"no data", L"LngMsg.MSG26"},
    {kMain, L"MSG", L"MSG27", L"no data", L"LngMsg.MSG27"},
    {kMain, L"MSG", L"MSG28", L"no data", L"LngMsg.MSG28"},
    {kMain, L"MSG", L"MSG29", L"no data", L"LngMsg.MSG29"},
    {kMain, L"MSG", L"MSG30", L"no data", L"LngMsg.MSG30"},
    {kMain, L"MSG", L"MSG31", L"no data", L"LngMsg.MSG31"},
    {kMain, L"MSG", L"MSG32", L"no data", L"LngMsg.MSG32"},
    {kMain, L"MSG", L"MSG33", L"no data", L"LngMsg.MSG33"},
    {kMain, L"MSG", L"MSG34", L"no data", L"LngMsg.MSG34"},
    {kMain, L"MSG", L"MSG35", L"no data", L"LngMsg.MSG35"},
    {kMain, L"MSG", L"MSG36", L"no data", L"LngMsg.MSG36"},
    {kMain, L"MSG", L"MSG37", L"no data", L"LngMsg.MSG37"},
    {kMain, L"MSG", L"MSG38", L"no data", L"LngMsg.MSG38"},
    {kMain, L"MSG", L"MSG39", L"no data", L"LngMsg.MSG39"},
    // Later messages (NamedMsg): English defaults, since older language files lack them.
    {kMain, L"MSG", L"EntryNotTakenOver",
     L"The start-up entry could not be switched off in the Windows start-up list. No task was added.",
     L"LngMsg.EntryNotTakenOver"},
    {kMain, L"MSG", L"StartupFolderNotFound",
     L"The Startup folder could not be found. The shortcut was not created.",
     L"LngMsg.StartupFolderNotFound"},
    {kMain, L"MSG", L"ShortcutNotCreated", L"The shortcut \"%s\" could not be created.",
     L"LngMsg.ShortcutNotCreated"},
    {kMain, L"MSG", L"TaskDeclinedStatus", L"Declined", L"LngMsg.TaskDeclinedStatus"},
    {kMain, L"MSG", L"WaitingForSystem", L"Waiting for the system to be idle...", L"LngMsg.WaitingForSystem"},
    {kMain, L"MSG", L"AwaitingConsentStatus", L"Waiting for consent", L"LngMsg.AwaitingConsentStatus"},
    {kMain, L"MSG", L"LaunchesFailedStatus", L"%s of %s tasks failed to start",
     L"LngMsg.LaunchesFailedStatus"},
    {kMain, L"MSG", L"LaunchFailedTitle", L"Could not start", L"LngMsg.LaunchFailedTitle"},
    {kMain, L"MSG", L"ElevateQuestion",
     L"\"%s\" is started by Windows for every user: switching it off needs administrator rights. "
     L"Switch it off with administrator rights now?",
     L"LngMsg.ElevateQuestion"},
    {kMain, L"MSG", L"ElevationDeclined",
     L"Administrator rights were not given: \"%s\" stays in the Windows start-up list. No task was added.",
     L"LngMsg.ElevationDeclined"},
    {kMain, L"MSG", L"NeverChecked", L"Never", L"LngMsg.NeverChecked"},
    {kMain, L"MSG", L"ImpactLow", L"Low", L"LngMsg.ImpactLow"},
    {kMain, L"MSG", L"ImpactMedium", L"Medium", L"LngMsg.ImpactMedium"},
    {kMain, L"MSG", L"ImpactHigh", L"High", L"LngMsg.ImpactHigh"},
    {kMain, L"MSG", L"ImpactTip", L"Measured starts: %s. Typical CPU %s, disk %s, settled after %s", L"LngMsg.ImpactTip"},
    {kMain, L"MSG", L"UnknownFigure", L"unknown", L"LngMsg.UnknownFigure"},
    {kMain, L"MSG", L"SecondsFigure", L"%s s", L"LngMsg.SecondsFigure"},
    {kMain, L"MSG", L"MegabytesFigure", L"%s MB", L"LngMsg.MegabytesFigure"},
    {kMain, L"MSG", L"SpacingTitle", L"Space by measurement", L"LngMsg.SpacingTitle"},
    {kMain, L"MSG", L"SpacingExplanation", L"Each program is due once the one before it has settled, as measured at its last starts. The first task keeps its delay. Nothing changes until you apply.", L"LngMsg.SpacingExplanation"},
    {kMain, L"MSG", L"SpacingProgram", L"Program", L"LngMsg.SpacingProgram"},
    {kMain, L"MSG", L"SpacingNow", L"Delay now (s)", L"LngMsg.SpacingNow"},
    {kMain, L"MSG", L"SpacingProposed", L"Proposed (s)", L"LngMsg.SpacingProposed"},
    {kMain, L"MSG", L"SpacingBasis", L"From", L"LngMsg.SpacingBasis"},
    {kMain, L"MSG", L"SpacingMeasured", L"measurement", L"LngMsg.SpacingMeasured"},
    {kMain, L"MSG", L"SpacingKept", L"today's spacing", L"LngMsg.SpacingKept"},
    {kMain, L"MSG", L"SpacingApply", L"Apply", L"LngMsg.SpacingApply"},
    {kMain, L"MSG", L"SpacingCancel", L"Cancel", L"LngMsg.SpacingCancel"},
    {kMain, L"MSG", L"SpacingNothingMeasured", L"None of the enabled tasks has been measured at a start yet. Start them once (at log-on or with the Start button), then try again.", L"LngMsg.SpacingNothingMeasured"},
    {kMain, L"MSG", L"LastStartAtLogOn", L"%s, at log-on", L"LngMsg.LastStartAtLogOn"},
    {kMain, L"MSG", L"LastStartByButton", L"%s, by the button", L"LngMsg.LastStartByButton"},
    {kMain, L"MSG", L"LastStartNone", L"No start has been measured yet. Once the programs have been started, the last start is shown here.", L"LngMsg.LastStartNone"},
    {kMain, L"MSG", L"LastStartCpu", L"CPU: %s", L"LngMsg.LastStartCpu"},
    {kMain, L"MSG", L"LastStartCpuOwn", L"CPU: %s, the program's own", L"LngMsg.LastStartCpuOwn"},
    {kMain, L"MSG", L"LastStartCpuMachine", L"CPU: %s, the machine's share", L"LngMsg.LastStartCpuMachine"},
    {kMain, L"MSG", L"LastStartRead", L"Read: %s", L"LngMsg.LastStartRead"},
    {kMain, L"MSG", L"LastStartWritten", L"Written: %s", L"LngMsg.LastStartWritten"},
    {kMain, L"MSG", L"LastStartPeakMemory", L"Peak private memory: %s", L"LngMsg.LastStartPeakMemory"},
    {kMain, L"MSG", L"LastStartReadyAfter", L"Ready after: %s", L"LngMsg.LastStartReadyAfter"},
    {kMain, L"MSG", L"LastStartSettledAfter", L"Settled after: %s", L"LngMsg.LastStartSettledAfter"},
    {kMain, L"MSG", L"LastStartNoWindow", L"no window", L"LngMsg.LastStartNoWindow"},
    {kMain, L"MSG", L"LastStartNotWithin", L"not within the measuring time", L"LngMsg.LastStartNotWithin"},

    {kMain, L"LABELS", L"lblSitePrg", L"Program site", L"lblSitePrg.caption", {}, L": "},
    {kMain, L"LABELS", L"lblWinVersion", L"for Windows 98/2000/XP/Vista/7/8.x", L"lblWinVersion.caption"},
    {kMain, L"LABELS", L"sLabel1", L"\u00A9 2026 Orvend", L"sLabel1.caption"},
    {kMain, L"LABELS", L"lblFreeware", L"FREEWARE", L"lblFreeware.caption"},
    {kMain, L"LABELS", L"gbComponents", L"Used components", L"gbComponents.caption"},
    {kMain, L"LABELS", L"lblCTI", L"Tray icon component (Shell_NotifyIcon), ver. 1.0", L"lblCTI.caption"},
    {kMain, L"LABELS", L"lblPay1", L"Card payment", L"lblPay1.caption"},
    {kMain, L"LABELS", L"lblPay2", L"E-wallet", L"lblPay2.caption"},

    {kProperty, L"PAGES", L"frmPropertyA", L"Adding task", L"frmProperty.title.add"},
    {kProperty, L"PAGES", L"frmPropertyE", L"Editing task", L"frmProperty.title.edit"},

    {kProperty, L"OPTIONS", L"chbEnableTask", L"Enable Task", L"frmProperty.chbEnableTask.caption"},
    {kProperty, L"OPTIONS", L"dseTime", L"Delay (s)", L"frmProperty.dseTime.BoundLabel"},
    {kProperty, L"OPTIONS", L"feSelectFile", L"Program", L"frmProperty.feSelectFile.BoundLabel"},
    {kProperty, L"OPTIONS", L"bbtnOk", L"Ok", L"frmProperty.bbtnOk.caption"},
    {kProperty, L"OPTIONS", L"bbtnCancel", L"Cancel", L"frmProperty.bbtnCancel.caption"},
    {kProperty, L"OPTIONS", L"chbDisableReg", L"Disable in registry", L"frmProperty.chbDisableReg.caption"},
    {kProperty, L"OPTIONS", L"sbtnImport",
     L"Import from regystry",
     L"frmProperty.sbtnImport.caption",
     L"frmProperty.sbtnImport.hint"},

    {kProperty, L"HINTS", L"chbEnableTask",
     L"Task enable/disable. If the task is switched off it not started.",
     L"frmProperty.chbEnableTask.hint"},
    {kProperty, L"HINTS", L"dseTime", L"Delay before an application launch", L"frmProperty.dseTime.hint"},
    {kProperty, L"HINTS", L"feSelectFile",
     L"Specify the application for start. It is possible to specify keys if the application supports them, "
     L"for example: \"C:\\Program Files\\The Bat!\\thebat.exe /minimize\"",
     L"frmProperty.feSelectFile.hint"},
    {kProperty, L"HINTS", L"chbDisableReg",
     L"Switches the entry off in the Windows start-up list, as Task Manager does, so that only this task starts "
     L"the program. \"Give back\" in the start-up entries list switches it on again.",
     L"frmProperty.chbDisableReg.hint"},

    {kRegistry, L"REGLST", L"COL0", L"no data", L"frmRegistryEdit.lvRegView.column0.caption"},
    {kRegistry, L"REGLST", L"COL1", L"no data", L"frmRegistryEdit.lvRegView.column1.caption"},
    {kRegistry, L"REGLST", L"COL2", L"no data", L"frmRegistryEdit.lvRegView.column2.caption"},
    {kRegistry, L"REGLST", L"COL3", L"no data", L"frmRegistryEdit.lvRegView.column3.caption"},
    // Later texts of the dialog: English defaults, since older language files lack them.
    {kRegistry, L"REGLST", L"UserFolder", L"User folder", L"frmRegistryEdit.UserFolder.text"},
    {kRegistry, L"REGLST", L"CommonFolder", L"All users", L"frmRegistryEdit.CommonFolder.text"},
    {kRegistry, L"REGLST", L"GiveBackQuestion",
     L"Give \"%s\" back to the Windows start-up? Windows will start it at log-on again. "
     L"Yes: remove its task. No: keep the task, disabled.",
     L"frmRegistryEdit.GiveBackQuestion.text"},
    {kRegistry, L"REGLST", L"GiveBackNotWritten",
     L"\"%s\" could not be given back: changing this start-up entry needs administrator rights. Run Lentora as "
     L"administrator to give it back.",
     L"frmRegistryEdit.GiveBackNotWritten.text"},
    {kRegistry, L"REGLST", L"GiveBackNameTaken",
     L"\"%s\" could not be given back: the Windows start-up list already holds another entry of that name.",
     L"frmRegistryEdit.GiveBackNameTaken.text"},
    {kRegistry, L"REGLST", L"Starts", L"Yes", L"frmRegistryEdit.Starts.text"},
    {kRegistry, L"REGLST", L"SwitchedOff", L"No", L"frmRegistryEdit.SwitchedOff.text"},
    {kRegistry, L"REGLST", L"TakenOver", L"By a task", L"frmRegistryEdit.TakenOver.text"},
    {kRegistry, L"REGLST", L"GiveBackElevateQuestion",
     L"\"%s\" is started by Windows for every user: switching it on again needs administrator rights. "
     L"Switch it on with administrator rights now?",
     L"frmRegistryEdit.GiveBackElevateQuestion.text"},
    {kRegistry, L"REGLST", L"GiveBackDeclined",
     L"Administrator rights were not given: \"%s\" stays switched off in the Windows start-up list.",
     L"frmRegistryEdit.GiveBackDeclined.text"},

    {kRegistry, L"PAGES", L"frmRegistryEdit", L"Import from Registry", L"frmRegistryEdit.title"},

    {kRegistry, L"OPTIONS", L"btnRegImport", L"Import", L"frmRegistryEdit.btnRegImport.caption"},
    {kRegistry, L"OPTIONS", L"btnDisableReg", L"Disable", L"frmRegistryEdit.btnDisableReg.caption"},
    {kRegistry, L"OPTIONS", L"btnEnableReg", L"Enable", L"frmRegistryEdit.btnEnableReg.caption"},
    {kRegistry, L"OPTIONS", L"btnGiveBack", L"Give back", L"frmRegistryEdit.btnGiveBack.caption"},
    {kRegistry, L"OPTIONS", L"btnRegClose", L"Close", L"frmRegistryEdit.btnRegClose.caption"},

    {kRegistry, L"HINTS", L"btnRegImport", L"Import", L"frmRegistryEdit.btnRegImport.hint"},
    {kRegistry, L"HINTS", L"btnDisableReg", L"Disable", L"frmRegistryEdit.btnDisableReg.hint"},
    {kRegistry, L"HINTS", L"btnEnableReg", L"Enable", L"frmRegistryEdit.btnEnableReg.hint"},
    {kRegistry, L"HINTS", L"btnGiveBack", L"Give the selected entry back to the Windows start-up",
     L"frmRegistryEdit.btnGiveBack.hint"},
    {kRegistry, L"HINTS", L"btnRegClose", L"Close this list", L"frmRegistryEdit.btnRegClose.hint"},
};

constexpr auto kKeys = [] {
    std::array<LanguageKey, std::size(kKeysBeforeColumns) + kColumnKeys.size() + std::size(kKeysAfterColumns)> keys{};
    auto end = std::ranges::copy(kKeysBeforeColumns, keys.begin()).out;
    end = std::ranges::copy(kColumnKeys, end).out;
    std::ranges::copy(kKeysAfterColumns, end);
    return keys;
}();

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
    auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; };
    return std::ranges::equal(a, b, [&](wchar_t x, wchar_t y) { return lower(x) == lower(y); });
}

// The table above with the declared options' keys, each after the main window's keys of its
// section. An option's targets are made from its control's name, so they are kept here for the
// life of the program (a deque moves none of them as it grows).
class AllKeys {
public:
    AllKeys() {
        for (auto k = std::begin(kKeys); k != std::end(kKeys); ++k) {
            keys_.push_back(*k);
            const auto next = k + 1;
            const bool runEnds = next == std::end(kKeys) || next->routine != k->routine || next->section != k->section;
            if (runEnds && k->routine == kMain) AddOptionKeys(k->section);
        }
    }
    std::span<const LanguageKey> Keys() const { return keys_; }

private:
    void AddOptionKeys(std::wstring_view section) {
        for (const OptionDeclaration& option : OptionDeclarations()) {
            if (option.caption.empty()) continue;  // no texts of its own
            const std::wstring name(option.name);
            if (section == L"HINTS") {
                keys_.push_back({kMain, section, option.name, option.hint, Kept(name + L".hint")});
            } else if (section == L"OPTIONS") {
                // A check box's caption is keyed by its name, a number field's label by its target.
                const bool box = option.control == OptionControl::CheckBox;
                const std::wstring_view target = Kept(name + (box ? L".caption" : L".BoundLabel"));
                const std::wstring_view key = !option.captionKey.empty() ? option.captionKey : box ? option.name : target;
                keys_.push_back({kMain, section, key, option.caption, target});
            }
        }
    }
    std::wstring_view Kept(std::wstring text) { return texts_.emplace_back(std::move(text)); }

    std::deque<std::wstring> texts_;
    std::vector<LanguageKey> keys_;
};

}  // namespace

std::span<const LanguageKey> LanguageKeys() {
    static const AllKeys all;
    return all.Keys();
}

std::vector<const LanguageKey*> LanguageKeysOf(LangRoutine routine) {
    std::vector<const LanguageKey*> out;
    for (const auto& k : LanguageKeys()) {
        if (k.routine == routine) out.push_back(&k);
    }
    return out;
}

const LanguageKey* FindLanguageKeyByTarget(std::wstring_view target) {
    if (target.empty()) return nullptr;  // most keys have an empty second target
    const auto keys = LanguageKeys();
    auto it = std::ranges::find_if(keys, [&](const LanguageKey& k) { return k.target == target || k.target2 == target; });
    return it == keys.end() ? nullptr : &*it;
}

const LanguageKey* FindLanguageKey(std::wstring_view section, std::wstring_view key) {
    const auto keys = LanguageKeys();
    auto it = std::ranges::find_if(
        keys, [&](const LanguageKey& k) { return EqualsNoCase(k.section, section) && EqualsNoCase(k.key, key); });
    return it == keys.end() ? nullptr : &*it;
}

}  // namespace lentora
