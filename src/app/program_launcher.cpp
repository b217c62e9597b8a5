#include "app/program_launcher.h"

#include <windows.h>

#include <optional>

#include "launch/working_folder.h"
#include "util/format.h"
#include "util/platform.h"

namespace lentora {

bool ProgramLauncher::Launch(const std::wstring& commandLine) {
    try {
        const std::optional<std::wstring> folder =
            WorkingFolderFor(commandLine, {platform::DirectoryExists, platform::FileExists});
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = SW_SHOWMINIMIZED;
        PROCESS_INFORMATION pi{};
        log_.Log(FormatText(L"Launch application: \"%s\"", {commandLine}));
        // Without a folder the process starts in ours (an empty or missing folder would make the
        // start fail). CreateProcessW may write into the command line buffer, so it gets a copy of its own.
        std::wstring mutableLine = commandLine;
        if (CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE,
                           CREATE_NEW_PROCESS_GROUP | NORMAL_PRIORITY_CLASS, nullptr,
                           folder ? folder->c_str() : nullptr, &si, &pi)) {
            log_.Log(FormatText(L"application: \"%s\" is started", {commandLine}));
            CloseHandle(pi.hProcess);
            CloseHandle(pi.hThread);
            return true;
        }
        log_.Log(FormatText(L"Error at an launch \"%s\"", {commandLine}));
        return false;
    } catch (const std::exception&) {
        // Out of memory while preparing the start: the task fails, the walk goes on.
        log_.Log(FormatText(L"Error at an application launch! \"%s\"", {commandLine}));
        return false;
    }
}

}  // namespace lentora
