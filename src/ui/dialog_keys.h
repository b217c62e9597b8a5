// The dialog keys (Tab, arrow keys, mnemonics, Enter and Esc as OK and Cancel) of the program's
// windows that host controls.
#pragma once
#include <windows.h>

namespace lentora::ui {

// For every message loop of the program: hands `msg` to the dialog manager of its top-level
// window when that window hosts controls (WS_EX_CONTROLPARENT), modeless dialogs included. True
// when it was handled there and must not be dispatched.
bool TranslateDialogKeys(MSG& msg);

}  // namespace lentora::ui
