// Owners of the GDI and USER handles the windows create.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <utility>

namespace lentora::ui {

template <typename H, typename Deleter>
class Owned {
public:
    Owned() = default;
    explicit Owned(H h) : h_(h) {}
    Owned(Owned&& o) noexcept : h_(std::exchange(o.h_, H{})) {}
    Owned& operator=(Owned&& o) noexcept {
        if (this != &o) reset(std::exchange(o.h_, H{}));
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    ~Owned() { reset(); }
    H get() const { return h_; }
    explicit operator bool() const { return h_ != H{}; }
    void reset(H h = H{}) {
        if (h_) Deleter{}(h_);
        h_ = h;
    }

private:
    H h_{};
};

struct GdiObjectDeleter { void operator()(HGDIOBJ h) const { DeleteObject(h); } };
struct IconDeleter { void operator()(HICON h) const { DestroyIcon(h); } };
struct MenuDeleter { void operator()(HMENU h) const { DestroyMenu(h); } };
struct ImageListDeleter { void operator()(HIMAGELIST h) const { ImageList_Destroy(h); } };
struct HandleDeleter { void operator()(HANDLE h) const { CloseHandle(h); } };
struct FindDeleter { void operator()(HANDLE h) const { FindClose(h); } };
struct AcceleratorDeleter { void operator()(HACCEL h) const { DestroyAcceleratorTable(h); } };

using FontHandle = Owned<HFONT, GdiObjectDeleter>;
using IconHandle = Owned<HICON, IconDeleter>;
using MenuHandle = Owned<HMENU, MenuDeleter>;
using ImageListHandle = Owned<HIMAGELIST, ImageListDeleter>;
using KernelHandle = Owned<HANDLE, HandleDeleter>;
using AcceleratorHandle = Owned<HACCEL, AcceleratorDeleter>;

// Calls `onFile` with each entry that `pattern` (a folder and a wildcard mask) finds, in the
// system's order, "." and ".." included.
template <typename OnFile>
void ForEachFile(const std::wstring& pattern, OnFile onFile) {
    WIN32_FIND_DATAW data{};
    HANDLE first = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0);
    if (first == INVALID_HANDLE_VALUE) return;
    Owned<HANDLE, FindDeleter> find(first);
    do onFile(data);
    while (FindNextFileW(find.get(), &data));
}

// The screen's device context for the lifetime of the scope.
class ScreenDC {
public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ~ScreenDC() { ReleaseDC(nullptr, dc_); }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// A window's whole-window device context, frame included, for the lifetime of the scope.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects a GDI object into a DC for the lifetime of the scope.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~SelectGuard() { SelectObject(dc_, old_); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace lentora::ui
