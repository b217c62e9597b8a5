#include "ui/buffered_paint.h"

#include <algorithm>

namespace lentora::ui {

BufferedPaint::BufferedPaint(HWND window) : window_(window), screen_(BeginPaint(window, &paint_)) {
    GetClientRect(window, &client_);
    memory_.reset(CreateCompatibleDC(screen_));
    bitmap_.reset(CreateCompatibleBitmap(screen_, std::max(1L, client_.right), std::max(1L, client_.bottom)));
    oldBitmap_ = SelectObject(memory_.get(), bitmap_.get());
}

BufferedPaint::~BufferedPaint() {
    const RECT& area = paint_.rcPaint;
    BitBlt(screen_, area.left, area.top, area.right - area.left, area.bottom - area.top, memory_.get(), area.left,
           area.top, SRCCOPY);
    // The bitmap leaves the DC before either goes.
    SelectObject(memory_.get(), oldBitmap_);
    EndPaint(window_, &paint_);
}

}  // namespace lentora::ui
