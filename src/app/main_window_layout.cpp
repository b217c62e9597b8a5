// The main window's controls, pages, actions and menus, and their placement.
#include <algorithm>

#include "app/main_window.h"
#include "app/main_window_ids.h"
#include "image_ids.h"
#include "ui/dpi.h"
#include "ui/fonts.h"
#include "ui/image_list.h"
#include "ui/placement.h"

namespace lentora {
namespace {

constexpr int kTabHeight = 30;
constexpr int kToolbarHeight = 57;

// Options page stack, in order: Down, three group boxes, the save panel, Up.
constexpr int kDownHeight = 22, kStartStopHeight = 190, kLanguageHeight = 57, kSkinsHeight = 67,
              kSavePanelHeight = 40, kUpHeight = 22;
constexpr int kOptionsContentHeight =
    kDownHeight + kStartStopHeight + kLanguageHeight + kSkinsHeight + kSavePanelHeight + kUpHeight;

}  // namespace

void MainWindow::CreateWindowParts() {
    CreateActions();
    CreateMenus();
    CreateTray();
    // The tabs' pictures, shared with the menus; loaded when first shown.
    int imageSize = ui::Scale(16, ui::WindowDpi(hwnd()));
    sAlphaImageList1_.reset(ImageList_Create(imageSize, imageSize, ILC_COLOR32 | ILC_MASK, IDI_IMG_COUNT, 0));
    skins_.AttachWindow(hwnd());
    skins_.onAfterChange = [this] {
        if (!contentBuilt_) return;
        skins_.ColorListView(lvListProg_);
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
    options_.Attach([this](int id) { return FindControl(id); });
    skins_.ColorListView(lvListProg_);
    tasks_.SetChangeHandler([this] { RefreshListView(); });
    RefreshListView();
    pageUpdates_.GoLive();
    if (imagesLoaded_) DressContentImages();
    RequestLayout();
}

void MainWindow::CreateContent() {
    tooltip_.Create(hwnd());
    actions_.setHint = [this](HWND control, const std::wstring& hint) { tooltip_.Set(control, hint); };

    pcMainPage_ = ui::CreateControl(hwnd(), WC_TABCONTROLW, L"", WS_CLIPSIBLINGS | WS_TABSTOP, ids::pcMainPage);
    statusBar_ = ui::CreateControl(hwnd(), STATUSCLASSNAMEW, L"", SBARS_SIZEGRIP, ids::StatusBar);
    controls_ = {{ids::pcMainPage, pcMainPage_}, {ids::StatusBar, statusBar_}};

    // The Log tab is there only while logging is on.
    const wchar_t* pages[] = {L"\u0422\u0430sk List", L"Options", L"\u041E \u043F\u0440\u043E\u0433\u0440\u0430\u043C\u043C\u0435"};
    const int images[] = {21, 4, 10};  // shown once the image list is attached
    for (int i = 0; i < 3; ++i) {
        TCITEMW item{TCIF_TEXT | TCIF_IMAGE};
        item.pszText = const_cast<wchar_t*>(pages[i]);
        item.iImage = images[i];
        TabCtrl_InsertItem(pcMainPage_, i, &item);
    }
    if (logPageVisible_) InsertLogTab();
    for (ui::Panel* page : {&tsStartProgram_, &tsOptions_, &tsLogView_, &tsAbout_}) page->Create(hwnd());
    TabCtrl_SetItemSize(pcMainPage_, 0, ui::Scale(kTabHeight, ui::WindowDpi(hwnd())));

    CreateTaskPage();
    CreateOptionsPage();
    logPage_.Create(tsLogView_.hwnd());
    controls_.push_back({ids::lbLog, logPage_.List()});
    aboutPage_.Create(tsAbout_.hwnd(), [this](int id, HWND control) {
        controls_.push_back({id, control});
        return control;
    });
    // The image list is attached while still empty, so the tabs are sized for their pictures
    // from the start.
    for (HWND tabs : {pcMainPage_, aboutPage_.Tabs()}) TabCtrl_SetImageList(tabs, sAlphaImageList1_.get());
    ApplyFonts();
    for (int id : {ids::gbStartStop, ids::gbLanguage, ids::gbSkins}) skins_.SkinGroupBox(FindControl(id));
    OptionsSB_.ScrollTo(0);
    TabCtrl_SetCurSel(pcMainPage_, 0);
    ShowPage(0);
    aboutPage_.ShowSubPage(0);
}

void MainWindow::CreateActions() {
    struct Def { const wchar_t* name; int id; const wchar_t* caption; const wchar_t* hint; int image; };
    const Def defs[] = {
        {L"actAddTask", ids::actAddTask, L"Add", L"To add a file for start in the task list", 1},
        {L"actEditTask", ids::actEditTask, L"Edit", L"\u041F\u0440\u0430\u0432\u0438\u0442\u044C \u0432\u044B\u0431\u0440\u0430\u043D\u043D\u0443\u044E \u0437\u0430\u0434\u0430\u0447\u0443", 2},
        {L"actDeleteTask", ids::actDeleteTask, L"Delete", L"\u0423\u0434\u0430\u043B\u0438\u0442\u044C \u0432\u044B\u0431\u0440\u0430\u043D\u043D\u0443\u044E \u0437\u0430\u0434\u0430\u0447\u0443 \u0438\u0437 \u0441\u043F\u0438\u0441\u043A\u0430", 3},
        {L"actStart", ids::actStart, L"start the program", L"", 6},
        {L"actStop", ids::actStop, L"Stop", L"", 20},
        {L"actPause", ids::actPause, L"Pause", L"", 25},
        {L"actResume", ids::actResume, L"Resume", L"", 6},
        {L"actWait", ids::actWait, L"Waiting... Stop", L"The delay of start Is active.", 18},
        {L"actCloseApp", ids::actCloseApp, L"Close", L"Close Application", 11},
        {L"actDeleteAllTask", ids::actDeleteAllTask, L"Delete All Tasks", L"", 12},
        {L"actSetActiveAll", ids::actSetActiveAll, L"actSetActiveAll", L"", 15},
        {L"actDeactiveAll", ids::actDeactiveAll, L"actDeactiveAll", L"", 16},
        {L"actApplyLng", ids::actApplyLng, L"Apply", L"Change Language", 23},
        {L"actImport", ids::actImport, L"Import", L"", 17},
    };
    for (const auto& d : defs) actions_.Add(d.name, d.id, d.caption, d.hint, d.image);

    ActionFor(ids::actResume).SetVisible(false);
    ActionFor(ids::actWait).SetVisible(false);
    ActionFor(ids::actApplyLng).SetEnabled(false);

    ActionFor(ids::actAddTask).onExecute = [this] { actAddTaskExecute(); };
    ActionFor(ids::actEditTask).onExecute = [this] { actEditTaskExecute(); };
    ActionFor(ids::actDeleteTask).onExecute = [this] { actDeleteTaskExecute(); };
    ActionFor(ids::actDeleteAllTask).onExecute = [this] { actDeleteAllTaskExecute(); };
    ActionFor(ids::actSetActiveAll).onExecute = [this] { actSetActiveAllExecute(); };
    ActionFor(ids::actDeactiveAll).onExecute = [this] { actDeactiveAllExecute(); };
    ActionFor(ids::actStart).onExecute = [this] { actStartExecute(); };
    ActionFor(ids::actCloseApp).onExecute = [this] { PostMessageW(hwnd(), WM_CLOSE, 0, 0); };
    ActionFor(ids::actPause).onExecute = [this] { sequencer_.Pause(); };
    ActionFor(ids::actResume).onExecute = [this] { sequencer_.Resume(); };
    ActionFor(ids::actStop).onExecute = [this] { sequencer_.StopFromTray(); };
    ActionFor(ids::actWait).onExecute = [this] { sequencer_.CancelDelay(); };
    ActionFor(ids::actApplyLng).onExecute = [this] { actApplyLngExecute(); };
    ActionFor(ids::actImport).onExecute = [this] { actImportExecute(); };
    ActionFor(ids::actStop).onUpdate = [this] { sequencer_.RefreshStopAction(); };
    ActionFor(ids::actPause).onUpdate = [this] { sequencer_.RefreshPauseAction(); };
}

void MainWindow::CreateTaskPage() {
    pnlWork_.Create(tsStartProgram_.hwnd());
    HWND bar = pnlWork_.hwnd();
    bbtnAdd_ = ui::CreateButton(bar, L"", ids::actAddTask);
    bbtnEdit_ = ui::CreateButton(bar, L"", ids::actEditTask);
    bbtnDelete_ = ui::CreateButton(bar, L"", ids::actDeleteTask);
    btnWait_ = ui::CreateButton(bar, L"", ids::actWait, BS_FLAT);
    bbtnStart_ = ui::CreateButton(bar, L"Start", ids::bbtnStart);
    actions_.BindButton(ActionFor(ids::actAddTask), bbtnAdd_);
    actions_.BindButton(ActionFor(ids::actEditTask), bbtnEdit_);
    actions_.BindButton(ActionFor(ids::actDeleteTask), bbtnDelete_);
    actions_.BindButton(ActionFor(ids::actWait), btnWait_);
    controls_.push_back({ids::bbtnStart, bbtnStart_});

    lvListProg_ = ui::CreateControl(tsStartProgram_.hwnd(), WC_LISTVIEWW, L"",
                                    WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL, ids::lvListProg,
                                    WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(lvListProg_, LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT |
                                                       LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP);
    controls_.push_back({ids::lvListProg, lvListProg_});
    const wchar_t* columns[] = {L"Program", L"Time (s)", L"Status"};
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNW col{LVCF_TEXT | LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM};
        col.fmt = i == 0 ? LVCFMT_LEFT : LVCFMT_CENTER;
        col.cx = i == 0 ? 300 : i == 1 ? 80 : 75;
        col.pszText = const_cast<wchar_t*>(columns[i]);
        col.iSubItem = i;
        ListView_InsertColumn(lvListProg_, i, &col);
    }
}

void MainWindow::SetOptionDefaults() {
    options_.SetChecked(ids::chkCheckforUpdate, true);
    for (const wchar_t* entry : {L"\u0420\u0443\u0441\u0441\u043A\u0438\u0439 (RU)", L"English (GB)"})
        options_.AddItem(ids::cbLanguageSelect, entry);
    for (int id : {ids::sSkinBox, ids::chbAero, ids::btnSaveOptions}) options_.SetEnabled(id, false);
}

void MainWindow::CreateOptionsPage() {
    OptionsSB_.Create(tsOptions_.hwnd(), WS_VSCROLL);
    HWND box = OptionsSB_.hwnd();
    auto add = [this](int id, HWND hwnd) {
        controls_.push_back({id, hwnd});
        return hwnd;
    };
    add(ids::sbDownSB, ui::CreateButton(box, L"Down", ids::sbDownSB, BS_FLAT));
    add(ids::gbStartStop, ui::CreateGroupBox(box, L"Customisations of start / closing"));
    add(ids::chbWindowsStart, ui::CreateCheckBox(box, L"To start at Windows loading", ids::chbWindowsStart));
    add(ids::chkUserProfile, ui::CreateCheckBox(box, L"Use User's Profile", ids::chkUserProfile));
    add(ids::chbSetWaitTimer, ui::CreateCheckBox(box, L"To use delay of start", ids::chbSetWaitTimer));
    controls_.push_back({ids::lblWaitSec, ui::CreateLabel(box, L"Delay of start (s)")});
    auto wait = ui::CreateSpinEdit(box, ids::dseWaitSec, 0, 999999, 6, 1);
    add(ids::dseWaitSec, wait.edit);
    add(ids::dseWaitSecSpin, wait.spin);
    controls_.push_back({ids::lblTimeExit, ui::CreateLabel(box, L"Time before exit (s)")});
    auto exit = ui::CreateSpinEdit(box, ids::dseTimeExit, 0, 999999, 6, 1);
    add(ids::dseTimeExit, exit.edit);
    add(ids::dseTimeExitSpin, exit.spin);
    add(ids::chkShowBalloon, ui::CreateCheckBox(box, L"Show BallonHint on launch task", ids::chkShowBalloon));
    add(ids::chkCheckforUpdate, ui::CreateCheckBox(box, L"Check for updates", ids::chkCheckforUpdate));
    controls_.push_back({ids::lblPollingInterval, ui::CreateLabel(box, L"Polling interval (in days)")});
    auto poll = ui::CreateSpinEdit(box, ids::dsePollingInterval, 0, 365, 3, 1);
    add(ids::dsePollingInterval, poll.edit);
    add(ids::dsePollingIntervalSpin, poll.spin);
    controls_.push_back({ids::lblLastPool, ui::CreateLabel(box, L"Last pool")});
    add(ids::ledLastPool, ui::CreateControl(box, WC_EDITW, L"none", ES_READONLY | ES_AUTOHSCROLL, ids::ledLastPool,
                                            WS_EX_CLIENTEDGE));
    add(ids::btnCreateLink, ui::CreateButton(box, L"Create link", ids::btnCreateLink));
    add(ids::btnCheckUpdates, ui::CreateButton(box, L"Check updates", ids::btnCheckUpdates));

    controls_.push_back({ids::gbLanguage, ui::CreateGroupBox(box, L"Language")});
    add(ids::cbLanguageSelect,
        ui::CreateControl(box, WC_COMBOBOXW, L"", WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL, ids::cbLanguageSelect));
    HWND apply = add(ids::actApplyLng, ui::CreateButton(box, L"", ids::actApplyLng));
    actions_.BindButton(ActionFor(ids::actApplyLng), apply);
    controls_.push_back({ids::lblAutorLng, ui::CreateLabel(box, L"Translation by:")});

    controls_.push_back({ids::gbSkins, ui::CreateGroupBox(box, L"Skins")});
    add(ids::chbUseSkin, ui::CreateCheckBox(box, L"To use skin", ids::chbUseSkin));
    add(ids::sSkinBox,
        ui::CreateControl(box, WC_COMBOBOXW, L"", WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL, ids::sSkinBox));
    add(ids::chbAero, ui::CreateCheckBox(box, L"To use Aero Effect", ids::chbAero));
    add(ids::wlblLoadSkins, ui::CreateLink(box, L"load additional skins", ids::wlblLoadSkins));

    add(ids::btnSaveOptions, ui::CreateButton(box, L"Save options", ids::btnSaveOptions));
    add(ids::sbUpSB, ui::CreateButton(box, L"Up", ids::sbUpSB, BS_FLAT));
}

void MainWindow::CreateMenus() {
    auto item = [this](const wchar_t* name, int command) { return ui::ActionMenuItem(name, ActionFor(command)); };
    ui::MenuItem separator;
    separator.name = L"N1";
    separator.separator = true;
    pmnuListProg_.items = {item(L"mnuStart", ids::actStart),
                           item(L"mnuAdd", ids::actAddTask),
                           item(L"mnuEdit", ids::actEditTask),
                           item(L"mnuDelete", ids::actDeleteTask),
                           separator,
                           item(L"actSetActiveAll1", ids::actSetActiveAll),
                           item(L"actDeactiveAll1", ids::actDeactiveAll),
                           item(L"MnuDeleteAllTasks", ids::actDeleteAllTask)};
    pmnuListProg_.images = MenuPictures();
}

std::function<HIMAGELIST()> MainWindow::MenuPictures() {
    return [this] {
        EnsureImages();
        return sAlphaImageList1_.get();
    };
}

void MainWindow::ApplyFonts() {
    ui::UiFonts fonts = ui::CreateUiFonts(ui::WindowDpi(hwnd()));
    font_ = std::move(fonts.normal);
    boldFont_ = std::move(fonts.bold);
    strikeFont_ = std::move(fonts.strike);
    boldItalicFont_ = std::move(fonts.boldItalic);
    ui::ApplyFont(hwnd(), font_.get());
    // The About header and the payment blocks stand out.
    for (int id : {ids::lblTitle, ids::lblFreeware, ids::lblPay1, ids::lblPay2, ids::btnAccount})
        SendMessageW(Control(id), WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.get()), TRUE);
    SendMessageW(Control(ids::sLabel1), WM_SETFONT, reinterpret_cast<WPARAM>(boldItalicFont_.get()), TRUE);
}

void MainWindow::ShowPage(int index) {
    // The Log tab is absent while logging is off, so tab positions after it shift by one.
    int page = !logPageVisible_ && index >= 2 ? index + 1 : index;
    ui::ShowOnly({tsStartProgram_.hwnd(), tsOptions_.hwnd(), tsLogView_.hwnd(), tsAbout_.hwnd()},
                 static_cast<size_t>(page));
}

void MainWindow::RequestLayout() {
    if (IsWindowVisible(hwnd()))
        LayoutControls();
    else
        layoutPending_ = true;
}

void MainWindow::LayoutControls() {
    if (!pcMainPage_) return;
    layoutPending_ = false;
    UINT dpi = ui::WindowDpi(hwnd());
    auto s = [dpi](int px) { return ui::Scale(px, dpi); };
    RECT client{};
    GetClientRect(hwnd(), &client);
    SendMessageW(statusBar_, WM_SIZE, 0, 0);
    InvalidateRect(statusBar_, nullptr, TRUE);  // the size grip moved; its old picture would stay
    RECT sb{};
    GetWindowRect(statusBar_, &sb);
    int statusHeight = sb.bottom - sb.top;
    // Two panels: the status text and the walk's tick counter.
    int parts[] = {s(230), s(230 + 150)};
    SendMessageW(statusBar_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));

    ui::Move(pcMainPage_, 0, 0, client.right, client.bottom - statusHeight);
    RECT display{0, 0, client.right, client.bottom - statusHeight};
    TabCtrl_AdjustRect(pcMainPage_, FALSE, &display);
    for (ui::Panel* page : {&tsStartProgram_, &tsOptions_, &tsLogView_, &tsAbout_}) {
        SetWindowPos(page->hwnd(), HWND_TOP, display.left, display.top, display.right - display.left,
                     display.bottom - display.top, SWP_NOACTIVATE);
    }
    int pageWidth = display.right - display.left, pageHeight = display.bottom - display.top;

    // Task page: toolbar on top, images above captions, Start at the right edge.
    ui::Move(pnlWork_.hwnd(), 0, 0, pageWidth, s(kToolbarHeight));
    int bw = s(72), bh = s(kToolbarHeight - 8), y = s(4);
    int x = s(4);
    for (HWND b : {bbtnAdd_, bbtnEdit_, bbtnDelete_}) {
        ui::Move(b, x, y, bw, bh);
        x += bw + s(4);
    }
    ui::Move(btnWait_, x + s(8), y, s(110), bh);
    ui::Move(bbtnStart_, pageWidth - bw - s(4), y, bw, bh);
    ui::Move(lvListProg_, 0, s(kToolbarHeight), pageWidth, pageHeight - s(kToolbarHeight));
    int fixed = s(80) + s(75) + GetSystemMetrics(SM_CXVSCROLL) + s(4);
    ListView_SetColumnWidth(lvListProg_, 0, std::max(s(100), pageWidth - fixed));
    ListView_SetColumnWidth(lvListProg_, 1, s(80));
    ListView_SetColumnWidth(lvListProg_, 2, s(75));

    ui::Move(OptionsSB_.hwnd(), 0, 0, pageWidth, pageHeight);
    LayoutOptionsPage();
    logPage_.Layout(pageWidth, pageHeight);
    aboutPage_.Layout(pageWidth, pageHeight, dpi);
}

void MainWindow::EnsureImages() {
    if (imagesLoaded_) return;
    imagesLoaded_ = true;
    ui::AddIconImages(sAlphaImageList1_.get(), IDI_IMG_BASE, IDI_IMG_COUNT, ui::Scale(16, ui::WindowDpi(hwnd())));
    if (contentBuilt_) DressContentImages();
}

void MainWindow::DressContentImages() {
    for (HWND tabs : {pcMainPage_, aboutPage_.Tabs()}) InvalidateRect(tabs, nullptr, TRUE);
    actions_.setImage = [this](HWND button, int imageIndex) { SetButtonImage(button, imageIndex); };
    for (const auto& action : actions_.actions()) actions_.Changed(*action);
    SetButtonImage(bbtnStart_, startButtonImage_);
    SetButtonImage(Control(ids::btnCreateLink), 24);
    SetButtonImage(Control(ids::btnCheckUpdates), 27);
    aboutPage_.LoadImages(ui::WindowDpi(hwnd()));
}

void MainWindow::SetButtonImage(HWND button, int imageIndex) {
    if (!button || imageIndex < 0) return;
    // Toolbar buttons show a large image above the caption; the others a small one beside it.
    bool toolbar = GetParent(button) == pnlWork_.hwnd();
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

void MainWindow::SetTabMetrics(int height, int padding) {
    pageUpdates_.Run(L"tabMetrics", [this, height, padding] { SetTabMetricsNow(height, padding); });
}

void MainWindow::SetTabMetricsNow(int height, int padding) {
    UINT dpi = ui::WindowDpi(hwnd());
    for (HWND tabs : {pcMainPage_, aboutPage_.Tabs()}) {
        TabCtrl_SetItemSize(tabs, 0, ui::Scale(height, dpi));
        TabCtrl_SetPadding(tabs, ui::Scale(padding, dpi), ui::Scale(3, dpi));
    }
    RequestLayout();
    InvalidateRect(pcMainPage_, nullptr, TRUE);
}

void MainWindow::LayoutOptionsPage() {
    UINT dpi = ui::WindowDpi(hwnd());
    auto s = [dpi](int px) { return ui::Scale(px, dpi); };
    RECT rc{};
    GetClientRect(OptionsSB_.hwnd(), &rc);
    int w = rc.right;
    int top = -OptionsSB_.ScrollPosition();
    auto place = [&](int id, int x, int y, int width, int height) {
        // A width of 0 or less reaches that far short of the right edge.
        if (HWND h = Control(id)) ui::Move(h, s(x), top + s(y), width <= 0 ? w - s(x) + s(width) : s(width), s(height));
    };
    int y = 0;
    place(ids::sbDownSB, 0, y, 0, kDownHeight);
    y += kDownHeight;
    place(ids::gbStartStop, 4, y, -4, kStartStopHeight - 4);
    place(ids::chbWindowsStart, 14, y + 20, 260, 20);
    place(ids::chkUserProfile, 14, y + 42, 260, 20);
    place(ids::chbSetWaitTimer, 14, y + 64, 260, 20);
    place(ids::lblWaitSec, 14, y + 93, 150, 18);
    place(ids::dseWaitSec, 168, y + 90, 70, 22);
    place(ids::dseWaitSecSpin, 238, y + 90, 18, 22);
    place(ids::lblTimeExit, 14, y + 121, 150, 18);
    place(ids::dseTimeExit, 168, y + 118, 70, 22);
    place(ids::dseTimeExitSpin, 238, y + 118, 18, 22);
    place(ids::chkShowBalloon, 14, y + 148, 260, 20);
    int rx = 284;
    place(ids::chkCheckforUpdate, rx, y + 20, 240, 20);
    place(ids::lblPollingInterval, rx, y + 45, 150, 18);
    place(ids::dsePollingInterval, rx + 150, y + 42, 50, 22);
    place(ids::dsePollingIntervalSpin, rx + 200, y + 42, 18, 22);
    place(ids::lblLastPool, rx, y + 73, 80, 18);
    place(ids::ledLastPool, rx + 80, y + 70, 138, 22);
    // As wide as the fields above them: the captions run long in some languages.
    place(ids::btnCheckUpdates, rx, y + 110, 218, 26);
    place(ids::btnCreateLink, rx, y + 142, 218, 26);
    y += kStartStopHeight;
    place(ids::gbLanguage, 4, y, -4, kLanguageHeight - 4);
    place(ids::cbLanguageSelect, 14, y + 20, 160, 200);
    place(ids::actApplyLng, 180, y + 19, 110, 25);
    // Two lines: the translator's name and the file's version often do not fit in one.
    place(ids::lblAutorLng, 300, y + 16, -10, 34);
    y += kLanguageHeight;
    place(ids::gbSkins, 4, y, -4, kSkinsHeight - 4);
    place(ids::chbUseSkin, 14, y + 20, 170, 20);
    place(ids::sSkinBox, 190, y + 19, 150, 200);
    place(ids::chbAero, 14, y + 42, 200, 20);
    place(ids::wlblLoadSkins, 350, y + 22, -10, 20);
    y += kSkinsHeight;
    if (HWND save = Control(ids::btnSaveOptions)) ui::Move(save, w - s(140), top + s(y + 7), s(130), s(26));
    y += kSavePanelHeight;
    place(ids::sbUpSB, 0, y, 0, kUpHeight);
    OptionsSB_.SetScrollContent(s(kOptionsContentHeight), s(25));
    // A group box repaints only its frame: its old frame, now inside it, goes with the page's
    // background, which its transparent style lets the page paint.
    RedrawWindow(OptionsSB_.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace lentora
