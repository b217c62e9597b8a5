#include "sysint/startup_entry_take_over.h"

#include "sysint/startup_approval_key.h"
#include "sysint/startup_entry_sources.h"
#include "util/format.h"

namespace lentora {
namespace {

// The 64-bit view everywhere, so the Run key and its Wow6432Node twin are never the same list.
constexpr REGSAM kWriteAccess = KEY_ALL_ACCESS | KEY_WOW64_64KEY;

bool WriteDisabledEntry(const RegistryEntry& row) {
    // The name becomes one sub-key: empty, it would write into the list's own key; with a
    // backslash, into a nested key that is no entry.
    if (row.item.empty() || row.item.find(L'\\') != std::wstring::npos) return false;
    RegistryKey entry;
    if (!entry.OpenOrCreate(HKEY_LOCAL_MACHINE, std::wstring(kDisabledKey) + L"\\" + row.item, kWriteAccess))
        return false;
    return entry.WriteString(L"item", row.item) && entry.WriteString(L"hkey", row.hkey) &&
           entry.WriteValue(L"command", RunValueOf(row)) && entry.WriteString(L"inimapping", L"0") &&
           entry.WriteString(L"key", row.key);
}

bool DeleteRunValue(const RegistryEntry& row) {
    RegistryKey run;
    return run.Open(RootKeyByName(row.hkey), row.key, kWriteAccess) && run.DeleteValue(row.item);
}

bool MoveRunValueToDisabledEntries(const RegistryEntry& row, ILogSink& log) {
    if (!WriteDisabledEntry(row)) {
        log.Log(FormatText(L"Can't write \"HKLM\\%s\\%s\". Registry entry \"%s\" is left in \"%s\\%s\"",
                           {kDisabledKey, row.item, row.item, row.hkey, row.key}));
        return false;
    }
    if (!DeleteRunValue(row)) {
        log.Log(FormatText(L"Can't delete registry entry \"%s\" from \"%s\\%s\"", {row.item, row.hkey, row.key}));
        // The entry stays where the system starts it, and only there.
        DeleteDisabledEntry(std::wstring(kDisabledKey) + L"\\" + row.item);
        return false;
    }
    return true;
}

// The file stays in its folder; Task Manager's switch keeps the system from starting it.
bool SwitchOffStartupFile(const RegistryEntry& row, ILogSink& log) {
    if (WriteStartupApproval(row.approvalRoot, row.approvalList, row.item, false)) return true;
    log.Log(FormatText(L"Can't write \"%s\\%s\\%s\". Start-up file \"%s\" is left enabled in \"%s\"",
                       {row.approvalRoot, kStartupApprovedKey, row.approvalList, row.item, row.key}));
    return false;
}

}  // namespace

bool TakeOver(const RegistryEntry& row, ILogSink& log) {
    // The system does not start it: a disabled entry is already where the move would put it, and
    // a switched-off one stays off.
    if (!row.StartsAtLogOn() || !row.isString) return true;
    return row.startupFile ? SwitchOffStartupFile(row, log) : MoveRunValueToDisabledEntries(row, log);
}

bool DeleteDisabledEntry(const std::wstring& entryPath) {
    // The parent is opened so the 64-bit view holds for the deletion.
    const size_t slash = entryPath.find_last_of(L'\\');
    RegistryKey parent;
    return slash != std::wstring::npos && parent.Open(HKEY_LOCAL_MACHINE, entryPath.substr(0, slash), kWriteAccess) &&
           parent.DeleteSubKey(entryPath.substr(slash + 1));
}

RegistryValue RunValueOf(const RegistryEntry& row) {
    return TextValue(row.command, row.expandable ? REG_EXPAND_SZ : REG_SZ);
}

}  // namespace lentora
