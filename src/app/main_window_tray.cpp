// The main window and the notification area: its menu, minimising to it and coming back.
#include "app/main_window.h"
#include "app/main_window_ids.h"
#include "ui/controls.h"

namespace lentora {

void MainWindow::CreateTray() {
    auto item = [this](const wchar_t* name, int command) { return ui::ActionMenuItem(name, ActionFor(command)); };
    tray_.Create(hwnd(), {item(L"mnuWait", ids::cancelDelayOfStart), item(L"N2", ids::pauseWalk), item(L"Start1", ids::stopWalk),
                          item(L"Resume1", ids::resumeWalk), item(L"mnuStartNext", ids::startNextNow),
                          item(L"mnuExit", ids::closeProgram)});
    textTargets_.Add(L"mnuShow.caption", [this](const std::wstring& text) { tray_.SetShowCaption(text); });
}

void MainWindow::MinimizeToTray() {
    // A start at log-on makes the window minimised and hidden: minimising it again would show it
    // on the way and play the animation.
    if (IsIconic(hwnd()) && !IsWindowVisible(hwnd())) return;
    ShowWindow(hwnd(), SW_MINIMIZE);
    ShowWindow(hwnd(), SW_HIDE);
}

void MainWindow::ShowFromTray() {
    EnsureContent();
    ShowWindow(hwnd(), SW_RESTORE);
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(hwnd());
}

}  // namespace lentora
