// Base of every window of the program: one window procedure that stores `this` at
// WM_NCCREATE and dispatches to the virtual HandleMessage of the object.
#pragma once
#include <windows.h>

namespace lentora::ui {

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const { return hwnd_; }

protected:
    // Registers `className` once per process with this module's instance.
    static void RegisterClassOnce(const wchar_t* className, UINT style = CS_DBLCLKS, HBRUSH background = nullptr);
    bool CreateWindowObject(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
                            int width, int height, HWND parent);
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // Called after WM_NCDESTROY: the handle is gone.
    virtual void OnFinalMessage() {}

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

}  // namespace lentora::ui
