#include "app/tray_controller.h"
#include "app/pictures.h"

#include <algorithm>

#include "image_ids.h"
#include "ui/dpi.h"
#include "ui/image_list.h"

namespace lentora {

void TrayController::Create(HWND window, std::vector<ui::MenuItem> items) {
    window_ = window;
    images_.clear();
    images_.resize(IDI_TRAY_COUNT);
    ui::MenuItem show;
    show.name = L"mnuShow";
    show.caption = L"\u0412\u043E\u0441\u0441\u0442\u0430\u043D\u043E\u0432\u0438\u0442\u044C";
    show.onClick = actions_.showWindow;
    show.isDefault = true;
    show.imageIndex = PictureOf(IDI_IMG_SHOW);
    items.insert(items.begin(), std::move(show));
    menu_.items = std::move(items);
    menu_.images = actions_.menuPictures;
    icon_.onRightClick = [this](POINT screen) { menu_.Show(window_, screen, commands_); };
    icon_.onDoubleClick = [this] {
        if (const ui::MenuItem* item = menu_.DefaultItem()) menu_.Run(*item);
    };
    icon_.onBalloonClick = [this] { OnBalloonClick(); };
    icon_.onBalloonTimeout = [this] { OnBalloonTimeout(); };
}

void TrayController::Show() {
    icon_.SetState(Picture(), icon_.Hint());
    icon_.Show(window_);
}

void TrayController::ShowState(const std::wstring& hint, int imageIndex) {
    imageIndex_ = std::clamp(imageIndex, 0, static_cast<int>(images_.size()) - 1);
    // The states start-up passes through are never shown: their pictures are not even loaded.
    if (!icon_.Visible()) {
        icon_.SetHint(hint);
        return;
    }
    icon_.SetState(Picture(), hint);
}

HICON TrayController::Picture() {
    // Most runs show two or three of the pictures.
    ui::IconHandle& image = images_[static_cast<size_t>(imageIndex_)];
    if (!image) image = ui::LoadIconResource(IDI_TRAY_BASE + imageIndex_, ui::Scale(16, ui::WindowDpi(window_)));
    return image.get();
}

void TrayController::SetShowCaption(const std::wstring& caption) {
    for (auto& item : menu_.items)
        if (item.name == L"mnuShow") item.caption = caption;
}

void TrayController::ShowLaunchBalloon(const std::wstring& title, const std::wstring& text, int timeoutSec) {
    icon_.updateBalloonUp = false;
    icon_.ShowBalloon(title, text, timeoutSec);
}

void TrayController::ShowUpdateBalloon(const std::wstring& title, const std::wstring& text) {
    icon_.ShowBalloon(title, text, 20);
    icon_.updateBalloonUp = true;
    // The update balloon stays longer, with a countdown of its own.
    hideInterval_ = kUpdateBalloonHideMs;
    if (hideTimerRunning_) KillTimer(window_, hideTimerId_);
    hideTimerRunning_ = false;
    EnableHideTimer();
}

void TrayController::EnableHideTimer() {
    if (hideTimerRunning_) return;
    hideTimerRunning_ = true;
    SetTimer(window_, hideTimerId_, hideInterval_, nullptr);
}

void TrayController::OnHideTimer() {
    OnBalloonTimeout();
    hideInterval_ = kLaunchBalloonHideMs;
    KillTimer(window_, hideTimerId_);
    hideTimerRunning_ = false;
}

void TrayController::OnBalloonTimeout() {
    icon_.HideBalloon();
    icon_.updateBalloonUp = false;
}

void TrayController::OnBalloonClick() {
    if (!icon_.updateBalloonUp) return;
    icon_.updateBalloonUp = false;
    actions_.updateBalloonClicked();
}

}  // namespace lentora
