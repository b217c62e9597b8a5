// The hints of a window's controls: one tooltip control per top-level window.
#pragma once
#include <windows.h>

#include <string>

namespace lentora::ui {

class Tooltip {
public:
    void Create(HWND owner);
    HWND hwnd() const { return tooltip_; }
    // An empty text removes the control's hint.
    void Set(HWND control, const std::wstring& text);
    std::wstring Get(HWND control) const;

private:
    HWND tooltip_ = nullptr;  // destroyed with its owner window
};

}  // namespace lentora::ui
