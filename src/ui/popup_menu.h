// Pop-up menus built afresh each time they open, so item captions and visibility follow
// their actions at that moment.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/action.h"

namespace lentora::ui {

struct MenuItem {
    std::wstring name;                 // e.g. "mnuShow"
    Action* action = nullptr;          // bound action, or
    std::wstring caption;              // a caption of its own
    std::function<void()> onClick;     // with its own handler
    bool separator = false;
    bool isDefault = false;            // shown bold; run by a double click where the owner does so
};

class PopupMenu {
public:
    std::vector<MenuItem> items;

    // Items shown right now, in order: hidden actions are left out.
    std::vector<const MenuItem*> VisibleItems() const;
    // Shows the menu at a screen point and runs the chosen item.
    void Show(HWND owner, POINT screenPoint, ActionList& actions);
    void Run(const MenuItem& item) const;
    const MenuItem* DefaultItem() const;
};

}  // namespace lentora::ui
