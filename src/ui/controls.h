// Creation of standard controls and small typed helpers over their messages.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <initializer_list>
#include <optional>
#include <string>

namespace lentora::ui {

// Registers the common control classes, once per process. Called before any control is made, so
// a start in the tray, which makes none, never loads their library.
void EnsureCommonControls();

HWND CreateControl(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style, int id,
                   DWORD exStyle = 0);
HWND CreateButton(HWND parent, const std::wstring& text, int id, DWORD extraStyle = 0);
HWND CreateCheckBox(HWND parent, const std::wstring& text, int id);
HWND CreateLabel(HWND parent, const std::wstring& text, DWORD extraStyle = 0, int id = -1);
// Transparent, so a parent that clips its children still paints under it: a resized group box
// paints only its frame and would keep the old one inside otherwise.
HWND CreateGroupBox(HWND parent, const std::wstring& text, int id = -1);
HWND CreateLink(HWND parent, const std::wstring& text, int id);

// A numeric field with a spin button: digits only, at most `maxChars` characters.
struct SpinEdit {
    HWND edit = nullptr;
    HWND spin = nullptr;
};
SpinEdit CreateSpinEdit(HWND parent, int id, int minValue, int maxValue, int maxChars, int value);

std::wstring GetText(HWND hwnd);
// A digits-only field's text as a whole number; nothing when it is empty or holds anything else.
std::optional<int> DigitsValue(const std::wstring& text);
void SetText(HWND hwnd, const std::wstring& text);
bool IsChecked(HWND checkBox);
void SetChecked(HWND checkBox, bool checked);
void SetVisible(HWND hwnd, bool visible);
void Move(HWND hwnd, int x, int y, int width, int height);
// The caption of a list view's column.
std::wstring ColumnCaption(HWND list, int column);
void SetColumnCaption(HWND list, int column, const std::wstring& text);
// Shows pages[index] and hides the others. The others go first: shown while an old page still
// covers it, the new page does not get its background erased where the old one lay.
void ShowOnly(std::initializer_list<HWND> pages, size_t index);
// WM_ERASEBKGND in the colour the top-level window gives for WM_CTLCOLORDLG (a skin's). The DC may
// be a child's, lent to paint its parent's background under it, so it gets its colours back.
// False when the top-level window gives no brush: the caller erases as usual.
bool EraseInRootColor(HWND window, HDC dc);

}  // namespace lentora::ui
