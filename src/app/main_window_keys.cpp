#include "app/main_window_keys.h"

#include <commctrl.h>

#include "app/main_form.h"
#include "app/main_form_ids.h"
#include "ui/dialog_keys.h"

namespace lentora {
namespace {
bool Down(int key) { return GetKeyState(key) < 0; }
}  // namespace

bool MainWindowKeys::Translate(MSG& msg) {
    if (HACCEL accelerators = form_.Accelerators();
        accelerators && TranslateAcceleratorW(form_.hwnd(), accelerators, &msg))
        return true;
    if (TranslateWindowKey(msg)) return true;
    return ui::TranslateDialogKeys(msg);
}

bool MainWindowKeys::TranslateWindowKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !form_.ContentBuilt()) return false;
    if (msg.hwnd != form_.hwnd() && !IsChild(form_.hwnd(), msg.hwnd)) return false;
    if (msg.wParam == VK_TAB && Down(VK_CONTROL)) {
        SwitchPage(Down(VK_SHIFT));
        return true;
    }
    if (msg.hwnd != form_.lvListProg() || Down(VK_CONTROL) || Down(VK_SHIFT) || Down(VK_MENU)) return false;
    // The commands as their buttons give them, so they run only while their actions are enabled.
    int command = msg.wParam == VK_RETURN ? ids::actEditTask : msg.wParam == VK_DELETE ? ids::actDeleteTask : 0;
    if (!command) return false;
    SendMessageW(form_.hwnd(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
    return true;
}

void MainWindowKeys::SwitchPage(bool backwards) {
    HWND tabs = form_.Control(ids::pcMainPage);
    int count = TabCtrl_GetItemCount(tabs);
    if (count < 2) return;
    int next = (TabCtrl_GetCurSel(tabs) + (backwards ? count - 1 : 1)) % count;
    // Moving the tab control's focus selects the tab and notifies the window, as a click does.
    TabCtrl_SetCurFocus(tabs, next);
    // The focus stays on the tabs; from anywhere else it goes to the new page's first control.
    if (GetFocus() != tabs && !ui::TabFrom(form_.hwnd(), tabs, false)) SetFocus(tabs);
}

}  // namespace lentora
