#include "sysint/startup_entries_dialog.h"

#include <commctrl.h>

#include <algorithm>

#include "sysint/startup_entry_give_back.h"
#include "sysint/startup_entry_sources.h"
#include "sysint/startup_entry_take_over.h"
#include "ui/controls.h"
#include "ui/dpi.h"
#include "ui/fonts.h"
#include "ui/message_box.h"
#include "ui/placement.h"
#include "ui/text_width.h"
#include "util/format.h"
#include "util/text.h"

namespace lentora {
namespace {

// Enter and Esc reach the dialog as IDOK and IDCANCEL: Import and Close.
enum ControlId : int { kImportId = IDOK, kCloseId = IDCANCEL, kEnableId = 101, kDisableId, kListId, kStatusId, kGiveBackId };

constexpr int kPanelHeight = 57;
constexpr int kClientWidth = 597, kClientHeight = 311;
constexpr int kButtonWidth = 100, kButtonGap = 6, kMargin = 8;
// Room around a text: a button's edges, a column header's and a cell's padding.
constexpr int kButtonPadding = 24, kColumnPadding = 16;

struct ColumnLayout {
    const wchar_t* caption;
    int width;
    int format;
};
// The File column's width is recomputed to fill the list.
constexpr ColumnLayout kColumns[] = {{L"Enabled", 55, LVCFMT_LEFT},
                                     {L"Key", 60, LVCFMT_LEFT},
                                     {L"Program", 150, LVCFMT_LEFT},
                                     {L"File", 300, LVCFMT_LEFT}};

}  // namespace

StartupEntriesDialog::StartupEntriesDialog(HWND owner, ILogSink& log) : log_(log), texts_(DefaultTexts()) {
    EnterTextTargets();
    Create(owner);
}

StartupEntriesDialog::~StartupEntriesDialog() {
    // Gone before the fonts the controls use.
    if (hwnd()) DestroyWindow(hwnd());
}

bool StartupEntriesDialog::Create(HWND owner) {
    RegisterClassOnce(L"TfrmRegistryEdit");
    UINT dpi = ui::WindowDpi(owner);
    // A tool window of the property dialog: resizable, nothing to minimise or maximise.
    DWORD style = (WS_OVERLAPPEDWINDOW & ~(WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) | WS_CLIPCHILDREN,
          exStyle = WS_EX_TOPMOST | WS_EX_CONTROLPARENT;
    // Never wider than the window it opens over.
    int width = kClientWidth;
    RECT ownerClient{};
    if (owner && GetClientRect(owner, &ownerClient) && ownerClient.right > 0)
        width = std::min(width, MulDiv(ownerClient.right, 96, static_cast<int>(dpi)));
    const RECT r = ui::CentredWindowRect(owner, width, kClientHeight, style, exStyle, dpi);
    if (!CreateWindowObject(exStyle, L"TfrmRegistryEdit", L"Import from Registry", style, r.left, r.top,
                            r.right - r.left, r.bottom - r.top, owner))
        return false;
    startupFolders = {UserStartupFolder(), CommonStartupFolder()};
    RefreshEntries();
    return true;
}

void StartupEntriesDialog::Show() {
    if (skin) {
        skin->ColorListView(entryList_);
        skin->SkinControls(hwnd());
    }
    ApplyTextsAndRefill();
    ShowWindow(hwnd(), SW_SHOW);
    SetFocus(entryList_);
}

void StartupEntriesDialog::ApplyTextsAndRefill() {
    if (applyTexts) applyTexts(*this);
    // The buttons fit their new captions; the refill fits the columns.
    Layout();
    RefreshEntries();
}

void StartupEntriesDialog::CreateControls() {
    tooltip_.Create(hwnd());
    importButton_ = ui::CreateButton(hwnd(), L"Import", kImportId);
    // Never shown: they only carry the texts the language file gives them.
    enableButton_ = ui::CreateButton(hwnd(), L"Enable", kEnableId);
    disableButton_ = ui::CreateButton(hwnd(), L"Disable", kDisableId);
    ShowWindow(enableButton_, SW_HIDE);
    ShowWindow(disableButton_, SW_HIDE);
    giveBackButton_ = ui::CreateButton(hwnd(), L"Give back", kGiveBackId);
    closeButton_ = ui::CreateButton(hwnd(), L"Close", kCloseId);
    entryList_ = ui::CreateControl(hwnd(), WC_LISTVIEWW, L"",
                                   WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                                   kListId, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(entryList_, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    UINT dpi = ui::WindowDpi(hwnd());
    for (int i = 0; i < 4; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = kColumns[i].format;
        column.cx = ui::Scale(kColumns[i].width, dpi);
        column.pszText = const_cast<wchar_t*>(kColumns[i].caption);
        ListView_InsertColumn(entryList_, i, &column);
    }
    statusBar_ = ui::CreateControl(hwnd(), STATUSCLASSNAMEW, L"", SBARS_SIZEGRIP, kStatusId);
    int oneStatusPart = -1;
    SendMessageW(statusBar_, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&oneStatusPart));

    font_ = std::move(ui::CreateUiFonts(dpi).normal);
    ui::ApplyFont(hwnd(), font_.get());
    Layout();
}

void StartupEntriesDialog::Layout() {
    if (!entryList_) return;
    UINT dpi = ui::WindowDpi(hwnd());
    auto s = [dpi](int px) { return ui::Scale(px, dpi); };
    RECT client{};
    GetClientRect(hwnd(), &client);
    SendMessageW(statusBar_, WM_SIZE, 0, 0);
    RECT status{};
    GetWindowRect(statusBar_, &status);
    int statusHeight = status.bottom - status.top;
    const int importWidth = ButtonWidth(importButton_), giveBackWidth = ButtonWidth(giveBackButton_),
              closeWidth = ButtonWidth(closeButton_);
    ui::Move(importButton_, s(kMargin), s(15), importWidth, s(27));
    ui::Move(giveBackButton_, s(kMargin + kButtonGap) + importWidth, s(15), giveBackWidth, s(27));
    // Close keeps to the right edge while there is room for it beside the others.
    const int closeLeft = std::max(static_cast<int>(client.right) - s(kMargin) - closeWidth,
                                   s(kMargin + 2 * kButtonGap) + importWidth + giveBackWidth);
    ui::Move(closeButton_, closeLeft, s(15), closeWidth, s(27));
    int top = s(kPanelHeight);
    ui::Move(entryList_, 0, top, client.right, std::max(0, static_cast<int>(client.bottom) - top - statusHeight));
    ListView_SetColumnWidth(entryList_, 3, LVSCW_AUTOSIZE_USEHEADER);
}

void StartupEntriesDialog::RefreshEntries() {
    rows_ = ListStartupEntries(startupFolders, {texts_.userFolder, texts_.commonFolder});
    if (!entryList_) return;
    SendMessageW(entryList_, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(entryList_);
    for (size_t i = 0; i < rows_.size(); ++i) {
        const RegistryEntry& row = rows_[i];
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        const std::wstring state = StateText(row);
        item.pszText = const_cast<wchar_t*>(state.c_str());
        int index = ListView_InsertItem(entryList_, &item);
        ListView_SetItemText(entryList_, index, 1, const_cast<wchar_t*>(row.hkey.c_str()));
        ListView_SetItemText(entryList_, index, 2, const_cast<wchar_t*>(row.item.c_str()));
        ListView_SetItemText(entryList_, index, 3, const_cast<wchar_t*>(row.command.c_str()));
    }
    SendMessageW(entryList_, WM_SETREDRAW, TRUE, 0);
    FitColumns();
    InvalidateRect(entryList_, nullptr, TRUE);
    // The old selection's path would describe a row that is no more.
    ui::SetText(statusBar_, L"");
    EnableCommands();
}

void StartupEntriesDialog::FitColumns() {
    const UINT dpi = ui::WindowDpi(hwnd());
    // The File column takes what the others leave.
    for (int column = 0; column < 3; ++column) {
        int widest = ui::TextWidth(entryList_, ColumnCaption(column));
        for (int row = 0, count = ListView_GetItemCount(entryList_); row < count; ++row) {
            wchar_t text[512] = {};
            ListView_GetItemText(entryList_, row, column, text, 512);
            widest = std::max(widest, ui::TextWidth(entryList_, text));
        }
        ListView_SetColumnWidth(entryList_, column,
                                std::max(ui::Scale(kColumns[column].width, dpi), widest + ui::Scale(kColumnPadding, dpi)));
    }
    ListView_SetColumnWidth(entryList_, 3, LVSCW_AUTOSIZE_USEHEADER);
}

int StartupEntriesDialog::ButtonWidth(HWND button) const {
    const UINT dpi = ui::WindowDpi(hwnd());
    return std::max(ui::Scale(kButtonWidth, dpi), ui::TextWidth(button, ui::GetText(button)) + ui::Scale(kButtonPadding, dpi));
}

std::wstring StartupEntriesDialog::StateText(const RegistryEntry& row) const {
    if (row.StartsAtLogOn()) return texts_.startsText;
    return takenOver && takenOver(row) ? texts_.takenOverText : texts_.switchedOffText;
}

std::optional<RegistryEntry> StartupEntriesDialog::SelectedRow() const {
    if (!entryList_) return std::nullopt;
    int index = ListView_GetNextItem(entryList_, -1, LVNI_SELECTED);
    if (index < 0 || static_cast<size_t>(index) >= rows_.size()) return std::nullopt;
    return rows_[static_cast<size_t>(index)];
}

void StartupEntriesDialog::SelectRow(size_t index) {
    ListView_SetItemState(entryList_, static_cast<int>(index), LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
}

void StartupEntriesDialog::OnEntrySelected() {
    auto row = SelectedRow();
    if (!row) {
        ui::SetText(statusBar_, L"");
        return;
    }
    // A file's place is its path; a registry entry's, its root and key.
    ui::SetText(statusBar_, row->startupFile ? AddBackslash(row->key) + row->item
                                             : FormatText(L"%s\\%s", {row->hkey, row->key}));
}

void StartupEntriesDialog::ImportClicked() {
    auto row = SelectedRow();
    if (!row || !row->isString) return;
    if (onImport) onImport(*row);
    ShowWindow(hwnd(), SW_HIDE);
}

void StartupEntriesDialog::GiveBackSelected() {
    auto row = SelectedRow();
    if (!row || !CanGiveBack(*row) || !takenOver || !takenOver(*row)) return;
    // A message box leaves the focus on the frame: it goes back where it was.
    const HWND focus = GetFocus();
    // Yes removes the task, No keeps it disabled: either way the program is not started twice.
    const int answer = ui::ShowMessageBox(hwnd(), FormatText(texts_.giveBackQuestion, {row->item}), Title(),
                                          MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDYES || answer == IDNO) {
        const std::wstring place = GiveBackPlace(*row);
        switch (GiveBack(*row)) {
            case GiveBackResult::kGivenBack:
                GivenBack(*row, answer == IDYES, L"");
                break;
            case GiveBackResult::kNotWritten:
                log_.Log(FormatText(L"Can't give start-up entry \"%s\" back to \"%s\"", {row->item, place}));
                if (GiveBackElevated(*row, answer == IDYES)) break;
                ui::ShowMessageBox(hwnd(), FormatText(texts_.giveBackNotWritten, {row->item}), Title(),
                                   MB_OK | MB_ICONERROR);
                break;
            case GiveBackResult::kNameTaken:
                log_.Log(FormatText(L"Can't give start-up entry \"%s\" back to \"%s\": a value of that name is there",
                                    {row->item, place}));
                ui::ShowMessageBox(hwnd(), FormatText(texts_.giveBackNameTaken, {row->item}), Title(),
                                   MB_OK | MB_ICONERROR);
                break;
        }
    }
    // The button may have been disabled by the refill: the list takes the focus then.
    SetFocus(focus && IsWindowEnabled(focus) ? focus : entryList_);
}

void StartupEntriesDialog::GivenBack(const RegistryEntry& row, bool removeTask, const std::wstring& how) {
    log_.Log(FormatText(L"Start-up entry \"%s\" is given back to \"%s\"%s", {row.item, GiveBackPlace(row), how}));
    if (onGivenBack) onGivenBack(row, removeTask);
    RefreshEntries();
}

bool StartupEntriesDialog::GiveBackElevated(const RegistryEntry& row, bool removeTask) {
    // A legacy disabled entry is two writes, not one switch.
    if (row.disabledEntry || row.approvalRoot != L"HKLM" || exePath.empty() || worker_.Running()) return false;
    if (ui::ShowMessageBox(hwnd(), FormatText(texts_.giveBackElevateQuestion, {row.item}), Title(),
                           MB_YESNO | MB_ICONQUESTION) != IDYES)
        return true;
    if (!worker_.Start(hwnd(), exePath, ApprovalWriteParameters({row.approvalList, row.item, true}))) return false;
    log_.Log(FormatText(L"Asking for administrator rights to switch on start-up entry \"%s\"", {row.item}));
    elevatedGiveBack_.emplace(row, removeTask);
    EnableCommands();
    return true;
}

void StartupEntriesDialog::FinishElevatedGiveBack(WPARAM outcome) {
    const ElevatedOutcome result = worker_.Finish(outcome);
    if (!elevatedGiveBack_) return;
    const auto [row, removeTask] = std::move(*elevatedGiveBack_);
    elevatedGiveBack_.reset();
    EnableCommands();
    switch (result) {
        case ElevatedOutcome::kWritten:
            GivenBack(row, removeTask, L" with administrator rights");
            return;
        case ElevatedOutcome::kDeclined:
            log_.Log(FormatText(L"Administrator rights were declined. Start-up entry \"%s\" stays switched off", {row.item}));
            ui::ShowMessageBox(hwnd(), FormatText(texts_.giveBackDeclined, {row.item}), Title(), MB_OK | MB_ICONERROR);
            return;
        case ElevatedOutcome::kFailed:
            log_.Log(FormatText(L"Can't give start-up entry \"%s\" back to \"%s\" with administrator rights",
                                {row.item, GiveBackPlace(row)}));
            ui::ShowMessageBox(hwnd(), FormatText(texts_.giveBackNotWritten, {row.item}), Title(), MB_OK | MB_ICONERROR);
            return;
    }
}

void StartupEntriesDialog::EnableCommands() {
    auto row = SelectedRow();
    EnableWindow(giveBackButton_, !worker_.Running() && row && CanGiveBack(*row) && takenOver && takenOver(*row));
}

HWND StartupEntriesDialog::ButtonWindow(Button button) const {
    switch (button) {
        case Button::kImport: return importButton_;
        case Button::kEnable: return enableButton_;
        case Button::kDisable: return disableButton_;
        case Button::kGiveBack: return giveBackButton_;
        case Button::kClose: return closeButton_;
    }
    return nullptr;
}

std::wstring StartupEntriesDialog::StatusText() const { return ui::GetText(statusBar_); }

LRESULT StartupEntriesDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            CreateControls();
            return 0;
        case WM_SIZE:
            Layout();
            return 0;
        case WM_GETMINMAXINFO: {
            UINT dpi = ui::WindowDpi(hwnd());
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize = {ui::Scale(300, dpi), ui::Scale(200, dpi)};
            return 0;
        }
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) break;
            switch (LOWORD(wParam)) {
                case kImportId: ImportClicked(); return 0;
                case kGiveBackId: GiveBackSelected(); return 0;
                case kCloseId: ShowWindow(hwnd(), SW_HIDE); return 0;
            }
            break;
        case WM_NOTIFY: {
            auto* hdr = reinterpret_cast<NMHDR*>(lParam);
            if (hdr->hwndFrom != entryList_) break;
            if (hdr->code == NM_DBLCLK && reinterpret_cast<NMITEMACTIVATE*>(hdr)->iItem >= 0) ImportClicked();
            if (hdr->code == LVN_ITEMCHANGED && (reinterpret_cast<NMLISTVIEW*>(hdr)->uChanged & LVIF_STATE)) {
                // Clicks, arrow keys and type-ahead all move the selection.
                OnEntrySelected();
                EnableCommands();
            }
            break;
        }
        case WM_ELEVATED_WRITE_DONE:
            FinishElevatedGiveBack(wParam);
            return 0;
        case WM_CLOSE:
            // Closing only hides: the property dialog owns the lifetime.
            ShowWindow(hwnd(), SW_HIDE);
            return 0;
    }
    if (skin) {
        if (auto dressed = skin->Dress(hwnd(), msg, wParam)) return *dressed;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace lentora
