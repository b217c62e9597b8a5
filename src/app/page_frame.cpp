#include "app/page_frame.h"

#include <dwmapi.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "app/main_window_ids.h"
#include "app/pictures.h"
#include "image_ids.h"
#include "ui/controls.h"
#include "ui/dpi.h"
#include "ui/image_list.h"
#include "ui/placement.h"
#include "ui/popup_menu.h"

namespace lentora {
namespace {

constexpr int kTabHeight = 30;
constexpr int kLanguageTabHeight = 26, kLanguageTabPadding = 12;
enum Page { kTasksPage, kLastStartPage, kOptionsPage, kLogPage, kAboutPage };

}  // namespace

PageFrame::PageFrame(Parts parts)
    : actions_(parts.actions),
      texts_(parts.texts),
      skins_(parts.skins),
      tasks_(parts.tasks),
      statusText_(std::move(parts.statusText)),
      builtHandler_(std::move(parts.built)),
      taskPage_(parts.tasks, parts.actions,
                [this, actions = std::move(parts.taskPage)]() mutable {
                    actions.rowFont = [this](bool enabled) { return enabled ? fonts_.normal.get() : fonts_.strike.get(); };
                    actions.menuPictures = MenuPictures();
                    return std::move(actions);
                }()),
      lastStartPage_(std::move(parts.lastStartPage)),
      optionsPage_(std::move(parts.optionsPage), parts.actions),
      logPage_(std::move(parts.log)),
      aboutPage_(std::move(parts.aboutPage)) {}

HIMAGELIST PageFrame::Pictures() {
    // Made on first need: a start at log-on that stays in the tray loads no common controls.
    if (!pictures_) {
        const int imageSize = ui::Scale(16, ui::WindowDpi(window_));
        pictures_.reset(ImageList_Create(imageSize, imageSize, ILC_COLOR32 | ILC_MASK, IDI_IMG_COUNT, 0));
    }
    return pictures_.get();
}

void PageFrame::EnsureContent() {
    if (built_) return;
    built_ = true;  // first: building reaches controls through Control()
    CreateContent();
    SetGlassFrame(glassOn_);
    skins_.ColorListView(taskPage_.List());
    tasks_.SetChangeHandler([this] { taskPage_.Refresh(); });
    RefreshStatusBar();
    if (picturesLoaded_) DressImages();
    framed_ = true;
    RequestLayout();
}

void PageFrame::EnsureAllPages() {
    EnsureContent();
    for (int page : {kLastStartPage, kOptionsPage, kLogPage, kAboutPage}) EnsurePage(page);
}

void PageFrame::EnsurePage(int page) {
    if (pageBuilt_[page]) return;
    pageBuilt_[page] = true;
    // Laid out once, when complete: the language's texts set the widths.
    const bool framed = std::exchange(framed_, false);
    const HWND panel = pagePanels_[page].hwnd();
    switch (page) {
        case kTasksPage: taskPage_.Create(panel, texts_, tooltip_); break;
        case kLastStartPage: lastStartPage_.Create(panel, actions_.setHint); break;
        case kOptionsPage: optionsPage_.Create(panel, texts_, actions_.setHint); break;
        case kLogPage: logPage_.Create(panel); break;
        case kAboutPage:
            aboutPage_.Create(panel, texts_);
            // Attached while still empty, so the tabs are sized for their pictures from the start.
            TabCtrl_SetImageList(aboutPage_.Tabs(), Pictures());
            aboutPage_.ShowSubPage(0);
            break;
    }
    ApplyPageFonts(page);
    skins_.SkinControls(panel);
    // The language in force reaches the page's targets.
    builtHandler_();
    if (picturesLoaded_) DressPageImages(page);
    framed_ = framed;
    if (framed_) RequestLayout();
}

HWND PageFrame::Control(int id) {
    EnsureContent();
    switch (id) {
        case ids::pageTabs: return pageTabs_;
        case ids::statusBar: return statusBar_;
        case ids::taskListView: return taskPage_.List();
        case ids::startStopButton: return taskPage_.StartButton();
    }
    EnsureAllPages();
    if (id == ids::logList) return logPage_.List();
    if (HWND control = lastStartPage_.Control(id)) return control;
    if (HWND control = optionsPage_.Control(id)) return control;
    return aboutPage_.Control(id);
}

void PageFrame::CreateContent() {
    tooltip_.Create(window_);
    actions_.setHint = [this](HWND control, const std::wstring& hint) { tooltip_.Set(control, hint); };
    pageTabs_ = ui::CreateControl(window_, WC_TABCONTROLW, L"", WS_CLIPSIBLINGS | WS_TABSTOP, ids::pageTabs);
    statusBar_ = ui::CreateControl(window_, STATUSCLASSNAMEW, L"", SBARS_SIZEGRIP, ids::statusBar);
    CreatePageTabs();
    for (ui::Panel& page : pagePanels_) page.Create(window_);
    RoutePages();
    TabCtrl_SetItemSize(pageTabs_, 0, ui::Scale(kTabHeight, ui::WindowDpi(window_)));

    // The image list is attached while still empty, so the tabs are sized for their pictures
    // from the start.
    TabCtrl_SetImageList(pageTabs_, Pictures());
    ApplyFonts();
    skins_.SkinControls(window_);
    TabCtrl_SetCurSel(pageTabs_, 0);
    ShowPage(0);
}

void PageFrame::CreatePageTabs() {
    struct Tab {
        int page;
        const wchar_t* caption;
        const wchar_t* name;
        int image;  // shown once the image list is attached
    };
    // The Log tab is there only while logging is on.
    const Tab tabs[] = {
        {kTasksPage, L"\u0422\u0430sk List", L"tsStartProgram", PictureOf(IDI_IMG_TASK_LIST)},
        {kLastStartPage, L"Last start", L"tsLastStart", PictureOf(IDI_IMG_WAIT)},
        {kOptionsPage, L"Options", L"tsOptions", PictureOf(IDI_IMG_OPTIONS)},
        {kAboutPage, L"\u041E \u043F\u0440\u043E\u0433\u0440\u0430\u043C\u043C\u0435", L"tsAbout", PictureOf(IDI_IMG_ABOUT)},
    };
    for (const Tab& tab : tabs) {
        TCITEMW item{TCIF_TEXT | TCIF_IMAGE};
        item.pszText = const_cast<wchar_t*>(tab.caption);
        item.iImage = tab.image;
        TabCtrl_InsertItem(pageTabs_, TabCtrl_GetItemCount(pageTabs_), &item);
        texts_.Add(L"pcMainPage." + std::wstring(tab.name) + L".caption", [this, page = tab.page](const std::wstring& text) {
            TCITEMW caption{TCIF_TEXT};
            caption.pszText = const_cast<wchar_t*>(text.c_str());
            TabCtrl_SetItem(pageTabs_, TabOf(page), &caption);
        });
    }
    texts_.Add(L"pcMainPage.tsLog.caption", [this](const std::wstring& text) {
        logPage_.tabCaption = text;
        if (!logPageVisible_) return;
        TCITEMW caption{TCIF_TEXT};
        caption.pszText = const_cast<wchar_t*>(logPage_.tabCaption.c_str());
        TabCtrl_SetItem(pageTabs_, TabOf(kLogPage), &caption);
    });
    if (logPageVisible_) InsertLogTab();
}

void PageFrame::RoutePages() {
    // Buttons bound to actions run them; the rest is the page's own.
    auto command = [this](WPARAM wParam, LPARAM lParam, auto&& page) -> std::optional<LRESULT> {
        if (actions_.RunCommand(LOWORD(wParam), HIWORD(wParam)) ||
            page(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)))
            return 0;
        return std::nullopt;
    };
    auto menuPoint = [](WPARAM wParam, LPARAM lParam) {
        POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (screen.x == -1 && screen.y == -1) screen = ui::KeyboardMenuPoint(reinterpret_cast<HWND>(wParam));
        return screen;
    };
    pagePanels_[kTasksPage].route = [=, this](UINT msg, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg == WM_COMMAND)
            return command(wParam, lParam, [this](int id, int code, HWND) { return taskPage_.OnCommand(id, code); });
        if (msg == WM_CONTEXTMENU) {
            if (!taskPage_.ShowMenu(reinterpret_cast<HWND>(wParam), window_, menuPoint(wParam, lParam))) return std::nullopt;
            return 0;
        }
        LRESULT result = 0;
        if (taskPage_.OnNotify(*reinterpret_cast<NMHDR*>(lParam), result)) return result;
        return std::nullopt;
    };
    pagePanels_[kLastStartPage].route = [=, this](UINT msg, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg == WM_COMMAND)
            return command(wParam, lParam, [this](int id, int code, HWND) { return lastStartPage_.OnCommand(id, code); });
        return std::nullopt;
    };
    pagePanels_[kOptionsPage].route = [=, this](UINT msg, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg == WM_COMMAND)
            return command(wParam, lParam, [this](int id, int code, HWND control) {
                return control && optionsPage_.OnCommand(id, code, control);
            });
        if (msg == WM_NOTIFY && optionsPage_.OnNotify(*reinterpret_cast<NMHDR*>(lParam))) return 0;
        return std::nullopt;
    };
    pagePanels_[kLogPage].route = [=, this](UINT msg, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg == WM_CONTEXTMENU &&
            logPage_.ShowMenu(reinterpret_cast<HWND>(wParam), window_, menuPoint(wParam, lParam), actions_))
            return 0;
        return std::nullopt;
    };
    pagePanels_[kAboutPage].route = [=, this](UINT msg, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg == WM_COMMAND)
            return command(wParam, lParam, [this](int id, int code, HWND control) {
                return control && code == BN_CLICKED && aboutPage_.OnCommand(id);
            });
        if (msg == WM_NOTIFY && aboutPage_.OnNotify(*reinterpret_cast<NMHDR*>(lParam))) return 0;
        return std::nullopt;
    };
}

std::function<HIMAGELIST()> PageFrame::MenuPictures() {
    return [this] {
        EnsureImages();
        return Pictures();
    };
}

void PageFrame::OnShown() {
    EnsureContent();
    EnsureImages();
    if (layoutPending_) LayoutControls();
}

void PageFrame::OnDpiChanged() {
    if (built_) ApplyFonts();
}

bool PageFrame::OnNotify(const NMHDR& hdr) {
    if (!built_ || hdr.hwndFrom != pageTabs_ || hdr.code != TCN_SELCHANGE) return false;
    ShowPage(TabCtrl_GetCurSel(pageTabs_));
    return true;
}

void PageFrame::ApplyFonts() {
    fonts_ = ui::CreateUiFonts(ui::WindowDpi(window_));
    ui::ApplyFont(window_, fonts_.normal.get());
    ApplyAboutEmphasis();
}

void PageFrame::ApplyPageFonts(int page) {
    ui::ApplyFont(pagePanels_[page].hwnd(), fonts_.normal.get());
    if (page == kAboutPage) ApplyAboutEmphasis();
}

void PageFrame::ApplyAboutEmphasis() {
    if (!pageBuilt_[kAboutPage]) return;
    // The About header and the payment blocks stand out.
    for (int id : {ids::titleLabel, ids::freewareLabel, ids::cardLabel, ids::walletLabel, ids::cardNumberButton})
        SendMessageW(aboutPage_.Control(id), WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.bold.get()), TRUE);
    SendMessageW(aboutPage_.Control(ids::copyrightLabel), WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.boldItalic.get()), TRUE);
}

void PageFrame::ShowPage(int index) {
    // The Log tab is absent while logging is off, so tab positions after it shift by one.
    const int page = !logPageVisible_ && index >= kLogPage ? index + 1 : index;
    // A page is built when it is first shown.
    if (page >= 0 && page < static_cast<int>(pagePanels_.size())) EnsurePage(page);
    ui::ShowOnly({pagePanels_[0].hwnd(), pagePanels_[1].hwnd(), pagePanels_[2].hwnd(), pagePanels_[3].hwnd(),
                  pagePanels_[4].hwnd()},
                 static_cast<size_t>(page));
}

void PageFrame::RequestLayout() {
    if (IsWindowVisible(window_))
        LayoutControls();
    else
        layoutPending_ = true;
}

void PageFrame::LayoutControls() {
    // Nothing to place before the content, or while it is being built.
    if (!framed_) return;
    layoutPending_ = false;
    const UINT dpi = ui::WindowDpi(window_);
    RECT client{};
    GetClientRect(window_, &client);
    SendMessageW(statusBar_, WM_SIZE, 0, 0);
    InvalidateRect(statusBar_, nullptr, TRUE);  // the size grip moved; its old picture would stay
    RECT sb{};
    GetWindowRect(statusBar_, &sb);
    const int statusHeight = sb.bottom - sb.top;
    // Two panels: the status text and the walk's tick counter.
    int parts[] = {ui::Scale(230, dpi), ui::Scale(230 + 150, dpi)};
    SendMessageW(statusBar_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));

    ui::Move(pageTabs_, 0, 0, client.right, client.bottom - statusHeight);
    RECT display{0, 0, client.right, client.bottom - statusHeight};
    TabCtrl_AdjustRect(pageTabs_, FALSE, &display);
    for (ui::Panel& page : pagePanels_) {
        SetWindowPos(page.hwnd(), HWND_TOP, display.left, display.top, display.right - display.left,
                     display.bottom - display.top, SWP_NOACTIVATE);
    }
    const int width = display.right - display.left, height = display.bottom - display.top;
    taskPage_.Layout(width, height, dpi);
    if (pageBuilt_[kLastStartPage]) lastStartPage_.Layout(width, height, dpi);
    if (pageBuilt_[kOptionsPage]) optionsPage_.Layout(width, height, dpi);
    if (pageBuilt_[kLogPage]) logPage_.Layout(width, height);
    if (pageBuilt_[kAboutPage]) aboutPage_.Layout(width, height, dpi);
    // Last: widening lays the window out again, with the tabs to fit already cleared.
    if (std::exchange(tabsToFit_, false)) WidenForTabs();
}

void PageFrame::EnsureImages() {
    if (picturesLoaded_) return;
    picturesLoaded_ = true;
    ui::AddIconImages(Pictures(), IDI_IMG_BASE, IDI_IMG_COUNT, ui::Scale(16, ui::WindowDpi(window_)));
    if (built_) DressImages();
}

void PageFrame::DressImages() {
    InvalidateRect(pageTabs_, nullptr, TRUE);
    actions_.setImage = [this](HWND button, int imageIndex) { SetButtonImage(button, imageIndex); };
    for (const auto& action : actions_.actions()) actions_.Changed(*action);
    for (int page = 0; page < static_cast<int>(pagePanels_.size()); ++page)
        if (pageBuilt_[page]) DressPageImages(page);
}

void PageFrame::DressPageImages(int page) {
    // Buttons bound to actions take their pictures as they are bound.
    switch (page) {
        case kTasksPage: taskPage_.ShowStartButtonImage(); break;
        case kOptionsPage:
            SetButtonImage(optionsPage_.Control(ids::createShortcutButton), PictureOf(IDI_IMG_CREATE_LINK));
            SetButtonImage(optionsPage_.Control(ids::checkNowButton), PictureOf(IDI_IMG_CHECK_UPDATES));
            break;
        case kAboutPage:
            InvalidateRect(aboutPage_.Tabs(), nullptr, TRUE);
            aboutPage_.LoadImages(ui::WindowDpi(window_));
            break;
    }
}

std::vector<HWND> PageFrame::PageTabStrips() const {
    std::vector<HWND> strips{pageTabs_};
    if (pageBuilt_[kAboutPage]) strips.push_back(aboutPage_.Tabs());
    return strips;
}

void PageFrame::SetButtonImage(HWND button, int imageIndex) {
    if (!button || imageIndex < 0) return;
    // Toolbar buttons show a large image above the caption; the others a small one beside it.
    const bool toolbar = GetParent(button) == taskPage_.Toolbar();
    ui::ImageListHandle list = ui::SetButtonIcon(button, IDI_IMG_BASE + imageIndex,
                                                 ui::Scale(toolbar ? 24 : 16, ui::WindowDpi(window_)), toolbar);
    if (!list) return;
    for (auto& [hwnd, owned] : buttonImages_) {
        if (hwnd == button) {
            owned = std::move(list);
            return;
        }
    }
    buttonImages_.emplace_back(button, std::move(list));
}

void PageFrame::SetLanguageTabMetrics() {
    if (!built_) return;
    const UINT dpi = ui::WindowDpi(window_);
    for (HWND tabs : PageTabStrips()) {
        TabCtrl_SetItemSize(tabs, 0, ui::Scale(kLanguageTabHeight, dpi));
        TabCtrl_SetPadding(tabs, ui::Scale(kLanguageTabPadding, dpi), ui::Scale(3, dpi));
    }
    tabsToFit_ = true;
    RequestLayout();
    InvalidateRect(pageTabs_, nullptr, TRUE);
}

void PageFrame::RefreshStatusBar() {
    if (!built_) return;
    for (int part : {0, 1})
        SendMessageW(statusBar_, SB_SETTEXTW, static_cast<WPARAM>(part),
                     reinterpret_cast<LPARAM>(statusText_(part).c_str()));
}

void PageFrame::SetLogPageVisible(bool visible) {
    if (visible == logPageVisible_) return;
    logPageVisible_ = visible;
    if (!built_) return;
    if (visible)
        InsertLogTab();
    else
        TabCtrl_DeleteItem(pageTabs_, TabOf(kLogPage));
    ShowPage(TabCtrl_GetCurSel(pageTabs_));
    tabsToFit_ = true;
    RequestLayout();
}

void PageFrame::InsertLogTab() {
    TCITEMW item{TCIF_TEXT | TCIF_IMAGE};
    item.pszText = const_cast<wchar_t*>(logPage_.tabCaption.c_str());
    item.iImage = PictureOf(IDI_IMG_LOG);
    TabCtrl_InsertItem(pageTabs_, TabOf(kLogPage), &item);
}

void PageFrame::WidenForTabs() {
    if (IsZoomed(window_)) return;
    const int count = TabCtrl_GetItemCount(pageTabs_);
    RECT first{}, last{}, strip{};
    if (count == 0 || !TabCtrl_GetItemRect(pageTabs_, 0, &first) || !TabCtrl_GetItemRect(pageTabs_, count - 1, &last))
        return;
    GetClientRect(pageTabs_, &strip);
    // The strip's own margin at both ends, as the first tab starts from it.
    const int missing = (last.right - first.left) + 2 * std::max<int>(first.left, 2) - (strip.right - strip.left);
    if (missing <= 0) return;
    RECT window{};
    GetWindowRect(window_, &window);
    MONITORINFO monitor{sizeof(monitor)};
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
    const int width = std::min<int>(window.right - window.left + missing, monitor.rcWork.right - monitor.rcWork.left);
    // Around the same centre, on the monitor.
    const int centred = window.left - (width - (window.right - window.left)) / 2;
    const int left = std::max<int>(monitor.rcWork.left, std::min<int>(centred, monitor.rcWork.right - width));
    SetWindowPos(window_, nullptr, left, window.top, width, window.bottom - window.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

int PageFrame::TabOf(int page) const { return !logPageVisible_ && page > kLogPage ? page - 1 : page; }

void PageFrame::SetGlassFrame(bool on) {
    glassOn_ = on;
    // A window not shown yet gets its frame with its content.
    if (!built_) return;
    // Over the page tabs (30 pixels high) and one more, and over the status bar.
    constexpr int kGlassTop = 30 + 1, kGlassBottom = 19;
    const UINT dpi = ui::WindowDpi(window_);
    MARGINS margins{0, 0, on ? ui::Scale(kGlassTop, dpi) : 0, on ? ui::Scale(kGlassBottom, dpi) : 0};
    DwmExtendFrameIntoClientArea(window_, &margins);  // refused without composition: ignored
    InvalidateRect(pageTabs_, nullptr, TRUE);
}

void PageFrame::Redraw() {
    if (!built_) return;
    skins_.ColorListView(taskPage_.List());
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

}  // namespace lentora
