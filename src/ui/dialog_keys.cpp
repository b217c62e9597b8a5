#include "ui/dialog_keys.h"

namespace lentora::ui {

bool TranslateDialogKeys(MSG& msg) {
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (!root || !(GetWindowLongPtrW(root, GWL_EXSTYLE) & WS_EX_CONTROLPARENT)) return false;
    return IsDialogMessageW(root, &msg) != FALSE;
}

}  // namespace lentora::ui
