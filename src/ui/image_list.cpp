#include "ui/image_list.h"

#include <commctrl.h>
#include <vsstyle.h>

#include <vector>

namespace lentora::ui {
namespace {

// The icon's pixels as top-down 32-bit BGRA; icons without an alpha channel get theirs from the mask.
std::vector<RGBQUAD> IconPixels(HICON icon, int size) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {};
    Owned<HBITMAP, GdiObjectDeleter> color(info.hbmColor), mask(info.hbmMask);
    BITMAPINFO bi{{sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB}};
    std::vector<RGBQUAD> pixels(static_cast<size_t>(size) * static_cast<size_t>(size));
    ScreenDC dc;
    if (!color || !GetDIBits(dc.get(), color.get(), 0, static_cast<UINT>(size), pixels.data(), &bi, DIB_RGB_COLORS))
        return {};
    bool hasAlpha = false;
    for (const RGBQUAD& p : pixels) hasAlpha = hasAlpha || p.rgbReserved != 0;
    if (!hasAlpha) {
        std::vector<RGBQUAD> maskPixels(pixels.size());
        GetDIBits(dc.get(), mask.get(), 0, static_cast<UINT>(size), maskPixels.data(), &bi, DIB_RGB_COLORS);
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i].rgbReserved = maskPixels[i].rgbBlue ? 0 : 255;
    }
    return pixels;
}

// The icon as a disabled control shows it: grey and faint, with premultiplied alpha as image lists expect.
void AddGreyedImage(HIMAGELIST list, HICON icon, int size) {
    std::vector<RGBQUAD> pixels = IconPixels(icon, size);
    if (pixels.empty()) {
        ImageList_AddIcon(list, icon);
        return;
    }
    BITMAPINFO bi{{sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB}};
    void* bits = nullptr;
    Owned<HBITMAP, GdiObjectDeleter> grey(CreateDIBSection(ScreenDC().get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!grey) {
        ImageList_AddIcon(list, icon);
        return;
    }
    auto* out = static_cast<RGBQUAD*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i) {
        const RGBQUAD& p = pixels[i];
        const int alpha = p.rgbReserved / 2;
        // Light grey of the pixel's brightness, premultiplied by the halved alpha.
        const int light = 128 + (p.rgbRed * 30 + p.rgbGreen * 59 + p.rgbBlue * 11) / 200;
        const auto value = static_cast<BYTE>(light * alpha / 255);
        out[i] = {value, value, value, static_cast<BYTE>(alpha)};
    }
    ImageList_Add(list, grey.get(), nullptr);
}

}  // namespace

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

ImageListHandle ButtonStateImages(int id, int size) {
    IconHandle icon = LoadIconResource(id, size);
    if (!icon) return {};
    // One image per button state (normal, hot, pressed, disabled, default, stylus hot): all the
    // icon but the disabled one, which is greyed, as a disabled caption is.
    ImageListHandle list(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 6, 0));
    constexpr int kDisabledState = PBS_DISABLED - 1;
    for (int state = 0; state < 6; ++state) {
        if (state == kDisabledState)
            AddGreyedImage(list.get(), icon.get(), size);
        else
            ImageList_AddIcon(list.get(), icon.get());
    }
    return list;
}

ImageListHandle SetButtonIcon(HWND button, int id, int size, bool above) {
    if (!button) return {};
    ImageListHandle list = ButtonStateImages(id, size);
    if (!list) return {};
    BUTTON_IMAGELIST bil{list.get(), {4, 2, 4, 0},
                         static_cast<UINT>(above ? BUTTON_IMAGELIST_ALIGN_TOP : BUTTON_IMAGELIST_ALIGN_LEFT)};
    Button_SetImageList(button, &bil);
    // The button does not repaint for a new picture: one already on screen would go on without it.
    InvalidateRect(button, nullptr, TRUE);
    return list;
}

}  // namespace lentora::ui
