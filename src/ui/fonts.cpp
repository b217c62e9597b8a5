#include "ui/fonts.h"

namespace lentora::ui {

UiFonts CreateUiFonts(UINT dpi) {
    NONCLIENTMETRICSW ncm{sizeof(ncm)};
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    LOGFONTW lf = ncm.lfMessageFont;
    lf.lfHeight = -MulDiv(9, static_cast<int>(dpi), 72);
    UiFonts fonts;
    fonts.normal.reset(CreateFontIndirectW(&lf));
    LOGFONTW bold = lf;
    bold.lfWeight = FW_BOLD;
    fonts.bold.reset(CreateFontIndirectW(&bold));
    LOGFONTW strike = lf;
    strike.lfStrikeOut = TRUE;
    fonts.strike.reset(CreateFontIndirectW(&strike));
    LOGFONTW boldItalic = bold;
    boldItalic.lfItalic = TRUE;
    fonts.boldItalic.reset(CreateFontIndirectW(&boldItalic));
    return fonts;
}

void ApplyFont(HWND parent, HFONT font) {
    // One repaint at the end instead of one per control (none while the window is hidden).
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM f) -> BOOL {
            SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(f), FALSE);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(font));
    RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace lentora::ui
