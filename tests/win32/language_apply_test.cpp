// Languages in the real main window: the catalogue's search, applying a file with its defaults,
// the version check, the state of a running walk, the dialogs that follow the selector, a
// shortcut error box, and the licence and about texts.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>

#include "dialog_test_support.h"
#include "lang/language_file.h"
#include "lang/language_keys.h"
#include "lang/license_texts.h"
#include "sysint/startup_entries_dialog.h"
#include "ui/text_width.h"
#include "util/date_time.h"
#include "util/format.h"

namespace lentora {
namespace {

using test::MainWindowFixture;
using test::PropertyDialogHook;

// One main window for the suite: without a window manager, Wine takes seconds to take one down.
class LanguageApply : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test::MainWindowSetup setup;
        setup.files = {
            {L"languages\\Empty.lng", ""},
            {L"languages\\ImportOnly.lng", "[OPTIONS]\r\nsbtnImport=Take over\r\n"},
            {L"languages\\Cyrillic.lng", "[FILE]\r\nName=Cyrillic\r\nLanguage=XX\r\n"},
            {L"languages\\Marked.lng",
             "[PAGES]\r\ntsOptions=Opt*\r\ntsAboutProg=AboutProg*\r\ntsLog=Log*\r\n[ACTIONS]\r\nactStop=Stop*\r\n[TASK]\r\nTASK1=Seconds*\r\n"
             "[OPTIONS]\r\nchbAero=Aero*\r\ndseWaitSec.BoundLabel=Wait*\r\nwlblLoadSkins=More*\r\n"
             "[HINTS]\r\nchbAero=Aero hint*\r\nactAddTask=Add hint*\r\nmmoDonate=Donate text*\r\n"
             "[LABELS]\r\nlblFreeware=Free*\r\ngbComponents=Components*\r\n"},
        };
        window = std::make_unique<MainWindowFixture>(std::move(setup));
    }
    static void TearDownTestSuite() { window.reset(); }
    // Every test starts from English applied.
    void SetUp() override {
        ASSERT_TRUE(window->created());
        ASSERT_TRUE(test::PickLanguageFile(main(), L"English.lng"));
        test::ClickApply(main());
        ASSERT_EQ(main().Msg(Message::WarningCaption), L"Warning");
    }

    static test::MainWindowProbe main() { return window->form(); }
    static std::wstring Text(int id) { return window->Text(id); }
    static std::wstring StatusText(int panel) {
        wchar_t buffer[512] = {};
        SendMessageW(main().StatusBar(), SB_GETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(buffer));
        return buffer;
    }
    static std::wstring TabText(HWND tabs, int index) {
        wchar_t buffer[128] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = buffer;
        item.cchTextMax = 128;
        TabCtrl_GetItem(tabs, index, &item);
        return buffer;
    }
    static std::wstring ColumnText(int column) { return ui::ColumnCaption(main().TaskView().List(), column); }
    static std::wstring Hint(int id) { return test::HintOf(main().hwnd(), main().Control(id)); }
    static std::wstring MenuCaption(const wchar_t* name) {
        for (const auto& item : main().Tray().Menu().items)
            if (item.name == name) return item.caption;
        return L"<no item>";
    }
    // Log texts written from line `from` on, matched by their end.
    static int LoggedSince(size_t from, std::wstring_view text) {
        auto lines = main().LogLines();
        return static_cast<int>(std::count_if(lines.begin() + static_cast<std::ptrdiff_t>(std::min(from, lines.size())),
                                              lines.end(),
                                              [&](const std::wstring& l) { return MainWindowFixture::ShowsText(l, text); }));
    }

    static inline std::unique_ptr<MainWindowFixture> window;
};

TEST_F(LanguageApply, AnEmptyFileGivesEveryDefault) {
    ASSERT_TRUE(test::PickLanguageFile(main(), L"Empty.lng"));
    size_t from = main().LogLines().size();
    test::ClickApply(main());

    for (int n = 1; n <= kMessageCount; ++n) EXPECT_EQ(main().Msg(static_cast<Message>(n)), L"no data") << "MSG" << n;
    // Messages that came later keep English: a file older than them still reads.
    for (int i = 0; i < kNamedMsgCount; ++i) {
        auto id = static_cast<NamedMsg>(i);
        EXPECT_EQ(main().Msg(id), FindLanguageKey(L"MSG", NamedMsgKey(id))->defaultText) << std::wstring(NamedMsgKey(id));
    }
    EXPECT_EQ(main().LanguageInfo().translator, L"Unknown");
    EXPECT_EQ(main().LanguageInfo().code, L"EN");
    EXPECT_EQ(main().LanguageInfo().version, L"0.0");
    EXPECT_EQ(LoggedSince(from, L"Warning! Language file is oldest version."), 1);
    EXPECT_EQ(Text(ids::translatorLabel), L"no data: Unknown (v.0.0)");
    EXPECT_EQ(Text(ids::authorLabel), L"no data: Orvend");
    EXPECT_FALSE(main().ActionFor(ids::applyLanguage).enabled());

    HWND pages = main().Control(ids::pageTabs), about = main().Control(ids::aboutTabs);
    struct Shown {
        std::wstring what, actual;
        const wchar_t* expected;
    };
    auto caption = [](int action) { return main().ActionFor(action).caption(); };
    auto hint = [](int action) { return main().ActionFor(action).hint(); };
    const Shown shown[] = {
        {L"task page", TabText(pages, 0), L"Start of programs"},
        {L"last start page", TabText(pages, 1), L"Last start"},
        {L"options page", TabText(pages, 2), L"Options"},
        {L"log page", TabText(pages, 3), L"Log"},
        {L"about page", TabText(pages, 4), L"About"},
        {L"about sub-page", TabText(about, 0), L"About"},
        {L"licence sub-page", TabText(about, 1), L"License"},
        {L"components sub-page", TabText(about, 2), L"Used components"},
        {L"donate sub-page", TabText(about, 3), L"Donate"},
        {L"donate button", Text(ids::donateButton), L"Donate"},
        {L"column 0", ColumnText(0), L"no data"},
        {L"column 1", ColumnText(1), L"no data"},
        {L"column 2", ColumnText(2), L"no data"},
        {L"actAddTask", caption(ids::addTask), L"Add"},
        {L"actEditTask", caption(ids::editTask), L"Edit"},
        {L"actDeleteTask", caption(ids::deleteTask), L"Delete"},
        {L"actCloseApp", caption(ids::closeProgram), L"Exit"},
        {L"actApplyLng", caption(ids::applyLanguage), L"Apply"},
        {L"actStart", caption(ids::startOrStop), L"Start the program"},
        {L"actDeleteAllTask", caption(ids::deleteAllTasks), L"Delete All Tasks"},
        {L"actPause", caption(ids::pauseWalk), L"Pause"},
        {L"actResume", caption(ids::resumeWalk), L"Resume"},
        {L"actSetActiveAll", caption(ids::enableAllTasks), L"Activate all tasks"},
        {L"actDeactiveAll", caption(ids::disableAllTasks), L"Off all tasks"},
        {L"actWait", caption(ids::cancelDelayOfStart), L"Stop waiting"},
        {L"mnuShow", MenuCaption(L"mnuShow"), L"Show window"},
        {L"actAddTask hint", hint(ids::addTask), L"To add a file for start in the task list"},
        {L"actEditTask hint", hint(ids::editTask), L"To edit the selected task in the task list"},
        {L"actDeleteTask hint", hint(ids::deleteTask), L"To delete the selected task from the task list"},
        {L"actCloseApp hint", hint(ids::closeProgram), L"Close Application"},
        {L"actApplyLng hint", hint(ids::applyLanguage), L"Change Language"},
        {L"actWait hint", hint(ids::cancelDelayOfStart),
         L"The delay of start Is active. Press for a stop of delay of start and transition in a hand-held mode."},
        {L"chbWindowsStart hint", Hint(ids::startWithWindowsCheck),
         L"Registers in the registry for the current user program start"},
        {L"dseTimeExit hint", Hint(ids::exitAfterField),
         L"Time which the program waits before closing after start of all tasks (s)"},
        {L"dsePollingInterval hint", Hint(ids::pollingIntervalField), L"Polling interval (0 - every time)"},
        {L"gbStartStop", Text(ids::startExitGroup), L"Customisations of start / closing"},
        {L"gbSkins", Text(ids::skinsGroup), L"Skins"},
        {L"gbLanguage", Text(ids::languageGroup), L"Language"},
        {L"chbWindowsStart", Text(ids::startWithWindowsCheck), L"To start at Windows loading"},
        {L"chkUserProfile", Text(ids::userProfileCheck), L"Use User's Profile"},
        {L"dseTimeExit label", Text(ids::exitAfterLabel), L"Time before exit (s)"},
        {L"dseWaitSec label", Text(ids::delayOfStartLabel), L"Delay of start (s)"},
        {L"dsePollingInterval label", Text(ids::pollingIntervalLabel), L"Polling interval (in days)"},
        {L"ledLastPool label", Text(ids::lastCheckLabel), L"Last pool"},
        {L"wlblLoadSkins", Text(ids::moreSkinsLink), L"<a>To load additiona skins</a>"},
        {L"sbUpSB", Text(ids::scrollUpButton), L"Up"},
        {L"sbDownSB", Text(ids::scrollDownButton), L"Down"},
        {L"btnSaveOptions", Text(ids::saveOptionsButton), L"Save options"},
        {L"mmoDonate", Text(ids::donateText),
         L"If you liked the program, you can keep its development having transferred into account commands the "
         L"small sum of money"},
        {L"lblSitePrg", Text(ids::siteLabel), L"Program site: "},
        {L"lblWinVersion", Text(ids::systemsLabel), L"for Windows 98/2000/XP/Vista/7/8.x"},
        {L"sLabel1", Text(ids::copyrightLabel), L"\u00A9 2026 Orvend"},
        {L"lblFreeware", Text(ids::freewareLabel), L"FREEWARE"},
        {L"gbComponents", Text(ids::componentsGroup), L"Used components"},
        {L"lblCTI", Text(ids::trayComponentLabel), L"Tray icon component (Shell_NotifyIcon), ver. 1.0"},
        {L"lblPay1", Text(ids::cardLabel), L"Card payment"},
        {L"lblPay2", Text(ids::walletLabel), L"E-wallet"},
        {L"start button", Text(ids::startStopButton), L"no data"},
        {L"status bar", StatusText(0), L"no data"},
    };
    for (const Shown& s : shown) EXPECT_EQ(s.actual, s.expected) << s.what.c_str();
}

TEST_F(LanguageApply, EveryKindOfTargetShowsTheFilesText) {
    // Marked.lng gives texts that differ from the controls' own captions.
    const LanguageFile file(window->Path(L"languages\\Marked.lng"));
    auto fileText = [&](std::wstring_view target) { return file.ShownText(*FindLanguageKeyByTarget(target)); };
    // The targets whose keys the file above names; the expected texts come from the file itself.
    struct Target {
        const wchar_t* target;
        std::function<std::wstring()> shown;
    };
    const Target targets[] = {
        {L"pcMainPage.tsOptions.caption", [] { return TabText(main().Control(ids::pageTabs), 2); }},
        {L"pcAbout.tsAboutProg.caption", [] { return TabText(main().Control(ids::aboutTabs), 0); }},
        {L"pcMainPage.tsLog.caption", [] { return TabText(main().Control(ids::pageTabs), 3); }},
        {L"actStop.caption", [] { return main().ActionFor(ids::stopWalk).caption(); }},
        {L"lvListProg.column1.caption", [] { return ColumnText(1); }},
        {L"chbAero.caption", [] { return Text(ids::extendedBordersCheck); }},
        {L"dseWaitSec.BoundLabel", [] { return Text(ids::delayOfStartLabel); }},
        {L"wlblLoadSkins.caption", [] { return Text(ids::moreSkinsLink); }},
        {L"mmoDonate.text", [] { return Text(ids::donateText); }},
        {L"lblFreeware.caption", [] { return Text(ids::freewareLabel); }},
        {L"gbComponents.caption", [] { return Text(ids::componentsGroup); }},
        {L"chbAero.hint", [] { return Hint(ids::extendedBordersCheck); }},
        {L"actAddTask.hint", [] { return main().ActionFor(ids::addTask).hint(); }},
    };
    std::vector<std::wstring> before;
    for (const Target& t : targets) before.push_back(t.shown());
    ASSERT_TRUE(test::PickLanguageFile(main(), L"Marked.lng"));
    test::ClickApply(main());
    for (size_t i = 0; i < std::size(targets); ++i) {
        SCOPED_TRACE(testing::Message() << targets[i].target);
        const std::wstring expected = fileText(targets[i].target);
        EXPECT_NE(before[i], expected) << "the file's text must differ from what was shown";
        const bool link = targets[i].target == std::wstring_view(L"wlblLoadSkins.caption");
        EXPECT_EQ(targets[i].shown(), link ? L"<a>" + expected + L"</a>" : expected);
    }
}

TEST_F(LanguageApply, VersionCheckComparesPartByPartAsText) {
    struct Case {
        const char* version;
        int correct, warning;
    };
    const Case cases[] = {{"1.4", 1, 0}, {"1.4.0.7", 1, 0}, {"1.3.9", 0, 1}, {"1.10.0", 0, 1}, {"2.0", 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        std::wstring path = window->Path(L"version.lng");
        test::WriteBytes(path, std::string("[FILE]\r\nVersion=") + c.version + "\r\n");
        size_t from = main().LogLines().size();
        main().ApplyLanguage(path);
        EXPECT_EQ(LoggedSince(from, L"Language file is correct version."), c.correct);
        EXPECT_EQ(LoggedSince(from, L"Warning! Language file is oldest version."), c.warning);
        EXPECT_EQ(LoggedSince(from, L"Apply language finished"), 1) << "applied in every case";
    }
}

TEST_F(LanguageApply, ShippedFilesAreOfTheVersionTheCheckExpects) {
    for (const wchar_t* file : {L"English.lng", L"Russian.lng"}) {
        SCOPED_TRACE(testing::Message() << file);
        ASSERT_TRUE(test::PickLanguageFile(main(), file));
        size_t from = main().LogLines().size();
        test::ClickApply(main());
        EXPECT_EQ(LoggedSince(from, L"Language file is correct version."), 1);
        EXPECT_EQ(LoggedSince(from, L"Warning! Language file is oldest version."), 0);
    }
}

// Russian captions with the Log tab need more room than the window is made with: it widens.
TEST_F(LanguageApply, EveryPageTabShowsInFullInRussianWithTheLogTab) {
    ASSERT_TRUE(main().UseLog());
    ASSERT_TRUE(test::PickLanguageFile(main(), L"Russian.lng"));
    test::ClickApply(main());
    HWND tabs = main().Control(ids::pageTabs);
    const int count = TabCtrl_GetItemCount(tabs);
    ASSERT_EQ(count, 5);
    RECT first{}, last{}, strip{};
    TabCtrl_GetItemRect(tabs, 0, &first);
    TabCtrl_GetItemRect(tabs, count - 1, &last);
    GetClientRect(tabs, &strip);
    EXPECT_GE(first.left, 0) << "not scrolled";
    EXPECT_LE(last.right, strip.right) << "the last tab is not cut";
}

// A folder of the shortcut's name in the Startup folder makes the shortcut fail.
TEST_F(LanguageApply, ShortcutErrorBoxIsInTheAppliedLanguage) {
    wchar_t startup[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, startup, CSIDL_STARTUP, TRUE));
    std::wstring link = std::wstring(startup) + L"\\Launch Lentora.lnk";
    ASSERT_TRUE(CreateDirectoryW(link.c_str(), nullptr)) << "nothing of that name may be there";
    ASSERT_TRUE(test::PickLanguageFile(main(), L"Russian.lng"));
    test::ClickApply(main());
    size_t boxes = window->boxes.shown.size();
    window->boxes.Answer(IDYES);
    main().CreateStartupShortcut();
    RemoveDirectoryW(link.c_str());

    ASSERT_EQ(window->boxes.shown.size(), boxes + 2) << "the question, then the error";
    const auto& error = window->boxes.shown.back();
    EXPECT_EQ(error.caption, L"\u041E\u0448\u0438\u0431\u043A\u0430");  // the Russian file's MSG14
    EXPECT_EQ(error.text, FormatText(main().Msg(NamedMsg::ShortcutNotCreated), {link}));
    EXPECT_EQ(error.text.rfind(L"\u041D\u0435 \u0443\u0434\u0430\u043B\u043E\u0441\u044C", 0), 0u) << "in Russian";
    EXPECT_EQ(error.type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
}

TEST_F(LanguageApply, ApplyingDuringAWalkKeepsTheWalkState) {
    main().Tasks().Clear();
    main().Tasks().AddTask({L"C:\\never-due.exe", L"999999", L"", L"0", true}, main().LogSink());
    main().Seq().StartOrStop();
    ASSERT_TRUE(main().Seq().WalkActive());
    std::wstring englishStop = main().Msg(Message::StopCaption);

    ASSERT_TRUE(test::PickLanguageFile(main(), L"Russian.lng"));
    test::ClickApply(main());
    std::wstring caption = Text(ids::startStopButton), hint = Hint(ids::startStopButton), status = StatusText(0);
    int trayImage = main().Tray().ImageIndex();
    main().Seq().StartOrStop();  // stops the walk
    main().Tasks().Clear();

    EXPECT_EQ(main().Msg(Message::StopCaption), L"\u0421\u0442\u043E\u043F");  // the Russian file's MSG23
    EXPECT_NE(main().Msg(Message::StopCaption), englishStop);
    EXPECT_EQ(caption, main().Msg(Message::StopCaption));
    EXPECT_EQ(hint, main().Msg(Message::StopHint));
    EXPECT_EQ(status, main().Msg(Message::WalkStatus));
    EXPECT_EQ(trayImage, 3);
    EXPECT_EQ(Text(ids::authorLabel), main().Msg(Message::AuthorWord) + L": Orvend");
}

TEST_F(LanguageApply, TheAboutPageIsInRussianAndShowsNoMadeUpPaymentDetails) {
    const std::pair<int, std::wstring_view> english[] = {
        {ids::freewareLabel, L"FREEWARE"},       {ids::componentsGroup, L"Used components"},
        {ids::trayComponentLabel, L"Tray icon component"}, {ids::cardLabel, L"Card payment"},
        {ids::walletLabel, L"E-wallet"},
    };
    ASSERT_TRUE(test::PickLanguageFile(main(), L"Russian.lng"));
    test::ClickApply(main());
    for (const auto& [id, text] : english) {
        const std::wstring shown = Text(id);
        EXPECT_FALSE(shown.empty()) << id;
        EXPECT_EQ(shown.find(text), std::wstring::npos) << id;
    }
    EXPECT_EQ(Text(ids::copyrightLabel), L"\u00A9 2026 Orvend");
    // This build has no payment details: no block shows, and no number stands in for them.
    for (int id : {ids::cardLabel, ids::cardIcon, ids::cardNumberButton, ids::walletLabel, ids::walletIcon, ids::walletText})
        EXPECT_FALSE(GetWindowLongW(main().Control(id), GWL_STYLE) & WS_VISIBLE) << id;
    EXPECT_EQ(Text(ids::cardNumberButton), L"");
    EXPECT_EQ(Text(ids::walletText), L"");
}

TEST_F(LanguageApply, TheTaskPagesRussianCaptionsAreNotCut) {
    ASSERT_TRUE(test::PickLanguageFile(main(), L"Russian.lng"));
    test::ClickApply(main());
    test::PumpMessages();
    HWND list = main().TaskView().List(), header = ListView_GetHeader(list);
    for (int column : {1, 2}) {
        const std::wstring caption = ColumnText(column);
        EXPECT_GT(ListView_GetColumnWidth(list, column), ui::TextWidth(header, caption)) << column;
    }
    HWND next = main().TaskView().StartNextButton();
    RECT r{};
    GetWindowRect(next, &r);
    EXPECT_GT(r.right - r.left, ui::TextWidth(next, ui::GetText(next)));
}

TEST_F(LanguageApply, TheLastCheckLabelAndItsDateAreNotCutAndTheFieldKeepsTheRowsEdge) {
    HWND label = main().Control(ids::lastCheckLabel), field = main().Control(ids::lastCheckDateField);
    const double lastCheck = main().Options().Shown().lastUpdateCheck;
    main().Options().SetLastCheck(ToDateSerial({.year = 2026, .month = 12, .day = 28}));
    RECT before{};
    GetWindowRect(field, &before);
    ASSERT_TRUE(test::PickLanguageFile(main(), L"Russian.lng"));
    test::ClickApply(main());
    test::PumpMessages();
    RECT labelRect{}, fieldRect{};
    GetWindowRect(label, &labelRect);
    GetWindowRect(field, &fieldRect);
    EXPECT_GE(labelRect.right - labelRect.left, ui::TextWidth(label, ui::GetText(label)));
    EXPECT_GE(fieldRect.left, labelRect.right);
    EXPECT_EQ(fieldRect.right, before.right);
    // A caption too long for the row gives way to the date, which is never cut.
    const std::wstring caption = ui::GetText(label);
    ui::SetText(label, std::wstring(60, L'W'));
    RECT window{};
    GetWindowRect(main().hwnd(), &window);
    SetWindowPos(main().hwnd(), nullptr, 0, 0, window.right - window.left + 1, window.bottom - window.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    test::PumpMessages();
    RECT client{};
    GetClientRect(field, &client);
    const auto margins = static_cast<DWORD>(SendMessageW(field, EM_GETMARGINS, 0, 0));
    EXPECT_GE(client.right - LOWORD(margins) - HIWORD(margins), ui::TextWidth(field, ui::GetText(field)))
        << "the whole date is shown";
    ui::SetText(label, caption);
    main().Options().SetLastCheck(lastCheck);
    SetWindowPos(main().hwnd(), nullptr, 0, 0, window.right - window.left, window.bottom - window.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    test::PumpMessages();
}

TEST_F(LanguageApply, PickingWithoutApplyingChangesOnlyTheDialogs) {
    ASSERT_FALSE(main().ActionFor(ids::applyLanguage).enabled());
    main().Options().SetChanged(false);
    ASSERT_TRUE(test::PickLanguageFile(main(), L"Russian.lng"));
    EXPECT_TRUE(main().ActionFor(ids::applyLanguage).enabled());
    EXPECT_TRUE(main().Options().Changed());

    std::wstring propertyTitle, registryTitle;
    PropertyDialogHook hook([&](TaskDialog& dialog) {
        propertyTitle = dialog.Title();
        test::ClickButton(dialog.sbtnImport());
        if (StartupEntriesDialog* form = main().StartupEntries()) registryTitle = form->Title();
    });
    main().TaskEditing().Add();
    EXPECT_EQ(propertyTitle, L"\u041D\u043E\u0432\u0430\u044F \u0437\u0430\u0434\u0430\u0447\u0430");
    EXPECT_EQ(registryTitle, L"\u0418\u043C\u043F\u043E\u0440\u0442 \u0438\u0437 \u0440\u0435\u0435\u0441\u0442\u0440\u0430");
    // The main window keeps the language applied last.
    EXPECT_EQ(main().Msg(Message::WarningCaption), L"Warning");
    EXPECT_EQ(TabText(main().Control(ids::pageTabs), 0), L"Task List");
}

TEST_F(LanguageApply, AFileWithOnlyTheImportKeySetsTheImportButtonsCaptionAndHint) {
    ASSERT_TRUE(test::PickLanguageFile(main(), L"ImportOnly.lng"));
    std::wstring caption, buttonHint, title, ok;
    PropertyDialogHook hook([&](TaskDialog& dialog) {
        caption = ui::GetText(dialog.sbtnImport());
        buttonHint = dialog.Hint(dialog.sbtnImport());
        title = dialog.Title();
        ok = ui::GetText(test::DialogItem(dialog, IDOK));
    });
    main().TaskEditing().Add();
    EXPECT_EQ(caption, L"Take over");
    EXPECT_EQ(buttonHint, L"Take over");
    EXPECT_EQ(title, L"Adding task");
    EXPECT_EQ(ok, L"Ok");
}

TEST_F(LanguageApply, LicenceAndAboutTextsComeFromTheLanguagesFilesOrStay) {
    namespace fs = std::filesystem;
    // No License folder yet: both failures are logged and the built-in texts stay.
    size_t from = main().LogLines().size();
    ASSERT_TRUE(test::PickLanguageFile(main(), L"English.lng"));
    test::ClickApply(main());
    EXPECT_EQ(LoggedSince(from, L"Error load of file license: \"" + window->Path(L"License\\License-EN.txt") + L"\""), 1);
    EXPECT_EQ(LoggedSince(from, L"Error load of file about: \"" + window->Path(L"License\\About-EN.txt") + L"\""), 1);
    EXPECT_EQ(Text(ids::licenseText), BuiltinLicenseText());
    EXPECT_EQ(Text(ids::aboutText), BuiltinAboutText());

    // UTF-8 with a byte-order mark, Cyrillic letters and LF line ends.
    fs::create_directory(window->Path(L"License"));
    test::WriteBytes(window->Path(L"License\\License-XX.txt"),
                     "\xEF\xBB\xBF\xD0\x9B\xD0\xB8\xD1\x86\xD0\xB5\xD0\xBD\xD0\xB7\xD0\xB8\xD1\x8F\nMIT");
    test::WriteBytes(window->Path(L"License\\About-XX.txt"), "About XX");
    ASSERT_TRUE(test::PickLanguageFile(main(), L"Cyrillic.lng"));
    test::ClickApply(main());
    EXPECT_EQ(Text(ids::licenseText), L"\u041B\u0438\u0446\u0435\u043D\u0437\u0438\u044F\r\nMIT");
    EXPECT_EQ(Text(ids::aboutText), L"About XX");

    // A language without files leaves the last texts found.
    ASSERT_TRUE(test::PickLanguageFile(main(), L"Empty.lng"));
    test::ClickApply(main());
    EXPECT_EQ(Text(ids::licenseText), L"\u041B\u0438\u0446\u0435\u043D\u0437\u0438\u044F\r\nMIT");
    EXPECT_EQ(Text(ids::aboutText), L"About XX");
    fs::remove_all(window->Path(L"License"));
}

TEST_F(LanguageApply, CatalogueOffersLngFilesOfTheFolderOnly) {
    namespace fs = std::filesystem;
    std::wstring folder = window->Path(L"more");
    fs::create_directories(folder + L"\\Folder.lng");
    test::WriteBytes(folder + L"\\Folder.lng\\Inner.lng", "[FILE]\r\nName=Inner\r\n");
    test::WriteBytes(folder + L"\\Alpha.lng", "[FILE]\r\nName=Alpha\r\n");
    test::WriteBytes(folder + L"\\Hidden.lng", "[FILE]\r\nName=Hidden\r\n");
    SetFileAttributesW((folder + L"\\Hidden.lng").c_str(), FILE_ATTRIBUTE_HIDDEN);
    test::WriteBytes(folder + L"\\NoFile.lng", "[MSG]\r\nMSG1=x\r\n");
    test::WriteBytes(folder + L"\\Notes.txt", "[FILE]\r\nName=Notes\r\n");

    // The program's own search, logging each step as it does at start-up.
    struct LineLog : ILogSink {
        std::vector<std::wstring> lines;
        void Log(const std::wstring& line) override { lines.push_back(line); }
    } log;
    LanguageCatalogue catalogue;
    catalogue.Search(folder, L"*.lng", log);  // without the trailing backslash
    std::vector<std::wstring> names = catalogue.Names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Alpha", L"Error", L"Hidden"}));
    EXPECT_EQ(catalogue.PathAt(static_cast<int>(names.size())), L"");

    ASSERT_EQ(log.lines.size(), 8u);
    EXPECT_EQ(log.lines.front(), L"Start searching language files");
    EXPECT_EQ(log.lines.back(), L"Finish searching language files");
    for (const auto& [file, name] : {std::pair{L"Alpha.lng", L"Alpha"}, {L"Hidden.lng", L"Hidden"}, {L"NoFile.lng", L"Error"}}) {
        SCOPED_TRACE(testing::Message() << file);
        auto adding = std::ranges::find(log.lines, L"Adding language file: \"" + folder + L"\\" + file + L"\"");
        ASSERT_NE(adding, log.lines.end());
        ASSERT_NE(adding + 1, log.lines.end());
        EXPECT_EQ(*(adding + 1), std::wstring(L"language: ") + name);
    }

    // A missing folder: the start line, the folder with its trailing backslash, and no finish line.
    log.lines.clear();
    catalogue.Search(folder + L"\\missing", L"*.lng", log);
    EXPECT_EQ(log.lines, (std::vector<std::wstring>{L"Start searching language files",
                                                    L"Directory \"" + folder + L"\\missing\\\" not exist. Search stopped"}));
    EXPECT_TRUE(catalogue.Entries().empty());
}

}  // namespace
}  // namespace lentora
