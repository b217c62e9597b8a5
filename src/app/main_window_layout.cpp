// The main window's frame: actions, the page tabs and panels, the status bar, pictures and fonts,
// and their placement.
#include <algorithm>

#include "app/main_window.h"
#include "app/pictures.h"
#include "app/main_window_ids.h"
#include "app/site_links.h"
#include "image_ids.h"
#include "ui/controls.h"
#include "ui/dpi.h"
#include "ui/image_list.h"
#include "ui/placement.h"

namespace lentora {
namespace {

constexpr int kTabHeight = 30;
// The tab metrics a language sets once it is applied.
constexpr int kLanguageTabHeight = 26, kLanguageTabPadding = 12;
enum Page { kTasksPage, kOptionsPage, kLogPage, kAboutPage };

}  // namespace

void MainWindow::CreateWindowParts() {
    CreateTray();
    // The tabs' pictures, shared with the menus; loaded when first shown.
    int imageSize = ui::Scale(16, ui::WindowDpi(hwnd()));
    pictures_.reset(ImageList_Create(imageSize, imageSize, ILC_COLOR32 | ILC_MASK, IDI_IMG_COUNT, 0));
    skins_.AttachWindow(hwnd());
    skins_.onAfterChange = [this] {
        if (!contentBuilt_) return;
        skins_.ColorListView(taskPage_.List());
        RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    };

    const RECT r = ui::CentredWindowRect(nullptr, 554, 371, static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_STYLE)),
                                         static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_EXSTYLE)),
                                         ui::WindowDpi(hwnd()));
    SetWindowPos(hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::EnsureContent() {
    if (contentBuilt_) return;
    contentBuilt_ = true;  // first: building reaches controls through Control()
    CreateContent();
    // The language in force reaches the pages built now.
    for (const auto& [target, text] : language_.pageTexts) textTargets_.Apply(target, text);
    if (language_.applied) SetTabMetrics();
    skins_.ColorListView(taskPage_.List());
    tasks_.SetChangeHandler([this] { taskPage_.Refresh(); });
    for (int part : {0, 1}) ShowStatusText(part);
    if (picturesLoaded_) DressContentImages();
    RequestLayout();
}

void MainWindow::CreateContent() {
    tooltip_.Create(hwnd());
    actions_.setHint = [this](HWND control, const std::wstring& hint) { tooltip_.Set(control, hint); };

    pageTabs_ = ui::CreateControl(hwnd(), WC_TABCONTROLW, L"", WS_CLIPSIBLINGS | WS_TABSTOP, ids::pageTabs);
    statusBar_ = ui::CreateControl(hwnd(), STATUSCLASSNAMEW, L"", SBARS_SIZEGRIP, ids::statusBar);

    // The Log tab is there only while logging is on.
    const wchar_t* pages[] = {L"\u0422\u0430sk List", L"Options", L"\u041E \u043F\u0440\u043E\u0433\u0440\u0430\u043C\u043C\u0435"};
    const wchar_t* pageNames[] = {L"tsStartProgram", L"tsOptions", L"tsAbout"};
    const int images[] = {PictureOf(IDI_IMG_TASK_LIST), PictureOf(IDI_IMG_OPTIONS), PictureOf(IDI_IMG_ABOUT)};  // shown once the image list is attached
    for (int i = 0; i < 3; ++i) {
        TCITEMW item{TCIF_TEXT | TCIF_IMAGE};
        item.pszText = const_cast<wchar_t*>(pages[i]);
        item.iImage = images[i];
        TabCtrl_InsertItem(pageTabs_, i, &item);
        textTargets_.Add(L"pcMainPage." + std::wstring(pageNames[i]) + L".caption", [this, i](const std::wstring& text) {
            // The Log tab, when shown, stands before About.
            TCITEMW caption{TCIF_TEXT};
            caption.pszText = const_cast<wchar_t*>(text.c_str());
            TabCtrl_SetItem(pageTabs_, i == 2 && logPageVisible_ ? 3 : i, &caption);
        });
    }
    textTargets_.Add(L"pcMainPage.tsLog.caption", [this](const std::wstring& text) {
        logPage_.tabCaption = text;
        if (!logPageVisible_) return;
        TCITEMW caption{TCIF_TEXT};
        caption.pszText = const_cast<wchar_t*>(logPage_.tabCaption.c_str());
        TabCtrl_SetItem(pageTabs_, 2, &caption);
    });
    if (logPageVisible_) InsertLogTab();
    for (ui::Panel& page : pagePanels_) page.Create(hwnd());
    TabCtrl_SetItemSize(pageTabs_, 0, ui::Scale(kTabHeight, ui::WindowDpi(hwnd())));

    taskPage_.Create(pagePanels_[kTasksPage].hwnd(), textTargets_);
    optionsPage_.Create(pagePanels_[kOptionsPage].hwnd(), textTargets_, actions_.setHint);
    optionsPage_.SetNeverChecked(Msg(NamedMsg::NeverChecked));
    logPage_.Create(pagePanels_[kLogPage].hwnd());
    aboutPage_.Create(pagePanels_[kAboutPage].hwnd(), textTargets_);
    // The image list is attached while still empty, so the tabs are sized for their pictures
    // from the start.
    for (HWND tabs : {pageTabs_, aboutPage_.Tabs()}) TabCtrl_SetImageList(tabs, pictures_.get());
    ApplyFonts();
    skins_.SkinControls(hwnd());
    TabCtrl_SetCurSel(pageTabs_, 0);
    ShowPage(0);
    aboutPage_.ShowSubPage(0);
}

void MainWindow::CreateActions() {
    struct Def { const wchar_t* name; int id; const wchar_t* caption; const wchar_t* hint; int image; };
    const Def defs[] = {
        {L"actAddTask", ids::addTask, L"Add", L"To add a file for start in the task list", PictureOf(IDI_IMG_ADD)},
        {L"actEditTask", ids::editTask, L"Edit", L"\u041F\u0440\u0430\u0432\u0438\u0442\u044C \u0432\u044B\u0431\u0440\u0430\u043D\u043D\u0443\u044E \u0437\u0430\u0434\u0430\u0447\u0443", PictureOf(IDI_IMG_EDIT)},
        {L"actDeleteTask", ids::deleteTask, L"Delete", L"\u0423\u0434\u0430\u043B\u0438\u0442\u044C \u0432\u044B\u0431\u0440\u0430\u043D\u043D\u0443\u044E \u0437\u0430\u0434\u0430\u0447\u0443 \u0438\u0437 \u0441\u043F\u0438\u0441\u043A\u0430", PictureOf(IDI_IMG_DELETE)},
        {L"actStart", ids::startOrStop, L"start the program", L"", PictureOf(IDI_IMG_START)},
        {L"actStop", ids::stopWalk, L"Stop", L"", PictureOf(IDI_IMG_STOP)},
        {L"actPause", ids::pauseWalk, L"Pause", L"", PictureOf(IDI_IMG_PAUSE)},
        {L"actResume", ids::resumeWalk, L"Resume", L"", PictureOf(IDI_IMG_START)},
        {L"actWait", ids::cancelDelayOfStart, L"Waiting... Stop", L"The delay of start Is active.", PictureOf(IDI_IMG_WAIT)},
        {L"actCloseApp", ids::closeProgram, L"Close", L"Close Application", PictureOf(IDI_IMG_CLOSE)},
        {L"actDeleteAllTask", ids::deleteAllTasks, L"Delete All Tasks", L"", PictureOf(IDI_IMG_DELETE_ALL)},
        {L"actSetActiveAll", ids::enableAllTasks, L"actSetActiveAll", L"", PictureOf(IDI_IMG_ACTIVATE_ALL)},
        {L"actDeactiveAll", ids::disableAllTasks, L"actDeactiveAll", L"", PictureOf(IDI_IMG_DEACTIVATE_ALL)},
        {L"actApplyLng", ids::applyLanguage, L"Apply", L"Change Language", PictureOf(IDI_IMG_CHANGE_LANGUAGE)},
        {L"actImport", ids::importStartupEntry, L"Import", L"", PictureOf(IDI_IMG_IMPORT)},
        {L"actStartNext", ids::startNextNow, L"Start next now",
         L"Start the next task now, without waiting for its delay or for the system", PictureOf(IDI_IMG_START)},
    };
    for (const auto& d : defs) {
        ui::Action& action = actions_.Add(d.name, d.id, d.caption, d.hint, d.image);
        // Actions take their texts from the language file by their names.
        textTargets_.Add(std::wstring(d.name) + L".caption", [&action](const std::wstring& text) { action.SetCaption(text); });
        textTargets_.Add(std::wstring(d.name) + L".hint", [&action](const std::wstring& text) { action.SetHint(text); });
    }

    ActionFor(ids::resumeWalk).SetVisible(false);
    ActionFor(ids::cancelDelayOfStart).SetVisible(false);
    ActionFor(ids::startNextNow).SetVisible(false);
    ActionFor(ids::applyLanguage).SetEnabled(false);

    ActionFor(ids::addTask).onExecute = [this] { taskCommands_.Add(); };
    ActionFor(ids::editTask).onExecute = [this] { taskCommands_.EditSelected(); };
    ActionFor(ids::deleteTask).onExecute = [this] { taskCommands_.DeleteSelected(); };
    ActionFor(ids::deleteAllTasks).onExecute = [this] { taskCommands_.DeleteAll(); };
    ActionFor(ids::enableAllTasks).onExecute = [this] { taskCommands_.SetAllEnabled(true); };
    ActionFor(ids::disableAllTasks).onExecute = [this] { taskCommands_.SetAllEnabled(false); };
    ActionFor(ids::startOrStop).onExecute = [this] { taskCommands_.StartSelected(); };
    ActionFor(ids::closeProgram).onExecute = [this] { PostMessageW(hwnd(), WM_CLOSE, 0, 0); };
    ActionFor(ids::pauseWalk).onExecute = [this] { sequencer_.Pause(); };
    ActionFor(ids::resumeWalk).onExecute = [this] { sequencer_.Resume(); };
    ActionFor(ids::stopWalk).onExecute = [this] { sequencer_.StopFromTray(); };
    ActionFor(ids::cancelDelayOfStart).onExecute = [this] { sequencer_.CancelDelay(); };
    ActionFor(ids::applyLanguage).onExecute = [this] { ApplySelectedLanguage(); };
    ActionFor(ids::importStartupEntry).onExecute = [this] { ShowStartupEntries(); };
    ActionFor(ids::stopWalk).onUpdate = [this] { sequencer_.RefreshStopAction(); };
    ActionFor(ids::pauseWalk).onUpdate = [this] { sequencer_.RefreshPauseAction(); };
    ActionFor(ids::startNextNow).onExecute = [this] {
        sequencer_.StartNextNow();
        walkView_.RefreshStartNext();
    };
    ActionFor(ids::startNextNow).onUpdate = [this] { sequencer_.RefreshStartNextAction(); };
}

TaskPage::Actions MainWindow::TaskPageActions() {
    return {[this] { sequencer_.StartOrStop(); },
            [this] { taskCommands_.EditSelected(); },
            [this] { taskCommands_.RefreshStatuses(); },
            [this](bool enabled) { return Msg(enabled ? Message::TaskEnabledStatus : Message::TaskDisabledStatus); },
            [this](bool enabled) { return enabled ? fonts_.normal.get() : fonts_.strike.get(); },
            MenuPictures()};
}

OptionsPage::Actions MainWindow::OptionsPageActions() {
    return {[this](bool on) { OnUseSkinChanged(on); },
            [this](bool on) { skins_.SetExtendedBorders(on); },
            [this](const std::wstring& name) { skins_.Select(name); },
            [this] { ActionFor(ids::applyLanguage).SetEnabled(true); },
            [this] {
                SaveOptions();
                optionsPage_.SetChanged(false);
            },
            [this] { CreateStartupShortcut(); },
            [this] { StartUpdateCheck(true); },
            [this] { OpenAddress(links::Skins()); }};
}

std::function<HIMAGELIST()> MainWindow::MenuPictures() {
    return [this] {
        EnsureImages();
        return pictures_.get();
    };
}

void MainWindow::ApplyFonts() {
    fonts_ = ui::CreateUiFonts(ui::WindowDpi(hwnd()));
    ui::ApplyFont(hwnd(), fonts_.normal.get());
    // The About header and the payment blocks stand out.
    for (int id : {ids::titleLabel, ids::freewareLabel, ids::cardLabel, ids::walletLabel, ids::cardNumberButton})
        SendMessageW(aboutPage_.Control(id), WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.bold.get()), TRUE);
    SendMessageW(aboutPage_.Control(ids::copyrightLabel), WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.boldItalic.get()), TRUE);
}

void MainWindow::ShowPage(int index) {
    // The Log tab is absent while logging is off, so tab positions after it shift by one.
    const int page = !logPageVisible_ && index >= kLogPage ? index + 1 : index;
    ui::ShowOnly({pagePanels_[0].hwnd(), pagePanels_[1].hwnd(), pagePanels_[2].hwnd(), pagePanels_[3].hwnd()},
                 static_cast<size_t>(page));
}

void MainWindow::RequestLayout() {
    if (IsWindowVisible(hwnd()))
        LayoutControls();
    else
        layoutPending_ = true;
}

void MainWindow::LayoutControls() {
    // Nothing to place before the content, or while it is being built (the About page comes last).
    if (!aboutPage_.Tabs()) return;
    layoutPending_ = false;
    const UINT dpi = ui::WindowDpi(hwnd());
    RECT client{};
    GetClientRect(hwnd(), &client);
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
    optionsPage_.Layout(width, height, dpi);
    logPage_.Layout(width, height);
    aboutPage_.Layout(width, height, dpi);
}

void MainWindow::EnsureImages() {
    if (picturesLoaded_) return;
    picturesLoaded_ = true;
    ui::AddIconImages(pictures_.get(), IDI_IMG_BASE, IDI_IMG_COUNT, ui::Scale(16, ui::WindowDpi(hwnd())));
    if (contentBuilt_) DressContentImages();
}

void MainWindow::DressContentImages() {
    for (HWND tabs : {pageTabs_, aboutPage_.Tabs()}) InvalidateRect(tabs, nullptr, TRUE);
    actions_.setImage = [this](HWND button, int imageIndex) { SetButtonImage(button, imageIndex); };
    for (const auto& action : actions_.actions()) actions_.Changed(*action);
    taskPage_.ShowStartButtonImage();
    SetButtonImage(optionsPage_.Control(ids::createShortcutButton), PictureOf(IDI_IMG_CREATE_LINK));
    SetButtonImage(optionsPage_.Control(ids::checkNowButton), PictureOf(IDI_IMG_CHECK_UPDATES));
    aboutPage_.LoadImages(ui::WindowDpi(hwnd()));
}

void MainWindow::SetButtonImage(HWND button, int imageIndex) {
    if (!button || imageIndex < 0) return;
    // Toolbar buttons show a large image above the caption; the others a small one beside it.
    const bool toolbar = GetParent(button) == taskPage_.Toolbar();
    ui::ImageListHandle list = ui::SetButtonIcon(button, IDI_IMG_BASE + imageIndex,
                                                 ui::Scale(toolbar ? 24 : 16, ui::WindowDpi(hwnd())), toolbar);
    if (!list) return;
    for (auto& [hwnd, owned] : buttonImages_) {
        if (hwnd == button) {
            owned = std::move(list);
            return;
        }
    }
    buttonImages_.emplace_back(button, std::move(list));
}

void MainWindow::SetTabMetrics() {
    const UINT dpi = ui::WindowDpi(hwnd());
    for (HWND tabs : {pageTabs_, aboutPage_.Tabs()}) {
        TabCtrl_SetItemSize(tabs, 0, ui::Scale(kLanguageTabHeight, dpi));
        TabCtrl_SetPadding(tabs, ui::Scale(kLanguageTabPadding, dpi), ui::Scale(3, dpi));
    }
    RequestLayout();
    InvalidateRect(pageTabs_, nullptr, TRUE);
}

void MainWindow::ShowStatusText(int part) {
    if (contentBuilt_)
        SendMessageW(statusBar_, SB_SETTEXTW, static_cast<WPARAM>(part),
                     reinterpret_cast<LPARAM>(walkView_.Texts().Panel(part, Msg(NamedMsg::WaitingForSystem)).c_str()));
}

}  // namespace lentora
