#include "ui/text_width.h"

#include "ui/handles.h"

namespace lentora::ui {

int TextWidth(HWND control, std::wstring_view text) {
    ScreenDC dc;
    auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
    SelectGuard select(dc.get(), font ? font : GetStockObject(SYSTEM_FONT));
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace lentora::ui
