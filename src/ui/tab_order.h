// The order in which Tab visits a window's controls: as the window shows them, row by row from the
// top, each row from the left, a panel that hosts controls taking its place as a whole.
#pragma once
#include <windows.h>

namespace lentora::ui {

// The stop after `from` (before it when `backwards`), wrapping at the ends; from `root` itself or
// from a window outside it, the first (last) stop. Stops are the tab stops that are visible and
// enabled, inside containers (WS_EX_CONTROLPARENT) that are visible and enabled. Null when there
// is no other stop.
HWND NextTabStop(HWND root, HWND from, bool backwards);

}  // namespace lentora::ui
