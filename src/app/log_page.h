// The Log page: the on-screen log, the newest line selected, and its pop-up menu with "Save current
// log". Lines logged before the page is built are kept and shown when it is.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/popup_menu.h"

namespace lentora {

class LogPage {
public:
    // `log` writes a line to the application log, which also reaches this page.
    explicit LogPage(std::function<void(const std::wstring&)> log);

    // Makes the list in the window's page panel `page` and shows the lines kept so far.
    void Create(HWND page);
    HWND List() const { return list_; }
    void Layout(int width, int height);

    void AddLine(std::wstring line);
    std::vector<std::wstring> Lines() const;
    // The selected lines, each ended by a line break, to the clipboard (Ctrl+C).
    void CopySelected();
    std::wstring SelectedText() const;

    // The page's tab text, kept while the tab is away: the tab comes and goes with logging.
    std::wstring tabCaption = L"Log";

    // Opens the page's menu when `source` is its list; false for any other window.
    bool ShowMenu(HWND source, HWND owner, POINT screen, ui::ActionList& actions);
    // Writes the lines to a date-stamped ".log" file in the current folder.
    void SaveCurrentLog(HWND owner);

private:
    void Show(const std::wstring& line);
    void Widen(const std::wstring& line);

    std::function<void(const std::wstring&)> log_;
    HWND list_ = nullptr;
    int widest_ = 0;  // the horizontal extent given to the list, in pixels
    std::vector<std::wstring> kept_;  // while the list is not built
    ui::PopupMenu menu_;
};

}  // namespace lentora
