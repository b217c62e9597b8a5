// The main window and the notification area: its menu, minimising to it and coming back.
#include "app/main_window.h"

namespace lentora {

void MainWindow::MinimizeToTray() {
    // A start at log-on makes the window minimised and hidden: minimising it again would show it
    // on the way and play the animation.
    if (IsIconic(hwnd()) && !IsWindowVisible(hwnd())) return;
    ShowWindow(hwnd(), SW_MINIMIZE);
    ShowWindow(hwnd(), SW_HIDE);
}

void MainWindow::ShowFromTray() {
    frame_.EnsureContent();
    ShowWindow(hwnd(), SW_RESTORE);
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(hwnd());
}

}  // namespace lentora
