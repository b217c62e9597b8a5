// A plain child window that hosts controls. Their commands, notifications and context menus go to
// the panel's route, and what it leaves to the parent window; colours and drawing go to the
// top-level window, which decides the look of every page. Optionally scrolls its content vertically.
#pragma once
#include <functional>
#include <optional>

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

    // WM_COMMAND, WM_NOTIFY and WM_CONTEXTMENU of the children: the answer, or nothing to hand
    // them on up.
    std::function<std::optional<LRESULT>(UINT msg, WPARAM wParam, LPARAM lParam)> route;

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
