// Start-up of the real main window: command line, the fatal stop without language files, the
// profile folder and the first log lines.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

#include "main_window_fixture.h"
#include "util/format.h"

namespace lentora {
namespace {

using test::MainWindowFixture;
using test::MainWindowSetup;

const std::wstring kDashes(54, L'-');
const std::wstring kNoLanguages = L"Modules of languages are not found. The program will be finished.";

// A page caption as the applied English language file gives it.
std::wstring PageCaption(const MainWindowFixture& main, const wchar_t* page) {
    wchar_t text[128] = {};
    GetPrivateProfileStringW(L"PAGES", page, L"", text, 128, main.Path(L"languages\\English.lng").c_str());
    return text;
}

std::vector<std::wstring> Strings(std::initializer_list<const wchar_t*> texts) { return {texts.begin(), texts.end()}; }

TEST(MainWindowStartup, CommandLineSwitchesAreWholeArgumentsInAnyCase) {
    struct Case {
        std::vector<std::wstring> args;
        bool start, log;
    };
    // A wrong form shares a row with a right one of the other switch, so each row still tells.
    const Case cases[] = {
        {{}, false, false},
        {Strings({L"-START"}), true, false},
        {Strings({L"-Start", L"/log"}), true, false},
        {Strings({L"x", L"-log", L"-start"}), true, true},
        {Strings({L"/start", L"-LOG"}), false, true},
        {Strings({L"start", L"--start", L"-start=1", L"log", L"--log", L"-log=1"}), false, false},
    };
    for (const auto& c : cases) {
        std::wstring label;
        for (const auto& a : c.args) label += a + L" ";
        SCOPED_TRACE(testing::Message() << "args: " << testing::PrintToString(label));
        MainWindowSetup setup;
        setup.ini = "[Options]\r\ncheck_update=0\r\n";
        setup.args = c.args;
        MainWindowFixture main(std::move(setup));
        ASSERT_TRUE(main.created());
        EXPECT_FALSE(main->TerminateRequested());
        EXPECT_EQ(main->StartMode(), c.start);
        // Start mode sends the window to the tray at once; otherwise it opens normally.
        EXPECT_EQ(IsWindowVisible(main->hwnd()) != FALSE, !c.start);
        EXPECT_EQ(main->UseLog(), c.log);
        EXPECT_EQ(main.Exists(L"lentora.log"), c.log);
        EXPECT_EQ(main->LogLines().empty(), !c.log);
        // The Log tab sits between Options and About exactly while logging is on.
        std::vector<std::wstring> tabs = {PageCaption(main, L"tsStartProgram"), PageCaption(main, L"tsLastStart"),
                                          PageCaption(main, L"tsOptions"), PageCaption(main, L"tsAbout")};
        if (c.log) tabs.insert(tabs.begin() + 3, L"Log");
        EXPECT_EQ(main.TabTexts(), tabs);
        main.ShowTab(3);
        EXPECT_EQ((GetWindowLongPtrW(GetParent(main->Control(ids::logList)), GWL_STYLE) & WS_VISIBLE) != 0, c.log);
    }
}

TEST(MainWindowStartup, WithoutLanguageFilesStopsWithTheBilingualBoxAndSavesNothing) {
    struct Case {
        const char* name;
        MainWindowSetup::Languages languages;
        std::vector<std::wstring> args;
        std::vector<std::pair<std::wstring, std::string>> files;
    };
    const Case cases[] = {
        {"no languages folder", MainWindowSetup::Languages::Missing, {}, {}},
        {"empty languages folder", MainWindowSetup::Languages::EmptyFolder, Strings({L"-start"}), {}},
        {"only other files", MainWindowSetup::Languages::EmptyFolder, {}, {{L"languages\\English.txt", "[FILE]\r\nName=English (EN)\r\n"}}},
    };
    const std::string ini = "[Options]\r\nUseLog=1\r\ncheck_update=0\r\nTimeExit=0\r\n";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MainWindowSetup setup;
        setup.languages = c.languages;
        setup.ini = ini;
        setup.args = c.args;
        setup.files = c.files;
        MainWindowFixture main(std::move(setup));
        ASSERT_TRUE(main.created());

        ASSERT_EQ(main.boxes.shown.size(), 1u);
        EXPECT_EQ(main.boxes.shown[0].caption,
                  L"CRITICAL ERROR! \u041A\u0420\u0418\u0422\u0418\u0427\u0415\u0421\u041A\u0410\u042F "
                  L"\u041E\u0428\u0418\u0411\u041A\u0410!");
        EXPECT_EQ(main.boxes.shown[0].text,
                  kNoLanguages + L"\r\n"
                                 L"\u041D\u0435 \u043D\u0430\u0439\u0434\u0435\u043D\u044B "
                                 L"\u043C\u043E\u0434\u0443\u043B\u0438 \u044F\u0437\u044B\u043A\u043E\u0432. "
                                 L"\u041F\u0440\u043E\u0433\u0440\u0430\u043C\u043C\u0430 \u0431\u0443\u0434\u0435\u0442 "
                                 L"\u0437\u0430\u0432\u0435\u0440\u0448\u0435\u043D\u0430.");
        EXPECT_EQ(main.boxes.shown[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
        EXPECT_TRUE(main->TerminateRequested());
        EXPECT_EQ(main.ScreenLogCount(kNoLanguages), 1);
        // Start-up ran on to its end all the same.
        EXPECT_EQ(main.ScreenLogCount(L"Params is Loaded"), 1);
        EXPECT_TRUE(main->Msg(Message::IdleStatus).empty()) << "no language could be applied";

        // Even a close of the window must not save after the fatal stop.
        main.Close();
        EXPECT_EQ(main->hwnd(), nullptr);
        EXPECT_FALSE(main.Exists(L"startlist.xml"));
        EXPECT_EQ(test::ReadBytes(main.Path(L"lentora.ini")), ini);
        auto log = main.LogFileTexts();
        EXPECT_EQ(std::count(log.begin(), log.end(), kNoLanguages), 1);
        EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const auto& t) { return t.starts_with(L"Closing application"); }), 0);
    }
}

TEST(MainWindowStartup, CreatesTheProfileFolderOnlyWhenItIsMissing) {
    test::ProfileFolderAside profile;
    ASSERT_FALSE(profile.Exists());
    const std::wstring where = FormatText(L"Folder in user profile is : \"%s\"", {profile.Folder()});
    for (bool present : {false, true}) {
        SCOPED_TRACE(present ? "present" : "missing");
        if (present) std::filesystem::create_directory(profile.Folder());
        MainWindowFixture main;
        ASSERT_TRUE(main.created());
        EXPECT_TRUE(profile.Exists());
        EXPECT_EQ(main->ProfileFolder(), profile.Folder());
        EXPECT_EQ(main.ScreenLogCount(where), 1);
        EXPECT_EQ(main.ScreenLogCount(L"Folder in user profile is created"), present ? 0 : 1);
    }
}

TEST(MainWindowStartup, TheProfileOptionMovesOnlyTheTaskListAndTakesEffectAtOnce) {
    test::ProfileFolderAside profile;
    const std::wstring profileList = profile.Folder() + L"\\startlist.xml";
    MainWindowSetup setup;
    setup.startList = test::StartListXml(R"(<TASK name="C:\here.exe" time="4" enable="true"/>)");
    MainWindowFixture main(std::move(setup));
    ASSERT_TRUE(main.created());
    ASSERT_EQ(main->Tasks().Count(), 1u);
    main.ShowTab(2);
    main.Click(ids::userProfileCheck);  // and closed without "Save options"
    main.Close();
    EXPECT_TRUE(std::filesystem::exists(profileList));
    EXPECT_EQ(main.IniValue(L"Options", L"UserProfile"), L"1");
    EXPECT_FALSE(std::filesystem::exists(profile.Folder() + L"\\lentora.ini"));
    EXPECT_FALSE(std::filesystem::exists(profile.Folder() + L"\\lentora.log"));
    EXPECT_TRUE(main.Exists(L"lentora.log"));

    // The next start reads the list from the profile folder, not the one beside the program.
    test::WriteBytes(main.Path(L"startlist.xml"), test::StartListXml(R"(<TASK name="C:\stale.exe" time="1" enable="true"/>)"));
    auto settings = test::ReadBytes(main.Path(L"lentora.ini"));
    MainWindowSetup next;
    next.ini = settings;
    MainWindowFixture again(std::move(next));
    ASSERT_TRUE(again.created());
    ASSERT_EQ(again->Tasks().Count(), 1u);
    EXPECT_EQ(again->Tasks().Item(0).commandLine, L"C:\\here.exe");
    EXPECT_EQ(again->DataFilePath(L"startlist.xml"), profileList);
}

TEST(MainWindowStartup, EveryRunAppendsToTheLogStartingWithTheSeparatorAndVersion) {
    MainWindowSetup setup;
    setup.files = {{L"lentora.log", "[01/02/2020 03:04:05.006] an earlier run\r\n"}};
    MainWindowFixture main(std::move(setup));
    ASSERT_TRUE(main.created());
    ASSERT_EQ(main->ProgramVersion(), L"" LENTORA_VERSION_TEXT) << "the copied exe carries the project version";
    const std::wstring start = L"Start application v." + main->ProgramVersion();

    auto screen = main->LogLines();
    ASSERT_GE(screen.size(), 2u);
    EXPECT_TRUE(MainWindowFixture::ShowsText(screen[0], kDashes)) << testing::PrintToString(screen[0]);
    EXPECT_TRUE(MainWindowFixture::ShowsText(screen[1], start)) << testing::PrintToString(screen[1]);
    // The newest line is the selected one.
    EXPECT_EQ(SendMessageW(main->Control(ids::logList), LB_GETCURSEL, 0, 0), static_cast<LRESULT>(screen.size() - 1));

    auto file = main.LogFileTexts();
    ASSERT_GE(file.size(), 3u);
    EXPECT_EQ(file[0], L"an earlier run");
    EXPECT_EQ(file[1], kDashes);
    EXPECT_EQ(file[2], start);
    EXPECT_EQ(file.size() - 1, screen.size()) << "both sinks carry every line";

    main.Close();
    EXPECT_EQ(main.LogFileTexts().back(), L"Closing application v." + main->ProgramVersion());
}

TEST(MainWindowStartup, WithoutUseLogAndSwitchNothingIsLoggedAnywhere) {
    MainWindowSetup setup;
    setup.ini = "[Options]\r\ncheck_update=0\r\n";
    MainWindowFixture main(std::move(setup));
    ASSERT_TRUE(main.created());
    EXPECT_TRUE(main->LogLines().empty());
    EXPECT_FALSE(main->LogPageVisible());
    main.Close();
    EXPECT_TRUE(main.Exists(L"startlist.xml")) << "the close did run";
    EXPECT_FALSE(main.Exists(L"lentora.log"));
}

TEST(MainWindowStartup, LogSwitchOverridesUseLogForOneRunWithoutChangingTheSettings) {
    MainWindowSetup setup;
    setup.ini = "[Options]\r\nUseLog=0\r\ncheck_update=0\r\n";
    setup.args = {L"-LOG"};
    MainWindowFixture main(std::move(setup));
    ASSERT_TRUE(main.created());
    EXPECT_TRUE(main->LogPageVisible());
    main.Close();
    auto log = main.LogFileTexts();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), kDashes);
    EXPECT_EQ(log.back(), L"Closing application v." + main->ProgramVersion());
    EXPECT_EQ(main.IniValue(L"Options", L"UseLog"), L"0");
}

}  // namespace
}  // namespace lentora
