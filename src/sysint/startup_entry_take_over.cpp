#include "sysint/startup_entry_take_over.h"

#include "sysint/startup_approval_key.h"
#include "util/format.h"

namespace lentora {
namespace {

// The 64-bit view everywhere, so the Run key and its Wow6432Node twin are never the same list.
constexpr REGSAM kWriteAccess = KEY_ALL_ACCESS | KEY_WOW64_64KEY;

}  // namespace

TakeOverResult TakeOver(const RegistryEntry& row, ILogSink& log) {
    // The system does not start it: a disabled entry or a switched-off one stays as it is.
    if (!row.StartsAtLogOn() || !row.isString || row.approvalList.empty()) return TakeOverResult::kTakenOver;
    const std::wstring place = ApprovalPlace(row);
    if (WriteStartupApproval(row.approvalRoot, row.approvalList, row.item, false)) {
        log.Log(FormatText(L"Start-up entry \"%s\" is switched off in \"%s\"", {row.item, place}));
        return TakeOverResult::kTakenOver;
    }
    log.Log(FormatText(L"Can't write \"%s\". Start-up entry \"%s\" is left enabled", {place, row.item}));
    // The user's own switches need no rights; the machine's do.
    return row.approvalRoot == L"HKLM" ? TakeOverResult::kNeedsRights : TakeOverResult::kNotWritten;
}

std::wstring ApprovalPlace(const RegistryEntry& row) {
    return row.approvalRoot + L"\\" + kStartupApprovedKey + L"\\" + row.approvalList;
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
