// Giving a disabled entry back: its Run value made again exactly as it was and the disabled copy
// removed, or, where that cannot be done whole, nothing changed and the user told why.
#include <gtest/gtest.h>

#include <windows.h>

#include "startup_entries_test_support.h"
#include "util/format.h"

namespace lentora {
namespace {

using test::kDisabled;
using test::kRun;
using test::kRun32;
using test::UniqueName;
using SysintGiveBack = test::StartupEntriesFixture;

// The disabled entry's row of this name.
int DisabledRow(const StartupEntriesDialog& form, const std::wstring& name) {
    for (size_t i = 0; i < form.Rows().size(); ++i)
        if (form.Rows()[i].item == name && form.Rows()[i].disabledEntry) return static_cast<int>(i);
    return -1;
}

void GiveBackRow(StartupEntriesDialog& form, test::MessageBoxQueue& boxes, const std::wstring& name) {
    const int row = DisabledRow(form, name);
    ASSERT_GE(row, 0) << "no disabled entry " << name.c_str();
    form.SelectRow(static_cast<size_t>(row));
    ASSERT_TRUE(IsWindowEnabled(form.ButtonWindow(StartupEntriesDialog::Button::kGiveBack)));
    boxes.Answer(IDYES);
    SendMessageW(form.ButtonWindow(StartupEntriesDialog::Button::kGiveBack), BM_CLICK, 0, 0);
}

// An entry an older version moved to the disabled entries, given back: the Run value is the one
// it was, type included, and the task that had taken it over is dealt with as the user chose.
TEST_F(SysintGiveBack, ALegacyDisabledEntryComesBackExactlyAsItWas) {
    const std::wstring user = UniqueName(L"User"), wow = UniqueName(L"Wow");
    const struct {
        std::wstring name, hkey;
        HKEY root;
        std::wstring key, command;
        DWORD type;
        int answer;  // Yes removes the task, No keeps it disabled
    } cases[] = {
        {user, L"HKCU", HKEY_CURRENT_USER, kRun, L"\"C:\\Program Files\\Tool\\tool.exe\" /tray", REG_SZ, IDYES},
        {wow, L"HKLM", HKEY_LOCAL_MACHINE, kRun32, L"\"C:\\Old\\old.exe\" -m", REG_EXPAND_SZ, IDNO},
    };
    for (const auto& c : cases) {
        AddDisabledEntry(c.name, c.command, c.hkey, c.type);
        test::SetText(HKEY_LOCAL_MACHINE, kDisabled + L"\\" + c.name, L"key", c.key);
        cleanup.Value(c.root, c.key, c.name);
    }
    AddTakingTask(L"C:\\Program Files\\Tool\\tool.exe /tray");
    AddTakingTask(L"C:\\Old\\old.exe -m");
    auto form = Open();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const int row = DisabledRow(*form, c.name);
        ASSERT_GE(row, 0);
        EXPECT_EQ(test::ItemText(form->EntryList(), row, 0), form->ShownTexts().takenOverText);
        form->SelectRow(static_cast<size_t>(row));
        ASSERT_TRUE(IsWindowEnabled(form->ButtonWindow(StartupEntriesDialog::Button::kGiveBack)));
        boxes.Answer(c.answer);
        SendMessageW(form->ButtonWindow(StartupEntriesDialog::Button::kGiveBack), BM_CLICK, 0, 0);
        EXPECT_EQ(test::GetText(c.root, c.key, c.name), std::make_pair(c.type, c.command));
        EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, kDisabled + L"\\" + c.name)) << "the disabled copy goes";
        EXPECT_EQ(DisabledRow(*form, c.name), -1);
        EXPECT_EQ(Row(*form, c.name, c.hkey).enabled, L"Yes");
    }
    EXPECT_EQ(givenBack, (std::vector<std::pair<std::wstring, bool>>{{user, true}, {wow, false}}));
    EXPECT_EQ(log.lines, (std::vector<std::wstring>{
                             L"Start-up entry \"" + user + L"\" is given back to \"HKCU\\" + kRun + L"\"",
                             L"Start-up entry \"" + wow + L"\" is given back to \"HKLM\\" + kRun32 + L"\""}));
}

// Give back only undoes a take-over: an entry the user switched off stays off, and one without
// the task that took it over would otherwise start twice or not at all.
TEST_F(SysintGiveBack, IsOfferedOnlyForEntriesATaskTookOver) {
    const std::wstring name = UniqueName(L"Offered");
    AddRunValue(HKEY_CURRENT_USER, kRun, name, L"\"C:\\Tools\\Off.exe\" /q");
    SetApproval(HKEY_CURRENT_USER, L"Run", name, test::ApprovalBytes(0x03));
    const struct {
        const char* what;
        std::vector<Task> tasks;
        bool offered;
    } cases[] = {
        {"no task", {}, false},
        {"a task of its own, not imported", {{L"C:\\Tools\\Off.exe /q", L"5", L"", L"0", true}}, false},
        {"an imported task of another program", {{L"C:\\Tools\\On.exe /q", L"5", L"", L"1", true}}, false},
        {"the imported task, letter case aside", {{L"c:\\tools\\off.exe /Q", L"5", L"", L"1", false}}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        tasks = c.tasks;
        auto form = Open();
        Select(*form, name, L"HKCU");
        const int row = Find(*form, name, L"HKCU");
        EXPECT_EQ(IsWindowEnabled(form->ButtonWindow(StartupEntriesDialog::Button::kGiveBack)) != FALSE, c.offered);
        EXPECT_EQ(test::ItemText(form->EntryList(), row, 0),
                  c.offered ? form->ShownTexts().takenOverText : form->ShownTexts().switchedOffText);
        form->GiveBackSelected();
        EXPECT_EQ(boxes.shown.size(), c.offered ? 1u : 0u);
        boxes.shown.clear();  // answered neither Yes nor No: nothing changes
        EXPECT_EQ(Approval(HKEY_CURRENT_USER, L"Run", name), test::ApprovalBytes(0x03));
    }
    EXPECT_TRUE(givenBack.empty());
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(SysintGiveBack, ARunValueOfTheSameNameIsNeverOverwritten) {
    const std::wstring same = UniqueName(L"Same"), other = UniqueName(L"Other");
    AddDisabledEntry(same, L"same.exe");
    AddRunValue(HKEY_CURRENT_USER, kRun, same, L"same.exe");
    AddDisabledEntry(other, L"old.exe");
    AddRunValue(HKEY_CURRENT_USER, kRun, other, L"new.exe");
    AddTakingTask(L"same.exe");
    AddTakingTask(L"old.exe");
    auto form = Open();

    // The same value is there already: only the disabled copy goes.
    ASSERT_NO_FATAL_FAILURE(GiveBackRow(*form, boxes, same));
    EXPECT_EQ(test::GetText(HKEY_CURRENT_USER, kRun, same), Sz(L"same.exe"));
    EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, kDisabled + L"\\" + same));

    ASSERT_NO_FATAL_FAILURE(GiveBackRow(*form, boxes, other));
    EXPECT_EQ(test::GetText(HKEY_CURRENT_USER, kRun, other), Sz(L"new.exe"));
    EXPECT_EQ(Disabled(other, L"command"), Sz(L"old.exe"));
    ASSERT_EQ(boxes.shown.size(), 3u);
    EXPECT_EQ(boxes.shown[2].text, FormatText(form->ShownTexts().giveBackNameTaken, {other}));
    EXPECT_EQ(boxes.shown[2].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(log.lines.back(), L"Can't give start-up entry \"" + other + L"\" back to \"HKCU\\" + kRun +
                                    L"\": a value of that name is there");
}

// A user may write the Run value under HKCU but not remove the disabled copy under HKLM: the value
// written goes again, so the entry is in one place only.
TEST_F(SysintGiveBack, WithoutTheRightsToEitherPlaceNothingChanges) {
    const std::wstring machine = UniqueName(L"Machine"), user = UniqueName(L"UserHalf");
    AddDisabledEntry(machine, L"m.exe", L"HKLM");
    cleanup.Value(HKEY_LOCAL_MACHINE, kRun, machine);
    AddDisabledEntry(user, L"u.exe", L"HKCU");
    cleanup.Value(HKEY_CURRENT_USER, kRun, user);
    AddTakingTask(L"m.exe");
    AddTakingTask(L"u.exe");
    auto form = Open();
    {
        test::UnwritableRoot noRights(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(noRights.active());
        ASSERT_NO_FATAL_FAILURE(GiveBackRow(*form, boxes, machine));
        ASSERT_NO_FATAL_FAILURE(GiveBackRow(*form, boxes, user));
    }
    EXPECT_FALSE(test::GetText(HKEY_LOCAL_MACHINE, kRun, machine));
    EXPECT_FALSE(test::GetText(HKEY_CURRENT_USER, kRun, user)) << "written, then taken back";
    for (const std::wstring& name : {machine, user})
        EXPECT_TRUE(test::KeyExists(HKEY_LOCAL_MACHINE, kDisabled + L"\\" + name)) << "the disabled copy stays";
    ASSERT_EQ(boxes.shown.size(), 4u);
    EXPECT_EQ(boxes.shown[1].text, FormatText(form->ShownTexts().giveBackNotWritten, {machine}));
    EXPECT_EQ(boxes.shown[3].text, FormatText(form->ShownTexts().giveBackNotWritten, {user}));
    EXPECT_EQ(log.lines, (std::vector<std::wstring>{
                             L"Can't give start-up entry \"" + machine + L"\" back to \"HKLM\\" + kRun + L"\"",
                             L"Can't give start-up entry \"" + user + L"\" back to \"HKCU\\" + kRun + L"\""}));
}

TEST_F(SysintGiveBack, OnlyEntriesTheSystemDoesNotStartAndThatNameTheirPlaceCanBeGivenBack) {
    const std::wstring running = UniqueName(L"Running"), noKey = UniqueName(L"NoKey"), iniMapped = UniqueName(L"Ini");
    AddRunValue(HKEY_CURRENT_USER, kRun, running, L"r.exe");
    AddDisabledEntry(noKey, L"n.exe");
    test::RemoveValue(HKEY_LOCAL_MACHINE, kDisabled + L"\\" + noKey, L"key");
    AddDisabledEntry(iniMapped, L"i.exe", L"WIN.INI");
    for (const wchar_t* program : {L"r.exe", L"n.exe", L"i.exe"}) AddTakingTask(program);
    auto form = Open();
    HWND giveBack = form->ButtonWindow(StartupEntriesDialog::Button::kGiveBack);
    Select(*form, running, L"HKCU");
    EXPECT_FALSE(IsWindowEnabled(giveBack));
    for (const std::wstring& name : {noKey, iniMapped}) {
        form->SelectRow(static_cast<size_t>(DisabledRow(*form, name)));
        EXPECT_FALSE(IsWindowEnabled(giveBack)) << name.c_str();
        form->GiveBackSelected();
    }
    EXPECT_TRUE(boxes.shown.empty()) << "not even asked";
    EXPECT_TRUE(log.lines.empty());
}

}  // namespace
}  // namespace lentora
