#include "ui/tab_order.h"

#include <algorithm>
#include <vector>

#include "ui/panel.h"

namespace lentora::ui {
namespace {

struct Placed {
    HWND hwnd;
    RECT rect;
    bool container;
};

// Rows from the top: a window whose top edge lies above the middle of a row's first (topmost)
// window is in that row, so a label and the field beside it, a little lower, share one.
void SortVisually(std::vector<Placed>& windows) {
    std::stable_sort(windows.begin(), windows.end(),
                     [](const Placed& a, const Placed& b) { return a.rect.top < b.rect.top; });
    for (auto row = windows.begin(); row != windows.end();) {
        const LONG middle = (row->rect.top + row->rect.bottom) / 2;
        auto end = std::find_if(row + 1, windows.end(), [middle](const Placed& p) { return p.rect.top >= middle; });
        std::stable_sort(row, end, [](const Placed& a, const Placed& b) { return a.rect.left < b.rect.left; });
        row = end;
    }
}

// Each container is ordered as a whole among its siblings, its own controls inside it: a page
// scrolled down keeps its controls after the tabs above it. `from` has its place even when it is
// no stop itself (a read-only memo that was clicked).
void CollectInOrder(HWND parent, HWND from, std::vector<HWND>& stops) {
    std::vector<Placed> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        auto style = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE));
        if (!(style & WS_VISIBLE) || (style & WS_DISABLED)) continue;
        bool container = (GetWindowLongPtrW(child, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0;
        if (!container && !(style & WS_TABSTOP) && child != from) continue;
        RECT rect{};
        GetWindowRect(child, &rect);
        children.push_back({child, rect, container});
    }
    SortVisually(children);
    for (const Placed& child : children) {
        if (child.container)
            CollectInOrder(child.hwnd, from, stops);
        else
            stops.push_back(child.hwnd);
    }
}

}  // namespace

HWND NextTabStop(HWND root, HWND from, bool backwards) {
    std::vector<HWND> stops;
    CollectInOrder(root, from, stops);
    auto at = std::find(stops.begin(), stops.end(), from);
    if (at == stops.end()) return stops.empty() ? nullptr : backwards ? stops.back() : stops.front();
    auto n = static_cast<std::ptrdiff_t>(stops.size());
    HWND next = stops[static_cast<size_t>((at - stops.begin() + (backwards ? n - 1 : 1)) % n)];
    return next == from ? nullptr : next;
}

bool TabFrom(HWND root, HWND from, bool backwards) {
    HWND next = NextTabStop(root, from, backwards);
    if (!next) return false;
    // Focus rectangles are hidden until the keyboard is used, as in dialogs.
    SendMessageW(root, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(next, EM_SETSEL, 0, -1);
    SetFocus(next);
    Panel::Reveal(next);
    return true;
}

}  // namespace lentora::ui
