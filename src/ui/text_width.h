// The width a text takes in a window's own font, for controls that grow to fit their text.
#pragma once
#include <windows.h>

#include <string>

namespace lentora::ui {

// Pixels `text` takes on one line in the font `window` draws with (WM_GETFONT; the system font
// when it has none).
int TextWidth(HWND window, const std::wstring& text);

}  // namespace lentora::ui
