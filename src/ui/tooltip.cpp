#include "ui/tooltip.h"

#include <commctrl.h>

#include "ui/controls.h"

namespace lentora::ui {
namespace {
TTTOOLINFOW ToolInfo(HWND control) {
    TTTOOLINFOW ti{sizeof(ti), TTF_IDISHWND | TTF_SUBCLASS, GetParent(control), reinterpret_cast<UINT_PTR>(control)};
    return ti;
}
// The tool over a control's area of its parent: keyed by the control's id, which is no window handle.
TTTOOLINFOW AreaToolInfo(HWND control) {
    TTTOOLINFOW ti{sizeof(ti), TTF_SUBCLASS, GetParent(control), static_cast<UINT_PTR>(GetDlgCtrlID(control))};
    GetWindowRect(control, &ti.rect);
    MapWindowPoints(nullptr, ti.hwnd, reinterpret_cast<POINT*>(&ti.rect), 2);
    return ti;
}
}  // namespace

void Tooltip::Create(HWND owner) {
    EnsureCommonControls();
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0,
                               0, 0, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
}

void Tooltip::Set(HWND control, const std::wstring& text) {
    if (tooltip_ && control) Replace(ToolInfo(control), text);
}

void Tooltip::SetOverArea(HWND control, const std::wstring& text) {
    if (tooltip_ && control) Replace(AreaToolInfo(control), text);
}

void Tooltip::Replace(TTTOOLINFOW ti, const std::wstring& text) {
    SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    if (text.empty()) return;
    ti.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

std::wstring Tooltip::Get(HWND control) const {
    wchar_t buffer[1024] = {};
    TTTOOLINFOW ti = ToolInfo(control);
    ti.lpszText = buffer;
    SendMessageW(tooltip_, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&ti));
    return buffer;
}

}  // namespace lentora::ui
