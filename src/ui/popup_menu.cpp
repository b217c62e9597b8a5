#include "ui/popup_menu.h"

#include <commctrl.h>

#include <algorithm>

namespace lentora::ui {

POINT KeyboardMenuPoint(HWND control) {
    constexpr int kInset = 8;
    RECT client{};
    GetClientRect(control, &client);
    POINT point{client.left + kInset, client.top + kInset};
    wchar_t className[32] = {};
    GetClassNameW(control, className, 32);
    int row = lstrcmpiW(className, WC_LISTVIEWW) == 0 ? ListView_GetNextItem(control, -1, LVNI_SELECTED) : -1;
    RECT bounds{};
    if (row >= 0 && ListView_EnsureVisible(control, row, FALSE) && ListView_GetItemRect(control, row, &bounds, LVIR_BOUNDS))
        point = {std::max(bounds.left, client.left) + kInset, bounds.bottom};  // the row stays readable
    ClientToScreen(control, &point);
    return point;
}

std::vector<const MenuItem*> PopupMenu::VisibleItems() const {
    std::vector<const MenuItem*> shown;
    for (const auto& item : items)
        if (!item.action || item.action->visible()) shown.push_back(&item);
    return shown;
}

void PopupMenu::Run(const MenuItem& item) const {
    if (item.action)
        item.action->Execute();
    else if (item.onClick)
        item.onClick();
}

const MenuItem* PopupMenu::DefaultItem() const {
    for (const auto& item : items)
        if (item.isDefault) return &item;
    return nullptr;
}

PopupMenu::Built PopupMenu::Build() const {
    Built built;
    built.menu.reset(CreatePopupMenu());
    built.shown = VisibleItems();
    HIMAGELIST pictures = images ? images() : nullptr;
    for (size_t i = 0; i < built.shown.size(); ++i) {
        const MenuItem& item = *built.shown[i];
        if (item.separator) {
            AppendMenuW(built.menu.get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const std::wstring& text = item.action ? item.action->caption() : item.caption;
        UINT flags = MF_STRING | (item.action && !item.action->enabled() ? MF_GRAYED : 0);
        auto id = static_cast<UINT>(i + 1);
        AppendMenuW(built.menu.get(), flags, id, text.c_str());
        if (item.isDefault) SetMenuDefaultItem(built.menu.get(), id, FALSE);
        int image = item.action ? item.action->imageIndex() : item.imageIndex;
        if (pictures && image >= 0 && image < ImageList_GetImageCount(pictures)) {
            built.pictures.push_back(std::make_unique<Picture>(Picture{pictures, image}));
            MENUITEMINFOW info{sizeof(info), MIIM_BITMAP | MIIM_DATA};
            info.hbmpItem = HBMMENU_CALLBACK;
            info.dwItemData = reinterpret_cast<ULONG_PTR>(built.pictures.back().get());
            SetMenuItemInfoW(built.menu.get(), id, FALSE, &info);
        }
    }
    return built;
}

bool PopupMenu::OnPictureMessage(UINT msg, LPARAM lParam) {
    if (msg != WM_MEASUREITEM && msg != WM_DRAWITEM) return false;
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    UINT type = msg == WM_MEASUREITEM ? measure->CtlType : draw->CtlType;
    ULONG_PTR data = msg == WM_MEASUREITEM ? measure->itemData : draw->itemData;
    if (type != ODT_MENU || !data) return false;
    const auto* picture = reinterpret_cast<const Picture*>(data);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(picture->images, &cx, &cy);
    if (msg == WM_MEASUREITEM) {
        // A quarter of the picture's width as room before the text, so it grows with the DPI.
        measure->itemWidth = static_cast<UINT>(cx + cx / 4);
        measure->itemHeight = static_cast<UINT>(cy);
        return true;
    }
    int top = draw->rcItem.top + (draw->rcItem.bottom - draw->rcItem.top - cy) / 2;
    ImageList_Draw(picture->images, picture->index, draw->hDC, draw->rcItem.left, top,
                   (draw->itemState & ODS_GRAYED) ? ILD_BLEND50 : ILD_TRANSPARENT);
    return true;
}

void PopupMenu::Show(HWND owner, POINT screenPoint, ActionList& actions) {
    actions.Update();
    Built built = Build();
    // The owner must be the foreground window, or the menu does not close when the user clicks away.
    SetForegroundWindow(owner);
    UINT chosen = static_cast<UINT>(TrackPopupMenuEx(built.menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                                     screenPoint.x, screenPoint.y, owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    if (chosen >= 1 && chosen <= built.shown.size()) Run(*built.shown[chosen - 1]);
}

}  // namespace lentora::ui
