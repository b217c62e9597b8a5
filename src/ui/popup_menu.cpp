#include "ui/popup_menu.h"

#include "ui/handles.h"

namespace lentora::ui {

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

void PopupMenu::Show(HWND owner, POINT screenPoint, ActionList& actions) {
    actions.Update();
    MenuHandle menu(CreatePopupMenu());
    auto shown = VisibleItems();
    for (size_t i = 0; i < shown.size(); ++i) {
        const MenuItem& item = *shown[i];
        if (item.separator) {
            AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const std::wstring& text = item.action ? item.action->caption() : item.caption;
        UINT flags = MF_STRING | (item.action && !item.action->enabled() ? MF_GRAYED : 0);
        AppendMenuW(menu.get(), flags, i + 1, text.c_str());
        if (item.isDefault) SetMenuDefaultItem(menu.get(), static_cast<UINT>(i + 1), FALSE);
    }
    // The owner must be the foreground window, or the menu does not close when the user clicks away.
    SetForegroundWindow(owner);
    UINT chosen = static_cast<UINT>(TrackPopupMenuEx(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                                     screenPoint.x, screenPoint.y, owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    if (chosen >= 1 && chosen <= shown.size()) Run(*shown[chosen - 1]);
}

}  // namespace lentora::ui
