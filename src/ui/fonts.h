// The message font of the system at the window's DPI, and its bold and struck-out variants.
#pragma once
#include <windows.h>

#include "ui/handles.h"

namespace lentora::ui {

struct UiFonts {
    FontHandle normal, bold, strike, boldItalic;
};

UiFonts CreateUiFonts(UINT dpi);
// Gives every descendant of `parent` the font.
void ApplyFont(HWND parent, HFONT font);

}  // namespace lentora::ui
