// Program entry: initialises the GUI framework, creates the main window and runs the message loop.
#pragma once

namespace lentora {

class MainWindow;

int RunProgram();
// The program's message loop, until the quit message; its exit code.
int RunMessageLoop(MainWindow& form);

}  // namespace lentora
