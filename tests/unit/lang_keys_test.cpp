#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "lang/language_keys.h"
#include "lang/language_messages.h"
#include "settings/option_declarations.h"
#include "tasks/task_columns.h"

namespace lentora {
namespace {

std::wstring Name(const LanguageKey& k) { return std::wstring(k.section) + L"/" + std::wstring(k.key); }

TEST(LanguageKeys, EachKeyIsReadOnceAndEachTargetIsSetByOneKey) {
    std::set<std::tuple<std::wstring_view, std::wstring_view>> keys;
    std::set<std::wstring_view> targets;
    for (const auto& k : LanguageKeys()) {
        EXPECT_TRUE(keys.emplace(k.section, k.key).second) << "twice: " << Name(k);
        EXPECT_FALSE(k.target.empty()) << Name(k);
        for (auto t : {k.target, k.target2}) {
            if (!t.empty()) {
                EXPECT_TRUE(targets.insert(t).second) << "target set twice: " << std::wstring(t);
            }
        }
    }
}

TEST(LanguageKeys, DefaultsAreExactOddSpellingsIncluded) {
    struct Case {
        const wchar_t* section;
        const wchar_t* key;
        const wchar_t* defaultText;
    };
    const Case cases[] = {
        {L"FILE", L"Name", L"Error"},
        {L"FILE", L"Version", L"0.0"},
        {L"PAGES", L"tsStartProgram", L"Start of programs"},
        {L"ACTIONS", L"actDeactiveAll", L"Off all tasks"},
        {L"ACTIONS", L"actWait", L"Stop waiting"},
        {L"HINTS", L"chbWindowsStart", L"Registers in the registry for the current user program start"},
        {L"HINTS", L"sbtnWait",
         L"The delay of start Is active. Press for a stop of delay of start and transition in a hand-held mode."},
        {L"HINTS", L"chkShowBalloon", L"Show BallonHint on launch task"},
        {L"HINTS", L"feSelectFile",
         L"Specify the application for start. It is possible to specify keys if the application supports them, "
         L"for example: \"C:\\Program Files\\The Bat!\\thebat.exe /minimize\""},
        {L"OPTIONS", L"wlblLoadSkins", L"To load additiona skins"},
        {L"OPTIONS", L"chkUserProfile", L"Use User's Profile"},
        {L"OPTIONS", L"dseTimeExit.BoundLabel", L"Time before exit (s)"},
        {L"OPTIONS", L"sbtnImport", L"Import from regystry"},
        {L"OPTIONS", L"bbtnOk", L"Ok"},
        {L"MSG", L"MSG39", L"no data"},
        {L"LABELS", L"lblSitePrg", L"Program site"},
        {L"LABELS", L"lblWinVersion", L"for Windows 98/2000/XP/Vista/7/8.x"},
        {L"REGLST", L"COL3", L"no data"},
    };
    for (const auto& c : cases) {
        const LanguageKey* k = FindLanguageKey(c.section, c.key);
        ASSERT_NE(k, nullptr) << c.section << L"/" << c.key;
        EXPECT_EQ(k->defaultText, c.defaultText) << c.section << L"/" << c.key;
    }
}

// Sections in the order a routine reads them, each run of equal sections once.
std::vector<std::wstring> SectionRuns(LangRoutine routine) {
    std::vector<std::wstring> runs;
    for (const LanguageKey* k : LanguageKeysOf(routine)) {
        if (runs.empty() || runs.back() != k->section) runs.emplace_back(k->section);
    }
    return runs;
}

TEST(LanguageKeys, EachRoutineReadsItsSectionsInOrder) {
    using V = std::vector<std::wstring>;
    EXPECT_EQ(SectionRuns(LangRoutine::AddLanguageFile), V{L"FILE"});
    EXPECT_EQ(SectionRuns(LangRoutine::ApplyLanguage),
              (V{L"FILE", L"PAGES", L"TASK", L"ACTIONS", L"HINTS", L"OPTIONS", L"MSG", L"LABELS"}));
    EXPECT_EQ(SectionRuns(LangRoutine::ApplyPropertyTexts), (V{L"PAGES", L"OPTIONS", L"HINTS"}));
    EXPECT_EQ(SectionRuns(LangRoutine::ApplyRegistryTexts), (V{L"REGLST", L"PAGES", L"OPTIONS", L"HINTS"}));

    // The short name comes first: the licence texts are loaded as soon as it is read.
    EXPECT_EQ(LanguageKeysOf(LangRoutine::ApplyLanguage).front()->key, L"Language");
    std::vector<std::wstring> messages;
    for (const LanguageKey* k : LanguageKeysOf(LangRoutine::ApplyLanguage)) {
        if (k->section == L"MSG") messages.emplace_back(k->key);
    }
    ASSERT_EQ(messages.size(), static_cast<size_t>(kMessageCount + kNamedMsgCount));
    for (int i = 0; i < kMessageCount; ++i) EXPECT_EQ(messages[i], L"MSG" + std::to_wstring(i + 1));
    // The later messages follow by name, each with a default of its own instead of "no data".
    for (int i = 0; i < kNamedMsgCount; ++i) {
        std::wstring_view key = NamedMsgKey(static_cast<NamedMsg>(i));
        EXPECT_EQ(messages[static_cast<size_t>(kMessageCount + i)], key);
        EXPECT_NE(FindLanguageKey(L"MSG", key)->defaultText, L"no data") << std::wstring(key);
    }
}

// The main window reads a caption per column of the task list, in the columns' order: stored language
// files name them by position. Each falls back to "no data" like the other numbered keys.
TEST(LanguageKeys, TheTaskSectionHoldsACaptionPerTaskListColumn) {
    std::vector<const LanguageKey*> task;
    for (const LanguageKey* k : LanguageKeysOf(LangRoutine::ApplyLanguage)) {
        if (k->section == L"TASK") task.push_back(k);
    }
    ASSERT_EQ(task.size(), std::size(kTaskColumns));
    for (size_t i = 0; i < task.size(); ++i) {
        EXPECT_EQ(task[i]->key, L"TASK" + std::to_wstring(i));
        EXPECT_EQ(task[i]->defaultText, L"no data");
    }
}

TEST(LanguageKeys, DialogTextsBelongToTheDialogRoutines) {
    struct Case {
        const wchar_t* section;
        const wchar_t* key;
        LangRoutine routine;
    };
    const Case cases[] = {
        {L"HINTS", L"chbEnableTask", LangRoutine::ApplyPropertyTexts},
        {L"OPTIONS", L"chbDisableReg", LangRoutine::ApplyPropertyTexts},
        {L"PAGES", L"frmPropertyE", LangRoutine::ApplyPropertyTexts},
        {L"PAGES", L"frmRegistryEdit", LangRoutine::ApplyRegistryTexts},
        {L"HINTS", L"btnEnableReg", LangRoutine::ApplyRegistryTexts},
        {L"HINTS", L"mmoDonate", LangRoutine::ApplyLanguage},
        {L"FILE", L"Name", LangRoutine::AddLanguageFile},
    };
    for (const auto& c : cases) {
        const LanguageKey* k = FindLanguageKey(c.section, c.key);
        ASSERT_NE(k, nullptr) << c.section << L"/" << c.key;
        EXPECT_EQ(k->routine, c.routine) << c.section << L"/" << c.key;
    }
}

TEST(LanguageKeys, LookupByTargetFindsSecondTargetsAndByNameIgnoresCase) {
    struct Case {
        const wchar_t* target;
        const wchar_t* section;
        const wchar_t* key;
    };
    const Case cases[] = {
        {L"sbtbtnDonate.caption", L"PAGES", L"tsDonate"},
        {L"actWait.hint", L"HINTS", L"sbtnWait"},
        {L"frmProperty.sbtnImport.hint", L"OPTIONS", L"sbtnImport"},
        {L"frmProperty.sbtnImport.caption", L"OPTIONS", L"sbtnImport"},
        {L"dsePollingInterval.BoundLabel", L"OPTIONS", L"dsePollingInterval"},
        {L"mmoDonate.text", L"HINTS", L"mmoDonate"},
        {L"frmProperty.title.add", L"PAGES", L"frmPropertyA"},
    };
    for (const auto& c : cases) {
        const LanguageKey* k = FindLanguageKeyByTarget(c.target);
        ASSERT_NE(k, nullptr) << c.target;
        EXPECT_EQ(k->section, c.section) << c.target;
        EXPECT_EQ(k->key, c.key) << c.target;
    }
    EXPECT_EQ(FindLanguageKeyByTarget(L""), nullptr);
    EXPECT_EQ(FindLanguageKeyByTarget(L"tsLogView.caption"), nullptr);  // the Log tab keeps its caption

    EXPECT_EQ(FindLanguageKey(L"options", L"SBTNIMPORT"), FindLanguageKeyByTarget(L"frmProperty.sbtnImport.hint"));
    EXPECT_EQ(FindLanguageKey(L"MSG", L"MSG40"), nullptr);
    EXPECT_EQ(FindLanguageKey(L"OPTIONS", L"dseTimeExit"), nullptr);
}

// The options' texts come from their declarations: each joins the main window's keys of its section,
// with the declared English text as its default.
TEST(LanguageKeys, EveryDeclaredOptionTextIsAKeyOfTheMainWindow) {
    for (const OptionDeclaration& option : OptionDeclarations()) {
        if (option.caption.empty()) continue;
        const std::wstring name(option.name);
        const bool box = option.control == OptionControl::CheckBox;
        const struct {
            std::wstring target;
            const wchar_t* section;
            std::wstring_view text;
        } texts[] = {{name + (box ? L".caption" : L".BoundLabel"), L"OPTIONS", option.caption},
                     {name + L".hint", L"HINTS", option.hint}};
        for (const auto& t : texts) {
            const LanguageKey* k = FindLanguageKeyByTarget(t.target);
            ASSERT_NE(k, nullptr) << t.target;
            EXPECT_EQ(k->routine, LangRoutine::ApplyLanguage) << t.target;
            EXPECT_EQ(k->section, t.section) << t.target;
            EXPECT_EQ(k->defaultText, t.text) << t.target;
        }
    }
}

}  // namespace
}  // namespace lentora
