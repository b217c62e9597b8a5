#include "app/program_launcher.h"

#include <optional>

#include "launch/working_folder.h"
#include "util/format.h"
#include "util/platform.h"

namespace lentora {
namespace {

const PathProbe kFileSystem{platform::DirectoryExists, platform::FileExists};

DWORD CreateProcessCall(wchar_t* commandLine, const wchar_t* folder, STARTUPINFOW& startup,
                        PROCESS_INFORMATION& process) {
    if (CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, CREATE_NEW_PROCESS_GROUP | NORMAL_PRIORITY_CLASS,
                       nullptr, folder, &startup, &process))
        return ERROR_SUCCESS;
    return GetLastError();
}

DWORD ShellExecuteCall(SHELLEXECUTEINFOW& info) { return ShellExecuteExW(&info) ? ERROR_SUCCESS : GetLastError(); }

}  // namespace

LaunchCalls LaunchCalls::System() { return {CreateProcessCall, ShellExecuteCall}; }

LaunchOutcome ProgramLauncher::Launch(const std::wstring& commandLine) {
    try {
        const std::optional<std::wstring> folder = WorkingFolderFor(commandLine, kFileSystem);
        const wchar_t* folderText = folder ? folder->c_str() : nullptr;
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = SW_SHOWMINIMIZED;
        PROCESS_INFORMATION pi{};
        log_.Log(FormatText(L"Launch application: \"%s\"", {commandLine}));
        // Without a folder the process starts in ours (an empty or missing folder would make the
        // start fail). CreateProcessW may write into the command line buffer, so it gets a copy of its own.
        std::wstring mutableLine = commandLine;
        const DWORD error = calls_.createProcess(mutableLine.data(), folderText, si, pi);
        if (error == ERROR_SUCCESS) {
            log_.Log(FormatText(L"application: \"%s\" is started", {commandLine}));
            CloseHandle(pi.hProcess);
            CloseHandle(pi.hThread);
            return LaunchOutcome::Started;
        }
        if (error == kElevationRequired) return LaunchElevated(commandLine, folderText);
        log_.Log(FormatText(L"Error at an launch \"%s\"", {commandLine}));
        return LaunchOutcome::Failed;
    } catch (const std::exception&) {
        // Out of memory while preparing the start: the task fails, the walk goes on.
        log_.Log(FormatText(L"Error at an application launch! \"%s\"", {commandLine}));
        return LaunchOutcome::Failed;
    }
}

LaunchOutcome ProgramLauncher::LaunchElevated(const std::wstring& commandLine, const wchar_t* folder) {
    log_.Log(FormatText(L"application: \"%s\" needs administrator rights, elevation is requested", {commandLine}));
    // The shell wants the program apart from its arguments; it is the one CreateProcessW found.
    const ProgramAndArguments split = SplitCommandLine(commandLine, kFileSystem);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    // No error box of the shell's own: the outcome goes to the log and the task's status.
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"runas";
    info.lpFile = split.program.c_str();
    info.lpParameters = split.arguments.empty() ? nullptr : split.arguments.c_str();
    info.lpDirectory = folder;
    info.nShow = SW_SHOWMINIMIZED;
    switch (calls_.shellExecute(info)) {
        case ERROR_SUCCESS:
            log_.Log(FormatText(L"application: \"%s\" is started", {commandLine}));
            return LaunchOutcome::Started;
        case ERROR_CANCELLED:
            log_.Log(FormatText(L"Elevation of \"%s\" is declined by the user", {commandLine}));
            return LaunchOutcome::Declined;
        default:
            log_.Log(FormatText(L"Error at an launch \"%s\"", {commandLine}));
            return LaunchOutcome::Failed;
    }
}

}  // namespace lentora
