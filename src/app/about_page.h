// The About page: a header with the program's name, version and author, and four sub-pages (the
// about text, the licence, the components used, the donation details) under a tab strip of their
// own. It owns its controls and pictures and answers its links and buttons; its texts reach its
// controls through the window's lookup by control id, like every page's.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/handles.h"
#include "ui/panel.h"

namespace lentora {

class AboutPage {
public:
    struct Actions {
        std::function<void(const std::wstring& address)> openAddress;
        std::function<void(const std::wstring& line)> log;
        // Whether the English pages of the web site fit the language in force.
        std::function<bool()> englishPages;
    };
    explicit AboutPage(Actions actions) : actions_(std::move(actions)) {}

    // Makes the page's controls in the window's page panel `page`; `add` enters each control into
    // the window's lookup by id.
    void Create(HWND page, const std::function<HWND(int id, HWND control)>& add);
    HWND Tabs() const { return tabs_; }

    void LoadImages(UINT dpi);
    void Layout(int width, int height, UINT dpi);
    void ShowSubPage(int index);
    // A sub-page's tab title, by the sub-page's name in the language file.
    void SetSubPageTitle(std::wstring_view name, const std::wstring& text);

    // True when the notification or command was the page's own.
    bool OnNotify(const NMHDR& hdr);
    bool OnCommand(int id);

private:
    HWND Control(int id) const;
    void OpenLink(int id);

    Actions actions_;
    ui::Panel aboutText_, license_, components_, donate_;
    std::vector<std::pair<int, HWND>> controls_;
    HWND tabs_ = nullptr;
    HWND logo_ = nullptr, cardIcon_ = nullptr, walletIcon_ = nullptr;
    ui::IconHandle logoIcon_, cardIconImage_, walletIconImage_;
};

}  // namespace lentora
