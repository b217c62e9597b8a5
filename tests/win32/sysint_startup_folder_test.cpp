// The Startup folders in the start-up entries dialog: shortcuts read through the shell link object,
// plain files, Task Manager's switch of each file, the import that switches a file off and leaves it
// where it is, and the way back. The folders are the test's own; the switches are real registry values.
#include <gtest/gtest.h>

#include <windows.h>

#include "sysint/shell_link.h"
#include "startup_entries_test_support.h"
#include "sysint/startup_entry_take_over.h"
#include "util/text.h"

namespace lentora {
namespace {

using test::ApprovalBytes;
using test::kApproved;
using test::UniqueName;

class SysintStartupFolder : public test::StartupEntriesFixture {
protected:
    void SetUp() override {
        StartupEntriesFixture::SetUp();
        CreateDirectoryW(folders.File(L"Program Files").c_str(), nullptr);
        CreateDirectoryW(folders.File(L"Tools").c_str(), nullptr);
        test::WriteBytes(tool, "MZ");
        test::WriteBytes(plain, "MZ");
    }
    // A file of the folder whose switch the cleanup removes.
    std::wstring AddFile(const std::wstring& folder, const std::wstring& name, HKEY approvalRoot) {
        ApprovalCleanup(approvalRoot, L"StartupFolder", name);
        return AddBackslash(folder) + name;
    }
    std::wstring AddShortcut(const std::wstring& folder, const std::wstring& name, HKEY approvalRoot,
                             const std::wstring& target, const std::wstring& arguments) {
        std::wstring file = AddFile(folder, name, approvalRoot);
        EXPECT_TRUE(CreateShellLink(target, file, L"", arguments));
        return file;
    }

    const std::wstring tool = folders.File(L"Program Files\\tool.exe"), plain = folders.File(L"Tools\\plain.exe");
    const std::wstring stem = UniqueName(L"File");
};

TEST_F(SysintStartupFolder, ListsShortcutsAndPlainFilesAfterTheRegistryWithTheirSwitches) {
    AddShortcut(userFolder, stem + L"a args.lnk", HKEY_CURRENT_USER, tool, L"/min --config \"a b\"");
    AddShortcut(userFolder, stem + L"b plain.lnk", HKEY_CURRENT_USER, plain, L"");
    SetApproval(HKEY_CURRENT_USER, L"StartupFolder", stem + L"b plain.lnk", ApprovalBytes(0x03));
    test::WriteBytes(AddFile(userFolder, stem + L"c run.bat", HKEY_CURRENT_USER), "@echo off");
    test::WriteBytes(AddFile(userFolder, stem + L"d broken.lnk", HKEY_CURRENT_USER), "not a shortcut");
    // Passed over as the system passes them over.
    const std::wstring ini = AddBackslash(userFolder) + L"desktop.ini";
    test::WriteBytes(ini, "[.ShellClassInfo]");
    SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    CreateDirectoryW((AddBackslash(userFolder) + L"Sub").c_str(), nullptr);
    AddShortcut(commonFolder, stem + L"e common.lnk", HKEY_LOCAL_MACHINE, tool, L"-x");
    SetApproval(HKEY_LOCAL_MACHINE, L"StartupFolder", stem + L"e common.lnk", ApprovalBytes(0x07));
    // The user's switch of a file says nothing of a file of that name in the other folder.
    SetApproval(HKEY_CURRENT_USER, L"StartupFolder", stem + L"e common.lnk", ApprovalBytes(0x02));

    auto form = Open();
    const auto& rows = form->Rows();
    const std::wstring user = form->ShownTexts().userFolder, common = form->ShownTexts().commonFolder;
    const struct {
        std::wstring item, hkey, enabled, command;
        bool importable;
    } expected[] = {
        {stem + L"a args.lnk", user, L"Yes", L"\"" + tool + L"\" /min --config \"a b\"", true},
        {stem + L"b plain.lnk", user, L"No", plain, true},
        {stem + L"c run.bat", user, L"Yes", L"\"" + AddBackslash(userFolder) + stem + L"c run.bat\"", true},
        {stem + L"d broken.lnk", user, L"Yes", AddBackslash(userFolder) + stem + L"d broken.lnk", false},
        {stem + L"e common.lnk", common, L"No", L"\"" + tool + L"\" -x", true},
    };
    // The folders' rows close the list, in this order; nothing else of theirs is listed.
    ASSERT_GE(rows.size(), std::size(expected));
    const size_t first = rows.size() - std::size(expected);
    for (size_t i = 0; i < first; ++i) EXPECT_FALSE(rows[i].startupFile) << i;
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].item);
        const RegistryEntry& row = rows[first + i];
        EXPECT_EQ(row.item, expected[i].item);
        EXPECT_EQ(row.hkey, expected[i].hkey);
        EXPECT_EQ(row.enabled, expected[i].enabled);
        EXPECT_EQ(row.command, expected[i].command);
        EXPECT_EQ(row.isString, expected[i].importable);
        EXPECT_EQ(test::ItemText(form->EntryList(), static_cast<int>(first + i), 3), expected[i].command);
    }
    EXPECT_EQ(user, L"User folder");
    EXPECT_EQ(common, L"All users");

    // A file's place in the status bar is its path.
    form->SelectRow(first + 4);
    form->OnEntrySelected();
    EXPECT_EQ(form->StatusText(), AddBackslash(commonFolder) + stem + L"e common.lnk");

    // A long folder name in another language is shown whole: the Key column grows to hold it.
    const std::wstring longLabel =
        L"\u041F\u0430\u043F\u043A\u0430 \u043F\u043E\u043B\u044C\u0437\u043E\u0432\u0430\u0442\u0435\u043B\u044F";
    form->applyTexts = [&](StartupEntriesDialog& f) {
        f.SetTargetText(L"frmRegistryEdit.UserFolder.text", longLabel);
    };
    form->ApplyTextsAndRefill();
    EXPECT_EQ(Row(*form, stem + L"a args.lnk", longLabel).hkey, longLabel);
    EXPECT_GT(ListView_GetColumnWidth(form->EntryList(), 1),
              SendMessageW(form->EntryList(), LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(longLabel.c_str())));
}

TEST_F(SysintStartupFolder, ImportSwitchesTheFileOffAndLeavesItInItsFolder) {
    const std::wstring link = AddShortcut(userFolder, stem + L" tool.lnk", HKEY_CURRENT_USER, tool, L"/min /n=\"a b\"");
    const std::wstring common = AddShortcut(commonFolder, stem + L" all.lnk", HKEY_LOCAL_MACHINE, plain, L"");
    const std::wstring batch = AddFile(userFolder, stem + L" run.bat", HKEY_CURRENT_USER);
    test::WriteBytes(batch, "@echo off");
    const std::wstring off = AddShortcut(userFolder, stem + L" off.lnk", HKEY_CURRENT_USER, plain, L"-q");
    SetApproval(HKEY_CURRENT_USER, L"StartupFolder", stem + L" off.lnk", ApprovalBytes(0x03));
    auto form = Open();
    const std::wstring user = form->ShownTexts().userFolder;
    FILETIME before{};
    GetSystemTimeAsFileTime(&before);

    const struct {
        std::wstring name, label;
        HKEY root;
        std::wstring file, command;
        bool enabled;
        std::vector<BYTE> switchAfter;  // empty: switched off now
    } cases[] = {
        {stem + L" tool.lnk", user, HKEY_CURRENT_USER, link, tool + L" /min /n=a b", true, {}},
        {stem + L" all.lnk", form->ShownTexts().commonFolder, HKEY_LOCAL_MACHINE, common, plain, true, {}},
        {stem + L" run.bat", user, HKEY_CURRENT_USER, batch, batch, true, {}},
        {stem + L" off.lnk", user, HKEY_CURRENT_USER, off, plain + L" -q", false, ApprovalBytes(0x03)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        imported.clear();
        importedEnabled.clear();
        Select(*form, c.name, c.label);
        SendMessageW(form->ButtonWindow(StartupEntriesDialog::Button::kImport), BM_CLICK, 0, 0);
        EXPECT_EQ(imported, std::vector<std::wstring>{c.command});
        EXPECT_EQ(importedEnabled, std::vector<bool>{c.enabled});
        EXPECT_EQ(TakeOver(Row(*form, c.name, c.label), log), TakeOverResult::kTakenOver);
        EXPECT_NE(GetFileAttributesW(c.file.c_str()), INVALID_FILE_ATTRIBUTES) << "the file stays";
        auto value = Approval(c.root, L"StartupFolder", c.name);
        ASSERT_TRUE(value);
        if (!c.switchAfter.empty()) {
            EXPECT_EQ(*value, c.switchAfter) << "a switched-off file is left as it was";
            continue;
        }
        // Switched off as Task Manager does it: 03, two zeros, and the time of the switch.
        ASSERT_EQ(value->size(), 12u);
        EXPECT_EQ((*value)[0], 0x03);
        ULONGLONG time = 0;
        memcpy(&time, value->data() + 4, sizeof time);
        EXPECT_GE(time, (ULONGLONG{before.dwHighDateTime} << 32 | before.dwLowDateTime) - 10'000'000);
    }
    EXPECT_EQ(log.lines.size(), 3u) << "a line for each file switched off now";
    form->ApplyTextsAndRefill();
    for (const auto& c : cases) EXPECT_EQ(Row(*form, c.name, c.label).enabled, L"No") << c.name.c_str();
}

TEST_F(SysintStartupFolder, AFileThatCannotBeSwitchedOffIsLoggedAndStillStarts) {
    const std::wstring name = stem + L" locked.lnk";
    AddShortcut(userFolder, name, HKEY_CURRENT_USER, tool, L"");
    auto form = Open();
    Select(*form, name, form->ShownTexts().userFolder);
    {
        test::UnwritableRoot noRights(HKEY_CURRENT_USER);
        ASSERT_TRUE(noRights.active());
        EXPECT_EQ(TakeOver(Row(*form, name, form->ShownTexts().userFolder), log), TakeOverResult::kNotWritten);
    }
    EXPECT_FALSE(Approval(HKEY_CURRENT_USER, L"StartupFolder", name));
    EXPECT_EQ(log.lines, std::vector<std::wstring>{L"Can't write \"HKCU\\" + kApproved +
                                                    L"\\StartupFolder\". Start-up entry \"" + name +
                                                    L"\" is left enabled"});
}

TEST_F(SysintStartupFolder, ATakenOverFileIsGivenBackBySwitchingItOn) {
    const std::wstring name = stem + L" back.lnk";
    const std::wstring file = AddShortcut(commonFolder, name, HKEY_LOCAL_MACHINE, tool, L"/b");
    auto form = Open();
    const std::wstring label = form->ShownTexts().commonFolder;
    Select(*form, name, label);
    EXPECT_FALSE(IsWindowEnabled(form->ButtonWindow(StartupEntriesDialog::Button::kGiveBack)))
        << "the system starts it: nothing to give back";
    ASSERT_EQ(TakeOver(Row(*form, name, label), log), TakeOverResult::kTakenOver);
    AddTakingTask(tool + L" /b");

    form->ApplyTextsAndRefill();
    Select(*form, name, label);
    boxes.Answer(IDYES);
    SendMessageW(form->ButtonWindow(StartupEntriesDialog::Button::kGiveBack), BM_CLICK, 0, 0);
    EXPECT_EQ(Approval(HKEY_LOCAL_MACHINE, L"StartupFolder", name),
              (std::vector<BYTE>{2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_NE(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Row(*form, name, label).enabled, L"Yes");
    EXPECT_EQ(log.lines.back(), L"Start-up entry \"" + name + L"\" is given back to \"HKLM\\" + kApproved +
                                    L"\\StartupFolder\"");
    EXPECT_EQ(givenBack, (std::vector<std::pair<std::wstring, bool>>{{name, true}}));
}

}  // namespace
}  // namespace lentora
