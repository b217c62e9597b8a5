// How the picture of a start is drawn; the layout has placed everything.
#include <algorithm>
#include <string>

#include "app/start_picture.h"
#include "ui/dpi.h"
#include "ui/handles.h"

namespace lentora {
namespace {

using Pen = ui::Owned<HPEN, ui::GdiObjectDeleter>;

// Mid tones that stand out on a light background and on a skin's dark one alike.
COLORREF CostColor(Impact impact) {
    switch (impact) {
        case Impact::Low: return RGB(64, 160, 72);
        case Impact::Medium: return RGB(232, 152, 0);
        case Impact::High: return RGB(214, 56, 48);
        case Impact::Unmeasured: break;
    }
    return RGB(150, 150, 150);
}

// `share` of `over` laid on `under`.
COLORREF Mix(COLORREF over, COLORREF under, double share) {
    auto part = [&](BYTE a, BYTE b) { return static_cast<BYTE>(a * share + b * (1 - share) + 0.5); };
    return RGB(part(GetRValue(over), GetRValue(under)), part(GetGValue(over), GetGValue(under)),
               part(GetBValue(over), GetBValue(under)));
}

void Fill(HDC dc, RECT area, COLORREF color) {
    SetDCBrushColor(dc, color);
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Text(HDC dc, const std::wstring& text, RECT area, UINT format) {
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, format | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

void StartPicture::PaintTo(HDC dc, const RECT& client) const {
    const int saved = SaveDC(dc);
    // The colours of a list on this page: the skin's while it is on, else the system's.
    auto back = reinterpret_cast<HBRUSH>(
        SendMessageW(GetParent(hwnd()), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd())));
    const COLORREF textColor = GetTextColor(dc), backColor = GetBkColor(dc);
    FillRect(dc, &client, back ? back : GetSysColorBrush(COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    if (font_) SelectObject(dc, font_);
    const UINT dpi = ui::WindowDpi(hwnd());
    const int gap = ui::Scale(4, dpi);
    const TimelineLayout& l = layout_;
    const COLORREF grid = Mix(textColor, backColor, 0.2);

    if (start_) {
        // The band of the machine's CPU, its scale at the left.
        const int bandBottom = l.curveTop + l.curveHeight;
        Fill(dc, {l.timeLeft, l.curveTop, l.timeRight, bandBottom}, Mix(textColor, backColor, 0.05));
        SetTextColor(dc, textColor);
        Text(dc, L"100 %", {0, l.curveTop, l.timeLeft - gap, bandBottom}, DT_RIGHT | DT_TOP);
        Text(dc, L"0 %", {0, l.curveTop, l.timeLeft - gap, bandBottom}, DT_RIGHT | DT_BOTTOM);

        // The axis' marks run down through the band and the rows.
        for (size_t i = 0; i < l.ticks.size(); ++i) {
            const int x = l.X(l.ticks[i]);
            Fill(dc, {x, l.curveTop, x + 1, client.bottom}, grid);
            // The first and last labels stay inside the time area.
            const bool first = i == 0, last = i + 1 == l.ticks.size();
            const int width = ui::Scale(80, dpi);
            const int left = first ? x : last ? x - width : x - width / 2;
            const RECT label{left, bandBottom, left + width, l.rowsTop};
            const UINT align = first ? DT_LEFT : last ? DT_RIGHT : DT_CENTER;
            Text(dc, TickLabel(l.ticks[i]), label, align | DT_VCENTER);
        }

        Pen curvePen(CreatePen(PS_SOLID, std::max(1, ui::Scale(2, dpi)), GetSysColor(COLOR_HIGHLIGHT)));
        {
            ui::SelectGuard pen(dc, curvePen.get());
            for (const auto& run : l.curve) {
                std::vector<POINT> points;
                for (const TimelinePoint& p : run) points.push_back({p.x, p.y});
                // A lone sample between gaps is a short dash.
                if (points.size() == 1) points.push_back({points[0].x + gap / 2 + 1, points[0].y});
                Polyline(dc, points.data(), static_cast<int>(points.size()));
            }
        }

        // The rows scroll under the band and the axis.
        const int unclipped = SaveDC(dc);
        IntersectClipRect(dc, 0, l.rowsTop, client.right, client.bottom);
        const int markWidth = std::max(2, ui::Scale(2, dpi)), inset = ui::Scale(3, dpi);
        for (size_t i = 0; i < l.rows.size(); ++i) {
            const TimelineRow& row = l.rows[i];
            const int top = row.top - scroll_, bottom = top + row.height;
            if (bottom <= l.rowsTop || top >= client.bottom) continue;
            if (i % 2) Fill(dc, {0, top, client.right, bottom}, Mix(textColor, backColor, 0.06));
            Text(dc, names_[i], {gap, top, l.nameWidth, bottom}, DT_LEFT | DT_VCENTER | DT_END_ELLIPSIS);
            if (row.barRight > row.barLeft)
                Fill(dc, {row.barLeft, top + inset, row.barRight, bottom - inset}, CostColor(row.impact));
            Fill(dc, {row.markX - markWidth / 2, top + 1, row.markX - markWidth / 2 + markWidth, bottom - 1}, textColor);
        }
        RestoreDC(dc, unclipped);
    }

    if (GetFocus() == hwnd()) {
        RECT focus = client;
        InflateRect(&focus, -1, -1);
        SetTextColor(dc, textColor);
        SetBkColor(dc, backColor);
        DrawFocusRect(dc, &focus);
    }
    RestoreDC(dc, saved);
}

}  // namespace lentora
