// Program entry: initialises the GUI framework, creates the main window and runs the message loop.
#pragma once

namespace lentora {

class TfrmMain;

int RunProgram();
// The program's message loop, until the quit message.
void RunMessageLoop(TfrmMain& form);

}  // namespace lentora
