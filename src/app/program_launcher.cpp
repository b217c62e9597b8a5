#include "app/program_launcher.h"

#include <algorithm>
#include <array>
#include <cwctype>
#include <optional>
#include <string_view>

#include "sysint/com_ptr.h"
#include "util/format.h"
#include "util/platform.h"

namespace lentora {
namespace {

const PathProbe kFileSystem{platform::DirectoryExists, platform::FileExists};

// CreateProcessW's answer for a file that is no program (a document, a script, a shortcut).
constexpr DWORD kNotAProgram = ERROR_BAD_EXE_FORMAT;

DWORD CreateProcessCall(wchar_t* commandLine, const wchar_t* folder, bool suspended, STARTUPINFOW& startup,
                        PROCESS_INFORMATION& process) {
    const DWORD flags = CREATE_NEW_PROCESS_GROUP | NORMAL_PRIORITY_CLASS | (suspended ? CREATE_SUSPENDED : 0);
    if (CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, flags, nullptr, folder, &startup, &process))
        return ERROR_SUCCESS;
    return GetLastError();
}

DWORD ShellExecuteCall(SHELLEXECUTEINFOW& info) {
    // The shell may hand the file to an extension of its own.
    UseComOnThisThread();
    return ShellExecuteExW(&info) ? ERROR_SUCCESS : GetLastError();
}

// What CreateProcessW starts by itself: programs, and batch files through the command interpreter.
// A name without an extension is a program to it (it adds ".exe").
bool CreateProcessRuns(std::wstring_view program) {
    const size_t dot = program.find_last_of(L".\\/:");
    if (dot == std::wstring_view::npos || program[dot] != L'.') return true;
    std::wstring extension(program.substr(dot));
    std::transform(extension.begin(), extension.end(), extension.begin(), [](wchar_t c) { return std::towlower(c); });
    constexpr std::array<std::wstring_view, 4> kRunnable = {L".exe", L".com", L".bat", L".cmd"};
    return std::find(kRunnable.begin(), kRunnable.end(), extension) != kRunnable.end();
}

}  // namespace

LaunchCalls LaunchCalls::System() { return {CreateProcessCall, ShellExecuteCall}; }

ProgramLauncher::ProgramLauncher(ILogSink& log, std::function<void()> answerReady, LaunchCalls calls)
    : log_(log), calls_(std::move(calls)), elevated_(calls_.shellExecute, std::move(answerReady)) {}

LaunchOutcome ProgramLauncher::Launch(TaskId task, const std::wstring& commandLine) {
    try {
        const std::optional<std::wstring> folder = WorkingFolderFor(commandLine, kFileSystem);
        const wchar_t* folderText = folder ? folder->c_str() : nullptr;
        log_.Log(FormatText(L"Launch application: \"%s\"", {commandLine}));
        // The shell wants the program apart from its arguments; it is the one CreateProcessW finds.
        const ProgramAndArguments split = SplitCommandLine(commandLine, kFileSystem);
        if (!CreateProcessRuns(split.program)) return OpenThroughShell(task, commandLine, split, folderText);
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = SW_SHOWMINIMIZED;
        PROCESS_INFORMATION pi{};
        // Without a folder the process starts in ours (an empty or missing folder would make the
        // start fail). CreateProcessW may write into the command line buffer, so it gets a copy of its own.
        std::wstring mutableLine = commandLine;
        // Measured, the program is put where its cost is counted before it runs a single step.
        const bool measured = static_cast<bool>(onStarted_);
        const DWORD error = calls_.createProcess(mutableLine.data(), folderText, measured, si, pi);
        if (error == ERROR_SUCCESS) {
            if (measured) {
                onStarted_(task, pi.hProcess, true);
                ResumeThread(pi.hThread);
            }
            CloseHandle(pi.hProcess);
            CloseHandle(pi.hThread);
        }
        if (error == kNotAProgram) return OpenThroughShell(task, commandLine, split, folderText);
        if (error != kElevationRequired) return Logged(commandLine, error);
        log_.Log(FormatText(L"application: \"%s\" needs administrator rights, elevation is requested", {commandLine}));
        elevated_.Start({task, commandLine, split.program, split.arguments, folder});
        return LaunchOutcome::AwaitingConsent;
    } catch (const std::exception&) {
        // Out of memory while preparing the start: the task fails, the walk goes on.
        log_.Log(FormatText(L"Error at an application launch! \"%s\"", {commandLine}));
        return LaunchOutcome::Failed;
    }
}

LaunchOutcome ProgramLauncher::OpenThroughShell(TaskId task, const std::wstring& commandLine,
                                                const ProgramAndArguments& split, const wchar_t* folder) {
    SHELLEXECUTEINFOW info = ShellStartInfo(L"open", split.program, split.arguments, folder);
    // A document opened in a program that already runs starts no process: nothing to measure then.
    if (onStarted_) info.fMask |= SEE_MASK_NOCLOSEPROCESS;
    const DWORD error = calls_.shellExecute(info);
    if (info.hProcess) {
        if (error == ERROR_SUCCESS) onStarted_(task, info.hProcess, false);
        CloseHandle(info.hProcess);
    }
    return Logged(commandLine, error);
}

LaunchOutcome ProgramLauncher::Logged(const std::wstring& commandLine, DWORD error) {
    if (error != ERROR_SUCCESS) {
        log_.Log(FormatText(L"Error at an launch \"%s\"", {commandLine}));
        return LaunchOutcome::Failed;
    }
    log_.Log(FormatText(L"application: \"%s\" is started", {commandLine}));
    return LaunchOutcome::Started;
}

std::vector<ProgramLauncher::Answer> ProgramLauncher::TakeAnswers() {
    std::vector<Answer> answers;
    for (const ElevatedStarts::Answer& answer : elevated_.TakeAnswers()) {
        if (answer.process && onStarted_) onStarted_(answer.task, answer.process.get(), false);
        if (answer.error == ERROR_CANCELLED) {
            log_.Log(FormatText(L"Elevation of \"%s\" is declined by the user", {answer.commandLine}));
            answers.push_back({answer.task, LaunchOutcome::Declined});
        } else {
            answers.push_back({answer.task, Logged(answer.commandLine, answer.error)});
        }
    }
    return answers;
}

}  // namespace lentora
