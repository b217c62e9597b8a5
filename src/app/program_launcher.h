// Starts a task's command line as its own process, minimised, in the folder its program is in.
#pragma once
#include <string>

#include "log/log_sink.h"

namespace lentora {

class ProgramLauncher {
public:
    explicit ProgramLauncher(ILogSink& log) : log_(log) {}

    // Whether the process was started; each outcome is logged.
    bool Launch(const std::wstring& commandLine);

private:
    ILogSink& log_;
};

}  // namespace lentora
