#include "ui/list_row_tip.h"

#include <commctrl.h>
#include <windowsx.h>

namespace lentora::ui {

ListRowTip::~ListRowTip() {
    if (list_ && IsWindow(list_)) RemoveWindowSubclass(list_, &ListRowTip::ListProc, 0);
}

void ListRowTip::Attach(Tooltip& tooltip, HWND list, TextOf textOf) {
    tooltip_ = &tooltip;
    list_ = list;
    textOf_ = std::move(textOf);
    SetWindowSubclass(list_, &ListRowTip::ListProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK ListRowTip::ListProc(HWND list, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    if (msg == WM_MOUSEMOVE) reinterpret_cast<ListRowTip*>(self)->MouseAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(list, &ListRowTip::ListProc, 0);
        reinterpret_cast<ListRowTip*>(self)->list_ = nullptr;
    }
    return DefSubclassProc(list, msg, wParam, lParam);
}

void ListRowTip::MouseAt(POINT client) {
    LVHITTESTINFO hit{};
    hit.pt = client;
    const int row = ListView_HitTest(list_, &hit);
    if (row == row_) return;
    row_ = row;
    // Set anew, the hint hides and shows the new row's text once the mouse rests there.
    tooltip_->Set(list_, row >= 0 ? textOf_(row) : std::wstring());
}

}  // namespace lentora::ui
