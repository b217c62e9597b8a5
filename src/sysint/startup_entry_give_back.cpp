#include "sysint/startup_entry_give_back.h"

#include <algorithm>

#include "sysint/registry_key.h"
#include "sysint/startup_approval_key.h"
#include "sysint/startup_entry_sources.h"
#include "sysint/startup_entry_take_over.h"
#include "util/text.h"

namespace lentora {
namespace {

constexpr REGSAM kWriteAccess = KEY_ALL_ACCESS | KEY_WOW64_64KEY;

bool SameValue(const RegistryValue& a, const RegistryValue& b) {
    return a.type == b.type && RegistryStringData(a.data) == RegistryStringData(b.data);
}

GiveBackResult RestoreRunValue(const RegistryEntry& row) {
    RegistryKey run;
    if (!run.OpenOrCreate(RootKeyByName(row.hkey), row.origin, kWriteAccess)) return GiveBackResult::kNotWritten;
    const RegistryValue value = RunValueOf(row);
    const auto present = run.ReadValue(row.item);
    if (present && !SameValue(*present, value)) return GiveBackResult::kNameTaken;
    if (!present && !run.WriteValue(row.item, value)) return GiveBackResult::kNotWritten;
    if (DeleteDisabledEntry(row.key)) return GiveBackResult::kGivenBack;
    // Both copies would stay: the value written here goes again, so nothing changed.
    if (!present) run.DeleteValue(row.item);
    return GiveBackResult::kNotWritten;
}

}  // namespace

bool CanGiveBack(const RegistryEntry& row) {
    if (row.disabledEntry)
        return row.isString && !row.item.empty() && !row.origin.empty() && RootKeyByName(row.hkey) != nullptr;
    return !row.StartsAtLogOn() && !row.approvalList.empty();
}

GiveBackResult GiveBack(const RegistryEntry& row) {
    if (row.disabledEntry) return RestoreRunValue(row);
    return WriteStartupApproval(row.approvalRoot, row.approvalList, row.item, true) ? GiveBackResult::kGivenBack
                                                                                   : GiveBackResult::kNotWritten;
}

std::wstring GiveBackPlace(const RegistryEntry& row) {
    if (row.disabledEntry) return row.hkey + L"\\" + row.origin;
    return ApprovalPlace(row);
}

bool TakenOverByTask(const RegistryEntry& row, const std::vector<Task>& tasks) {
    if (row.StartsAtLogOn() || !row.isString) return false;
    const std::wstring program = TaskCommandLine(row);
    return std::any_of(tasks.begin(), tasks.end(), [&program](const Task& task) {
        return task.importedFromSystem == L"1" && SameTextNoCase(task.commandLine, program);
    });
}

}  // namespace lentora
