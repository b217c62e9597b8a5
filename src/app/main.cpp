#include <windows.h>

#include "app/program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return lentora::RunProgram(); }
