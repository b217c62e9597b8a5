#include "app/main_window_keys.h"

#include <commctrl.h>

#include "app/main_window.h"
#include "app/main_window_ids.h"
#include "ui/dialog_keys.h"
#include "ui/tab_order.h"

namespace lentora {
namespace {
bool Down(int key) { return GetKeyState(key) < 0; }
}  // namespace

MainWindowKeys::MainWindowKeys(HWND window, PageFrame& frame) : window_(window), frame_(frame) {
    // Ctrl+X: close the program.
    ACCEL closeProgram{FVIRTKEY | FCONTROL, 'X', static_cast<WORD>(ids::closeProgram)};
    accelerators_.reset(CreateAcceleratorTableW(&closeProgram, 1));
}

int MainWindow::RunMessageLoop() {
    MainWindowKeys keys(hwnd(), frame_);
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (keys.Translate(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

bool MainWindowKeys::Translate(MSG& msg) {
    if (accelerators_ && TranslateAcceleratorW(window_, accelerators_.get(), &msg)) return true;
    if (TranslateWindowKey(msg)) return true;
    return ui::TranslateDialogKeys(msg);
}

bool MainWindowKeys::TranslateWindowKey(MSG& msg) {
    if (msg.message != WM_KEYDOWN || !frame_.Built()) return false;
    if (msg.hwnd != window_ && !IsChild(window_, msg.hwnd)) return false;
    const bool plain = !Down(VK_CONTROL) && !Down(VK_SHIFT) && !Down(VK_MENU);
    if (msg.hwnd == frame_.TaskView().List() && plain && (msg.wParam == VK_RETURN || msg.wParam == VK_DELETE)) {
        // The commands as their buttons give them, so they run only while their actions are enabled.
        int command = msg.wParam == VK_RETURN ? ids::editTask : ids::deleteTask;
        SendMessageW(window_, WM_COMMAND, MAKEWPARAM(command, 0), 0);
        return true;
    }
    if (msg.hwnd == frame_.LogView().List() && msg.wParam == 'C' && Down(VK_CONTROL) && !Down(VK_MENU)) {
        frame_.LogView().CopySelected();
        return true;
    }
    if (msg.wParam == VK_TAB && Down(VK_CONTROL)) {
        SwitchPage(Down(VK_SHIFT));
        return true;
    }
    if (msg.wParam != VK_TAB && msg.wParam != VK_RETURN) return false;
    auto code = SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
    if (code & DLGC_WANTMESSAGE) return false;
    if (msg.wParam == VK_TAB && !(code & DLGC_WANTTAB)) {
        ui::TabFrom(window_, msg.hwnd, Down(VK_SHIFT));
        return true;
    }
    // In a dialog the focused push button is the default one; the main window has none.
    if (msg.wParam == VK_RETURN && (code & DLGC_UNDEFPUSHBUTTON)) {
        SendMessageW(GetParent(msg.hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(msg.hwnd), BN_CLICKED),
                     reinterpret_cast<LPARAM>(msg.hwnd));
        return true;
    }
    return false;
}

void MainWindowKeys::SwitchPage(bool backwards) {
    HWND tabs = frame_.Control(ids::pageTabs);
    int count = TabCtrl_GetItemCount(tabs);
    if (count < 2) return;
    int next = (TabCtrl_GetCurSel(tabs) + (backwards ? count - 1 : 1)) % count;
    // Moving the tab control's focus selects the tab and notifies the window, as a click does.
    TabCtrl_SetCurFocus(tabs, next);
    // The focus stays on the tabs; from anywhere else it goes to the new page's first control.
    if (GetFocus() != tabs && !ui::TabFrom(window_, tabs, false)) SetFocus(tabs);
}

}  // namespace lentora
