// WM_PAINT through a bitmap the size of the window: everything is drawn off screen and copied in
// one go when the scope ends, so nothing flickers while a picture is built up.
#pragma once
#include <windows.h>

#include "ui/handles.h"

namespace lentora::ui {

class BufferedPaint {
public:
    explicit BufferedPaint(HWND window);
    ~BufferedPaint();
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;

    // Where to draw, in client coordinates.
    HDC dc() const { return memory_.get(); }
    const RECT& Client() const { return client_; }

private:
    struct DcDeleter { void operator()(HDC dc) const { DeleteDC(dc); } };

    HWND window_;
    PAINTSTRUCT paint_{};
    HDC screen_;
    RECT client_{};
    Owned<HDC, DcDeleter> memory_;
    Owned<HBITMAP, GdiObjectDeleter> bitmap_;
    HGDIOBJ oldBitmap_ = nullptr;
};

}  // namespace lentora::ui
