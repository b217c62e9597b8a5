// Where a window goes when it opens.
#pragma once
#include <windows.h>

namespace lentora::ui {

// The outer rectangle of a window whose client area is `clientWidth` x `clientHeight` pixels at
// 96 DPI, scaled for `dpi`, centred over `around`; over the work area when `around` is null or
// minimised.
RECT CentredWindowRect(HWND around, int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi);

}  // namespace lentora::ui
