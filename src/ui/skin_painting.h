// How the skin draws the controls whose look a colour message cannot change: push buttons, group
// boxes, tab strips, list headers and status bars. Each function paints the whole control into
// the DC of its WM_PAINT from the control's own state (texts, pictures, parts, focus).
#pragma once
#include <windows.h>

namespace lentora::ui {

struct SkinColors {
    COLORREF window = 0, text = 0, accent = 0, control = 0;
    bool operator==(const SkinColors&) const = default;
};

// The control kinds the skin draws itself; anything else it leaves to colour messages.
enum class SkinnedKind { None, PushButton, GroupBox, CheckBox, Tabs, Header, StatusBar };

SkinnedKind SkinnedKindOf(HWND control);

// Paints the control of that kind; false for a kind the skin does not draw.
bool PaintSkinned(SkinnedKind kind, HWND control, HDC dc, const SkinColors& colors);

// The messages after which a control draws itself at once, outside WM_PAINT (pressing, focus,
// enabling, a new text): the skin paints over that.
bool RepaintsOutsidePaint(SkinnedKind kind, UINT msg);

}  // namespace lentora::ui
