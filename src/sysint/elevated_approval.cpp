#include "sysint/elevated_approval.h"

#include <shellapi.h>

#include <array>

#include "sysint/startup_approval_key.h"
#include "ui/handles.h"

namespace lentora {
namespace {

constexpr wchar_t kMachineRoot[] = L"HKLM";
constexpr std::array kLists = {kApprovalRun, kApprovalRun32, kApprovalStartupFolder};

// Quoted so that CommandLineToArgvW gives the text back whole: backslashes before a quote, and
// before the closing one, are doubled.
std::wstring QuoteArgument(const std::wstring& text) {
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : text) {
        if (c == L'\\') {
            ++backslashes;
        } else {
            if (c == L'"') quoted.append(backslashes + 1, L'\\');
            backslashes = 0;
        }
        quoted += c;
    }
    quoted.append(backslashes, L'\\');
    return quoted + L"\"";
}

}  // namespace

std::wstring ApprovalWriteParameters(const ApprovalWrite& write) {
    return std::wstring(kApprovalSwitch) + L" " + kMachineRoot + L" " + write.list + L" " + QuoteArgument(write.name) +
           (write.enabled ? L" on" : L" off");
}

std::optional<ApprovalWrite> ParseApprovalWrite(const std::vector<std::wstring>& args) {
    if (args.size() != 5 || args[0] != kApprovalSwitch || args[1] != kMachineRoot) return std::nullopt;
    bool knownList = false;
    for (const wchar_t* list : kLists) knownList = knownList || args[2] == list;
    // A value name holds no NUL; an empty one would be the key's default value.
    if (!knownList || args[3].empty() || args[3].find(L'\0') != std::wstring::npos) return std::nullopt;
    if (args[4] != L"on" && args[4] != L"off") return std::nullopt;
    return ApprovalWrite{args[2], args[3], args[4] == L"on"};
}

std::optional<int> RunApprovalSwitch(const std::vector<std::wstring>& args) {
    if (args.empty() || args[0] != kApprovalSwitch) return std::nullopt;
    const auto write = ParseApprovalWrite(args);
    if (!write) return 2;
    return WriteStartupApproval(kMachineRoot, write->list, write->name, write->enabled) ? 0 : 1;
}

ElevatedOutcome RunElevated(const std::wstring& exe, const std::wstring& parameters) {
    SHELLEXECUTEINFOW info{sizeof(info)};
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpVerb = L"runas";
    info.lpFile = exe.c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = SW_HIDE;
    if (!ShellExecuteExW(&info))
        return GetLastError() == ERROR_CANCELLED ? ElevatedOutcome::kDeclined : ElevatedOutcome::kFailed;
    if (!info.hProcess) return ElevatedOutcome::kFailed;
    ui::KernelHandle process(info.hProcess);
    DWORD exitCode = 1;
    if (WaitForSingleObject(process.get(), INFINITE) != WAIT_OBJECT_0 || !GetExitCodeProcess(process.get(), &exitCode))
        return ElevatedOutcome::kFailed;
    return exitCode == 0 ? ElevatedOutcome::kWritten : ElevatedOutcome::kFailed;
}

std::function<ElevatedOutcome(const std::wstring& exe, const std::wstring& parameters)>& ElevatedRunner() {
    static std::function<ElevatedOutcome(const std::wstring&, const std::wstring&)> runner = RunElevated;
    return runner;
}

}  // namespace lentora
