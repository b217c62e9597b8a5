// Starts a task's command line as its own process, minimised, in the folder its program is in.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

#include "launch/sequencer_host.h"
#include "log/log_sink.h"

namespace lentora {

// CreateProcessW's error for a program whose manifest asks for administrator rights
// (ERROR_ELEVATION_REQUIRED, which the SDK headers at hand lack).
inline constexpr DWORD kElevationRequired = 740;

// The two system calls a start makes, replaceable so that tests need neither real processes nor
// a consent prompt. Each gives ERROR_SUCCESS or the error the call reported.
struct LaunchCalls {
    std::function<DWORD(wchar_t* commandLine, const wchar_t* folder, STARTUPINFOW& startup,
                        PROCESS_INFORMATION& process)>
        createProcess;
    std::function<DWORD(SHELLEXECUTEINFOW& info)> shellExecute;

    static LaunchCalls System();
};

class ProgramLauncher {
public:
    explicit ProgramLauncher(ILogSink& log, LaunchCalls calls = LaunchCalls::System())
        : log_(log), calls_(std::move(calls)) {}

    // Each outcome is logged. A program that asks for administrator rights is started through the
    // shell's consent prompt, which the user may decline.
    LaunchOutcome Launch(const std::wstring& commandLine);

private:
    LaunchOutcome LaunchElevated(const std::wstring& commandLine, const wchar_t* folder);

    ILogSink& log_;
    LaunchCalls calls_;
};

}  // namespace lentora
