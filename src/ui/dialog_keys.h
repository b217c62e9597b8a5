// The keys that work a window hosting controls as a dialog is worked: Tab and Shift+Tab in the
// order the window shows its controls, Enter on a focused push button, and the rest of what the
// system's dialog manager gives (arrow keys, mnemonics, Enter and Esc as OK and Cancel).
#pragma once
#include <windows.h>

namespace lentora::ui {

// For every message loop of the program: handles `msg` when it is such a key for a top-level
// window that hosts controls (WS_EX_CONTROLPARENT), modeless dialogs included. True when it was
// handled and must not be dispatched.
bool TranslateDialogKeys(MSG& msg);

// Moves the focus as Tab (Shift+Tab when `backwards`) does from `from`, a control of the top-level
// window `root` or `root` itself. False when there was nowhere to go.
bool TabFrom(HWND root, HWND from, bool backwards);

}  // namespace lentora::ui
