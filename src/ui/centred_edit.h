// A single-line edit box draws its text at the top of its client area; boxes taller than their
// font (every field at 200 %) look top-heavy. This gives the box a margin above and below the text.
#pragma once
#include <windows.h>

namespace lentora::ui {

// Keeps `edit`'s text centred vertically through every move, resize and font change.
void CentreTextVertically(HWND edit);

}  // namespace lentora::ui
