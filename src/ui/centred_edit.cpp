#include "ui/centred_edit.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/handles.h"

namespace lentora::ui {
namespace {

int FontHeight(HWND edit) {
    ScreenDC dc;
    auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(edit, WM_GETFONT, 0, 0));
    SelectGuard select(dc.get(), font ? font : GetStockObject(SYSTEM_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    return metrics.tmHeight;
}

// The gap above the text once the client area is as high as one line.
int TopMargin(HWND edit, const RECT& client) {
    const int spare = (client.bottom - client.top) - FontHeight(edit);
    return spare > 1 ? spare / 2 : 0;
}

// The margins belong to the frame, so they take the colour the parent gives the box.
void PaintMargins(HWND edit) {
    RECT window{}, client{};
    GetWindowRect(edit, &window);
    GetClientRect(edit, &client);
    MapWindowPoints(edit, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    WindowDC windowDc(edit);
    HDC dc = windowDc.get();
    if (!dc) return;
    const UINT message = IsWindowEnabled(edit) && !(GetWindowLongW(edit, GWL_STYLE) & ES_READONLY) ? WM_CTLCOLOREDIT
                                                                                                  : WM_CTLCOLORSTATIC;
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(GetParent(edit), message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit)));
    if (!brush) brush = GetSysColorBrush(IsWindowEnabled(edit) ? COLOR_WINDOW : COLOR_BTNFACE);
    const RECT above{client.left, 0, client.right, client.top};
    const RECT below{client.left, client.bottom, client.right, window.bottom - window.top};
    // The frame's own edges stay: only the band between them and the text is filled.
    RECT frame{0, 0, window.right - window.left, window.bottom - window.top};
    const int edge = GetSystemMetrics(SM_CYEDGE);
    for (RECT band : {above, below}) {
        band.top = std::max(band.top, frame.top + edge);
        band.bottom = std::min(band.bottom, frame.bottom - edge);
        if (band.bottom > band.top) FillRect(dc, &band, brush);
    }
}

LRESULT CALLBACK CentredProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (message) {
        case WM_NCCALCSIZE: {
            LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
            RECT& client = wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : *reinterpret_cast<RECT*>(lParam);
            const int margin = TopMargin(edit, client);
            client.top += margin;
            client.bottom = std::max(client.top, client.bottom - margin);
            return result;
        }
        case WM_NCPAINT: {
            LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
            PaintMargins(edit);
            return result;
        }
        case WM_SETFONT: {
            LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
            SetWindowPos(edit, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
            return result;
        }
        case WM_NCDESTROY: RemoveWindowSubclass(edit, &CentredProc, 0); break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

void CentreTextVertically(HWND edit) {
    SetWindowSubclass(edit, &CentredProc, 0, 0);
    SetWindowPos(edit, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace lentora::ui
