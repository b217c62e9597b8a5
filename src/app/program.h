// Program entry: initialises the GUI framework, creates the main window and runs the message loop.
#pragma once

namespace lentora {

class TfrmMain;

int RunProgram();
// The program's message loop, until the quit message; its exit code.
int RunMessageLoop(TfrmMain& form);

}  // namespace lentora
