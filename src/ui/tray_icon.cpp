#include "ui/tray_icon.h"

#include <windowsx.h>

#include <algorithm>
#include <climits>

namespace lentora::ui {

namespace {

constexpr UINT kIconId = 1;
constexpr wchar_t kClassName[] = L"LentoraTrayIconWindow";

// The first `max` characters, without a high surrogate left alone at the cut.
std::wstring Cut(const std::wstring& text, size_t max) {
    if (text.size() <= max) return text;
    size_t length = max;
    if (length > 0 && IS_HIGH_SURROGATE(text[length - 1])) --length;
    return text.substr(0, length);
}

template <size_t N>
void CopyInto(wchar_t (&target)[N], const std::wstring& text) {
    size_t length = std::min(text.size(), N - 1);
    text.copy(target, length);
    target[length] = L'\0';
}

}  // namespace

TrayIcon::TrayIcon() : TrayIcon(&Shell_NotifyIconW) {}

TrayIcon::TrayIcon(NotifyFunction notify)
    : notify_(std::move(notify)), taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {}

TrayIcon::~TrayIcon() { Remove(); }

bool TrayIcon::EnsureWindow() {
    if (hwnd()) return true;
    RegisterClassOnce(kClassName, 0);
    // A hidden top-level window, not a message-only one: only top-level windows receive the
    // "TaskbarCreated" broadcast after the shell restarts.
    if (!CreateWindowObject(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr)) return false;
    // Let the broadcast through to a process that runs elevated.
    if (taskbarCreated_) ChangeWindowMessageFilterEx(hwnd(), taskbarCreated_, MSGFLT_ALLOW, nullptr);
    return true;
}

NOTIFYICONDATAW TrayIcon::Data(UINT flags) const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = hwnd();
    data.uID = kIconId;
    // Without NIF_SHOWTIP a version-4 icon shows no standard tooltip.
    data.uFlags = flags | NIF_SHOWTIP;
    return data;
}

bool TrayIcon::Show(HWND owner) {
    if (!EnsureWindow()) return false;
    Remove();
    owner_ = owner;
    visible_ = true;
    return Add();
}

bool TrayIcon::Add() {
    NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    data.uCallbackMessage = kCallbackMessage;
    data.hIcon = icon_.get();
    CopyInto(data.szTip, hint_);
    bool added = notify_(NIM_ADD, &data) != FALSE;
    data.uVersion = NOTIFYICON_VERSION_4;
    version4_ = added && notify_(NIM_SETVERSION, &data) != FALSE;
    return added;
}

void TrayIcon::SetState(HICON icon, const std::wstring& hint) {
    std::wstring cut = Cut(hint, kMaxHint);
    if (icon == source_ && cut == hint_) return;
    if (icon != source_) {
        icon_.reset(icon ? CopyIcon(icon) : nullptr);
        source_ = icon;
    }
    hint_ = std::move(cut);
    if (!visible_) return;
    NOTIFYICONDATAW data = Data(NIF_ICON | NIF_TIP);
    data.hIcon = icon_.get();
    CopyInto(data.szTip, hint_);
    notify_(NIM_MODIFY, &data);
}

void TrayIcon::SetHint(const std::wstring& hint) { SetState(source_, hint); }

void TrayIcon::ShowBalloon(const std::wstring& title, const std::wstring& text, int timeoutSec) {
    if (!visible_) return;
    HideBalloon();
    balloonTitle_ = Cut(title, kMaxBalloonTitle);
    balloonText_ = Cut(text, kMaxBalloonText);
    NOTIFYICONDATAW data = Data(NIF_INFO);
    CopyInto(data.szInfoTitle, balloonTitle_);
    CopyInto(data.szInfo, balloonText_);
    data.uTimeout = static_cast<UINT>(std::clamp(timeoutSec, 0, INT_MAX / 1000)) * 1000;
    data.dwInfoFlags = NIIF_INFO;
    notify_(NIM_MODIFY, &data);
}

void TrayIcon::HideBalloon() {
    balloonTitle_.clear();
    balloonText_.clear();
    if (!visible_) return;
    NOTIFYICONDATAW data = Data(NIF_INFO);
    notify_(NIM_MODIFY, &data);
}

void TrayIcon::Remove() {
    balloonTitle_.clear();
    balloonText_.clear();
    if (!visible_) return;
    visible_ = false;
    NOTIFYICONDATAW data = Data(0);
    notify_(NIM_DELETE, &data);
}

LRESULT TrayIcon::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kCallbackMessage) {
        OnShellEvent(wParam, lParam);
        return 0;
    }
    if (taskbarCreated_ && msg == taskbarCreated_) {
        // The shell restarted with an empty notification area.
        if (visible_) Add();
        return 0;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

void TrayIcon::OnShellEvent(WPARAM wParam, LPARAM lParam) {
    // Version 4 packs the event into the low word and the anchor point into wParam; the older
    // versions pass the event alone.
    UINT event = version4_ ? LOWORD(lParam) : static_cast<UINT>(lParam);
    switch (event) {
        case NIN_BALLOONUSERCLICK:
            if (onBalloonClick) onBalloonClick();
            break;
        case NIN_BALLOONTIMEOUT:
            if (onBalloonTimeout) onBalloonTimeout();
            break;
        case WM_LBUTTONDBLCLK:
            if (onDoubleClick) onDoubleClick();
            break;
        case WM_CONTEXTMENU:
            if (version4_ && onRightClick) onRightClick(POINT{GET_X_LPARAM(wParam), GET_Y_LPARAM(wParam)});
            break;
        case WM_RBUTTONUP:
            if (!version4_ && onRightClick) {
                POINT cursor{};
                GetCursorPos(&cursor);
                onRightClick(cursor);
            }
            break;
        default:
            break;
    }
}

}  // namespace lentora::ui
