// Shortcut files written through the real shell link object and read back through it.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <thread>

#include "../support/temp_dir.h"
#include "sysint/com_ptr.h"
#include "sysint/shell_link.h"
#include "sysint/startup_approval_key.h"
#include "sysint_test_support.h"
#include "ui/message_box.h"
#include "util/text.h"

namespace lentora {
namespace {

struct LinkFields {
    std::wstring path, arguments, workingFolder, description, iconFile;
    int iconIndex = -1;
};

LinkFields ReadLink(const std::wstring& file) {
    LinkFields fields;
    ComPtr<IShellLinkW> link;
    EXPECT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                              reinterpret_cast<void**>(link.Receive())));
    if (!link) return fields;
    ComPtr<IPersistFile> persist = link.As<IPersistFile>();
    EXPECT_HRESULT_SUCCEEDED(persist->Load(file.c_str(), STGM_READ));
    wchar_t buffer[MAX_PATH * 2] = {};
    link->GetPath(buffer, MAX_PATH, nullptr, SLGP_RAWPATH);
    fields.path = buffer;
    link->GetArguments(buffer, MAX_PATH);
    fields.arguments = buffer;
    link->GetWorkingDirectory(buffer, MAX_PATH);
    fields.workingFolder = buffer;
    link->GetDescription(buffer, MAX_PATH);
    fields.description = buffer;
    link->GetIconLocation(buffer, MAX_PATH, &fields.iconIndex);
    fields.iconFile = buffer;
    return fields;
}

bool Exists(const std::wstring& file) { return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Texts of the applied language, told apart from any built-in English.
const ShortcutErrorTexts kTexts{L"\u041E\u0448\u0438\u0431\u043A\u0430", L"no folder to put it in",
                                L"cannot write %s"};

class SysintShellLink : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        // A real target in a folder with a blank, as under "Program Files".
        CreateDirectoryW(dir.File(L"Program Files").c_str(), nullptr);
        exe = dir.File(L"Program Files\\lentora.exe");
        test::WriteBytes(exe, "MZ");
        previous = ui::SetMessageBoxHandler([this](HWND, const std::wstring& text, const std::wstring& caption,
                                                   UINT type) {
            boxes.push_back(text);
            EXPECT_EQ(caption, kTexts.caption);
            EXPECT_EQ(type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
            return IDOK;
        });
    }
    void TearDown() override {
        ui::SetMessageBoxHandler(previous);
        CoUninitialize();
    }

    test::TempDir dir;
    std::wstring exe;
    std::vector<std::wstring> boxes;
    test::RecordingLog log;
    ui::MessageBoxHandler previous;
};

TEST_F(SysintShellLink, WritesEveryFieldAndReplacesAnExistingFile) {
    std::wstring file = dir.File(L"Tool.lnk");
    ASSERT_TRUE(CreateShellLink(exe, file, L"first", L"-one"));
    ASSERT_TRUE(CreateShellLink(exe, file, L"Lentora.exe -start", L"-start"));
    LinkFields fields = ReadLink(file);
    EXPECT_TRUE(SameTextNoCase(fields.path, exe)) << fields.path;
    EXPECT_EQ(fields.arguments, L"-start");
    EXPECT_EQ(fields.description, L"Lentora.exe -start");
    EXPECT_TRUE(SameTextNoCase(fields.workingFolder, dir.File(L"Program Files"))) << fields.workingFolder;
    EXPECT_TRUE(SameTextNoCase(fields.iconFile, exe)) << fields.iconFile;
    EXPECT_EQ(fields.iconIndex, 0);
}

TEST_F(SysintShellLink, StartupShortcutLogsItsFolderAndHasTheStartArgument) {
    std::wstring folder = dir.File(L"Startup");
    CreateDirectoryW(folder.c_str(), nullptr);
    EXPECT_EQ(CreateStartupShortcut(folder, exe, kTexts, log), ShortcutResult::kCreated);
    EXPECT_EQ(log.lines, std::vector<std::wstring>{L"Link in \"" + folder + L"\\\" is created"});
    EXPECT_TRUE(boxes.empty());
    LinkFields fields = ReadLink(folder + L"\\Launch Lentora.lnk");
    EXPECT_EQ(fields.arguments, L"-start");
    EXPECT_EQ(fields.description, L"Lentora.exe -start");
}

// Made again after the user switched it off in Task Manager, the shortcut is switched on: else
// Windows would not start Lentora through it.
TEST_F(SysintShellLink, StartupShortcutSwitchedOffInTaskManagerIsSwitchedOnAgain) {
    const std::wstring approved = std::wstring(kStartupApprovedKey) + L"\\StartupFolder";
    const auto saved = test::GetText(HKEY_CURRENT_USER, approved, kShortcutName);
    const BYTE off[12] = {0x03, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8};
    test::SetRawValue(HKEY_CURRENT_USER, approved, kShortcutName, REG_BINARY, off, sizeof off);
    std::wstring folder = dir.File(L"Startup");
    CreateDirectoryW(folder.c_str(), nullptr);
    EXPECT_EQ(CreateStartupShortcut(folder, exe, kTexts, log), ShortcutResult::kCreated);
    const bool on = ReadStartupApproval(L"HKCU", kApprovalStartupFolder, kShortcutName).enabled;
    if (!saved) test::RemoveValue(HKEY_CURRENT_USER, approved, kShortcutName);
    EXPECT_TRUE(on);
    EXPECT_EQ(log.lines.back(), L"Start-up shortcut was switched off in Task Manager. Switch it on");
}

TEST_F(SysintShellLink, EmptyStartupFolderIsRefusedWithAnErrorBox) {
    EXPECT_EQ(CreateStartupShortcut(L"", exe, kTexts, log), ShortcutResult::kNoFolder);
    EXPECT_EQ(boxes, std::vector<std::wstring>{kTexts.noFolder});
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0].find(L"is created"), std::wstring::npos) << log.lines[0];
    EXPECT_FALSE(Exists(L"\\Launch Lentora.lnk"));
}

TEST_F(SysintShellLink, UnwritableLinkFileIsReported) {
    std::wstring missing = dir.File(L"no such folder");
    EXPECT_EQ(CreateStartupShortcut(missing, exe, kTexts, log), ShortcutResult::kFailed);
    EXPECT_EQ(boxes, std::vector<std::wstring>{L"cannot write " + missing + L"\\Launch Lentora.lnk"});
    EXPECT_EQ(log.lines.size(), 2u);
}

TEST_F(SysintShellLink, COMIsStartedWhereALinkIsMade) {
    std::wstring folder = dir.File(L"Startup");
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring link = folder + L"\\Launch Lentora.lnk";
    ShortcutResult result = ShortcutResult::kFailed;
    // A thread that never initialised COM, as the program's own thread at start.
    std::thread([&] { result = CreateStartupShortcut(folder, exe, kTexts, log); }).join();
    EXPECT_EQ(result, ShortcutResult::kCreated);
    EXPECT_TRUE(Exists(link));
    EXPECT_TRUE(boxes.empty());
}

}  // namespace
}  // namespace lentora
