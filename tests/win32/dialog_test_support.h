// Helpers for tests that drive the property and registry dialogs and the language selector of the
// real main window (main_window_fixture.h).
#pragma once
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "app/task_dialog.h"
#include "main_window_fixture.h"

namespace lentora::test {

// Runs `act` inside the property dialog's modal loop; a dialog that `act` leaves open is
// cancelled, so a failed expectation cannot hang the loop.
class PropertyDialogHook {
public:
    explicit PropertyDialogHook(std::function<void(TaskDialog&)> act) {
        TaskDialog::OnShownHook() = [this, act = std::move(act)](TaskDialog& dialog) {
            ++shown;
            act(dialog);
            if (!dialog.Closed()) dialog.CancelClicked();
        };
    }
    ~PropertyDialogHook() { TaskDialog::OnShownHook() = nullptr; }
    PropertyDialogHook(const PropertyDialogHook&) = delete;
    PropertyDialogHook& operator=(const PropertyDialogHook&) = delete;

    int shown = 0;
};

// A control of a dialog that has no accessor, by its command id (IDOK, IDCANCEL).
inline HWND DialogItem(const TaskDialog& dialog, int id) { return GetDlgItem(dialog.hwnd(), id); }

// Shown by its own style; its dialog may be hidden or not yet shown.
inline bool HasVisibleStyle(HWND hwnd) { return (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0; }

// A click on a button as the button reports it to its parent.
inline void ClickButton(HWND button) {
    SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

// The tooltip control of a top-level window, or null.
inline HWND TooltipOf(HWND topLevel) {
    struct Search {
        HWND owner, found;
    } search{topLevel, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            wchar_t name[64] = {};
            GetClassNameW(hwnd, name, 64);
            if (GetWindow(hwnd, GW_OWNER) != s->owner || lstrcmpiW(name, TOOLTIPS_CLASSW) != 0) return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The hint the tooltip of a top-level window holds for one of its controls.
inline std::wstring HintOf(HWND topLevel, HWND control) {
    HWND tooltip = TooltipOf(topLevel);
    if (!tooltip) return L"<no tooltip>";
    wchar_t buffer[1024] = {};
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = GetParent(control);
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    ti.lpszText = buffer;
    SendMessageW(tooltip, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&ti));
    return buffer;
}

// The hint the mouse finds over the middle of a control as its parent sees it: what a user is
// shown over a disabled control, which gets no mouse input of its own.
inline std::wstring HintOverParentAt(HWND topLevel, HWND control) {
    HWND tooltip = TooltipOf(topLevel);
    if (!tooltip) return L"<no tooltip>";
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    wchar_t buffer[1024] = {};
    TTHITTESTINFOW hit{GetParent(control), {(r.left + r.right) / 2, (r.top + r.bottom) / 2}};
    hit.ti.cbSize = sizeof(hit.ti);
    if (!SendMessageW(tooltip, TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hit))) return L"<no tool there>";
    hit.ti.lpszText = buffer;
    SendMessageW(tooltip, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&hit.ti));
    return buffer;
}

// The selector's entries in their order.
inline std::vector<std::wstring> LanguageEntries(MainWindowProbe form) {
    HWND combo = form.Control(ids::languageList);
    std::vector<std::wstring> entries;
    auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        auto length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        text.resize(static_cast<size_t>(
            SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()))));
        entries.push_back(std::move(text));
    }
    return entries;
}

// Picks the entry of this language file (a name inside its folder) as the user does; false when
// none has it. Display texts may repeat ("Error"), file paths do not.
inline bool PickLanguageFile(MainWindowProbe form, std::wstring_view fileName) {
    HWND combo = form.Control(ids::languageList);
    const auto& entries = form.Languages().Entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!entries[i].path.ends_with(L"\\" + std::wstring(fileName))) continue;
        SendMessageW(combo, CB_SETCURSEL, i, 0);
        // The notification a choice in the drop-down list sends.
        SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(ids::languageList, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
        return form.SelectedLanguagePath() == entries[i].path;
    }
    return false;
}

// A click on the Apply button beside the language selector.
inline void ClickApply(MainWindowProbe form) { SendMessageW(form.Control(ids::applyLanguage), BM_CLICK, 0, 0); }

}  // namespace lentora::test
