// Pop-up menus built afresh each time they open, so item captions and visibility follow
// their actions at that moment.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/action.h"
#include "ui/handles.h"

namespace lentora::ui {

struct MenuItem {
    std::wstring name;                 // e.g. "mnuShow"
    Action* action = nullptr;          // bound action, or
    std::wstring caption;              // a caption of its own
    std::function<void()> onClick;     // with its own handler
    bool separator = false;
    bool isDefault = false;            // shown bold; run by a double click where the owner does so
    int imageIndex = -1;               // picture of an item with its own caption; an action has its own
};

// An item that shows and runs `action`.
inline MenuItem ActionMenuItem(std::wstring name, Action& action) {
    MenuItem item;
    item.name = std::move(name);
    item.action = &action;
    return item;
}

// Where a control's menu opens from the keyboard (the context-menu key, Shift+F10), in screen
// coordinates: under a list view's selected row, scrolled into view, else near the control's corner.
POINT KeyboardMenuPoint(HWND control);

class PopupMenu {
public:
    std::vector<MenuItem> items;
    // Gives the pictures that image indices refer to, asked each time the menu is built, so they
    // can be loaded then; none while unset or when it gives none.
    std::function<HIMAGELIST()> images;

    // One item's picture, drawn by the menu's owner window (the menus of some systems draw a
    // bitmap of their own without its transparency).
    struct Picture {
        HIMAGELIST images;
        int index;
    };
    // The menu as it would open now: the shown items get command ids 1, 2, ... in order; an item
    // with a picture has HBMMENU_CALLBACK and its Picture as item data, which the menu must not outlive.
    struct Built {
        std::vector<std::unique_ptr<Picture>> pictures;
        MenuHandle menu;
        std::vector<const MenuItem*> shown;
    };
    Built Build() const;
    // For the owner window's WM_MEASUREITEM and WM_DRAWITEM: sizes and draws an item's picture;
    // false for a message about anything else.
    static bool OnPictureMessage(UINT msg, LPARAM lParam);

    // Items shown right now, in order: hidden actions are left out.
    std::vector<const MenuItem*> VisibleItems() const;
    // Shows the menu at a screen point and runs the chosen item.
    void Show(HWND owner, POINT screenPoint, ActionList& actions);
    void Run(const MenuItem& item) const;
    const MenuItem* DefaultItem() const;
};

}  // namespace lentora::ui
