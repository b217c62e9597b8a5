#include <windows.h>

#include "app/program.h"
#include "ui/unhandled_error.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // What escapes before the main window exists (say, no memory for the command line).
    try {
        return lentora::RunProgram();
    } catch (...) {
        lentora::ui::ReportCurrentException();
        return lentora::kExitAfterUnhandledError;
    }
}
