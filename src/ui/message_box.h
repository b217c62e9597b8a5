// The one way the program shows message boxes; tests replace the handler to read and answer them.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace lentora::ui {

using MessageBoxHandler = std::function<int(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type)>;

int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type);
// Replaces the handler (an empty function restores MessageBoxW); returns the previous one.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

}  // namespace lentora::ui
