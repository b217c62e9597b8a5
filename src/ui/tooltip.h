// The hints of a window's controls: one tooltip control per top-level window.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

namespace lentora::ui {

class Tooltip {
public:
    void Create(HWND owner);
    HWND hwnd() const { return tooltip_; }
    // An empty text removes the control's hint.
    void Set(HWND control, const std::wstring& text);
    std::wstring Get(HWND control) const;
    // The hint of a control that stays disabled: such a control gets no mouse input, so the hint
    // belongs to its area of the parent window (as it is now: call again once it moved).
    void SetOverArea(HWND control, const std::wstring& text);

private:
    // Removes the tool and adds it again with `text`, unless that is empty.
    void Replace(TTTOOLINFOW ti, const std::wstring& text);

    HWND tooltip_ = nullptr;  // destroyed with its owner window
};

}  // namespace lentora::ui
