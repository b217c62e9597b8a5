#include "ui/focus_memory.h"

namespace lentora::ui {

bool FocusMemory::OnActivate(HWND window, WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        focus_ = focus && IsChild(window, focus) ? focus : nullptr;
        return false;
    }
    const bool minimised = HIWORD(wParam) != 0;
    if (minimised || !focus_ || !IsChild(window, focus_) || !IsWindowVisible(focus_) || !IsWindowEnabled(focus_))
        return false;
    SetFocus(focus_);
    return true;
}

}  // namespace lentora::ui
