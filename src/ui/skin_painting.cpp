#include "ui/skin_painting.h"

#include <commctrl.h>
#include <vsstyle.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "ui/dpi.h"
#include "ui/handles.h"

namespace lentora::ui {

namespace {

// `from` moved towards `to` by weight/256.
COLORREF Blend(COLORREF from, COLORREF to, int weight) {
    auto mix = [weight](int a, int b) { return a + (b - a) * weight / 256; };
    return RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
               mix(GetBValue(from), GetBValue(to)));
}

void Fill(HDC dc, const RECT& rc, COLORREF color) {
    SetDCBrushColor(dc, color);
    FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Frame(HDC dc, RECT rc, COLORREF color, int width = 1) {
    SetDCBrushColor(dc, color);
    for (int i = 0; i < width; ++i) {
        FrameRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        InflateRect(&rc, -1, -1);
    }
}

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF color) {
    RECT rc{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1};
    Fill(dc, rc, color);
}

COLORREF LineColor(const SkinColors& c) { return Blend(c.window, c.text, 80); }
COLORREF GreyText(const SkinColors& c, COLORREF back) { return Blend(back, c.text, 110); }

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The control's own font selected into the DC, with transparent text in the given colour.
class TextSetup {
public:
    TextSetup(HWND control, HDC dc, COLORREF color)
        : font_(dc, FontOf(control)) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, color);
    }

private:
    static HGDIOBJ FontOf(HWND control) {
        auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        return font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT);
    }
    SelectGuard font_;
};

bool HidesAccelerators(HWND control) { return SendMessageW(control, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL; }
bool ShowsFocus(HWND control) {
    return GetFocus() == control && !(SendMessageW(control, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
}

void DrawFocus(HDC dc, RECT rc, const SkinColors& c) {
    // The dotted focus rectangle is drawn with the DC's colours; on a dark skin the system's
    // black-on-white would vanish.
    SetTextColor(dc, c.text);
    SetBkColor(dc, c.control);
    DrawFocusRect(dc, &rc);
}

// A tab's or a header item's caption with the other fields `mask` asks for, read by `get`.
template <typename Item, typename Get>
std::pair<Item, std::wstring> ItemWithCaption(UINT mask, Get get) {
    std::wstring caption(256, L'\0');
    Item item{};
    item.mask = mask;
    item.pszText = caption.data();
    item.cchTextMax = static_cast<int>(caption.size());
    get(item);
    caption.resize(caption.find(L'\0'));
    return {item, caption};
}

SIZE ImageSize(HIMAGELIST images) {
    int cx = 0, cy = 0;
    if (images) ImageList_GetIconSize(images, &cx, &cy);
    return {cx, cy};
}

void PaintPushButton(HWND button, HDC dc, const SkinColors& c) {
    RECT rc{};
    GetClientRect(button, &rc);
    const bool enabled = IsWindowEnabled(button);
    const bool pressed = SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED;
    const bool isDefault = (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    const COLORREF face = pressed ? Blend(c.control, c.accent, 96) : c.control;
    Fill(dc, rc, face);
    Frame(dc, rc, enabled ? c.accent : LineColor(c), isDefault ? 2 : 1);

    BUTTON_IMAGELIST images{};
    SendMessageW(button, BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images));
    const SIZE image = ImageSize(images.himl);
    const int offset = pressed ? 1 : 0;
    RECT textRect = rc;
    if (images.himl) {
        // A list of six pictures holds one per state, as the system's buttons use it.
        int index = ImageList_GetImageCount(images.himl) >= PBS_DISABLED
                        ? (enabled ? (pressed ? PBS_PRESSED : PBS_NORMAL) : PBS_DISABLED) - 1
                        : 0;
        const RECT& m = images.margin;
        int x, y;
        if (images.uAlign == BUTTON_IMAGELIST_ALIGN_TOP) {
            TEXTMETRICW tm{};
            TextSetup measure(button, dc, c.text);
            GetTextMetricsW(dc, &tm);
            int block = m.top + image.cy + m.bottom + tm.tmHeight;
            x = (rc.right - image.cx) / 2;
            y = std::max(0L, (rc.bottom - block) / 2) + m.top;
            textRect.top = y + image.cy + m.bottom;
            textRect.bottom = textRect.top + tm.tmHeight;
        } else {
            x = m.left;
            y = (rc.bottom - image.cy) / 2;
            textRect.left = x + image.cx + m.right;
        }
        ImageList_Draw(images.himl, index, dc, x + offset, y + offset, ILD_TRANSPARENT);
    }
    OffsetRect(&textRect, offset, offset);
    TextSetup text(button, dc, enabled ? c.text : GreyText(c, face));
    std::wstring caption = WindowText(button);
    UINT format = DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS | (HidesAccelerators(button) ? DT_HIDEPREFIX : 0);
    DrawTextW(dc, caption.c_str(), -1, &textRect, format);
    if (ShowsFocus(button)) {
        InflateRect(&rc, -3, -3);
        DrawFocus(dc, rc, c);
    }
}

// The etched frame with the caption set into its top edge, as the system draws it. The inside is
// left alone: the box's controls are its siblings and lie under it.
void PaintGroupBox(HWND groupBox, HDC dc, const SkinColors& c) {
    RECT rc{};
    GetClientRect(groupBox, &rc);
    TextSetup text(groupBox, dc, IsWindowEnabled(groupBox) ? c.text : GreyText(c, c.window));
    std::wstring caption = WindowText(groupBox);
    SIZE extent{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);

    RECT frame = rc;
    frame.top += extent.cy / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (caption.empty()) return;
    int margin = extent.cy / 2;
    RECT label{margin, 0, std::min<LONG>(rc.right - margin, margin + extent.cx + 4), extent.cy};
    Fill(dc, label, c.window);
    label.left += 2;
    DrawTextW(dc, caption.c_str(), -1, &label, DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void PaintTabs(HWND tabs, HDC dc, const SkinColors& c) {
    RECT rc{};
    GetClientRect(tabs, &rc);
    Fill(dc, rc, c.window);
    RECT display = rc;
    TabCtrl_AdjustRect(tabs, FALSE, &display);
    InflateRect(&display, 1, 1);
    Frame(dc, display, LineColor(c));

    const int selected = TabCtrl_GetCurSel(tabs);
    HIMAGELIST images = TabCtrl_GetImageList(tabs);
    const SIZE image = ImageSize(images);
    const int gap = Scale(6, WindowDpi(tabs));
    TextSetup text(tabs, dc, c.text);
    for (int i = 0, count = TabCtrl_GetItemCount(tabs); i < count; ++i) {
        RECT item{};
        TabCtrl_GetItemRect(tabs, i, &item);
        if (i == selected) InflateRect(&item, 2, 2);
        Fill(dc, item, i == selected ? c.control : c.window);
        Frame(dc, item, i == selected ? c.accent : LineColor(c));

        auto [info, caption] =
            ItemWithCaption<TCITEMW>(TCIF_TEXT | TCIF_IMAGE, [&](TCITEMW& item) { TabCtrl_GetItem(tabs, i, &item); });
        SIZE extent{};
        GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
        const bool hasImage = images && info.iImage >= 0;
        const int width = extent.cx + (hasImage ? image.cx + gap : 0);
        int x = item.left + std::max(0L, (item.right - item.left - width) / 2);
        if (hasImage) {
            ImageList_Draw(images, info.iImage, dc, x, (item.top + item.bottom - image.cy) / 2, ILD_TRANSPARENT);
            x += image.cx + gap;
        }
        RECT label{x, item.top, item.right, item.bottom};
        DrawTextW(dc, caption.c_str(), -1, &label, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_HIDEPREFIX);
        if (i == selected && ShowsFocus(tabs)) {
            InflateRect(&item, -3, -3);
            DrawFocus(dc, item, c);
        }
    }
}

void PaintHeader(HWND header, HDC dc, const SkinColors& c) {
    RECT rc{};
    GetClientRect(header, &rc);
    Fill(dc, rc, c.window);
    const int padding = Scale(6, WindowDpi(header));
    TextSetup text(header, dc, c.text);
    for (int i = 0, count = Header_GetItemCount(header); i < count; ++i) {
        RECT item{};
        Header_GetItemRect(header, i, &item);
        auto [info, caption] =
            ItemWithCaption<HDITEMW>(HDI_TEXT | HDI_FORMAT, [&](HDITEMW& item) { Header_GetItem(header, i, &item); });
        UINT align = (info.fmt & HDF_JUSTIFYMASK) == HDF_CENTER  ? DT_CENTER
                     : (info.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT ? DT_RIGHT
                                                                 : DT_LEFT;
        RECT label{item.left + padding, item.top, item.right - padding, item.bottom};
        DrawTextW(dc, caption.c_str(), -1, &label, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | align);
        Line(dc, item.right - 1, item.top + 2, item.right - 1, item.bottom - 3, LineColor(c));
    }
    Line(dc, rc.left, rc.bottom - 1, rc.right - 1, rc.bottom - 1, LineColor(c));
}

void PaintStatusBar(HWND bar, HDC dc, const SkinColors& c) {
    RECT rc{};
    GetClientRect(bar, &rc);
    Fill(dc, rc, c.window);
    Line(dc, rc.left, rc.top, rc.right - 1, rc.top, LineColor(c));
    const int count = static_cast<int>(SendMessageW(bar, SB_GETPARTS, 0, 0));
    std::vector<int> rights(static_cast<size_t>(std::max(count, 1)), -1);
    SendMessageW(bar, SB_GETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
    const int padding = Scale(4, WindowDpi(bar));
    TextSetup text(bar, dc, c.text);
    int left = rc.left;
    for (int i = 0; i < count; ++i) {
        int right = rights[i] < 0 ? rc.right : static_cast<int>(rights[i]);
        std::wstring part(LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, i, 0)) + 1, L'\0');
        SendMessageW(bar, SB_GETTEXTW, i, reinterpret_cast<LPARAM>(part.data()));
        RECT label{left + padding, rc.top, right - padding, rc.bottom};
        DrawTextW(dc, part.c_str(), -1, &label, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        if (i + 1 < count) Line(dc, right - 1, rc.top + 3, right - 1, rc.bottom - 3, LineColor(c));
        left = right;
    }
    if ((GetWindowLongW(bar, GWL_STYLE) & SBARS_SIZEGRIP) && !IsZoomed(GetAncestor(bar, GA_ROOT))) {
        // The grip's three rows of dots, in the skin's line colour.
        const int dot = std::max(1, Scale(2, WindowDpi(bar))), step = dot * 2;
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col <= row; ++col) {
                int x = rc.right - step * (col + 1), y = rc.bottom - step * (3 - row);
                Fill(dc, RECT{x, y, x + dot, y + dot}, Blend(c.window, c.text, 128));
            }
    }
}

bool IsClass(HWND window, const wchar_t* name) {
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    return CompareStringOrdinal(className, -1, name, -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

SkinnedKind SkinnedKindOf(HWND control) {
    if (IsClass(control, WC_BUTTONW)) {
        switch (GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) {
            case BS_PUSHBUTTON:
            case BS_DEFPUSHBUTTON: return SkinnedKind::PushButton;
            case BS_GROUPBOX: return SkinnedKind::GroupBox;
            case BS_CHECKBOX:
            case BS_AUTOCHECKBOX:
            case BS_3STATE:
            case BS_AUTO3STATE:
            case BS_RADIOBUTTON:
            case BS_AUTORADIOBUTTON: return SkinnedKind::CheckBox;
            default: return SkinnedKind::None;
        }
    }
    if (IsClass(control, WC_TABCONTROLW)) return SkinnedKind::Tabs;
    if (IsClass(control, WC_HEADERW)) return SkinnedKind::Header;
    if (IsClass(control, STATUSCLASSNAMEW)) return SkinnedKind::StatusBar;
    return SkinnedKind::None;
}

bool PaintSkinned(SkinnedKind kind, HWND control, HDC dc, const SkinColors& colors) {
    switch (kind) {
        case SkinnedKind::PushButton: PaintPushButton(control, dc, colors); return true;
        case SkinnedKind::GroupBox: PaintGroupBox(control, dc, colors); return true;
        case SkinnedKind::Tabs: PaintTabs(control, dc, colors); return true;
        case SkinnedKind::Header: PaintHeader(control, dc, colors); return true;
        case SkinnedKind::StatusBar: PaintStatusBar(control, dc, colors); return true;
        default: return false;
    }
}

bool RepaintsOutsidePaint(SkinnedKind kind, UINT msg) {
    if (kind != SkinnedKind::PushButton) return false;
    switch (msg) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_SETTEXT:
        case WM_UPDATEUISTATE:
        case BM_SETSTATE:
        case BM_SETSTYLE: return true;
        default: return false;
    }
}

}  // namespace lentora::ui
