#include "ui/dpi.h"

#include "ui/handles.h"

namespace lentora::ui {

UINT WindowDpi(HWND hwnd) {
    // GetDpiForWindow exists from Windows 10 1607; fall back to the screen DC elsewhere.
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow && hwnd) {
        UINT dpi = getDpiForWindow(hwnd);
        if (dpi) return dpi;
    }
    UINT dpi = static_cast<UINT>(GetDeviceCaps(ScreenDC().get(), LOGPIXELSY));
    return dpi ? dpi : 96;
}

}  // namespace lentora::ui
