// Task Manager's switch of Run entries in the start-up entries dialog: what the list shows, what an
// import makes of a switched-off entry, and giving one back, against the prefix's real registry.
#include <gtest/gtest.h>

#include <windows.h>

#include "startup_entries_test_support.h"
#include "sysint/elevated_approval.h"
#include "sysint/startup_entry_take_over.h"
#include "util/format.h"

namespace lentora {
namespace {

using test::ApprovalBytes;
using test::kApproved;
using test::kDisabled;
using test::kRun;
using test::kRun32;
using test::UniqueName;
using SysintStartupApproval = test::StartupEntriesFixture;

TEST_F(SysintStartupApproval, SwitchedOffEntriesAreListedDisabledAndMalformedSwitchesCountAsOn) {
    const std::wstring stem = UniqueName(L"Switch");
    const DWORD odd = 3;
    struct Case {
        const wchar_t* what;
        HKEY root;
        std::wstring runKey, list;
        std::vector<BYTE> data;
        DWORD type;
        const wchar_t* enabled;
    };
    const Case cases[] = {
        {L"off03", HKEY_CURRENT_USER, kRun, L"Run", ApprovalBytes(0x03), REG_BINARY, L"No"},
        {L"off07", HKEY_LOCAL_MACHINE, kRun, L"Run", ApprovalBytes(0x07), REG_BINARY, L"No"},
        {L"off32", HKEY_LOCAL_MACHINE, kRun32, L"Run32", ApprovalBytes(0x03), REG_BINARY, L"No"},
        {L"on02", HKEY_CURRENT_USER, kRun, L"Run", ApprovalBytes(0x02), REG_BINARY, L"Yes"},
        {L"on06", HKEY_CURRENT_USER, kRun, L"Run", ApprovalBytes(0x06), REG_BINARY, L"Yes"},
        {L"short", HKEY_CURRENT_USER, kRun, L"Run", ApprovalBytes(0x03, 11), REG_BINARY, L"Yes"},
        {L"long", HKEY_CURRENT_USER, kRun, L"Run", ApprovalBytes(0x03, 13), REG_BINARY, L"Yes"},
        {L"empty", HKEY_CURRENT_USER, kRun, L"Run", {}, REG_BINARY, L"Yes"},
        {L"dword", HKEY_CURRENT_USER, kRun, L"Run", {BYTE(odd), 0, 0, 0}, REG_DWORD, L"Yes"},
        {L"text", HKEY_CURRENT_USER, kRun, L"Run", ApprovalBytes(0x03), REG_SZ, L"Yes"},
        // The 32-bit machine key has a list of its own; the other lists say nothing of it.
        {L"wronglist", HKEY_LOCAL_MACHINE, kRun32, L"Run", ApprovalBytes(0x03), REG_BINARY, L"Yes"},
        {L"none", HKEY_CURRENT_USER, kRun, L"", {}, REG_NONE, L"Yes"},
    };
    for (const Case& c : cases) {
        AddRunValue(c.root, c.runKey, stem + c.what, L"tool.exe");
        if (!c.list.empty()) SetApproval(c.root, c.list, stem + c.what, c.data, c.type);
    }
    // A switch beside the user's entry says nothing of the machine's entry of the same name.
    AddRunValue(HKEY_LOCAL_MACHINE, kRun, stem + L"off03", L"machine.exe");

    auto form = Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int row = Find(*form, stem + c.what, c.root == HKEY_CURRENT_USER ? L"HKCU" : L"HKLM");
        ASSERT_GE(row, 0);
        EXPECT_EQ(form->Rows()[static_cast<size_t>(row)].enabled, c.enabled);
        EXPECT_EQ(test::ItemText(form->EntryList(), row, 0), c.enabled);
    }
    EXPECT_EQ(Row(*form, stem + L"off03", L"HKLM").enabled, L"Yes");
}

TEST_F(SysintStartupApproval, ASwitchedOffEntryImportsAsADisabledTaskAndStaysWhereItIs) {
    const std::wstring off = UniqueName(L"Off"), on = UniqueName(L"On");
    AddRunValue(HKEY_CURRENT_USER, kRun, off, L"\"C:\\Program Files\\Off\\off.exe\" /q");
    AddRunValue(HKEY_CURRENT_USER, kRun, on, L"on.exe");
    SetApproval(HKEY_CURRENT_USER, L"Run", off, ApprovalBytes(0x03));
    ApprovalCleanup(HKEY_CURRENT_USER, L"Run", on);
    auto form = Open();

    for (const std::wstring& name : {off, on}) {
        Select(*form, name, L"HKCU");
        SendMessageW(form->ButtonWindow(StartupEntriesDialog::Button::kImport), BM_CLICK, 0, 0);
        EXPECT_EQ(TakeOver(Row(*form, name, L"HKCU"), log), TakeOverResult::kTakenOver);
    }
    EXPECT_EQ(imported, (std::vector<std::wstring>{L"C:\\Program Files\\Off\\off.exe /q", L"on.exe"}));
    EXPECT_EQ(importedEnabled, (std::vector<bool>{false, true}));
    // The system does not start the switched-off entry: its switch keeps the user's time.
    EXPECT_EQ(Approval(HKEY_CURRENT_USER, L"Run", off), ApprovalBytes(0x03));
    // Both values stay where they are: no disabled copies.
    for (const std::wstring& name : {off, on}) {
        EXPECT_TRUE(test::GetText(HKEY_CURRENT_USER, kRun, name));
        EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, kDisabled + L"\\" + name));
    }
    EXPECT_FALSE(ReadStartupApproval(L"HKCU", L"Run", on).enabled);
}

TEST_F(SysintStartupApproval, GivingBackSwitchesTheEntryOnAfterTheUserConfirms) {
    const std::wstring name = UniqueName(L"Back");
    AddRunValue(HKEY_LOCAL_MACHINE, kRun32, name, L"back.exe");
    SetApproval(HKEY_LOCAL_MACHINE, L"Run32", name, ApprovalBytes(0x03));
    AddTakingTask(L"back.exe");
    auto form = Open();
    HWND giveBack = form->ButtonWindow(StartupEntriesDialog::Button::kGiveBack);
    EXPECT_FALSE(IsWindowEnabled(giveBack)) << "no row selected";
    Select(*form, name, L"HKLM");
    EXPECT_TRUE(IsWindowEnabled(giveBack));

    boxes.Answer(IDCANCEL);
    SendMessageW(giveBack, BM_CLICK, 0, 0);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, FormatText(form->ShownTexts().giveBackQuestion, {name}));
    EXPECT_EQ(boxes.shown[0].type & MB_TYPEMASK, static_cast<UINT>(MB_YESNOCANCEL));
    EXPECT_EQ(Approval(HKEY_LOCAL_MACHINE, L"Run32", name), ApprovalBytes(0x03));
    EXPECT_TRUE(log.lines.empty());

    boxes.Answer(IDYES);
    SendMessageW(giveBack, BM_CLICK, 0, 0);
    // Switched on as Task Manager switches it on: 02 and no time.
    EXPECT_EQ(Approval(HKEY_LOCAL_MACHINE, L"Run32", name), (std::vector<BYTE>{2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(test::GetText(HKEY_LOCAL_MACHINE, kRun32, name), Sz(L"back.exe")) << "the entry itself untouched";
    EXPECT_EQ(log.lines, std::vector<std::wstring>{L"Start-up entry \"" + name + L"\" is given back to \"HKLM\\" +
                                                    kApproved + L"\\Run32\""});
    EXPECT_EQ(Row(*form, name, L"HKLM").enabled, L"Yes") << "the list is filled anew";
    EXPECT_EQ(boxes.shown.size(), 2u) << "no error box";
}

// Writing under the root is refused while it stands for a volatile key (test::UnwritableRoot).
TEST_F(SysintStartupApproval, GivingBackWithoutTheRightsChangesNothingAndSaysWhy) {
    const std::wstring name = UniqueName(L"NoRights");
    AddRunValue(HKEY_LOCAL_MACHINE, kRun, name, L"x.exe");
    SetApproval(HKEY_LOCAL_MACHINE, L"Run", name, ApprovalBytes(0x07));
    AddTakingTask(L"x.exe");
    auto form = Open();
    Select(*form, name, L"HKLM");
    boxes.Answer(IDYES);
    {
        test::UnwritableRoot noRights(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(noRights.active());
        form->GiveBackSelected();
    }
    EXPECT_EQ(Approval(HKEY_LOCAL_MACHINE, L"Run", name), ApprovalBytes(0x07));
    ASSERT_EQ(boxes.shown.size(), 2u) << "the question, then the error";
    EXPECT_EQ(boxes.shown[1].text, FormatText(form->ShownTexts().giveBackNotWritten, {name}));
    EXPECT_NE(boxes.shown[1].text.find(L"administrator"), std::wstring::npos) << "says why";
    EXPECT_EQ(boxes.shown[1].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(log.lines, std::vector<std::wstring>{L"Can't give start-up entry \"" + name + L"\" back to \"HKLM\\" +
                                                    kApproved + L"\\Run\""});
}

// A machine entry a user may not switch on: asked once, then one elevated run of the program for
// that switch, waited for off the window's thread.
TEST_F(SysintStartupApproval, GivingBackAMachineEntryWithoutTheRightsAsksForThemOnce) {
    const std::wstring name = UniqueName(L"Elevated");
    AddRunValue(HKEY_LOCAL_MACHINE, kRun, name, L"m.exe");
    SetApproval(HKEY_LOCAL_MACHINE, L"Run", name, ApprovalBytes(0x03));
    AddTakingTask(L"m.exe");
    const struct {
        const char* what;
        int answer;  // to the question for the rights
        ElevatedOutcome outcome;
        bool givenBack;
        std::wstring errorText;
    } cases[] = {
        {"agreed and written", IDYES, ElevatedOutcome::kWritten, true, L""},
        {"consent declined", IDYES, ElevatedOutcome::kDeclined, false, L"declined"},
        {"question answered no", IDNO, ElevatedOutcome::kWritten, false, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        givenBack.clear();
        boxes.shown.clear();
        auto form = Open();
        form->exePath = L"C:\\Apps\\lentora.exe";
        std::vector<std::wstring> runs;
        const auto previous = ElevatedRunner();
        ElevatedRunner() = [&](const std::wstring& exe, const std::wstring& parameters) {
            runs.push_back(exe + L" " + parameters);
            return c.outcome;
        };
        Select(*form, name, L"HKLM");
        boxes.Answer(IDNO);  // give it back, keeping the task disabled
        boxes.Answer(c.answer);
        {
            test::UnwritableRoot noRights(HKEY_LOCAL_MACHINE);
            ASSERT_TRUE(noRights.active());
            form->GiveBackSelected();
        }
        for (int i = 0; i < 500 && !IsWindowEnabled(form->ButtonWindow(StartupEntriesDialog::Button::kGiveBack)) &&
                        givenBack.empty() && boxes.shown.size() < 3;
             ++i) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            Sleep(2);
        }
        ElevatedRunner() = previous;
        ASSERT_GE(boxes.shown.size(), 2u);
        EXPECT_EQ(boxes.shown[1].text, FormatText(form->ShownTexts().giveBackElevateQuestion, {name}));
        using Runs = std::vector<std::wstring>;
        EXPECT_EQ(runs, c.answer == IDYES ? Runs{L"C:\\Apps\\lentora.exe -approval HKLM Run \"" + name + L"\" on"} : Runs{});
        using GivenBack = std::vector<std::pair<std::wstring, bool>>;
        EXPECT_EQ(givenBack, (c.givenBack ? GivenBack{{name, false}} : GivenBack{}));
        if (!c.errorText.empty()) {
            ASSERT_EQ(boxes.shown.size(), 3u);
            EXPECT_EQ(boxes.shown[2].text, FormatText(form->ShownTexts().giveBackDeclined, {name}));
        } else {
            EXPECT_EQ(boxes.shown.size(), 2u);
        }
    }
}

}  // namespace
}  // namespace lentora
