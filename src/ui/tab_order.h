// The order in which Tab visits a window's controls: as the window shows them, row by row from the
// top, each row from the left, a panel that hosts controls taking its place as a whole. The dialog
// manager follows the windows' z-order instead, which cannot give this where a page lies over its
// tab control: the page must stay above the tab control to be drawn.
#pragma once
#include <windows.h>

namespace lentora::ui {

// The stop after `from` (before it when `backwards`), wrapping at the ends; from `root` itself or
// from a window outside it, the first (last) stop. Stops are the tab stops that are visible and
// enabled, inside containers (WS_EX_CONTROLPARENT) that are visible and enabled. Null when there
// is no other stop.
HWND NextTabStop(HWND root, HWND from, bool backwards);

// Moves the focus as Tab (Shift+Tab when `backwards`) does from `from`, a control of the top-level
// window `root` or `root` itself, scrolling it into view. False when there was nowhere to go.
bool TabFrom(HWND root, HWND from, bool backwards);

}  // namespace lentora::ui
