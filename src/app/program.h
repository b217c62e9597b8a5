// Program entry: initialises the GUI framework, creates the main window and runs the message loop.
#pragma once

namespace lentora {

// The exit code after an error nothing else caught.
inline constexpr int kExitAfterUnhandledError = 3;

int RunProgram();

}  // namespace lentora
