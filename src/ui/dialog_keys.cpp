#include "ui/dialog_keys.h"

#include "ui/panel.h"
#include "ui/tab_order.h"

namespace lentora::ui {

bool TabFrom(HWND root, HWND from, bool backwards) {
    HWND next = NextTabStop(root, from, backwards);
    if (!next) return false;
    // Focus rectangles are hidden until the keyboard is used, as in dialogs.
    SendMessageW(root, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(next, EM_SETSEL, 0, -1);
    SetFocus(next);
    Panel::Reveal(next);
    return true;
}

bool TranslateDialogKeys(MSG& msg) {
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (!root || !(GetWindowLongPtrW(root, GWL_EXSTYLE) & WS_EX_CONTROLPARENT)) return false;
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_TAB || msg.wParam == VK_RETURN)) {
        auto code = SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
        if (!(code & DLGC_WANTMESSAGE)) {
            // The dialog manager orders Tab by the windows' z-order, but pages lie over their tab
            // controls and must stay above them to be drawn: the order comes from their places.
            if (msg.wParam == VK_TAB && !(code & DLGC_WANTTAB)) {
                TabFrom(root, msg.hwnd, GetKeyState(VK_SHIFT) < 0);
                return true;
            }
            // A dialog makes the focused push button its default; these windows are no dialogs.
            if (msg.wParam == VK_RETURN && (code & DLGC_UNDEFPUSHBUTTON)) {
                SendMessageW(GetParent(msg.hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(msg.hwnd), BN_CLICKED),
                             reinterpret_cast<LPARAM>(msg.hwnd));
                return true;
            }
        }
    }
    return IsDialogMessageW(root, &msg) != FALSE;
}

}  // namespace lentora::ui
