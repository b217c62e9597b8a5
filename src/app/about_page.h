// The About page: a header with the program's name, version and author, and four sub-pages (the
// about text, the licence, the components used, the donation details) under a tab strip of their
// own. It owns its controls and pictures and answers its links and buttons; texts given before
// the page is built are shown when it is.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/handles.h"
#include "ui/panel.h"
#include "ui/text_targets.h"

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

    // Makes the page's controls in the window's page panel `page` and enters the targets of its
    // language texts.
    void Create(HWND page, ui::TextTargets& texts);
    HWND Tabs() const { return tabs_; }
    HWND Control(int id) const;
    // A control's text (title, author, licence and about texts, component links).
    void SetText(int id, std::wstring text);

    void LoadImages(UINT dpi);
    void Layout(int width, int height, UINT dpi);
    void ShowSubPage(int index);

    // True when the notification or command was the page's own.
    bool OnNotify(const NMHDR& hdr);
    bool OnCommand(int id);

private:
    void OpenLink(int id);

    Actions actions_;
    ui::Panel aboutText_, license_, components_, donate_;
    std::vector<std::pair<int, HWND>> controls_;
    std::vector<std::pair<int, std::wstring>> texts_;  // given before the page was built
    HWND tabs_ = nullptr;
    HWND logo_ = nullptr, cardIcon_ = nullptr, walletIcon_ = nullptr;
    ui::IconHandle logoIcon_, cardIconImage_, walletIconImage_;
};

}  // namespace lentora
