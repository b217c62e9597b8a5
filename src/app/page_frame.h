// What fills the main window: the page tabs, the five pages on their panels (Task List, Last start,
// Options, Log, About), the status bar, their pictures, fonts and tooltips, and their placement. Each page's
// panel routes its controls' commands, notifications and menus to that page; the window itself
// sees only what its frame needs. A start at log-on that stays in the tray builds none of it: the
// frame and the Task List are built when the window is first shown, every other page when it is
// first shown, and all of it when a control is first reached.
#pragma once
#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/about_page.h"
#include "app/last_start_page.h"
#include "app/log_page.h"
#include "app/options_page.h"
#include "app/task_page.h"
#include "tasks/task_list.h"
#include "ui/action.h"
#include "ui/focus_memory.h"
#include "ui/fonts.h"
#include "ui/handles.h"
#include "ui/panel.h"
#include "ui/skin_manager.h"
#include "ui/text_targets.h"
#include "ui/tooltip.h"

namespace lentora {

class PageFrame {
public:
    struct Parts {
        ui::ActionList& actions;
        ui::TextTargets& texts;
        ui::SkinManager& skins;
        TaskList& tasks;
        TaskPage::Actions taskPage;  // its row font is the frame's
        LastStartPage::Sources lastStartPage;
        OptionsPage::Actions optionsPage;
        std::function<void(const std::wstring& line)> log;
        AboutPage::Actions aboutPage;
        // The status bar's panel texts (0: the state, 1: the counter).
        std::function<std::wstring(int part)> statusText;
        // Once the content is built: what the window already holds (the language's texts) reaches it.
        std::function<void()> built;
    };
    explicit PageFrame(Parts parts);

    // The window the frame fills; its DPI sizes the pictures.
    void Attach(HWND window) { window_ = window; }
    // The frame and the Task List page; every other page is built when it is first shown.
    void EnsureContent();
    void EnsureAllPages();
    bool Built() const { return built_; }
    // A control of the frame or of a page, by its id in ids; a page's control builds every page.
    HWND Control(int id);

    TaskPage& TaskView() { return taskPage_; }
    LastStartPage& LastStart() { return lastStartPage_; }
    OptionsPage& Options() { return optionsPage_; }
    const OptionsPage& Options() const { return optionsPage_; }
    LogPage& LogView() { return logPage_; }
    AboutPage& About() { return aboutPage_; }

    // The tabs', buttons' and menus' pictures, loaded on first need: a start at log-on that stays
    // in the tray never pays for them.
    std::function<HIMAGELIST()> MenuPictures();

    // The window's messages that concern the content.
    void OnShown();
    void OnDpiChanged();
    bool OnActivate(WPARAM wParam) { return focusMemory_.OnActivate(window_, wParam); }
    // The page tabs' selection; false for any other notification.
    bool OnNotify(const NMHDR& hdr);
    // Lays the controls out now while the window is visible, else when it is next shown.
    void RequestLayout();

    // The Log tab is there only while logging is on.
    void SetLogPageVisible(bool visible);
    bool LogPageVisible() const { return logPageVisible_; }
    // The tab metrics a language sets once it is applied.
    void SetLanguageTabMetrics();
    void RefreshStatusBar();
    // The glass frame over the tabs and the status bar; a skin excludes it.
    void SetGlassFrame(bool on);
    bool GlassFrameOn() const { return glassOn_; }
    void Redraw();

private:
    void CreateContent();
    void CreatePageTabs();
    void RoutePages();
    void LayoutControls();
    // Long captions (a language's, the Log tab's) may need more room than the window has: it widens
    // so that every tab shows, as far as its monitor allows. Once the tabs have been laid out.
    void WidenForTabs();
    void EnsurePage(int page);
    void ApplyFonts();
    void ApplyPageFonts(int page);
    void ApplyAboutEmphasis();
    void ShowPage(int index);
    HIMAGELIST Pictures();
    void EnsureImages();
    // The pictures of the built pages' buttons and tabs, once the pictures are loaded.
    void DressImages();
    void DressPageImages(int page);
    std::vector<HWND> PageTabStrips() const;
    void SetButtonImage(HWND button, int imageIndex);
    void InsertLogTab();
    // The tab position of a page: the Log tab is absent while logging is off.
    int TabOf(int page) const;

    HWND window_ = nullptr;
    ui::ActionList& actions_;
    ui::TextTargets& texts_;
    ui::SkinManager& skins_;
    TaskList& tasks_;
    std::function<std::wstring(int part)> statusText_;
    std::function<void()> builtHandler_;

    std::array<bool, 5> pageBuilt_{};
    bool framed_ = false;  // the frame and the first page are there: they can be laid out
    bool tabsToFit_ = false;  // the tabs changed: the window may have to widen at the next layout
    bool built_ = false, layoutPending_ = false, logPageVisible_ = false, glassOn_ = true;
    HWND pageTabs_ = nullptr, statusBar_ = nullptr;
    ui::Tooltip tooltip_;
    ui::FocusMemory focusMemory_;
    ui::ImageListHandle pictures_;
    bool picturesLoaded_ = false;
    std::vector<std::pair<HWND, ui::ImageListHandle>> buttonImages_;
    ui::UiFonts fonts_;
    // The page panels in tab order, the Log page's included: Tasks, Last start, Options, Log, About.
    std::array<ui::Panel, 5> pagePanels_;
    TaskPage taskPage_;
    LastStartPage lastStartPage_;
    OptionsPage optionsPage_;
    LogPage logPage_;
    AboutPage aboutPage_;
};

}  // namespace lentora
