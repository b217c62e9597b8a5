// Layout is written in pixels at 96 DPI and scaled for the window's monitor.
#pragma once
#include <windows.h>

namespace lentora::ui {

UINT WindowDpi(HWND hwnd);
inline int Scale(int pixels96, UINT dpi) { return MulDiv(pixels96, static_cast<int>(dpi), 96); }

}  // namespace lentora::ui
