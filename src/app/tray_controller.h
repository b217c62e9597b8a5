// The program in the notification area: its icon, whose picture and hint follow the program's
// state, its menu, and its balloons (a launch's, or the update's, whose click asks the download
// question) with the timer that takes a balloon down.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/handles.h"
#include "ui/popup_menu.h"
#include "ui/tray_icon.h"

namespace lentora {

class TrayController {
public:
    struct Actions {
        std::function<void()> showWindow;            // the menu's default item
        std::function<void()> updateBalloonClicked;  // the download question
        std::function<HIMAGELIST()> menuPictures;
    };
    // `commands`: what the menu's items run; `hideTimerId`: the owner window's timer that takes a
    // balloon down.
    TrayController(Actions actions, ui::ActionList& commands, UINT_PTR hideTimerId)
        : actions_(std::move(actions)), commands_(commands), hideTimerId_(hideTimerId) {}

    // The icon for `window`, not yet shown; the menu holds "Restore" and then `items`.
    void Create(HWND window, std::vector<ui::MenuItem> items);
    // Adds the icon once start-up has given it its state: every change before is kept, not sent.
    void Show();

    // The state's picture (an index past the last picks the last) and the hint.
    void ShowState(const std::wstring& hint, int imageIndex);
    void SetShowCaption(const std::wstring& caption);

    // A launch balloon replaces any update balloon, so its click asks nothing.
    void ShowLaunchBalloon(const std::wstring& title, const std::wstring& text, int timeoutSec);
    void ShowUpdateBalloon(const std::wstring& title, const std::wstring& text);
    // Enabling the hide timer while it runs leaves its countdown as it is.
    void EnableHideTimer();
    void OnHideTimer();

    ui::TrayIcon& Icon() { return icon_; }
    ui::PopupMenu& Menu() { return menu_; }
    int ImageIndex() const { return imageIndex_; }
    UINT HideInterval() const { return hideInterval_; }
    bool HideTimerRunning() const { return hideTimerRunning_; }

private:
    static constexpr UINT kLaunchBalloonHideMs = 13000, kUpdateBalloonHideMs = 23000;

    void OnBalloonTimeout();
    void OnBalloonClick();
    // The picture of the state shown, loaded when first needed.
    HICON Picture();

    Actions actions_;
    ui::ActionList& commands_;
    UINT_PTR hideTimerId_;
    HWND window_ = nullptr;
    ui::TrayIcon icon_;
    ui::PopupMenu menu_;
    std::vector<ui::IconHandle> images_;  // each loaded when first shown
    int imageIndex_ = 0;
    UINT hideInterval_ = kLaunchBalloonHideMs;
    bool hideTimerRunning_ = false;
};

}  // namespace lentora
