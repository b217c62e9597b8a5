// The property dialog's Import: the registry start-up entries dialog opened from it, an entry of
// the user's or the machine's Run key taken over as a task, and the registry dialog's lifetime. The Run values the
// tests write have names of their own and are removed afterwards.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <memory>

#include "dialog_test_support.h"
#include "sysint/elevated_approval.h"
#include "sysint/shell_link.h"
#include "sysint/startup_approval_key.h"
#include "sysint/startup_entries_dialog.h"
#include "sysint/startup_entry_sources.h"
#include "sysint_test_support.h"
#include "util/format.h"

namespace lentora {
namespace {

using test::ClickButton;
using test::DialogItem;
using test::HasVisibleStyle;
using test::PropertyDialogHook;

const std::wstring kRun = kRunKey;
const std::wstring kDisabled = kDisabledKey;
const std::wstring kApproved = kStartupApprovedKey;
const std::wstring kApprovedRun = kApproved + L"\\Run";
// A quoted path followed by an argument, as installers write it.
const std::wstring kCommand = L"\"C:\\Program Files\\Tool\\tool.exe\" /tray";

class PropertyImport : public ::testing::Test {
protected:
    static void SetUpTestSuite() { window = std::make_unique<test::MainWindowFixture>(); }
    static void TearDownTestSuite() { window.reset(); }
    void SetUp() override {
        ASSERT_TRUE(window->created());
        main().Tasks().Clear();
        test::SetText(HKEY_CURRENT_USER, kRun, name, kCommand);
        cleanup.Value(HKEY_CURRENT_USER, kRun, name);
        cleanup.Key(HKEY_LOCAL_MACHINE, kDisabled + L"\\" + name);
    }
    static test::MainWindowProbe main() { return window->form(); }

    // Opens the registry dialog from the property dialog and imports this test's Run value, or
    // the entry of that name and Key column.
    void Import(TaskDialog& dialog, const std::wstring& item = {}, const std::wstring& hkey = L"HKCU") {
        ClickButton(dialog.sbtnImport());
        StartupEntriesDialog* form = main().StartupEntries();
        ASSERT_NE(form, nullptr);
        EXPECT_TRUE(IsWindowVisible(form->hwnd()));
        const auto& rows = form->Rows();
        const std::wstring wanted = item.empty() ? name : item;
        auto row = std::find_if(rows.begin(), rows.end(),
                                [&](const RegistryEntry& r) { return r.item == wanted && r.hkey == hkey; });
        ASSERT_NE(row, rows.end());
        form->SelectRow(static_cast<size_t>(row - rows.begin()));
        ClickButton(form->ButtonWindow(StartupEntriesDialog::Button::kImport));
        EXPECT_FALSE(IsWindowVisible(form->hwnd()));
        EXPECT_EQ(main().StartupEntries(), form) << "Import hides the registry dialog, it is not destroyed";
    }

    static inline std::unique_ptr<test::MainWindowFixture> window;
    std::wstring name = test::UniqueName(L"Import");
    test::RegistryCleanup cleanup;
};

// Taken over as Task Manager does: the value stays, its switch goes off. The dialog keeps the entry
// it was opened for, whatever the entries dialog shows by OK.
TEST_F(PropertyImport, OkAddsAnEnabledTaskAndSwitchesTheEntryItWasOpenedForOff) {
    const std::wstring other = test::UniqueName(L"Other");
    test::SetText(HKEY_CURRENT_USER, kRun, other, L"other.exe");
    cleanup.Value(HKEY_CURRENT_USER, kRun, other);
    cleanup.Value(HKEY_CURRENT_USER, kApprovedRun, name);
    cleanup.Value(HKEY_CURRENT_USER, kApprovedRun, other);
    PropertyDialogHook hook([&](TaskDialog& dialog) {
        std::wstring title = dialog.Title();
        EXPECT_FALSE(HasVisibleStyle(dialog.chbDisableReg()));
        ClickButton(dialog.sbtnImport());
        StartupEntriesDialog* first = main().StartupEntries();
        ASSERT_NO_FATAL_FAILURE(Import(dialog));
        EXPECT_EQ(main().StartupEntries(), first) << "one registry dialog per property dialog";
        EXPECT_EQ(dialog.mode, TaskDialog::kImporting);
        EXPECT_EQ(ui::GetText(dialog.feSelectFile()), L"C:\\Program Files\\Tool\\tool.exe /tray");
        EXPECT_TRUE(ui::IsChecked(dialog.chbEnableTask())) << "the system started it: so does the task";
        EXPECT_TRUE(HasVisibleStyle(dialog.chbDisableReg()));
        EXPECT_TRUE(ui::IsChecked(dialog.chbDisableReg()));
        EXPECT_FALSE(IsWindowEnabled(dialog.chbDisableReg()));
        EXPECT_NE(dialog.Hint(dialog.chbDisableReg()).find(L"Task Manager"), std::wstring::npos)
            << "the hint says what the switch does";
        EXPECT_EQ(test::HintOverParentAt(dialog.hwnd(), dialog.chbDisableReg()), dialog.Hint(dialog.chbDisableReg()))
            << "the check box stays disabled: its hint shows over its place";
        EXPECT_EQ(dialog.Title(), title) << "importing keeps the title";
        // The list is opened again and another row chosen, then left without importing.
        ClickButton(dialog.sbtnImport());
        StartupEntriesDialog* form = main().StartupEntries();
        const auto& rows = form->Rows();
        auto row = std::find_if(rows.begin(), rows.end(), [&](const RegistryEntry& r) { return r.item == other; });
        ASSERT_NE(row, rows.end());
        form->SelectRow(static_cast<size_t>(row - rows.begin()));
        ClickButton(form->ButtonWindow(StartupEntriesDialog::Button::kClose));
        ui::SetText(dialog.dseTime(), L"7");
        ClickButton(DialogItem(dialog, IDOK));
        EXPECT_TRUE(dialog.Closed());
    });
    main().TaskEditing().Add();
    EXPECT_EQ(main().StartupEntries(), nullptr) << "destroyed with the property dialog";
    ASSERT_EQ(main().Tasks().Count(), 1u);
    const Task& task = main().Tasks().Item(0);
    EXPECT_EQ(task.commandLine, L"C:\\Program Files\\Tool\\tool.exe /tray");
    EXPECT_EQ(task.delay.Text(), L"7");
    EXPECT_EQ(task.importedFromSystem, L"1");
    EXPECT_TRUE(task.enabled);
    EXPECT_EQ(window->ScreenLogCount(L"file \"C:\\Program Files\\Tool\\tool.exe /tray\" is added"), 1);

    EXPECT_EQ(test::GetText(HKEY_CURRENT_USER, kRun, name), std::make_pair(DWORD{REG_SZ}, kCommand))
        << "the value stays where Task Manager shows it";
    EXPECT_FALSE(ReadStartupApproval(L"HKCU", L"Run", name).enabled) << "the system no longer starts it";
    EXPECT_TRUE(ReadStartupApproval(L"HKCU", L"Run", other).enabled) << "the row selected later is left alone";
    EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, kDisabled + L"\\" + name)) << "no disabled copy";
    EXPECT_EQ(window->ScreenLogCount(L"Start-up entry \"" + name + L"\" is switched off in \"HKCU\\" + kApproved +
                                     L"\\Run\""),
              1);
}

// A user's switch that cannot be written: the system would go on starting the entry beside the task.
TEST_F(PropertyImport, AUserEntryThatCannotBeSwitchedOffAddsNoTaskAndSaysWhy) {
    size_t boxes = window->boxes.shown.size();
    PropertyDialogHook hook([&](TaskDialog& dialog) {
        ASSERT_NO_FATAL_FAILURE(Import(dialog));
        ui::SetText(dialog.dseTime(), L"7");
        {
            test::UnwritableRoot noRights(HKEY_CURRENT_USER);
            ASSERT_TRUE(noRights.active());
            ClickButton(DialogItem(dialog, IDOK));
        }
        EXPECT_FALSE(dialog.Closed()) << "left for the user to cancel";
    });
    main().TaskEditing().Add();
    EXPECT_EQ(main().Tasks().Count(), 0u);
    EXPECT_EQ(test::GetText(HKEY_CURRENT_USER, kRun, name), std::make_pair(DWORD{REG_SZ}, kCommand));
    EXPECT_TRUE(ReadStartupApproval(L"HKCU", L"Run", name).enabled);
    EXPECT_EQ(window->ScreenLogCount(L"Can't write \"HKCU\\" + kApproved + L"\\Run\". Start-up entry \"" + name +
                                     L"\" is left enabled"),
              1);
    ASSERT_EQ(window->boxes.shown.size(), boxes + 1) << "no question: rights would not help";
    const auto& box = window->boxes.shown.back();
    EXPECT_EQ(box.text, main().Msg(NamedMsg::EntryNotTakenOver));
    EXPECT_EQ(box.caption, main().Msg(Message::ErrorCaption));
    EXPECT_EQ(box.type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
}

// A machine entry without administrator rights: asked once, then one elevated run of the program
// for that one write, waited for off the window's thread.
TEST_F(PropertyImport, AMachineEntryIsSwitchedOffByOneElevatedWriteWhenTheUserAgrees) {
    const std::wstring machine = test::UniqueName(L"Machine");
    test::SetText(HKEY_LOCAL_MACHINE, kRun, machine, L"machine.exe");
    cleanup.Value(HKEY_LOCAL_MACHINE, kRun, machine);
    const struct {
        const char* what;
        int answer;                 // to the question
        ElevatedOutcome outcome;    // of the elevated run, when there is one
        bool added;
        std::wstring errorText;     // the box after the outcome; empty for none
    } cases[] = {
        {"agreed and written", IDYES, ElevatedOutcome::kWritten, true, L""},
        {"consent declined", IDYES, ElevatedOutcome::kDeclined, false,
         FormatText(main().Msg(NamedMsg::ElevationDeclined), {machine})},
        {"elevated run failed", IDYES, ElevatedOutcome::kFailed, false, main().Msg(NamedMsg::EntryNotTakenOver)},
        {"question answered no", IDNO, ElevatedOutcome::kWritten, false, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        main().Tasks().Clear();
        std::vector<std::pair<std::wstring, std::wstring>> runs;
        const DWORD guiThread = GetCurrentThreadId();
        DWORD runThread = guiThread;
        const auto previous = ElevatedRunner();
        ElevatedRunner() = [&](const std::wstring& exe, const std::wstring& parameters) {
            runThread = GetCurrentThreadId();
            runs.emplace_back(exe, parameters);
            return c.outcome;
        };
        const size_t boxes = window->boxes.shown.size();
        PropertyDialogHook hook([&](TaskDialog& dialog) {
            ASSERT_NO_FATAL_FAILURE(Import(dialog, machine, L"HKLM"));
            ui::SetText(dialog.dseTime(), L"5");
            window->boxes.Answer(c.answer);
            {
                test::UnwritableRoot noRights(HKEY_LOCAL_MACHINE);
                ASSERT_TRUE(noRights.active());
                ClickButton(DialogItem(dialog, IDOK));
            }
            // The outcome comes as a message: the dialog's loop goes on meanwhile.
            for (int i = 0; i < 500 && dialog.Imported()->Waiting(); ++i) {
                MSG msg;
                while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
                Sleep(2);
            }
            EXPECT_FALSE(dialog.Imported()->Waiting());
            EXPECT_EQ(dialog.Closed(), c.added);
            if (!dialog.Closed()) ClickButton(DialogItem(dialog, IDCANCEL));
        });
        main().TaskEditing().Add();
        ElevatedRunner() = previous;

        EXPECT_EQ(main().Tasks().Count(), c.added ? 1u : 0u);
        ASSERT_GT(window->boxes.shown.size(), boxes);
        EXPECT_EQ(window->boxes.shown[boxes].text, FormatText(main().Msg(NamedMsg::ElevateQuestion), {machine}));
        EXPECT_EQ(window->boxes.shown.size(), boxes + (c.errorText.empty() ? 1 : 2));
        if (!c.errorText.empty()) {
            EXPECT_EQ(window->boxes.shown.back().text, c.errorText);
        }
        if (c.answer == IDNO) {
            EXPECT_TRUE(runs.empty()) << "nothing runs elevated without the user's yes";
            continue;
        }
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].first, main().ExePath());
        EXPECT_EQ(runs[0].second, L"-approval HKLM Run \"" + machine + L"\" off");
        EXPECT_NE(runThread, guiThread) << "the consent prompt is not waited for on the window's thread";
    }
    EXPECT_EQ(test::GetText(HKEY_LOCAL_MACHINE, kRun, machine), std::make_pair(DWORD{REG_SZ}, std::wstring(L"machine.exe")));
}

// Given back after an import: the task that had taken the entry over is removed or kept disabled,
// as the user answers, so Windows and the task never both start it; the keyboard stays where it was.
TEST_F(PropertyImport, GivingBackRemovesOrDisablesTheTaskAndLeavesTheFocusWhereItWas) {
    cleanup.Value(HKEY_CURRENT_USER, kApprovedRun, name);
    for (int answer : {IDYES, IDNO}) {
        SCOPED_TRACE(answer == IDYES ? "remove the task" : "keep it disabled");
        main().Tasks().Clear();
        PropertyDialogHook hook([&](TaskDialog& dialog) {
            ASSERT_NO_FATAL_FAILURE(Import(dialog));
            ui::SetText(dialog.dseTime(), L"7");
            ClickButton(DialogItem(dialog, IDOK));
        });
        main().TaskEditing().Add();
        ASSERT_EQ(main().Tasks().Count(), 1u);
        ASSERT_FALSE(ReadStartupApproval(L"HKCU", L"Run", name).enabled);

        main().ShowStartupEntries();
        StartupEntriesDialog* form = main().StartupEntries();
        ASSERT_NE(form, nullptr);
        const auto& rows = form->Rows();
        auto row = std::find_if(rows.begin(), rows.end(), [&](const RegistryEntry& r) { return r.item == name; });
        ASSERT_NE(row, rows.end());
        form->SelectRow(static_cast<size_t>(row - rows.begin()));
        SetFocus(form->EntryList());
        // A real message box leaves the focus on its owner's frame.
        const auto previous = ui::SetMessageBoxHandler([&](HWND owner, const std::wstring&, const std::wstring&, UINT) {
            SetFocus(owner);
            return answer;
        });
        ClickButton(form->ButtonWindow(StartupEntriesDialog::Button::kGiveBack));
        ui::SetMessageBoxHandler(previous);
        EXPECT_EQ(GetFocus(), form->EntryList());
        main().CloseStartupEntries();

        EXPECT_TRUE(ReadStartupApproval(L"HKCU", L"Run", name).enabled) << "Windows starts it again";
        if (answer == IDYES) {
            EXPECT_EQ(main().Tasks().Count(), 0u);
        } else {
            ASSERT_EQ(main().Tasks().Count(), 1u);
            EXPECT_FALSE(main().Tasks().Item(0).enabled);
        }
    }
}

// Nothing the user had switched off starts because it became a task.
TEST_F(PropertyImport, AnEntrySwitchedOffInTaskManagerBecomesADisabledTaskAndStaysAsItWas) {
    const std::vector<BYTE> off = {0x03, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8};
    const std::wstring approved = std::wstring(kStartupApprovedKey) + L"\\Run";
    test::SetRawValue(HKEY_CURRENT_USER, approved, name, REG_BINARY, off.data(), static_cast<DWORD>(off.size()));
    cleanup.Value(HKEY_CURRENT_USER, approved, name);
    PropertyDialogHook hook([&](TaskDialog& dialog) {
        ui::SetChecked(dialog.chbEnableTask(), true);
        ASSERT_NO_FATAL_FAILURE(Import(dialog));
        EXPECT_FALSE(ui::IsChecked(dialog.chbEnableTask())) << "switched off by the user: the task is off too";
        ui::SetText(dialog.dseTime(), L"7");
        ClickButton(DialogItem(dialog, IDOK));
        EXPECT_TRUE(dialog.Closed());
    });
    main().TaskEditing().Add();
    ASSERT_EQ(main().Tasks().Count(), 1u);
    EXPECT_FALSE(main().Tasks().Item(0).enabled);
    EXPECT_EQ(main().Tasks().Item(0).importedFromSystem, L"1");
    EXPECT_EQ(test::GetText(HKEY_CURRENT_USER, kRun, name), std::make_pair(DWORD{REG_SZ}, kCommand));
    EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, kDisabled + L"\\" + name));
}

// The user's real Startup folder, as the main window's dialog lists it.
TEST_F(PropertyImport, AStartupFolderShortcutBecomesATaskAndIsSwitchedOffInItsPlace) {
    wchar_t startup[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, startup, CSIDL_STARTUP, TRUE));
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring file = name + L".lnk", link = std::wstring(startup) + L"\\" + file;
    const std::wstring approved = std::wstring(kStartupApprovedKey) + L"\\StartupFolder";
    cleanup.Value(HKEY_CURRENT_USER, approved, file);
    ASSERT_TRUE(CreateShellLink(std::wstring(system) + L"\\notepad.exe", link, L"", L"/a"));
    PropertyDialogHook hook([&](TaskDialog& dialog) {
        ASSERT_NO_FATAL_FAILURE(Import(dialog, file, L"User folder"));  // the English file's label
        EXPECT_TRUE(ui::IsChecked(dialog.chbEnableTask())) << "the system started it: so does the task";
        ui::SetText(dialog.dseTime(), L"9");
        ClickButton(DialogItem(dialog, IDOK));
        EXPECT_TRUE(dialog.Closed());
    });
    main().TaskEditing().Add();
    const bool stays = GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES;
    DeleteFileW(link.c_str());
    ASSERT_EQ(main().Tasks().Count(), 1u);
    EXPECT_EQ(main().Tasks().Item(0).commandLine, std::wstring(system) + L"\\notepad.exe /a");
    EXPECT_TRUE(main().Tasks().Item(0).enabled);
    EXPECT_TRUE(stays) << "the shortcut is left where it was";
    auto value = test::GetText(HKEY_CURRENT_USER, approved, file);
    ASSERT_TRUE(value);
    EXPECT_EQ(value->first, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(ReadStartupApproval(L"HKCU", L"StartupFolder", file).enabled, false);
}

TEST_F(PropertyImport, CancelAfterImportAddsNothingAndMovesNothing) {
    PropertyDialogHook hook([&](TaskDialog& dialog) {
        ASSERT_NO_FATAL_FAILURE(Import(dialog));
        ClickButton(DialogItem(dialog, IDCANCEL));
        EXPECT_TRUE(dialog.Closed());
        EXPECT_EQ(main().StartupEntries(), nullptr) << "destroyed as the property dialog closes";
    });
    main().TaskEditing().Add();
    EXPECT_EQ(hook.shown, 1);
    EXPECT_EQ(main().Tasks().Count(), 0u);
    EXPECT_EQ(test::GetText(HKEY_CURRENT_USER, kRun, name), std::make_pair(DWORD{REG_SZ}, kCommand));
    EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, kDisabled + L"\\" + name));
}

}  // namespace
}  // namespace lentora
