#include "app/main_window.h"

#include "app/main_window_ids.h"
#include "app/update_worker.h"
#include "ui/dpi.h"
#include "ui/message_box.h"
#include "ui/tab_order.h"

namespace lentora {

MainWindow::MainWindow(const StartupContext& context) : run_(context) {
    walkView_.Follow(sequencer_);
    CreateActions();
}

MainWindow::~MainWindow() {
    // The window goes before the members its messages use: waiting in a call to another thread
    // (the tray's, say) while members are torn down, the thread would still serve its messages.
    // Results and lines still queued for it are freed first. After the fatal stop the window is
    // still there at this point.
    updates_.Close([](const std::wstring&) {});
    if (hwnd()) DestroyWindow(hwnd());
}

bool MainWindow::Create() {
    // The window class keeps its old name: tools that look for the running program find it by it.
    RegisterClassOnce(L"TfrmMain", CS_DBLCLKS);
    // The client size is set in WM_CREATE once the monitor's DPI is known; a start at log-on
    // makes the window minimised (after WM_CREATE, which keeps that size and place as the
    // normal ones) without ever showing it.
    DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | (run_.startMode ? WS_MINIMIZE : 0);
    if (!CreateWindowObject(WS_EX_CONTROLPARENT, L"TfrmMain", L"Lentora", style, CW_USEDEFAULT, CW_USEDEFAULT, 600,
                            450, nullptr))
        return false;
    // A start at log-on builds the pages when the window is first shown: most such starts end
    // without anyone opening it.
    if (!run_.startMode) frame_.EnsureContent();
    // Start-up runs once the window is complete, outside its creation message.
    RunStartup();
    return true;
}

LRESULT MainWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            CreateWindowParts();
            return 0;
        case WM_SIZE:
            // Minimised, the window lives in the notification area only.
            if (wParam == SIZE_MINIMIZED) ShowWindow(hwnd(), SW_HIDE);
            frame_.RequestLayout();
            return 0;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            UINT dpi = ui::WindowDpi(hwnd());
            info->ptMinTrackSize = {ui::Scale(570, dpi), ui::Scale(410, dpi)};
            return 0;
        }
        case WM_WINDOWPOSCHANGED: {
            // Every way of bringing the window up passes here (WM_SHOWWINDOW is not sent when it is
            // restored from the tray or shown normal); minimised on its way to the tray it is not
            // up. The default handling sends WM_SIZE first.
            LRESULT result = Window::HandleMessage(msg, wParam, lParam);
            if (IsWindowVisible(hwnd()) && !IsIconic(hwnd())) frame_.OnShown();
            return result;
        }
        case WM_ACTIVATE:
            if (frame_.OnActivate(wParam)) return 0;
            break;
        case WM_NEXTDLGCTL:
            // A multi-line edit hands Tab on this way, as to a dialog.
            if (LOWORD(lParam))
                SetFocus(reinterpret_cast<HWND>(wParam));
            else
                ui::TabFrom(hwnd(), GetFocus(), wParam != 0);
            return 0;
        case WM_DPICHANGED: {
            auto* suggested = reinterpret_cast<RECT*>(lParam);
            frame_.OnDpiChanged();
            SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_NOTIFY:
            frame_.OnNotify(*reinterpret_cast<NMHDR*>(lParam));
            return 0;
        case WM_COMMAND:
            // The menus and the accelerator: the pages' controls reach their pages on their panels.
            actions_.RunCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_MEASUREITEM:
        case WM_DRAWITEM:
            // The pictures of the pop-up menus this window owns.
            if (ui::PopupMenu::OnPictureMessage(msg, lParam)) return TRUE;
            break;
        case WM_TIMER:
            if (walkView_.OnTimer(wParam)) return 0;
            if (wParam == ids::balloonHideTimer) {
                tray_.OnHideTimer();
                return 0;
            }
            break;
        case WM_COPYDATA:
            if (auto start = SingleInstance::Received(lParam)) {
                OnSecondStart(*start);
                return TRUE;
            }
            break;
        case WM_LAUNCH_ANSWERED:
            for (const ProgramLauncher::Answer& answer : launcher_.TakeAnswers())
                sequencer_.LaunchAnswered(answer.task, answer.outcome);
            return 0;
        case WM_START_UPDATE_CHECK:
            if (!closing_ && !terminateRequested_) StartUpdateCheck(false);
            return 0;
        case WM_UPDATE_RESULT:
        case WM_UPDATE_LOG_LINE:
            updates_.OnMessage(msg, lParam);
            return 0;
        case WM_CLOSE:
            // The closing saves may show a box, whose loop delivers a second request: ignored.
            if (closing_) return 0;
            Shutdown();
            DestroyWindow(hwnd());
            return 0;
        case WM_DESTROY:
            KillTimer(hwnd(), ids::walkClockTimer);
            KillTimer(hwnd(), ids::delayOfStartTimer);
            PostQuitMessage(0);
            return 0;
    }
    // The colours of the controls and pages, which hand these messages up to this window.
    if (auto dressed = skins_.Dress(hwnd(), msg, wParam)) return *dressed;
    return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace lentora
