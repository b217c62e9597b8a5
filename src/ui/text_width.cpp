#include "ui/text_width.h"

#include "ui/handles.h"

namespace lentora::ui {

int TextWidth(HWND window, const std::wstring& text) {
    ScreenDC dc;
    const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    SelectGuard selected(dc.get(), font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace lentora::ui
