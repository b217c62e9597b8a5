// A plain child window that hosts controls and hands their notifications to the top-level
// window, so one form sees every command of its pages. Optionally scrolls its content vertically.
#pragma once
#include "ui/window.h"

namespace lentora::ui {

class Panel : public Window {
public:
    bool Create(HWND parent, DWORD extraStyle = 0);
    // Vertical scrolling of the children: content height and scroll step in pixels.
    void SetScrollContent(int contentHeight, int step);
    void ScrollTo(int position);
    int ScrollPosition() const { return scrollPos_; }
    // Scrolls the scrolling panels around `control` until it is in view: the keyboard has moved
    // the focus there.
    static void Reveal(HWND control);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void UpdateScrollBar();
    void ScrollToShow(HWND control);
    int contentHeight_ = 0;
    int step_ = 25;
    int scrollPos_ = 0;
};

}  // namespace lentora::ui
