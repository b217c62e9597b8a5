// The program's icon in the notification area: image, hint, balloons, and the mouse and balloon
// events turned into callbacks. It owns a hidden window of its own for the shell's notifications,
// so the window it serves needs no code for them.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

#include "ui/handles.h"
#include "ui/window.h"

namespace lentora::ui {

class TrayIcon : private Window {
public:
    // The message the shell sends to the icon's window for mouse and balloon events.
    static constexpr UINT kCallbackMessage = WM_APP + 0x51;
    // What the notification area holds: longer texts are cut to this many characters.
    static constexpr size_t kMaxHint = 127, kMaxBalloonText = 255, kMaxBalloonTitle = 63;

    // The shell call; replaceable so tests can see exactly what is asked of the notification area.
    using NotifyFunction = std::function<BOOL(DWORD message, NOTIFYICONDATAW* data)>;

    TrayIcon();
    explicit TrayIcon(NotifyFunction notify);
    ~TrayIcon() override;

    // Adds the icon with the picture and hint set so far. `owner` is the window the menu and the
    // restore act on. The icon counts as shown from now on even when the shell refuses it (false
    // then), so that a notification area started later gets it.
    bool Show(HWND owner);
    // The picture (copied) and the hint in one change of the shown icon; before Show they are only
    // kept. The same picture handle as last time with the same hint asks nothing of the shell: each
    // call is a round trip to the shell's process.
    void SetState(HICON icon, const std::wstring& hint);
    void SetHint(const std::wstring& hint);
    // Replaces any balloon that is up; information icon, timeout in seconds.
    void ShowBalloon(const std::wstring& title, const std::wstring& text, int timeoutSec);
    void HideBalloon();
    // Deletes the icon from the notification area; the destructor does it too.
    void Remove();

    // The update balloon is up, not yet clicked or timed out: its click asks the download question.
    bool updateBalloonUp = false;

    std::function<void()> onBalloonClick;
    std::function<void()> onBalloonTimeout;
    std::function<void(POINT screen)> onRightClick;
    std::function<void()> onDoubleClick;

    HWND Owner() const { return owner_; }
    // The icon's own window, which receives kCallbackMessage and "TaskbarCreated".
    HWND NotifyWindow() const { return hwnd(); }
    const std::wstring& Hint() const { return hint_; }
    // The icon's own copy of the image last set.
    HICON Icon() const { return icon_.get(); }
    bool Visible() const { return visible_; }
    // The balloon last shown, as cut; empty after HideBalloon.
    const std::wstring& BalloonTitle() const { return balloonTitle_; }
    const std::wstring& BalloonText() const { return balloonText_; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    NOTIFYICONDATAW Data(UINT flags) const;
    bool Add();
    void OnShellEvent(WPARAM wParam, LPARAM lParam);
    bool EnsureWindow();

    NotifyFunction notify_;
    UINT taskbarCreated_ = 0;
    HWND owner_ = nullptr;
    IconHandle icon_;
    HICON source_ = nullptr;  // the caller's handle icon_ was copied from
    std::wstring hint_, balloonTitle_, balloonText_;
    bool visible_ = false;
    bool version4_ = false;  // the shell accepted NOTIFYICON_VERSION_4 and reports events that way
};

}  // namespace lentora::ui
