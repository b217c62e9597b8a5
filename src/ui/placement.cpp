#include "ui/placement.h"

#include "ui/dpi.h"

namespace lentora::ui {

RECT CentredWindowRect(HWND around, int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi) {
    RECT rc{0, 0, Scale(clientWidth, dpi), Scale(clientHeight, dpi)};
    AdjustWindowRectEx(&rc, style, FALSE, exStyle);
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    RECT area{};
    if (!around || IsIconic(around) || !GetWindowRect(around, &area)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const int x = area.left + (area.right - area.left - w) / 2, y = area.top + (area.bottom - area.top - h) / 2;
    return {x, y, x + w, y + h};
}

}  // namespace lentora::ui
