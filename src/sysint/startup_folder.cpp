#include "sysint/startup_folder.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include "sysint/shell_folder.h"
#include "sysint/shell_link.h"
#include "sysint/startup_approval_key.h"
#include "ui/handles.h"
#include "util/text.h"

namespace lentora {
namespace {

// The command line of a file: a blank in the program path is quoted, as in a Run value, so that
// the line names one program.
std::wstring CommandLineOf(const std::wstring& program, const std::wstring& arguments) {
    std::wstring line = program.find(L' ') == std::wstring::npos ? program : L"\"" + program + L"\"";
    if (!arguments.empty()) line += L" " + arguments;
    return line;
}

bool IsShortcut(const std::wstring& name) {
    return name.size() > 4 && SameTextNoCase(std::wstring_view(name).substr(name.size() - 4), L".lnk");
}

}  // namespace

// Not created when missing: an absent folder starts nothing.
StartupFolder UserStartupFolder() { return {ShellFolderPath(CSIDL_STARTUP, MissingFolder::Leave), L"HKCU"}; }

StartupFolder CommonStartupFolder() { return {ShellFolderPath(CSIDL_COMMON_STARTUP, MissingFolder::Leave), L"HKLM"}; }

void ListStartupFolder(const StartupFolder& folder, const std::wstring& label, std::vector<RegistryEntry>& list) {
    if (folder.path.empty()) return;
    const std::wstring prefix = AddBackslash(folder.path);
    std::vector<std::wstring> names;
    ui::ForEachFile(prefix + L"*", [&](const WIN32_FIND_DATAW& data) {
        if (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) return;
        names.emplace_back(data.cFileName);
    });
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return _wcsicmp(a.c_str(), b.c_str()) < 0;
    });
    for (const std::wstring& name : names) {
        RegistryEntry row{L"Yes", label, name, L"", folder.path};
        row.startupFile = true;
        row.approvalRoot = folder.approvalRoot;
        row.approvalList = kApprovalStartupFolder;
        if (!IsShortcut(name)) {
            row.command = CommandLineOf(prefix + name, L"");
        } else if (auto target = ReadShellLink(prefix + name)) {
            row.command = CommandLineOf(target->path, target->arguments);
        } else {
            // Nothing a task could start: listed, so the user sees what the system has, but not imported.
            row.command = prefix + name;
            row.isString = false;
        }
        if (!ReadStartupApproval(row.approvalRoot, row.approvalList, name).enabled) row.enabled = L"No";
        list.push_back(std::move(row));
    }
}

}  // namespace lentora
