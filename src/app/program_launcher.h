// Starts a task's command line as its own process, minimised, in the folder its program is in.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include "app/elevated_starts.h"
#include "launch/sequencer_host.h"
#include "launch/working_folder.h"
#include "log/log_sink.h"

namespace lentora {

// CreateProcessW's error for a program whose manifest asks for administrator rights
// (ERROR_ELEVATION_REQUIRED, which the SDK headers at hand lack).
inline constexpr DWORD kElevationRequired = 740;

// Posted to the main window when the answer to a consent prompt can be taken (TakeAnswers).
inline constexpr UINT WM_LAUNCH_ANSWERED = WM_APP + 44;

// The two system calls a start makes, replaceable so that tests need neither real processes nor
// a consent prompt. Each gives ERROR_SUCCESS or the error the call reported.
struct LaunchCalls {
    // `suspended`: the process's first thread is created suspended.
    std::function<DWORD(wchar_t* commandLine, const wchar_t* folder, bool suspended, STARTUPINFOW& startup,
                        PROCESS_INFORMATION& process)>
        createProcess;
    std::function<DWORD(SHELLEXECUTEINFOW& info)> shellExecute;

    static LaunchCalls System();
};

// A process a launch started, for measuring: `suspended` while its first thread has not yet run
// (the launcher lets it run once the handler returns), or one the shell started already running.
// The handle stays the launcher's. The handler must not throw.
using StartedProcessHandler = std::function<void(TaskId task, HANDLE process, bool suspended)>;

class ProgramLauncher {
public:
    struct Answer {
        TaskId task = 0;
        LaunchOutcome outcome = LaunchOutcome::Failed;
    };

    // `answerReady` runs on another thread when the answer to a consent prompt can be taken.
    ProgramLauncher(ILogSink& log, std::function<void()> answerReady, LaunchCalls calls = LaunchCalls::System());

    // Each outcome is logged. A document or script is opened through the shell. A program that
    // asks for administrator rights is started through the consent prompt: the launch then awaits
    // consent, and its outcome comes through TakeAnswers.
    LaunchOutcome Launch(TaskId task, const std::wstring& commandLine);
    // The consent prompts answered since the last call, each outcome logged now.
    std::vector<Answer> TakeAnswers();
    // Measuring: each process a launch starts goes to `handler` (none: nothing is measured).
    void SetStartedProcessHandler(StartedProcessHandler handler) { onStarted_ = std::move(handler); }

private:
    LaunchOutcome OpenThroughShell(TaskId task, const std::wstring& commandLine, const ProgramAndArguments& split,
                                   const wchar_t* folder);
    LaunchOutcome Logged(const std::wstring& commandLine, DWORD error);

    ILogSink& log_;
    LaunchCalls calls_;
    ElevatedStarts elevated_;
    StartedProcessHandler onStarted_;
};

}  // namespace lentora
