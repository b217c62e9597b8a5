#include "ui/controls.h"

#include "ui/centred_edit.h"
#include "util/whole_number.h"

namespace lentora::ui {

void EnsureCommonControls() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS | ICC_TAB_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)registered;
}

HWND CreateControl(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style, int id,
                   DWORD exStyle) {
    EnsureCommonControls();
    return CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

HWND CreateButton(HWND parent, const std::wstring& text, int id, DWORD extraStyle) {
    return CreateControl(parent, WC_BUTTONW, text, WS_TABSTOP | BS_PUSHBUTTON | extraStyle, id);
}

HWND CreateCheckBox(HWND parent, const std::wstring& text, int id) {
    return CreateControl(parent, WC_BUTTONW, text, WS_TABSTOP | BS_AUTOCHECKBOX, id);
}

HWND CreateLabel(HWND parent, const std::wstring& text, DWORD extraStyle, int id) {
    return CreateControl(parent, WC_STATICW, text, SS_NOPREFIX | extraStyle, id);
}

HWND CreateGroupBox(HWND parent, const std::wstring& text, int id) {
    return CreateControl(parent, WC_BUTTONW, text, BS_GROUPBOX, id, WS_EX_TRANSPARENT);
}

HWND CreateLink(HWND parent, const std::wstring& text, int id) {
    return CreateControl(parent, WC_LINK, L"<a>" + text + L"</a>", WS_TABSTOP, id);
}

SpinEdit CreateSpinEdit(HWND parent, int id, int minValue, int maxValue, int maxChars, int value) {
    SpinEdit s;
    s.edit = CreateControl(parent, WC_EDITW, std::to_wstring(value), WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL, id,
                           WS_EX_CLIENTEDGE);
    SendMessageW(s.edit, EM_SETLIMITTEXT, static_cast<WPARAM>(maxChars), 0);
    CentreTextVertically(s.edit);
    s.spin = CreateControl(parent, UPDOWN_CLASSW, L"",
                           UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, id + 1);
    SendMessageW(s.spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(s.edit), 0);
    SendMessageW(s.spin, UDM_SETRANGE32, static_cast<WPARAM>(minValue), static_cast<LPARAM>(maxValue));
    SendMessageW(s.spin, UDM_SETPOS32, 0, value);
    return s;
}

std::wstring GetText(HWND hwnd) {
    int n = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(hwnd, text.data(), n + 1);
    text.resize(static_cast<size_t>(n));
    return text;
}

std::optional<int> DigitsValue(const std::wstring& text) {
    // Digits only: no sign, and ASCII digits only, which is all the whole-number reader takes.
    if (text.size() > 9 || text.starts_with(L'+') || text.starts_with(L'-')) return std::nullopt;
    return ParseWholeNumber(text);
}

void SetText(HWND hwnd, const std::wstring& text) { SetWindowTextW(hwnd, text.c_str()); }
bool IsChecked(HWND checkBox) { return SendMessageW(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void SetChecked(HWND checkBox, bool checked) {
    SendMessageW(checkBox, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}
void SetVisible(HWND hwnd, bool visible) { ShowWindow(hwnd, visible ? SW_SHOWNA : SW_HIDE); }
void Move(HWND hwnd, int x, int y, int width, int height) { MoveWindow(hwnd, x, y, width, height, TRUE); }

std::wstring ColumnCaption(HWND list, int column) {
    wchar_t buffer[512] = {};
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT;
    c.pszText = buffer;
    c.cchTextMax = 512;
    ListView_GetColumn(list, column, &c);
    return buffer;
}

void SetColumnCaption(HWND list, int column, const std::wstring& text) {
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT;
    c.pszText = const_cast<wchar_t*>(text.c_str());
    ListView_SetColumn(list, column, &c);
}

void ShowOnly(std::initializer_list<HWND> pages, size_t index) {
    size_t i = 0;
    for (HWND page : pages)
        if (i++ != index) ShowWindow(page, SW_HIDE);
    if (index < pages.size()) ShowWindow(pages.begin()[index], SW_SHOW);
}

bool EraseInRootColor(HWND window, HDC dc) {
    int saved = SaveDC(dc);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(GetAncestor(window, GA_ROOT), WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(window)));
    if (brush) {
        RECT rc{};
        GetClientRect(window, &rc);
        FillRect(dc, &rc, brush);
    }
    RestoreDC(dc, saved);
    return brush != nullptr;
}

}  // namespace lentora::ui
