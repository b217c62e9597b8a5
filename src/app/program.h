// Program entry: initialises the GUI framework, creates the main window and runs the message loop.
#pragma once

namespace lentora {

int RunProgram();

}  // namespace lentora
