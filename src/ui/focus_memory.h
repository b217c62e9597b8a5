// A top-level window that is no dialog takes the focus itself whenever it is activated, so after a
// message box or a dialog the keyboard would have left the control it was in. This keeps the
// control that had the focus when the window was left and gives the focus back to it.
#pragma once
#include <windows.h>

namespace lentora::ui {

class FocusMemory {
public:
    // For the window's WM_ACTIVATE: true when the focus was given back and the default handling
    // must not run.
    bool OnActivate(HWND window, WPARAM wParam);

private:
    HWND focus_ = nullptr;
};

}  // namespace lentora::ui
