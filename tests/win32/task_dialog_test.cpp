// The task property dialog driven inside the modal loop of the main window's Add and Edit.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "dialog_test_support.h"
#include "ui/dpi.h"
#include "ui/text_width.h"

namespace lentora {
namespace {

using test::ClickButton;
using test::DialogItem;
using test::HasVisibleStyle;
using test::MainWindowFixture;
using test::PropertyDialogHook;

// One main window for the suite: without a window manager, Wine takes seconds to take one down.
class PropertyDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test::MainWindowSetup setup;
        // A language without the dialog's keys, for the built-in titles.
        setup.files = {{L"languages\\Bare.lng", "[FILE]\r\nName=Bare\r\n"}};
        window = std::make_unique<MainWindowFixture>(std::move(setup));
    }
    static void TearDownTestSuite() { window.reset(); }
    void SetUp() override {
        ASSERT_TRUE(window->created());
        main().Tasks().Clear();
        window->boxes.shown.clear();
    }

    static test::MainWindowProbe main() { return window->form(); }
    static std::vector<test::MessageBoxQueue::Shown>& boxes() { return window->boxes.shown; }
    static void AddRow(const std::wstring& caption, const std::wstring& delay, bool enabled,
                       const std::wstring& reg = L"0") {
        main().Tasks().AddTask({caption, delay, L"", reg, enabled}, main().LogSink());
    }
    static std::vector<std::wstring> Captions() {
        std::vector<std::wstring> captions;
        for (const auto& task : main().Tasks().Items()) captions.push_back(task.commandLine);
        return captions;
    }
    static void Fill(TaskDialog& dialog, const std::wstring& program, const std::wstring& delay, bool enabled) {
        ui::SetText(dialog.feSelectFile(), program);
        ui::SetText(dialog.dseTime(), delay);
        ui::SetChecked(dialog.chbEnableTask(), enabled);
    }

    static inline std::unique_ptr<MainWindowFixture> window;
};

TEST_F(PropertyDialog, HasItsClientSizeCentredOnTheMainWindowAndIsModal) {
    HWND owner = main().hwnd();
    // Away from the screen's centre, so centring on the screen would show.
    SetWindowPos(owner, nullptr, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PropertyDialogHook hook([&](TaskDialog& dialog) {
        UINT dpi = ui::WindowDpi(owner);
        RECT client{}, outer{}, ownerRect{};
        GetClientRect(dialog.hwnd(), &client);
        EXPECT_EQ(client.right, ui::Scale(435, dpi));
        EXPECT_EQ(client.bottom, ui::Scale(149, dpi));
        GetWindowRect(dialog.hwnd(), &outer);
        GetWindowRect(owner, &ownerRect);
        EXPECT_NEAR((outer.left + outer.right) / 2, (ownerRect.left + ownerRect.right) / 2, 1);
        EXPECT_NEAR((outer.top + outer.bottom) / 2, (ownerRect.top + ownerRect.bottom) / 2, 1);
        EXPECT_FALSE(GetWindowLongPtrW(dialog.hwnd(), GWL_STYLE) & WS_THICKFRAME) << "not resizable";
        EXPECT_EQ(GetWindow(dialog.hwnd(), GW_OWNER), owner);
        EXPECT_FALSE(IsWindowEnabled(owner)) << "the main window waits while the dialog is open";
    });
    main().TaskEditing().Add();
    EXPECT_EQ(hook.shown, 1);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

// Another program's top-level window, shown while it lives: where Windows would send the
// activation if the main window could not take it.
class OtherProgramWindow {
public:
    explicit OtherProgramWindow(const std::wstring& title) {
        const char* probe = std::getenv("LENTORA_WINDOW_PROBE");
        if (!probe) return;
        std::wstring command = L"\"" + test::WinePath(probe) + L"\" window \"" + title + L"\"";
        STARTUPINFOW si{sizeof(si)};
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &process_))
            return;
        test::PumpUntil([&] { return (window_ = FindWindowW(L"WindowProbe", title.c_str())) && IsWindowVisible(window_); });
        // A new window is activated on its own time; until it has been, it could still take the
        // activation from whatever the test puts in front.
        test::PumpUntil([&] { return GetForegroundWindow() == window_; }, 2000);
    }
    ~OtherProgramWindow() {
        if (!process_.hProcess) return;
        TerminateProcess(process_.hProcess, 0);
        WaitForSingleObject(process_.hProcess, 5000);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    OtherProgramWindow(const OtherProgramWindow&) = delete;
    OtherProgramWindow& operator=(const OtherProgramWindow&) = delete;
    HWND hwnd() const { return window_; }

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

TEST_F(PropertyDialog, ClosingByOkOrCancelLeavesTheFocusOnTheControlThatHadIt) {
    OtherProgramWindow other(L"Another program");
    ASSERT_NE(other.hwnd(), nullptr) << "the other program's window is up";
    HWND owner = main().hwnd();
    // The window system tells Wine of the front window's change on its own time: it is let
    // arrive before the dialog opens, as it has long before a user opens one.
    SetForegroundWindow(owner);
    const ULONGLONG settled = GetTickCount64() + 500;
    test::PumpUntil([&] { return GetTickCount64() > settled; });
    HWND list = main().TaskView().List();
    const struct {
        const char* name;
        bool ok;
    } cases[] = {{"OK", true}, {"Cancel", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetForegroundWindow(owner);
        SetFocus(list);
        ASSERT_EQ(GetForegroundWindow(), owner);
        ASSERT_EQ(GetFocus(), list);
        PropertyDialogHook hook([&](TaskDialog& dialog) {
            Fill(dialog, L"C:\\focus.exe", L"5", true);
            ClickButton(DialogItem(dialog, c.ok ? IDOK : IDCANCEL));
        });
        main().TaskEditing().Add();
        test::PumpMessages();
        EXPECT_EQ(hook.shown, 1);
        EXPECT_EQ(GetForegroundWindow(), owner) << "not the other program's window";
        EXPECT_EQ(GetFocus(), list);
    }
}

TEST_F(PropertyDialog, RussianCaptionsFitTheirButtonsAndLabel) {
    ASSERT_TRUE(test::PickLanguageFile(main(), L"Russian.lng"));
    struct Shown {
        std::wstring text;
        int room, need;
    };
    std::vector<Shown> shown;
    PropertyDialogHook hook([&](TaskDialog& dialog) {
        const int picture = ui::Scale(16, ui::WindowDpi(dialog.hwnd()));
        for (HWND control : {dialog.sbtnImport(), test::DialogItem(dialog, IDOK), test::DialogItem(dialog, IDCANCEL),
                             dialog.DelayLabel()}) {
            RECT r{};
            GetWindowRect(control, &r);
            const std::wstring text = ui::GetText(control);
            const bool button = control != dialog.DelayLabel();
            shown.push_back({text, r.right - r.left, ui::TextWidth(control, text) + (button ? picture + 8 : 0)});
        }
        test::ClickButton(test::DialogItem(dialog, IDCANCEL));
    });
    main().TaskEditing().Add();
    ASSERT_TRUE(test::PickLanguageFile(main(), L"English.lng"));
    ASSERT_EQ(shown.size(), 4u);
    for (const Shown& s : shown) EXPECT_GE(s.room, s.need) << "caption of " << s.text.size() << " letters";
}

TEST_F(PropertyDialog, ChecksDelayThenProgramThenForbiddenCharacters) {
    struct Case {
        const wchar_t* program;
        const wchar_t* delay;
        Message message;
    };
    const Case refused[] = {
        {L"C:\\tool.exe", L"0", Message::DelayTooShort},
        {L"", L"0", Message::DelayTooShort},  // the delay is checked first
        {L"C:\\tool.exe", L"", Message::DelayTooShort},
        {L"C:\\tool.exe", L"abc", Message::DelayTooShort},   // pasted text that is no number
        {L"C:\\tool.exe", L"5abc", Message::DelayTooShort},  // a number followed by more: the task would never start
        {L"C:\\tool.exe", L"3 0", Message::DelayTooShort},
        {L"C:\\tool.exe", L"  ", Message::DelayTooShort},
        {L"", L"5", Message::NoProgram},
        {L"C:\\a*b.exe", L"5", Message::ForbiddenCharacter},
        {L"C:\\tool.exe a,b", L"5", Message::ForbiddenCharacter},
        {L"C:\\tool?.exe", L"5", Message::ForbiddenCharacter},
        {L"\"C:\\Program Files\\tool.exe\"", L"5", Message::ForbiddenCharacter},
        {L"C:\\tool.exe <in", L"5", Message::ForbiddenCharacter},
        {L"C:\\tool.exe >out", L"5", Message::ForbiddenCharacter},
        {L"C:\\tool.exe | more", L"5", Message::ForbiddenCharacter},
    };
    // A refused OK leaves the dialog open, so one dialog takes every correction in turn.
    PropertyDialogHook hook([&](TaskDialog& dialog) {
        for (const Case& c : refused) {
            SCOPED_TRACE(testing::Message() << "program [" << c.program << "] delay [" << c.delay << "]");
            boxes().clear();
            Fill(dialog, c.program, c.delay, true);
            ClickButton(DialogItem(dialog, IDOK));
            ASSERT_FALSE(dialog.Closed());
            ASSERT_EQ(boxes().size(), 1u);
            EXPECT_EQ(boxes()[0].text, main().Msg(c.message));
            EXPECT_EQ(boxes()[0].caption, main().Msg(Message::WarningCaption));
            EXPECT_EQ(boxes()[0].type, static_cast<UINT>(MB_OK | MB_ICONWARNING));
            EXPECT_EQ(GetFocus(), c.message == Message::DelayTooShort ? dialog.dseTime() : dialog.feSelectFile());
            EXPECT_EQ(ui::IsChecked(dialog.chbEnableTask()), c.message != Message::DelayTooShort)
                << "a bad delay clears \"Enable task\"";
        }
    });
    main().TaskEditing().Add();
    EXPECT_EQ(main().Tasks().Count(), 0u);
    // Three texts of the language, not one text shown three times.
    EXPECT_NE(main().Msg(Message::DelayTooShort), main().Msg(Message::NoProgram));
    EXPECT_NE(main().Msg(Message::NoProgram), main().Msg(Message::ForbiddenCharacter));

    struct Accepted {
        const wchar_t* program;
        const wchar_t* delay;
    };
    const Accepted accepted[] = {
        {L"C:\\Program Files\\Tool\\tool.exe /tray", L"1"},
        {L"Z:/apps/tool.exe -mode:quiet \\\\server\\share", L"999999"},
        {L"C:\\tool.exe /pasted", L" 30\t"},  // blanks around the number are dropped
    };
    for (const Accepted& c : accepted) {
        SCOPED_TRACE(testing::Message() << "program [" << c.program << "]");
        boxes().clear();
        PropertyDialogHook accept([&](TaskDialog& dialog) {
            Fill(dialog, c.program, c.delay, true);
            ClickButton(DialogItem(dialog, IDOK));
            EXPECT_TRUE(dialog.Closed());
        });
        main().TaskEditing().Add();
        EXPECT_TRUE(boxes().empty());
        EXPECT_EQ(window->ScreenLogCount(L"file \"" + std::wstring(c.program) + L"\" is added"), 1);
    }
    ASSERT_EQ(main().Tasks().Count(), 3u);
    const auto& tasks = main().Tasks().Items();
    const auto pasted = std::find_if(tasks.begin(), tasks.end(),
                                     [](const Task& task) { return task.commandLine == L"C:\\tool.exe /pasted"; });
    ASSERT_NE(pasted, tasks.end());
    EXPECT_EQ(pasted->delay.Text(), L"30");
}

TEST_F(PropertyDialog, AddAppendsAnUnimportedRowAndResortsByDelayAfterOkOrCancel) {
    AddRow(L"C:\\late.exe", L"20", true);
    AddRow(L"C:\\early.exe", L"5", false);
    size_t logged = main().LogLines().size();
    {
        PropertyDialogHook hook([&](TaskDialog& dialog) {
            Fill(dialog, L"C:\\never.exe", L"7", true);
            ClickButton(DialogItem(dialog, IDCANCEL));
            EXPECT_TRUE(dialog.Closed());
        });
        main().TaskEditing().Add();
    }
    EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"C:\\early.exe", L"C:\\late.exe"})) << "sorted after Cancel too";
    EXPECT_EQ(main().LogLines().size(), logged) << "Cancel adds nothing";

    main().Tasks().SetStatus(0, L"stale");
    {
        PropertyDialogHook hook([&](TaskDialog& dialog) {
            EXPECT_EQ(dialog.mode, TaskDialog::kAdding);
            Fill(dialog, L"C:\\Program Files\\Mid\\mid.exe -x", L"10", true);
            ClickButton(DialogItem(dialog, IDOK));
        });
        main().TaskEditing().Add();
    }
    ASSERT_EQ(Captions(),
              (std::vector<std::wstring>{L"C:\\early.exe", L"C:\\Program Files\\Mid\\mid.exe -x", L"C:\\late.exe"}));
    const Task& added = main().Tasks().Item(1);
    EXPECT_EQ(added.delay.Text(), L"10");
    EXPECT_EQ(added.importedFromSystem, L"0");
    EXPECT_TRUE(added.enabled);
    EXPECT_EQ(window->ScreenLogCount(L"file \"C:\\Program Files\\Mid\\mid.exe -x\" is added"), 1);
    // Every row's status follows its check box again.
    EXPECT_EQ(main().Tasks().Item(0).status, main().Msg(Message::TaskDisabledStatus));
    EXPECT_EQ(main().Tasks().Item(1).status, main().Msg(Message::TaskEnabledStatus));
    EXPECT_EQ(main().Tasks().Item(2).status, main().Msg(Message::TaskEnabledStatus));

    // After a click on Time the list is descending, and Add keeps the direction it showed last.
    main().Tasks().SortByColumn(kTimeColumn);
    {
        PropertyDialogHook hook([&](TaskDialog& dialog) {
            Fill(dialog, L"C:\\last.exe", L"15", true);
            ClickButton(DialogItem(dialog, IDOK));
        });
        main().TaskEditing().Add();
    }
    main().Tasks().SortByColumn(kTimeColumn);  // the suite's other tests expect ascending order
    main().Tasks().SortByColumn(kTimeColumn);
    EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"C:\\late.exe", L"C:\\last.exe",
                                                     L"C:\\Program Files\\Mid\\mid.exe -x", L"C:\\early.exe"}));
}

TEST_F(PropertyDialog, EditChangesTheSelectedRowInPlaceAndCancelChangesNothing) {
    AddRow(L"C:\\a.exe", L"5", true);
    AddRow(L"C:\\imported.exe /tray", L"10", true, L"1");
    AddRow(L"C:\\c.exe", L"20", false);
    for (size_t i = 0; i < 3; ++i) main().Tasks().SetStatus(i, L"stale");
    window->SelectRow(1);
    const std::vector<Task> before = main().Tasks().Items();
    size_t logged = main().LogLines().size();
    {
        PropertyDialogHook hook([&](TaskDialog& dialog) {
            Fill(dialog, L"C:\\other.exe", L"42", false);
            SendMessageW(dialog.hwnd(), WM_CLOSE, 0, 0);  // the title bar's close box
            EXPECT_TRUE(dialog.Closed());
        });
        main().TaskEditing().EditSelected();
    }
    EXPECT_EQ(main().Tasks().Items(), before);

    PropertyDialogHook hook([&](TaskDialog& dialog) {
        EXPECT_EQ(dialog.mode, TaskDialog::kEditing);
        EXPECT_EQ(ui::GetText(dialog.feSelectFile()), L"C:\\imported.exe /tray");
        EXPECT_EQ(ui::GetText(dialog.dseTime()), L"10");
        EXPECT_TRUE(ui::IsChecked(dialog.chbEnableTask()));
        Fill(dialog, L"C:\\z.exe", L"99", false);  // would sort last
        ClickButton(DialogItem(dialog, IDOK));
    });
    main().TaskEditing().EditSelected();
    ASSERT_EQ(hook.shown, 1);
    EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"C:\\a.exe", L"C:\\z.exe", L"C:\\c.exe"})) << "not re-sorted";
    const Task& edited = main().Tasks().Item(1);
    EXPECT_EQ(edited.delay.Text(), L"99");
    EXPECT_FALSE(edited.enabled);
    EXPECT_EQ(edited.importedFromSystem, L"1") << "the reg flag stays";
    EXPECT_EQ(main().LogLines().size(), logged) << "editing logs nothing";
    EXPECT_EQ(main().Tasks().Item(0).status, main().Msg(Message::TaskEnabledStatus));
    EXPECT_EQ(main().Tasks().Item(1).status, main().Msg(Message::TaskDisabledStatus));
    EXPECT_EQ(main().Tasks().Item(2).status, main().Msg(Message::TaskDisabledStatus));
}

TEST_F(PropertyDialog, TitleAndButtonsFollowTheMode) {
    ASSERT_TRUE(test::PickLanguageFile(main(), L"Bare.lng"));
    AddRow(L"C:\\a.exe", L"5", true);
    window->SelectRow(0);
    struct Seen {
        std::wstring title;
        bool import = false, disableReg = false;
    } adding, editing;
    auto record = [](Seen& seen) {
        return [&seen](TaskDialog& dialog) {
            seen = {dialog.Title(), HasVisibleStyle(dialog.sbtnImport()), HasVisibleStyle(dialog.chbDisableReg())};
        };
    };
    {
        PropertyDialogHook hook(record(adding));
        main().TaskEditing().Add();
    }
    {
        PropertyDialogHook hook(record(editing));
        main().TaskEditing().EditSelected();
    }
    ASSERT_TRUE(test::PickLanguageFile(main(), L"English.lng"));
    EXPECT_EQ(adding.title, L"Adding task");
    EXPECT_TRUE(adding.import);
    EXPECT_FALSE(adding.disableReg);
    EXPECT_EQ(editing.title, L"Editing task");
    EXPECT_FALSE(editing.import);
    EXPECT_FALSE(editing.disableReg);
}

}  // namespace
}  // namespace lentora
