// Start-up of the real main window on bad or outsized input: a log file another program holds, a
// language value of 100,000 characters, a task list of 100,000 tasks and 10 MB of garbage in place
// of the task list. The program starts, keeps what it could read and loses nothing it had.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>

#include "fault_test_support.h"
#include "tasks/task_list_file.h"
#include "util/format.h"

namespace lentora {
namespace {

using test::MainWindowFixture;
using test::MainWindowSetup;
using test::ReadBytes;

const std::string kTwoTasks = test::TwoTasksXml();

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int ScreenCount(test::MainWindowProbe form, std::wstring_view text) {
    int n = 0;
    for (const auto& line : form.LogLines()) n += MainWindowFixture::ShowsText(line, text);
    return n;
}

// Waits until the update worker has handed over its one line, so it is done with the window.
void WaitForUpdateWorker(test::MainWindowProbe form) {
    test::PumpUntil([&] { return ScreenCount(form, L"Check update is disable") > 0; }, 5000);
}

TEST(LogFileHeldByAnother, StartUpStillLoadsEverythingAndTheLinesStayOnScreen) {
    MainWindowSetup setup;
    setup.ini = std::string(test::kQuietIni) + "TimeExit=42\r\n";
    setup.startList = kTwoTasks;
    MainWindowFixture first(std::move(setup));
    ASSERT_TRUE(first.created());
    first.Destroy();  // leaves a log file behind
    const std::wstring logPath = first.Path(L"lentora.log");
    const std::string logBefore = ReadBytes(logPath);
    ASSERT_NE(logBefore, "<missing>");

    // Another program writes the log and lets others only read it.
    test::HeldFile hold(logPath, GENERIC_WRITE, FILE_SHARE_READ);
    ASSERT_TRUE(hold.IsHeld());
    {
        MainWindow formWindow(StartupContext{first.ExePath(), {}});
        test::MainWindowProbe form(formWindow);
        ASSERT_TRUE(form.Create());
        WaitForUpdateWorker(form);
        EXPECT_EQ(form.Tasks().Count(), 2u);
        EXPECT_EQ(ui::GetText(form.Control(ids::exitAfterField)), L"42");
        EXPECT_EQ(ScreenCount(form, L"Params is Loaded"), 1);
        EXPECT_EQ(ScreenCount(form, L"Task list is loaded"), 1);
        EXPECT_EQ(ScreenCount(form, L"Check update is disable"), 1);

        form.Shutdown();
        EXPECT_EQ(ScreenCount(form, FormatText(L"Task list is saved as \"%s\"", {first.Path(L"startlist.xml")})), 1);
        EXPECT_EQ(ScreenCount(form, L"Params is saved"), 1);
        EXPECT_EQ(ScreenCount(form, FormatText(L"Closing application v.%s", {form.ProgramVersion()})), 1);
    }
    test::PumpMessages();
    EXPECT_EQ(ReadBytes(logPath), logBefore) << "nothing was written past the other program's hold";
    EXPECT_TRUE(first.boxes.shown.empty());
}

TEST(LongLanguageValue, IsCutTo2047CharactersAndApplied) {
    const std::string longValue(100000, 'x');
    MainWindowSetup setup;
    setup.ini = std::string(test::kQuietIni) + "[Language]\r\nCurrentLanguage=Long (LG)\r\n";
    setup.files.push_back({L"languages\\Long.lng", "[FILE]\r\nName=Long (LG)\r\nLanguage=EN\r\nVersion=1.4.0\r\n"
                                                   "[PAGES]\r\ntsOptions=" + longValue +
                                                       "\r\n[MSG]\r\nMSG6=" + longValue + "\r\nMSG7=" + longValue +
                                                       "\r\n[OPTIONS]\r\nchbUseSkin=" + longValue + "\r\n"});
    MainWindowFixture main(std::move(setup));
    ASSERT_TRUE(main.created());
    ASSERT_EQ(main.Text(ids::languageList), L"Long (LG)");

    const std::wstring cut(2047, L'x');
    EXPECT_EQ(main->Msg(Message::IdleStatus), cut);
    EXPECT_EQ(main->Msg(Message::ElapsedLabel), cut);
    EXPECT_EQ(main->Msg(Message::LastDelayReachedStatus), L"no data") << "the keys after a long one are read as usual";
    EXPECT_EQ(main.Text(ids::useSkinCheck), cut);
    HWND tabs = main->Control(ids::pageTabs);
    std::wstring options(4096, L'\0');
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = options.data();
    item.cchTextMax = static_cast<int>(options.size());
    ASSERT_TRUE(TabCtrl_GetItem(tabs, 2, &item));
    EXPECT_EQ(std::wstring(options.c_str()), cut);
    EXPECT_EQ(main.ScreenLogCount(L"Language file is correct version."), 1);

    // The status bar and the tray hint took the long idle text without harm; a close still saves.
    EXPECT_EQ(LOWORD(SendMessageW(main->StatusBar(), SB_GETTEXTLENGTHW, 0, 0)), 2047);
    main->Shutdown();
    EXPECT_EQ(main.ScreenLogCount(L"Params is saved"), 1);
    EXPECT_EQ(main.IniValue(L"Language", L"CurrentLanguage"), L"Long (LG)");
}

TEST(HugeTaskList, OfOneHundredThousandTasksLoadsValidatesAndSaves) {
    constexpr size_t kCount = 100000;
    std::string xml = test::ManyTasksXml(kCount);
    // Two rows the validation must correct: a delay of 0 and a task without a command line.
    const std::string zero = "name=\"C:\\Tools\\program7.exe /quiet\" time=\"8\"";
    xml.replace(xml.find(zero), zero.size(), "name=\"C:\\Tools\\program7.exe /quiet\" time=\"0\"");
    const std::string named = "name=\"C:\\Tools\\program9.exe /quiet\"";
    xml.replace(xml.find(named), named.size(), "name=\"\"");
    MainWindowSetup setup;
    setup.startList = xml;

    auto start = std::chrono::steady_clock::now();
    MainWindowFixture main(std::move(setup));
    const double startUp = SecondsSince(start);
    ASSERT_TRUE(main.created());
    ASSERT_EQ(main->Tasks().Count(), kCount);
    EXPECT_EQ(ListView_GetItemCount(main->TaskView().List()), static_cast<int>(kCount));
    EXPECT_EQ(main.ScreenLogCount(L"Task list is loaded"), 1);
    EXPECT_EQ(main.ScreenLogCount(L"Find incorrect time of start in C:\\Tools\\program7.exe /quiet line 8 line. Corrected."), 1);
    EXPECT_EQ(main.ScreenLogCount(L"Find empty Name of start in 10 line. Disabled."), 1);

    start = std::chrono::steady_clock::now();
    main->Shutdown();
    const double close = SecondsSince(start);
    const std::wstring path = main.Path(L"startlist.xml");
    ASSERT_EQ(main.ScreenLogCount(FormatText(L"Task list is saved as \"%s\"", {path})), 1);

    TaskList reread;
    ASSERT_TRUE(LoadTaskListFromBytes(ReadBytes(path), reread));
    ASSERT_EQ(reread.Count(), kCount);
    for (size_t i = 0; i < kCount; ++i) {
        ASSERT_EQ(reread.Item(i).commandLine, main->Tasks().Item(i).commandLine) << i;
        ASSERT_EQ(reread.Item(i).delay.Text(), main->Tasks().Item(i).delay.Text()) << i;
        ASSERT_EQ(reread.Item(i).enabled, main->Tasks().Item(i).enabled) << i;
    }
    std::printf("100,000 tasks: start-up %.2f s, close %.2f s\n", startUp, close);
    RecordProperty("startup_s", std::to_string(startUp));
    RecordProperty("close_s", std::to_string(close));
}

TEST(GarbageTaskList, GivesAnEmptyListAndIsKeptBesideItselfBeforeTheCloseSave) {
    std::mt19937 random(20141209);
    std::string garbage(10u << 20, '\0');
    for (auto& c : garbage) c = static_cast<char>(random());
    MainWindowSetup setup;
    setup.ini = std::string(test::kQuietIni) + "TimeExit=42\r\n";
    setup.startList = garbage;
    MainWindowFixture main(std::move(setup));
    ASSERT_TRUE(main.created());

    const std::wstring path = main.Path(L"startlist.xml");
    const std::wstring kept = main.Path(L"startlist.xml.bak");
    EXPECT_EQ(main.ScreenLogCount(FormatText(L"Error of loading of a file \"%s\"", {path})), 1);
    EXPECT_EQ(main.ScreenLogCount(FormatText(L"Task list \"%s\" could not be read and is kept as \"%s\"", {path, kept})), 1);
    EXPECT_EQ(main->Tasks().Count(), 0u);
    EXPECT_EQ(main.Text(ids::exitAfterField), L"42") << "start-up went on";
    EXPECT_TRUE(main.boxes.shown.empty());
    EXPECT_TRUE(ReadBytes(path) == garbage) << "the file stays as it was while the program runs";
    EXPECT_TRUE(ReadBytes(kept) == garbage);

    // The close saves the list as it is now, the empty one, in place of what could not be read.
    main->Shutdown();
    EXPECT_EQ(main.ScreenLogCount(FormatText(L"Task list is saved as \"%s\"", {path})), 1);
    TaskList reread;
    EXPECT_TRUE(LoadTaskListFromBytes(ReadBytes(path), reread));
    EXPECT_EQ(reread.Count(), 0u);
    EXPECT_TRUE(ReadBytes(kept) == garbage);
}

}  // namespace
}  // namespace lentora
