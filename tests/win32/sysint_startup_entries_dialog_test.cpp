// The registry start-up entries dialog against the test prefix's real Run keys and disabled
// entries: every value the tests write has a name of its own and is removed afterwards.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>

#include "startup_entries_test_support.h"
#include "ui/dialog_keys.h"
#include "ui/dpi.h"
#include "ui/text_width.h"

namespace lentora {
namespace {

using test::UniqueName;
using test::kDisabled;
using test::kRun;
using test::kRun32;
using test::ItemText;
using SysintRegistryForm = test::StartupEntriesFixture;

TEST_F(SysintRegistryForm, ListsUserMachine32BitAndDisabledEntriesInThatOrder) {
    // One name in every source: each gives a row of its own, none is merged or read twice.
    std::wstring name = UniqueName(L"Order");
    AddRunValue(HKEY_CURRENT_USER, kRun, name, L"user.exe");
    AddRunValue(HKEY_LOCAL_MACHINE, kRun, name, L"machine.exe");
    AddRunValue(HKEY_LOCAL_MACHINE, kRun32, name, L"wow.exe");
    // The names of a disabled entry's values are matched with letter case ignored.
    std::wstring entry = kDisabled + L"\\" + name;
    cleanup.Key(HKEY_LOCAL_MACHINE, entry);
    test::SetText(HKEY_LOCAL_MACHINE, entry, L"Command", L"\"C:\\dis abled.exe\" -x");
    test::SetText(HKEY_LOCAL_MACHINE, entry, L"HKEY", L"HKLM");
    test::SetText(HKEY_LOCAL_MACHINE, entry, L"Item", name);

    auto form = Open();
    const struct {
        const wchar_t *enabled, *hkey, *command;
        std::wstring key;
    } expected[] = {{L"Yes", L"HKCU", L"user.exe", kRun},
                    {L"Yes", L"HKLM", L"machine.exe", kRun},
                    {L"Yes", L"HKLM", L"wow.exe", kRun32},
                    {L"No", L"HKLM", L"\"C:\\dis abled.exe\" -x", entry}};
    std::vector<int> found;
    for (size_t i = 0; i < form->Rows().size(); ++i)
        if (form->Rows()[i].item == name) found.push_back(static_cast<int>(i));
    ASSERT_EQ(found.size(), std::size(expected));
    for (size_t n = 0; n < found.size(); ++n) {
        SCOPED_TRACE(expected[n].command);
        const RegistryEntry& row = form->Rows()[static_cast<size_t>(found[n])];
        EXPECT_EQ(row.enabled, expected[n].enabled);
        EXPECT_EQ(row.hkey, expected[n].hkey);
        EXPECT_EQ(row.command, expected[n].command);
        EXPECT_EQ(row.key, expected[n].key);
        // The list shows the same: caption and three sub-items.
        HWND list = form->EntryList();
        EXPECT_EQ(ItemText(list, found[n], 0), expected[n].enabled);
        EXPECT_EQ(ItemText(list, found[n], 1), expected[n].hkey);
        EXPECT_EQ(ItemText(list, found[n], 2), name);
        EXPECT_EQ(ItemText(list, found[n], 3), expected[n].command);
    }
    EXPECT_EQ(ListView_GetItemCount(form->EntryList()), static_cast<int>(form->Rows().size()));
}

TEST_F(SysintRegistryForm, ValuesThatAreNotTextAreListedAndCannotBeImported) {
    std::wstring stem = UniqueName(L"Types");
    const BYTE binary[] = {0x01, 0xAB};
    const DWORD number = 42;
    test::SetRawValue(HKEY_CURRENT_USER, kRun, stem + L"a_bin", REG_BINARY, binary, sizeof binary);
    test::SetRawValue(HKEY_CURRENT_USER, kRun, stem + L"b_dword", REG_DWORD, &number, sizeof number);
    for (const wchar_t* suffix : {L"a_bin", L"b_dword"}) {
        cleanup.Value(HKEY_CURRENT_USER, kRun, stem + suffix);
        cleanup.Key(HKEY_LOCAL_MACHINE, kDisabled + L"\\" + stem + suffix);
    }
    AddRunValue(HKEY_CURRENT_USER, kRun, stem + L"c_text", L"after.exe");

    auto form = Open();
    const struct {
        const wchar_t* suffix;
        const wchar_t* shown;
    } cases[] = {{L"a_bin", L"01 AB"}, {L"b_dword", L"42"}, {L"c_text", L"after.exe"}};
    for (const auto& c : cases) {
        int row = Find(*form, stem + c.suffix, L"HKCU");
        ASSERT_GE(row, 0) << c.suffix;
        EXPECT_EQ(form->Rows()[static_cast<size_t>(row)].command, c.shown);
    }
    Select(*form, stem + L"a_bin", L"HKCU");
    SendMessageW(form->ButtonWindow(StartupEntriesDialog::Button::kImport), BM_CLICK, 0, 0);
    EXPECT_TRUE(imported.empty());
}

TEST_F(SysintRegistryForm, StatusBarFollowsTheSelectionHoweverItMoves) {
    std::wstring name = UniqueName(L"Status");
    AddRunValue(HKEY_CURRENT_USER, kRun, name, L"x.exe");
    AddDisabledEntry(name, L"y.exe");
    auto form = Open();
    form->OnEntrySelected();
    EXPECT_EQ(form->StatusText(), L"") << "no row selected";

    Select(*form, name, L"HKCU");
    form->OnEntrySelected();
    EXPECT_EQ(form->StatusText(), L"HKCU\\" + kRun);
    // A disabled entry shows its own "hkey" in front of the disabled-entries path.
    int disabled = -1;
    for (size_t i = 0; i < form->Rows().size(); ++i)
        if (form->Rows()[i].item == name && form->Rows()[i].disabledEntry) disabled = static_cast<int>(i);
    ASSERT_GE(disabled, 0);
    form->SelectRow(static_cast<size_t>(disabled));
    EXPECT_EQ(form->StatusText(), L"HKCU\\" + kDisabled + L"\\" + name);

    // The arrow keys move the selection in the list itself: the status follows.
    Select(*form, name, L"HKCU");
    SetFocus(form->EntryList());
    SendMessageW(form->EntryList(), WM_KEYDOWN, VK_END, 0);
    const auto last = form->SelectedRow();
    ASSERT_TRUE(last);
    EXPECT_NE(form->StatusText(), L"HKCU\\" + kRun) << "the status still shows the row left";
    EXPECT_NE(form->StatusText().find(last->key), std::wstring::npos) << form->StatusText().c_str();
    SendMessageW(form->EntryList(), WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(form->StatusText(), L"HKCU\\" + kRun) << "the first row is a user value";
}

TEST_F(SysintRegistryForm, ImportPassesTheCommandLineWithoutQuotesAndHides) {
    std::wstring quoted = UniqueName(L"Quoted"), expand = UniqueName(L"Expand");
    AddRunValue(HKEY_CURRENT_USER, kRun, quoted, L"\"C:\\Program Files\\Tool\\tool.exe\" /tray");
    AddRunValue(HKEY_CURRENT_USER, kRun, expand, L"\"%SystemRoot%\\notepad.exe\" /a", REG_EXPAND_SZ);
    wchar_t systemRoot[MAX_PATH] = {};
    GetEnvironmentVariableW(L"SystemRoot", systemRoot, MAX_PATH);
    ASSERT_NE(systemRoot[0], L'\0');

    auto form = Open();
    form->Show();
    HWND import = form->ButtonWindow(StartupEntriesDialog::Button::kImport);
    SendMessageW(import, BM_CLICK, 0, 0);
    EXPECT_TRUE(imported.empty()) << "no row selected: nothing happens";
    EXPECT_TRUE(IsWindowVisible(form->hwnd()));

    Select(*form, quoted, L"HKCU");
    SendMessageW(import, BM_CLICK, 0, 0);
    EXPECT_EQ(imported, std::vector<std::wstring>{L"C:\\Program Files\\Tool\\tool.exe /tray"});
    EXPECT_EQ(importedEnabled, std::vector<bool>{true});
    EXPECT_FALSE(IsWindowVisible(form->hwnd()));

    // Showing again refills the list; an expandable value is listed as stored and imported expanded.
    form->ApplyTextsAndRefill();
    int row = Find(*form, expand, L"HKCU");
    ASSERT_GE(row, 0);
    EXPECT_EQ(form->Rows()[static_cast<size_t>(row)].command, L"\"%SystemRoot%\\notepad.exe\" /a");
    form->SelectRow(static_cast<size_t>(row));
    SendMessageW(import, BM_CLICK, 0, 0);
    ASSERT_EQ(imported.size(), 2u);
    EXPECT_EQ(imported[1], std::wstring(systemRoot) + L"\\notepad.exe /a");
}

// The list is worked by keys and the mouse as any dialog: Enter and a double-click import the
// row, Esc and Close put the dialog away.
TEST_F(SysintRegistryForm, EnterAndADoubleClickImportEscAndCloseHide) {
    const std::wstring name = UniqueName(L"Keys");
    AddRunValue(HKEY_CURRENT_USER, kRun, name, L"keys.exe");
    auto form = Open();
    auto press = [&](UINT key) {
        MSG msg{form->EntryList(), WM_KEYDOWN, key, 0};
        if (!ui::TranslateDialogKeys(msg)) DispatchMessageW(&msg);
    };
    const struct {
        const char* what;
        std::function<void()> act;
        size_t imported;
    } cases[] = {
        {"Enter", [&] { press(VK_RETURN); }, 1},
        {"double-click", [&] {
             RECT r{};
             ListView_GetItemRect(form->EntryList(), Find(*form, name, L"HKCU"), &r, LVIR_LABEL);
             SendMessageW(form->EntryList(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(r.left + 2, (r.top + r.bottom) / 2));
         }, 2},
        {"Esc", [&] { press(VK_ESCAPE); }, 2},
        {"Close", [&] { SendMessageW(form->ButtonWindow(StartupEntriesDialog::Button::kClose), BM_CLICK, 0, 0); }, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        form->Show();
        Select(*form, name, L"HKCU");
        c.act();
        EXPECT_EQ(imported.size(), c.imported);
        EXPECT_FALSE(IsWindowVisible(form->hwnd()));
    }
    EXPECT_EQ(imported.back(), L"keys.exe");
}

// Columns and buttons as wide as their texts, whatever the language; a plain dialog frame that
// fits over the window it opens from; every row in one font and alignment.
TEST_F(SysintRegistryForm, ColumnsAndButtonsFitTheirTextsAndTheFrameFitsItsOwner) {
    const std::wstring longText = L"\u0412\u043a\u043b\u044e\u0447\u0435\u043d\u043e \u0438 \u0435\u0449\u0451 "
                                  L"\u0434\u043b\u0438\u043d\u043d\u0435\u0435 \u0442\u0435\u043a\u0441\u0442";
    using B = StartupEntriesDialog::Button;
    const B buttons[] = {B::kImport, B::kGiveBack, B::kClose};
    auto form = Open();
    form->applyTexts = [&](StartupEntriesDialog& f) {
        for (int i = 0; i < 3; ++i) f.SetColumnCaption(i, longText + std::to_wstring(i));
        for (B b : buttons) f.SetButtonCaption(b, longText);
    };
    form->ApplyTextsAndRefill();
    HWND list = form->EntryList();
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_GT(ListView_GetColumnWidth(list, i), ui::TextWidth(list, form->ColumnCaption(i)));
        LVCOLUMNW column{LVCF_FMT};
        ListView_GetColumn(list, i, &column);
        EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
    }
    RECT previous{};
    for (B b : buttons) {
        RECT r{};
        GetWindowRect(form->ButtonWindow(b), &r);
        EXPECT_GT(r.right - r.left, ui::TextWidth(form->ButtonWindow(b), longText));
        EXPECT_GE(r.left, previous.right) << "the buttons do not overlap";
        previous = r;
    }
    const LONG_PTR style = GetWindowLongPtrW(form->hwnd(), GWL_STYLE);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);

    // An owner narrower than the layout: the dialog is no wider than it.
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(owner);
    RECT ownerClient{}, client{};
    GetClientRect(owner, &ownerClient);
    {
        StartupEntriesDialog narrow(owner, log);
        GetClientRect(narrow.hwnd(), &client);
    }
    DestroyWindow(owner);
    EXPECT_LE(client.right, ownerClient.right);
    EXPECT_GT(client.right, 0);
}

TEST_F(SysintRegistryForm, TextsAreSetByTheirLanguageTargetsWhenShown) {
    auto form = std::make_unique<StartupEntriesDialog>(nullptr, log);
    using B = StartupEntriesDialog::Button;
    form->applyTexts = [](StartupEntriesDialog& f) {
        f.SetTargetText(L"frmRegistryEdit.title", L"T");
        for (int i = 0; i < 4; ++i)
            f.SetTargetText(L"frmRegistryEdit.lvRegView.column" + std::to_wstring(i) + L".caption",
                            L"C" + std::to_wstring(i));
        for (const wchar_t* b : {L"btnRegImport", L"btnEnableReg", L"btnDisableReg"}) {
            f.SetTargetText(L"frmRegistryEdit." + std::wstring(b) + L".caption", std::wstring(b) + L" caption");
            f.SetTargetText(L"frmRegistryEdit." + std::wstring(b) + L".hint", std::wstring(b) + L" hint");
        }
    };
    EXPECT_EQ(form->ColumnCaption(1), L"Key") << "layout caption until shown";
    form->ApplyTextsAndRefill();
    EXPECT_EQ(form->Title(), L"T");
    for (int i = 0; i < 4; ++i) EXPECT_EQ(form->ColumnCaption(i), L"C" + std::to_wstring(i));
    const struct {
        B button;
        const wchar_t* name;
    } buttons[] = {{B::kImport, L"btnRegImport"}, {B::kEnable, L"btnEnableReg"}, {B::kDisable, L"btnDisableReg"}};
    for (const auto& b : buttons) {
        EXPECT_EQ(form->ButtonCaption(b.button), std::wstring(b.name) + L" caption");
        EXPECT_EQ(form->ButtonHint(b.button), std::wstring(b.name) + L" hint");
    }
    auto shown = [&](B b) { return (GetWindowLongPtrW(form->ButtonWindow(b), GWL_STYLE) & WS_VISIBLE) != 0; };
    EXPECT_TRUE(shown(B::kImport));
    EXPECT_FALSE(shown(B::kEnable));
    EXPECT_FALSE(shown(B::kDisable));
}

TEST_F(SysintRegistryForm, WindowIsTopmostSizedAndCanBeMadeAndDestroyedAgain) {
    std::wstring name = UniqueName(L"Again");
    AddRunValue(HKEY_CURRENT_USER, kRun, name, L"x.exe");
    for (int round = 0; round < 3; ++round) {
        auto form = Open();
        HWND hwnd = form->hwnd();
        EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_THICKFRAME);
        RECT client{};
        GetClientRect(hwnd, &client);
        UINT dpi = ui::WindowDpi(hwnd);
        EXPECT_EQ(client.right, MulDiv(597, static_cast<int>(dpi), 96));
        EXPECT_EQ(client.bottom, MulDiv(311, static_cast<int>(dpi), 96));
        EXPECT_GE(Find(*form, name, L"HKCU"), 0);
        Select(*form, name, L"HKCU");
        form.reset();
        EXPECT_FALSE(IsWindow(hwnd));
    }
}

}  // namespace
}  // namespace lentora
