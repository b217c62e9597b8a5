// How wide a text is drawn in a control's own font: what a control must give it so it is not cut.
#pragma once
#include <windows.h>

#include <string_view>

namespace lentora::ui {

// Pixels, in the font the control was given (WM_SETFONT), else the system font.
int TextWidth(HWND control, std::wstring_view text);

}  // namespace lentora::ui
