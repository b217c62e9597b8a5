// The settings file as the real main window reads it at start-up and writes it on closing and
// by "Save options", and the options changed mark.
#include <gtest/gtest.h>

#include <windows.h>

#include "dialog_test_support.h"
#include "main_window_fixture.h"
#include "sysint_test_support.h"

namespace lentora {
namespace {

using test::MainWindowFixture;
using test::MainWindowSetup;

struct Section {
    std::wstring name;
    std::vector<std::pair<std::wstring, std::wstring>> keys;
    bool operator==(const Section&) const = default;
};

// The settings file's sections and keys in file order.
std::vector<Section> ReadSettingsFile(const MainWindowFixture& main) {
    std::wstring text = platform::DecodeCodePage(test::ReadBytes(main.Path(L"lentora.ini")), platform::AnsiCodePage());
    std::vector<Section> sections;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find(L"\r\n", start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(start, end - start);
        start = end + 2;
        if (line.starts_with(L"[") && line.ends_with(L"]")) {
            sections.push_back({line.substr(1, line.size() - 2), {}});
        } else if (size_t eq = line.find(L'='); eq != std::wstring::npos && !sections.empty()) {
            sections.back().keys.emplace_back(line.substr(0, eq), line.substr(eq + 1));
        }
    }
    return sections;
}

// Typing into a field, as the user does: the field has the focus.
void Type(HWND edit, const std::wstring& text) {
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    for (wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 1);
}

// A click on the upper arrow of a spin button.
void ClickUpArrow(HWND spin) {
    RECT rc{};
    GetClientRect(spin, &rc);
    LPARAM point = MAKELPARAM(rc.right / 2, 2);
    SendMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(spin, WM_LBUTTONUP, 0, point);
}

void EmptyField(HWND edit) {
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_CLEAR, 0, 0);
}

TEST(MainWindowSettings, WithoutAFileEveryOptionHasItsDefaultAndClosingWritesFifteenKeys) {
    MainWindowSetup setup;
    setup.ini.reset();
    MainWindowFixture main(std::move(setup));
    ASSERT_TRUE(main.created());
    EXPECT_FALSE(main.Checked(ids::delayOfStartCheck));
    EXPECT_EQ(main.Text(ids::delayOfStartField), L"0");
    EXPECT_EQ(main.Text(ids::exitAfterField), L"10");
    EXPECT_EQ(main.Text(ids::pollingIntervalField), L"7");
    EXPECT_TRUE(main.Checked(ids::checkForUpdatesCheck));
    EXPECT_FALSE(main->Updates().State().automaticCheckDisabled);
    EXPECT_FALSE(main.Checked(ids::userProfileCheck));
    EXPECT_FALSE(main.Checked(ids::useSkinCheck));
    EXPECT_EQ(main.Text(ids::languageList), L"English (EN)");
    EXPECT_EQ(main->LanguageInfo().code, L"EN") << "the language is applied";
    EXPECT_FALSE(main->Msg(Message::IdleStatus).empty());
    EXPECT_FALSE(main.Enabled(ids::saveOptionsButton));
    EXPECT_FALSE(main->UseLog());
    // The stored skin is unknown: the last entry of the skin list is shown and saved.
    HWND skins = main->Control(ids::skinList);
    EXPECT_EQ(SendMessageW(skins, CB_GETCURSEL, 0, 0), SendMessageW(skins, CB_GETCOUNT, 0, 0) - 1);
    const std::wstring skin = main.Text(ids::skinList);

    main.Close();
    const std::vector<Section> expected = {
        {L"Skin", {{L"Useskin", L"0"}, {L"UseAero", L"0"}, {L"Currentskin", skin}}},
        {L"Options",
         {{L"ShowBalloon", L"0"},
          {L"WaitTimeOut", L"0"},
          {L"TimeExit", L"10"},
          {L"WaitTimer", L"0"},
          {L"UserProfile", L"0"},
          {L"check_update", L"1"},
          {L"PollingInterval", L"7"},
          {L"LastUpdateDate", L"0"},
          {L"WaitIdle", L"0"},
          {L"IdleThreshold", L"30"},
          {L"IdleTimeOut", L"60"}}},
        {L"Language", {{L"CurrentLanguage", L"English (EN)"}}},
    };
    EXPECT_EQ(ReadSettingsFile(main), expected);
}

TEST(MainWindowSettings, ValuesOfTheWrongTypeOrRangeReadAsTheirDefaultsOrClamped) {
    struct Case {
        const char* ini;
        bool useSkin, waitTimer, checkUpdate;
        const wchar_t *waitSec, *timeExit, *polling;
        platform::LocalTime lastPool;  // the date shown; 30 December 1899: none
        const wchar_t* lastPoolSaved;
    };
    const Case cases[] = {
        {"[Skin]\r\nUseSkin=1\r\n[Options]\r\nWaitTimeOut=abc\r\ncheck_update=yes\r\nWaitTimer=2\r\n"
         "LastUpdateDate=41982\r\n",
         true, true, true, L"0", L"10", L"7", {2014, 12, 9}, L"41982"},
        {"[Options]\r\nWaitTimeOut=1000000\r\nTimeExit=-5\r\nPollingInterval=1000\r\ncheck_update=0\r\nWaitTimer=0\r\n"
         "LastUpdateDate=not a date\r\n",
         false, false, false, L"999999", L"0", L"365", {1899, 12, 30}, L"0"},
        {"[options]\r\nwaittimeout=0x10\r\nTIMEEXIT=999999\r\npollinginterval=-1\r\nLastUpdateDate=41982.5\r\n", false,
         false, true, L"16", L"999999", L"0", {2014, 12, 9}, L"41982.5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ini);
        MainWindowSetup setup;
        setup.ini = c.ini;
        MainWindowFixture main(std::move(setup));
        ASSERT_TRUE(main.created());
        EXPECT_EQ(main.Checked(ids::useSkinCheck), c.useSkin);
        EXPECT_EQ(main->Skins().Active(), c.useSkin);
        EXPECT_EQ(main.Checked(ids::delayOfStartCheck), c.waitTimer);
        EXPECT_EQ(main.Checked(ids::checkForUpdatesCheck), c.checkUpdate);
        EXPECT_EQ(main->Updates().State().automaticCheckDisabled, !c.checkUpdate);
        EXPECT_EQ(main.Text(ids::delayOfStartField), c.waitSec);
        EXPECT_EQ(main.Text(ids::exitAfterField), c.timeExit);
        EXPECT_EQ(main.Text(ids::pollingIntervalField), c.polling);
        // No date stored, or none that reads: no check has succeeded.
        EXPECT_EQ(main.Text(ids::lastCheckDateField),
                  c.lastPool.year == 1899 ? L"Never" : platform::FormatShortDate(c.lastPool));
        EXPECT_FALSE(main.Enabled(ids::saveOptionsButton)) << "loading leaves no change to save";

        main.Close();
        EXPECT_EQ(main.IniValue(L"Options", L"LastUpdateDate"), c.lastPoolSaved);
        // The key read as "UseSkin" is the key written as "Useskin": one key.
        int skinKeys = 0;
        for (const auto& section : ReadSettingsFile(main)) {
            if (section.name != L"Skin") continue;
            for (const auto& [key, value] : section.keys) {
                if (lstrcmpiW(key.c_str(), L"Useskin") != 0) continue;
                ++skinKeys;
                EXPECT_EQ(value, c.useSkin ? L"1" : L"0");
            }
        }
        EXPECT_EQ(skinKeys, 1);
    }
}

TEST(MainWindowSettings, AnUnknownLanguageSelectsTheLastEntryAndAppliesNothing) {
    MainWindowSetup setup;
    setup.ini = "[Options]\r\ncheck_update=0\r\n[Language]\r\nCurrentLanguage=english (en)\r\n";
    MainWindowFixture main(std::move(setup));
    ASSERT_TRUE(main.created());
    HWND languages = main->Control(ids::languageList);
    ASSERT_GE(SendMessageW(languages, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(languages, CB_GETCURSEL, 0, 0), SendMessageW(languages, CB_GETCOUNT, 0, 0) - 1);
    for (int n = 1; n <= kMessageCount; ++n) EXPECT_EQ(main->Msg(static_cast<Message>(n)), L"") << "MSG" << n;
    EXPECT_EQ(main->LanguageInfo().code, L"");
    EXPECT_FALSE(main->ActionFor(ids::applyLanguage).enabled());
    EXPECT_FALSE(main.Enabled(ids::applyLanguage));
    EXPECT_EQ(main.TabTexts().front(), L"\u0422\u0430sk List") << "the design captions stay";
}

TEST(MainWindowSettings, AnEmptiedDelayFieldStopsTheSaveAfterFiveKeysAndStillSavesTheAutorunState) {
    MainWindowSetup setup;
    setup.ini.reset();
    setup.args = {L"-log"};
    MainWindowFixture main(std::move(setup));
    ASSERT_TRUE(main.created());
    main.Click(ids::delayOfStartCheck);  // the field takes input while the delay is on
    EmptyField(main->Control(ids::delayOfStartField));
    ASSERT_TRUE(main.Enabled(ids::saveOptionsButton));
    size_t before = main->LogLines().size();
    main.Click(ids::saveOptionsButton);

    auto sections = ReadSettingsFile(main);
    std::vector<std::wstring> written;
    for (const auto& section : sections)
        for (const auto& key : section.keys) written.push_back(section.name + L"." + key.first);
    EXPECT_EQ(written, (std::vector<std::wstring>{L"Skin.Useskin", L"Skin.UseAero", L"Skin.Currentskin",
                                                  L"Options.ShowBalloon", L"Language.CurrentLanguage"}));
    std::vector<std::wstring> texts;
    auto lines = main->LogLines();
    for (size_t i = before; i < lines.size(); ++i) {
        for (const wchar_t* text : {L"Error on write to ini-file", L"Saving key in registry", L"Params is saved"})
            if (MainWindowFixture::ShowsText(lines[i], text)) texts.push_back(text);
    }
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"Error on write to ini-file", L"Saving key in registry"}));
    EXPECT_FALSE(main.Enabled(ids::saveOptionsButton));
}

TEST(MainWindowSettings, ANumberTypedBeyondItsRangeIsSavedAndShownAtItsBound) {
    MainWindowFixture main;
    ASSERT_TRUE(main.created());
    main.ShowTab(2);
    struct Case {
        int id;
        const wchar_t *typed, *key, *kept;
    } cases[] = {
        {ids::pollingIntervalField, L"999", L"PollingInterval", L"365"},
        {ids::pollingIntervalField, L"366", L"PollingInterval", L"365"},
        {ids::idleThresholdField, L"99", L"IdleThreshold", L"95"},
        {ids::idleThresholdField, L"2", L"IdleThreshold", L"5"},
        {ids::longestWaitField, L"9999", L"IdleTimeOut", L"3600"},
        {ids::longestWaitField, L"0", L"IdleTimeOut", L"1"},
    };
    main.Click(ids::waitForIdleCheck);  // the idle fields take input only while the wait is on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        Type(main->Control(c.id), c.typed);
        main.Click(ids::saveOptionsButton);
        EXPECT_EQ(main.IniValue(L"Options", c.key), c.kept);
        SetFocus(main->Control(ids::saveOptionsButton));
        EXPECT_EQ(main.Text(c.id), c.kept);
    }
}

TEST(MainWindowSettings, EveryOptionControlMarksTheOptionsChangedAndSaveOptionsClearsTheMark) {
    MainWindowSetup setup;
    setup.files = {{L"languages\\German.lng", "[FILE]\r\nName=Deutsch (DE)\r\nLanguage=DE\r\n"}};
    MainWindowFixture main(std::move(setup));
    ASSERT_TRUE(main.created());
    const wchar_t* const run = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    test::RegistryCleanup cleanup;  // saving with "start with Windows" on writes the autorun value
    cleanup.Value(HKEY_CURRENT_USER, run, L"Lentora");
    ASSERT_FALSE(main.Checked(ids::startWithWindowsCheck));
    main.ShowTab(2);
    // A pick in a drop-down list as the user makes it: the list reports it to its parent.
    auto pick = [&](int id, auto index) {
        HWND combo = main->Control(id);
        ASSERT_GE(index(combo), 0);
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index(combo)), 0);
        SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    };
    auto pickGerman = [&] {
        pick(ids::languageList, [](HWND combo) {
            return SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"Deutsch (DE)"));
        });
    };
    const std::wstring firstSkin = [&] {
        wchar_t name[128] = {};
        SendMessageW(main->Control(ids::skinList), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(name));
        return std::wstring(name);
    }();
    ASSERT_NE(main.Text(ids::skinList), firstSkin) << "the last skin is selected, so the first is a change";
    struct Case {
        const char* name;
        std::function<void()> change;
    };
    const Case cases[] = {
        {"time before exit", [&] { Type(main->Control(ids::exitAfterField), L"25"); }},
        {"time before exit by its arrows", [&] { ClickUpArrow(main->Control(ids::exitAfterSpin)); }},
        {"delay of start on", [&] { main.Click(ids::delayOfStartCheck); }},
        {"delay of start", [&] { Type(main->Control(ids::delayOfStartField), L"3"); }},
        {"polling interval", [&] { Type(main->Control(ids::pollingIntervalField), L"30"); }},
        {"wait for a calm system on", [&] { main.Click(ids::waitForIdleCheck); }},
        {"calm threshold", [&] { Type(main->Control(ids::idleThresholdField), L"45"); }},
        {"longest wait by its arrows", [&] { ClickUpArrow(main->Control(ids::longestWaitSpin)); }},
        {"balloon", [&] { main.Click(ids::launchBalloonsCheck); }},
        {"update check", [&] { main.Click(ids::checkForUpdatesCheck); }},
        {"start with Windows", [&] { main.Click(ids::startWithWindowsCheck); }},
        {"task list in the user's profile", [&] { main.Click(ids::userProfileCheck); }},
        {"use skin", [&] { main.Click(ids::useSkinCheck); }},
        {"glass frame, once skins are on", [&] { main.Click(ids::extendedBordersCheck); }},
        {"skin", [&] { pick(ids::skinList, [](HWND) { return LRESULT{0}; }); }},
        {"language", pickGerman},
        {"applying the language", [&] { main.Click(ids::applyLanguage); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(main.Enabled(ids::saveOptionsButton));
        c.change();
        EXPECT_TRUE(main.Enabled(ids::saveOptionsButton));
        main.Click(ids::saveOptionsButton);
        EXPECT_FALSE(main.Enabled(ids::saveOptionsButton)) << "Save options disables itself";
    }
    EXPECT_EQ(main.IniValue(L"Options", L"TimeExit"), L"26");
    EXPECT_EQ(main.IniValue(L"Options", L"WaitTimeOut"), L"3");
    EXPECT_EQ(main.IniValue(L"Options", L"PollingInterval"), L"30");
    EXPECT_EQ(main.IniValue(L"Options", L"WaitTimer"), L"1");
    EXPECT_EQ(main.IniValue(L"Options", L"WaitIdle"), L"1");
    EXPECT_EQ(main.IniValue(L"Options", L"IdleThreshold"), L"45");
    EXPECT_EQ(main.IniValue(L"Options", L"IdleTimeOut"), L"61");
    EXPECT_EQ(main.IniValue(L"Options", L"ShowBalloon"), L"1");
    EXPECT_EQ(main.IniValue(L"Options", L"check_update"), L"1");
    EXPECT_EQ(main.IniValue(L"Options", L"UserProfile"), L"1");
    EXPECT_EQ(main.IniValue(L"Skin", L"Useskin"), L"1");
    EXPECT_EQ(main.IniValue(L"Skin", L"UseAero"), L"1");
    EXPECT_EQ(main.IniValue(L"Skin", L"Currentskin"), firstSkin);
    EXPECT_EQ(main.IniValue(L"Language", L"CurrentLanguage"), L"Deutsch (DE)");
    EXPECT_EQ(main->LanguageInfo().code, L"DE");
    EXPECT_TRUE(test::GetText(HKEY_CURRENT_USER, run, L"Lentora").has_value()) << "the autorun value was written";
}

TEST(MainWindowSettings, BeforeAnyLanguageFileTheOptionsShowTheirHintsAndNeverAsTheLastCheck) {
    MainWindowSetup setup;
    setup.languages = MainWindowSetup::Languages::Missing;
    MainWindowFixture main(std::move(setup));
    ASSERT_TRUE(main.created());
    for (int id : {ids::startWithWindowsCheck, ids::delayOfStartField, ids::exitAfterField, ids::checkForUpdatesCheck, ids::lastCheckDateField,
                   ids::saveOptionsButton, ids::waitForIdleCheck, ids::longestWaitField}) {
        SCOPED_TRACE(id);
        std::wstring hint = test::HintOf(main->hwnd(), main->Control(id));
        EXPECT_FALSE(hint.empty());
        EXPECT_NE(hint, L"<no tooltip>");
    }
    EXPECT_EQ(main.Text(ids::lastCheckDateField), L"Never") << "no check has succeeded: no date of 1899";
    // Its text sits as high in its box as the number fields' digits in theirs.
    auto textTop = [&](int id) {
        RECT format{};
        SendMessageW(main->Control(id), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        return format.top;
    };
    EXPECT_EQ(textTop(ids::lastCheckDateField), textTop(ids::pollingIntervalField));
}

TEST(MainWindowSettings, FieldsOfAnOptionThatIsOffCannotBeEdited) {
    MainWindowFixture main;
    ASSERT_TRUE(main.created());
    const struct {
        int box;
        std::vector<int> fields;
    } cases[] = {
        {ids::delayOfStartCheck, {ids::delayOfStartField, ids::delayOfStartSpin}},
        {ids::waitForIdleCheck, {ids::idleThresholdField, ids::idleThresholdSpin, ids::longestWaitField, ids::longestWaitSpin}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        ASSERT_FALSE(main.Checked(c.box));
        for (int field : c.fields) EXPECT_FALSE(main.Enabled(field)) << field;
        main.Click(c.box);
        for (int field : c.fields) EXPECT_TRUE(main.Enabled(field)) << field;
        main.Click(c.box);
        for (int field : c.fields) EXPECT_FALSE(main.Enabled(field)) << field;
    }
}

}  // namespace
}  // namespace lentora
