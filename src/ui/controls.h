// Creation of standard controls and small typed helpers over their messages.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

namespace lentora::ui {

HWND CreateControl(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style, int id,
                   DWORD exStyle = 0);
HWND CreateButton(HWND parent, const std::wstring& text, int id, DWORD extraStyle = 0);
HWND CreateCheckBox(HWND parent, const std::wstring& text, int id);
HWND CreateLabel(HWND parent, const std::wstring& text, DWORD extraStyle = 0, int id = -1);
HWND CreateLink(HWND parent, const std::wstring& text, int id);

// A numeric field with a spin button: digits only, at most `maxChars` characters.
struct SpinEdit {
    HWND edit = nullptr;
    HWND spin = nullptr;
};
SpinEdit CreateSpinEdit(HWND parent, int id, int minValue, int maxValue, int maxChars, int value);

std::wstring GetText(HWND hwnd);
void SetText(HWND hwnd, const std::wstring& text);
bool IsChecked(HWND checkBox);
void SetChecked(HWND checkBox, bool checked);
void SetVisible(HWND hwnd, bool visible);
void Move(HWND hwnd, int x, int y, int width, int height);

}  // namespace lentora::ui
