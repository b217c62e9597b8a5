// The start-up entries dialog against the test prefix's real registry and two Startup folders of
// the test's own: every value and key the tests write has a name of its own and is removed
// afterwards, and the folders go with the test.
#pragma once
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "../support/temp_dir.h"
#include "main_window_fixture.h"
#include "sysint/startup_approval_key.h"
#include "sysint/startup_entries_dialog.h"
#include "sysint/startup_entry_give_back.h"
#include "sysint/startup_entry_sources.h"
#include "sysint_test_support.h"

namespace lentora::test {

inline const std::wstring kRun = kRunKey;
inline const std::wstring kRun32 = kRun32Key;
inline const std::wstring kDisabled = kDisabledKey;
inline const std::wstring kApproved = kStartupApprovedKey;

inline std::wstring ItemText(HWND list, int row, int column) {
    wchar_t buffer[512] = {};
    ListView_GetItemText(list, row, column, buffer, 512);
    return buffer;
}

// Task Manager's value: the first byte, two more zeros, then a FILETIME.
inline std::vector<BYTE> ApprovalBytes(BYTE first, size_t size = 12) {
    std::vector<BYTE> bytes(size, 0);
    if (size > 0) bytes[0] = first;
    for (size_t i = 4; i < size; ++i) bytes[i] = static_cast<BYTE>(0x10 + i);
    return bytes;
}

class StartupEntriesFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        ASSERT_TRUE(CreateDirectoryW(userFolder.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW(commonFolder.c_str(), nullptr));
    }
    void TearDown() override { CoUninitialize(); }

    // A Run value that the cleanup removes, also when the test moved it.
    void AddRunValue(HKEY root, const std::wstring& path, const std::wstring& name, const std::wstring& text,
                     DWORD type = REG_SZ) {
        SetText(root, path, name, text, type);
        cleanup.Value(root, path, name);
        cleanup.Key(HKEY_LOCAL_MACHINE, kDisabled + L"\\" + name);
    }
    void AddDisabledEntry(const std::wstring& name, const std::wstring& command, const std::wstring& hkey = L"HKCU",
                          DWORD commandType = REG_SZ) {
        std::wstring path = kDisabled + L"\\" + name;
        cleanup.Key(HKEY_LOCAL_MACHINE, path);
        SetText(HKEY_LOCAL_MACHINE, path, L"item", name);
        SetText(HKEY_LOCAL_MACHINE, path, L"hkey", hkey);
        SetText(HKEY_LOCAL_MACHINE, path, L"command", command, commandType);
        SetText(HKEY_LOCAL_MACHINE, path, L"inimapping", L"0");
        SetText(HKEY_LOCAL_MACHINE, path, L"key", kRun);
    }
    // A task that took over the entry of this command line, as an import makes it.
    void AddTakingTask(const std::wstring& commandLine) { tasks.push_back({commandLine, L"5", L"", L"1", true}); }
    // Task Manager's switch of `name`, as raw data of any type.
    void SetApproval(HKEY root, const std::wstring& list, const std::wstring& name, const std::vector<BYTE>& data,
                     DWORD type = REG_BINARY) {
        SetRawValue(root, kApproved + L"\\" + list, name, type, data.data(), static_cast<DWORD>(data.size()));
        ApprovalCleanup(root, list, name);
    }
    void ApprovalCleanup(HKEY root, const std::wstring& list, const std::wstring& name) {
        cleanup.Value(root, kApproved + L"\\" + list, name);
    }
    static std::optional<std::vector<BYTE>> Approval(HKEY root, const std::wstring& list, const std::wstring& name) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(root, (kApproved + L"\\" + list).c_str(), 0, KEY_READ | kView64, &key) != ERROR_SUCCESS)
            return std::nullopt;
        std::vector<BYTE> data(64);
        DWORD type = 0, size = static_cast<DWORD>(data.size());
        LSTATUS status = RegQueryValueExW(key, name.c_str(), nullptr, &type, data.data(), &size);
        RegCloseKey(key);
        if (status != ERROR_SUCCESS || type != REG_BINARY) return std::nullopt;
        data.resize(size);
        return data;
    }

    std::unique_ptr<StartupEntriesDialog> Open() {
        auto form = std::make_unique<StartupEntriesDialog>(nullptr, log);
        form->onImport = [this](const RegistryEntry& entry) {
            imported.push_back(TaskCommandLine(entry));
            importedEnabled.push_back(entry.StartsAtLogOn());
        };
        form->takenOver = [this](const RegistryEntry& entry) { return TakenOverByTask(entry, tasks); };
        form->onGivenBack = [this](const RegistryEntry& entry, bool removeTask) {
            givenBack.push_back({entry.item, removeTask});
        };
        form->startupFolders = {{userFolder, L"HKCU"}, {commonFolder, L"HKLM"}};
        // Applies the texts and fills the list as a showing does. Only tests about visibility show
        // the window: without a window manager, Wine takes two seconds to hide one.
        form->ApplyTextsAndRefill();
        return form;
    }
    // Index of the first row with this name and root (or folder label), or -1.
    static int Find(const StartupEntriesDialog& form, const std::wstring& item, const std::wstring& hkey) {
        const auto& rows = form.Rows();
        for (size_t i = 0; i < rows.size(); ++i)
            if (rows[i].item == item && rows[i].hkey == hkey) return static_cast<int>(i);
        return -1;
    }
    static const RegistryEntry& Row(const StartupEntriesDialog& form, const std::wstring& item,
                                    const std::wstring& hkey) {
        int row = Find(form, item, hkey);
        EXPECT_GE(row, 0) << "no row " << hkey.c_str() << " " << item.c_str();
        static const RegistryEntry kNone;
        return row < 0 ? kNone : form.Rows()[static_cast<size_t>(row)];
    }
    static void Select(StartupEntriesDialog& form, const std::wstring& item, const std::wstring& hkey) {
        int row = Find(form, item, hkey);
        ASSERT_GE(row, 0) << "no row " << hkey.c_str() << " " << item.c_str();
        form.SelectRow(static_cast<size_t>(row));
    }
    static std::optional<std::pair<DWORD, std::wstring>> Disabled(const std::wstring& name, const wchar_t* value) {
        return GetText(HKEY_LOCAL_MACHINE, kDisabled + L"\\" + name, value);
    }
    static std::pair<DWORD, std::wstring> Sz(const std::wstring& text) { return {REG_SZ, text}; }

    RegistryCleanup cleanup;
    TempDir folders;
    const std::wstring userFolder = folders.File(L"User Startup"), commonFolder = folders.File(L"Common Startup");
    std::vector<std::wstring> imported;
    std::vector<bool> importedEnabled;
    // The task list the dialog asks whether an entry was taken over, and what it was told to do
    // with the tasks of entries given back.
    std::vector<Task> tasks;
    std::vector<std::pair<std::wstring, bool>> givenBack;
    RecordingLog log;
    MessageBoxQueue boxes;
};

}  // namespace lentora::test
