#include "sysint/startup_entry_sources.h"

#include "sysint/registry_key.h"
#include "sysint/startup_approval_key.h"
#include "util/text.h"

namespace lentora {
namespace {

// Listing needs no write access, which a user without administrator rights lacks under HKLM; the
// 64-bit view, so the Run key and its Wow6432Node twin are never the same list.
constexpr REGSAM kReadAccess = KEY_READ | KEY_WOW64_64KEY;

std::wstring ExpandVariables(const std::wstring& text) {
    DWORD size = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (size == 0) return text;
    std::wstring expanded(size, L'\0');
    size = ExpandEnvironmentStringsW(text.c_str(), expanded.data(), size);
    if (size == 0 || size > expanded.size()) return text;
    expanded.resize(size - 1);
    return expanded;
}

// Text of a value for a row: strings as stored, other types in a readable form.
void DescribeInto(const RegistryValue& value, RegistryEntry& row) {
    row.command = DescribeRegistryValue(value);
    row.isString = value.type == REG_SZ || value.type == REG_EXPAND_SZ;
    row.expandable = value.type == REG_EXPAND_SZ;
}

void ListRunValues(const std::wstring& root, const std::wstring& keyPath, std::vector<RegistryEntry>& list) {
    RegistryKey key;
    if (!key.Open(RootKeyByName(root), keyPath, kReadAccess)) return;
    const wchar_t* approvalList = keyPath == kRun32Key ? kApprovalRun32 : kApprovalRun;
    for (const std::wstring& name : key.ValueNames()) {
        auto value = key.ReadValue(name);
        if (!value) continue;  // deleted since the names were read
        RegistryEntry row{L"Yes", root, name, L"", keyPath};
        DescribeInto(*value, row);
        row.approvalRoot = root;
        row.approvalList = approvalList;
        if (!ReadStartupApproval(root, approvalList, name).enabled) row.enabled = L"No";
        list.push_back(std::move(row));
    }
}

void ListDisabledEntries(const std::wstring& root, const std::wstring& keyPath, std::vector<RegistryEntry>& list) {
    HKEY rootKey = RootKeyByName(root);
    std::vector<std::wstring> names;
    {
        RegistryKey key;
        if (!key.Open(rootKey, keyPath, kReadAccess)) return;
        names = key.SubKeyNames();
    }
    for (const std::wstring& name : names) {
        std::wstring entryPath = keyPath + L"\\" + name;
        RegistryKey entry;
        if (!entry.Open(rootKey, entryPath, kReadAccess)) continue;
        RegistryEntry row{L"No", L"", L"", L"", entryPath, true};
        for (const std::wstring& valueName : entry.ValueNames()) {
            auto value = entry.ReadValue(valueName);
            if (!value) continue;
            if (SameTextNoCase(valueName, L"command"))
                DescribeInto(*value, row);
            else if (SameTextNoCase(valueName, L"hkey"))
                row.hkey = DescribeRegistryValue(*value);
            else if (SameTextNoCase(valueName, L"item"))
                row.item = DescribeRegistryValue(*value);
            else if (SameTextNoCase(valueName, L"key"))
                row.origin = DescribeRegistryValue(*value);
        }
        list.push_back(std::move(row));
    }
}

}  // namespace

std::vector<RegistryEntry> ListStartupEntries(const std::vector<StartupFolder>& folders,
                                              const StartupFolderLabels& labels) {
    std::vector<RegistryEntry> rows;
    ListRunValues(L"HKCU", kRunKey, rows);
    ListRunValues(L"HKLM", kRunKey, rows);
    ListRunValues(L"HKLM", kRun32Key, rows);
    ListDisabledEntries(L"HKLM", kDisabledKey, rows);
    // The all-users folder is the one whose switches lie under the machine's root.
    for (const StartupFolder& folder : folders)
        ListStartupFolder(folder, folder.approvalRoot == L"HKLM" ? labels.common : labels.user, rows);
    return rows;
}

std::wstring TaskCommandLine(const RegistryEntry& row) {
    const std::wstring command = row.expandable ? ExpandVariables(row.command) : row.command;
    return ReplaceAllNoCase(command, L"\"", L"");
}

}  // namespace lentora
