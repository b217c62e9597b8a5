#include "ui/panel.h"

#include <algorithm>
#include <iterator>

#include "ui/controls.h"

namespace lentora::ui {
namespace {
constexpr wchar_t kClassName[] = L"LentoraPanel";
}

bool Panel::Create(HWND parent, DWORD extraStyle) {
    RegisterClassOnce(kClassName, CS_DBLCLKS);
    return CreateWindowObject(WS_EX_CONTROLPARENT, kClassName, L"",
                              WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | extraStyle, 0, 0, 0, 0, parent);
}

void Panel::SetScrollContent(int contentHeight, int step) {
    contentHeight_ = contentHeight;
    step_ = step;
    UpdateScrollBar();
}

void Panel::UpdateScrollBar() {
    RECT rc{};
    GetClientRect(hwnd(), &rc);
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(0, contentHeight_ - 1),
                  static_cast<UINT>(rc.bottom), scrollPos_, 0};
    SetScrollInfo(hwnd(), SB_VERT, &si, TRUE);
    ScrollTo(scrollPos_);
}

void Panel::ScrollTo(int position) {
    RECT rc{};
    GetClientRect(hwnd(), &rc);
    int maxPos = std::max(0, contentHeight_ - static_cast<int>(rc.bottom));
    position = std::clamp(position, 0, maxPos);
    if (position == scrollPos_) return;
    ScrollWindowEx(hwnd(), 0, scrollPos_ - position, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    scrollPos_ = position;
    SetScrollPos(hwnd(), SB_VERT, scrollPos_, TRUE);
}

void Panel::Reveal(HWND control) {
    for (HWND parent = GetParent(control); parent; parent = GetParent(parent)) {
        wchar_t name[std::size(kClassName) + 1] = {};
        GetClassNameW(parent, name, static_cast<int>(std::size(name)));
        if (lstrcmpW(name, kClassName) != 0) continue;
        // Every window of this class is a Panel, which the window base keeps with its handle.
        auto* panel = static_cast<Panel*>(reinterpret_cast<Window*>(GetWindowLongPtrW(parent, GWLP_USERDATA)));
        if (panel && panel->contentHeight_) panel->ScrollToShow(control);
    }
}

void Panel::ScrollToShow(HWND control) {
    RECT view{}, shown{};
    GetClientRect(hwnd(), &view);
    GetWindowRect(control, &shown);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&shown), 2);
    if (shown.top < view.top)
        ScrollTo(scrollPos_ + shown.top - view.top);
    else if (shown.bottom > view.bottom)
        ScrollTo(scrollPos_ + std::min(shown.bottom - view.bottom, shown.top - view.top));
}

LRESULT Panel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CONTEXTMENU:
            if (route)
                if (auto answer = route(msg, wParam, lParam)) return *answer;
            return SendMessageW(GetParent(hwnd()), msg, wParam, lParam);
        case WM_DRAWITEM:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_HSCROLL:
        case WM_NEXTDLGCTL:  // a multi-line edit hands Tab on to its parent
            return SendMessageW(GetAncestor(hwnd(), GA_ROOT), msg, wParam, lParam);
        case WM_ERASEBKGND:
            // The top-level window decides the page colour as it does its controls' (a skin).
            if (EraseInRootColor(hwnd(), reinterpret_cast<HDC>(wParam))) return 1;
            break;
        case WM_SIZE:
            if (contentHeight_) UpdateScrollBar();
            break;
        case WM_MOUSEWHEEL:
            if (contentHeight_) {
                ScrollTo(scrollPos_ - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * step_);
                return 0;
            }
            break;
        case WM_VSCROLL: {
            SCROLLINFO si{sizeof(si), SIF_ALL};
            GetScrollInfo(hwnd(), SB_VERT, &si);
            int pos = scrollPos_;
            switch (LOWORD(wParam)) {
                case SB_LINEUP: pos -= step_; break;
                case SB_LINEDOWN: pos += step_; break;
                case SB_PAGEUP: pos -= static_cast<int>(si.nPage); break;
                case SB_PAGEDOWN: pos += static_cast<int>(si.nPage); break;
                case SB_THUMBTRACK:  // the content follows the thumb while it is dragged
                case SB_THUMBPOSITION: pos = si.nTrackPos; break;
                case SB_TOP: pos = 0; break;
                case SB_BOTTOM: pos = contentHeight_; break;
            }
            ScrollTo(pos);
            return 0;
        }
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace lentora::ui
