#include "ui/image_list.h"

#include <commctrl.h>

namespace lentora::ui {

IconHandle LoadIconResource(int id, int size) {
    return IconHandle(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

void AddIconImages(HIMAGELIST list, int firstId, int count, int size) {
    for (int n = 0; n < count; ++n) {
        IconHandle icon = LoadIconResource(firstId + n, size);
        if (icon) {
            ImageList_AddIcon(list, icon.get());
        } else {
            // A fully transparent placeholder keeps the following positions in step.
            BITMAPINFO bi{{sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB}};
            void* bits = nullptr;
            Owned<HBITMAP, GdiObjectDeleter> blank(
                CreateDIBSection(ScreenDC().get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
            ImageList_Add(list, blank.get(), nullptr);
        }
    }
}

ImageListHandle SetButtonIcon(HWND button, int id, int size, bool above) {
    IconHandle icon = LoadIconResource(id, size);
    if (!button || !icon) return {};
    ImageListHandle list(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 0));
    ImageList_AddIcon(list.get(), icon.get());
    BUTTON_IMAGELIST bil{list.get(), {4, 2, 4, 0},
                         static_cast<UINT>(above ? BUTTON_IMAGELIST_ALIGN_TOP : BUTTON_IMAGELIST_ALIGN_LEFT)};
    Button_SetImageList(button, &bil);
    // The button does not repaint for a new picture: one already on screen would go on without it.
    InvalidateRect(button, nullptr, TRUE);
    return list;
}

}  // namespace lentora::ui
