// The main window in the notification area: tray image and hint, balloons, menu, minimise to tray.
#include "app/main_form.h"
#include "app/main_form_ids.h"
#include "image_ids.h"
#include "ui/dpi.h"
#include "ui/image_list.h"
#include "ui/message_box.h"

namespace lentora {

void TfrmMain::CreateTray() {
    imlicons_.clear();
    imlicons_.resize(IDI_TRAY_COUNT);
    ui::MenuItem show;
    show.name = L"mnuShow";
    show.caption = L"\u0412\u043E\u0441\u0441\u0442\u0430\u043D\u043E\u0432\u0438\u0442\u044C";
    show.onClick = [this] { mnuShowClick(); };
    show.isDefault = true;
    show.imageIndex = 22;
    auto item = [this](const wchar_t* name, int command) { return ui::ActionMenuItem(name, ActionFor(command)); };
    pmnuTray_.items = {show,
                       item(L"mnuWait", ids::actWait),
                       item(L"N2", ids::actPause),
                       item(L"Start1", ids::actStop),
                       item(L"Resume1", ids::actResume),
                       item(L"mnuExit", ids::actCloseApp)};
    pmnuTray_.images = MenuPictures();
    ctrayIcon_.onRightClick = [this](POINT screen) { pmnuTray_.Show(hwnd(), screen, actions_); };
    ctrayIcon_.onDoubleClick = [this] {
        if (const ui::MenuItem* item = pmnuTray_.DefaultItem()) pmnuTray_.Run(*item);
    };
    ctrayIcon_.onBalloonClick = [this] { ctrayIconBalloonHintClick(); };
    ctrayIcon_.onBalloonTimeout = [this] { ctrayIconBalloonHintTimeout(); };
    ctrayIcon_.Show(hwnd(), nullptr, L"Lentora");
}

void TfrmMain::SetTrayShowCaption(const std::wstring& caption) {
    for (auto& item : pmnuTray_.items)
        if (item.name == L"mnuShow") item.caption = caption;
}

void TfrmMain::setMSGPanel(const std::wstring& msg, int iconIndex) {
    pageUpdates_.Run(L"StatusBar.0", [this, msg] { SendMessageW(statusBar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(msg.c_str())); });
    SetTrayHint(ui::GetText(hwnd()) + L"\r" + msg);
    // An index past the end selects the last image.
    trayIconIndex_ = std::clamp(iconIndex, 0, static_cast<int>(imlicons_.size()) - 1);
    // Each tray image is loaded when first shown; most runs show two or three of them.
    ui::IconHandle& icon = imlicons_[static_cast<size_t>(trayIconIndex_)];
    if (!icon) icon = ui::LoadIconResource(IDI_TRAY_BASE + trayIconIndex_, ui::Scale(16, ui::WindowDpi(hwnd())));
    ctrayIcon_.SetIcon(icon.get());
}

void TfrmMain::SetTrayHint(const std::wstring& hint) { ctrayIcon_.SetHint(hint); }

void TfrmMain::MinimizeToTray() {
    // A start at log-on makes the window minimised and hidden: minimising it again would show it
    // on the way and play the animation.
    if (IsIconic(hwnd()) && !IsWindowVisible(hwnd())) return;
    ShowWindow(hwnd(), SW_MINIMIZE);
    ShowWindow(hwnd(), SW_HIDE);
}

void TfrmMain::mnuShowClick() {
    EnsureContent();
    ShowWindow(hwnd(), SW_RESTORE);
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(hwnd());
}

void TfrmMain::ShowLaunchBalloon(const std::wstring& title, const std::wstring& text, int timeoutSec) {
    // A launch balloon replaces any update balloon, so its click must not ask the update question.
    ctrayIcon_.Tag = 0;
    ctrayIcon_.ShowBalloon(title, text, timeoutSec);
}

void TfrmMain::EnableBalloonHideTimer() {
    // Enabling the timer while it runs leaves its countdown as it is.
    if (balloonTimerRunning_) return;
    balloonTimerRunning_ = true;
    SetTimer(hwnd(), ids::tmrBallonHide, balloonHideInterval_, nullptr);
}

void TfrmMain::tmrBallonHideTimer() {
    ctrayIconBalloonHintTimeout();
    balloonHideInterval_ = 13000;
    KillTimer(hwnd(), ids::tmrBallonHide);
    balloonTimerRunning_ = false;
}

void TfrmMain::ctrayIconBalloonHintTimeout() {
    ctrayIcon_.HideBalloon();
    ctrayIcon_.Tag = 0;
}

void TfrmMain::ctrayIconBalloonHintClick() {
    if (ctrayIcon_.Tag != 1) return;
    ctrayIcon_.Tag = 0;
    updateState_.downloadQuestionAsked = true;
    AskDownload();
}

}  // namespace lentora
