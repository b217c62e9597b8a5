#include "sysint/startup_entries_dialog.h"

#include <commctrl.h>

#include <algorithm>

#include "sysint/startup_entry_give_back.h"
#include "sysint/startup_entry_sources.h"
#include "sysint/startup_entry_take_over.h"
#include "ui/controls.h"
#include "ui/dpi.h"
#include "ui/fonts.h"
#include "ui/list_view_rows.h"
#include "ui/message_box.h"
#include "ui/placement.h"
#include "util/format.h"
#include "util/text.h"

namespace lentora {
namespace {

enum ControlId : int { kImportId = 101, kEnableId, kDisableId, kListId, kStatusId, kGiveBackId };

constexpr int kPanelHeight = 57;
constexpr int kClientWidth = 597, kClientHeight = 311;

struct ColumnLayout {
    const wchar_t* caption;
    int width;
    int format;
};
// The File column's width is recomputed to fill the list.
constexpr ColumnLayout kColumns[] = {{L"Enabled", 55, LVCFMT_LEFT},
                                     {L"Key", 60, LVCFMT_CENTER},
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
    DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, exStyle = WS_EX_TOPMOST | WS_EX_CONTROLPARENT;
    const RECT r = ui::CentredWindowRect(owner, kClientWidth, kClientHeight, style, exStyle, dpi);
    if (!CreateWindowObject(exStyle, L"TfrmRegistryEdit", L"Import from Registry", style, r.left, r.top,
                            r.right - r.left, r.bottom - r.top, owner))
        return false;
    startupFolders = {UserStartupFolder(), CommonStartupFolder()};
    RefreshEntries();
    return true;
}

void StartupEntriesDialog::Show() {
    if (skin) skin->ColorListView(entryList_);
    ApplyTextsAndRefill();
    ShowWindow(hwnd(), SW_SHOW);
    SetFocus(entryList_);
}

void StartupEntriesDialog::ApplyTextsAndRefill() {
    if (applyTexts) applyTexts(*this);
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
    SetWindowSubclass(entryList_, &StartupEntriesDialog::ListProc, 0, reinterpret_cast<DWORD_PTR>(this));
    statusBar_ = ui::CreateControl(hwnd(), STATUSCLASSNAMEW, L"", SBARS_SIZEGRIP, kStatusId);
    int oneStatusPart = -1;
    SendMessageW(statusBar_, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&oneStatusPart));

    ui::UiFonts fonts = ui::CreateUiFonts(dpi);
    font_ = std::move(fonts.normal);
    boldFont_ = std::move(fonts.bold);
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
    ui::Move(importButton_, s(8), s(15), s(100), s(27));
    ui::Move(enableButton_, s(114), s(15), s(100), s(27));
    ui::Move(disableButton_, s(220), s(15), s(100), s(27));
    ui::Move(giveBackButton_, s(114), s(15), s(100), s(27));
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
        item.pszText = const_cast<wchar_t*>(row.enabled.c_str());
        int index = ListView_InsertItem(entryList_, &item);
        ListView_SetItemText(entryList_, index, 1, const_cast<wchar_t*>(row.hkey.c_str()));
        ListView_SetItemText(entryList_, index, 2, const_cast<wchar_t*>(row.item.c_str()));
        ListView_SetItemText(entryList_, index, 3, const_cast<wchar_t*>(row.command.c_str()));
    }
    SendMessageW(entryList_, WM_SETREDRAW, TRUE, 0);
    FitKeyColumn();
    ListView_SetColumnWidth(entryList_, 3, LVSCW_AUTOSIZE_USEHEADER);
    InvalidateRect(entryList_, nullptr, TRUE);
    // The old selection's path would describe a row that is no more.
    ui::SetText(statusBar_, L"");
    EnableCommands();
}

// A Startup folder's name, drawn in bold, is wider than a root abbreviation: the column grows to
// the widest text it holds, and never below its layout width.
void StartupEntriesDialog::FitKeyColumn() {
    const UINT dpi = ui::WindowDpi(hwnd());
    ui::ScreenDC dc;
    ui::SelectGuard bold(dc.get(), boldFont_.get());
    int widest = 0;
    for (const RegistryEntry& row : rows_) {
        SIZE size{};
        GetTextExtentPoint32W(dc.get(), row.hkey.c_str(), static_cast<int>(row.hkey.size()), &size);
        widest = std::max(widest, static_cast<int>(size.cx));
    }
    ListView_SetColumnWidth(entryList_, 1, std::max(ui::Scale(kColumns[1].width, dpi), widest + ui::Scale(16, dpi)));
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
    if (!row) return;
    // A file's place is its path; a registry entry's, its root and key.
    ui::SetText(statusBar_, row->startupFile ? AddBackslash(row->key) + row->item
                                             : FormatText(L"%s\\%s", {row->hkey, row->key}));
}

void StartupEntriesDialog::ImportClicked() {
    auto row = SelectedRow();
    if (!row || !row->isString) return;
    if (onImport) onImport(TaskCommandLine(*row), row->StartsAtLogOn());
    ShowWindow(hwnd(), SW_HIDE);
}

void StartupEntriesDialog::GiveBackSelected() {
    auto row = SelectedRow();
    if (!row || !CanGiveBack(*row)) return;
    if (ui::ShowMessageBox(hwnd(), FormatText(texts_.giveBackQuestion, {row->item}), Title(),
                           MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    const std::wstring place = GiveBackPlace(*row);
    switch (GiveBack(*row)) {
        case GiveBackResult::kGivenBack:
            log_.Log(FormatText(L"Start-up entry \"%s\" is given back to \"%s\"", {row->item, place}));
            RefreshEntries();
            return;
        case GiveBackResult::kNotWritten:
            log_.Log(FormatText(L"Can't give start-up entry \"%s\" back to \"%s\"", {row->item, place}));
            ui::ShowMessageBox(hwnd(), FormatText(texts_.giveBackNotWritten, {row->item}), Title(),
                               MB_OK | MB_ICONERROR);
            return;
        case GiveBackResult::kNameTaken:
            log_.Log(FormatText(L"Can't give start-up entry \"%s\" back to \"%s\": a value of that name is there",
                                {row->item, place}));
            ui::ShowMessageBox(hwnd(), FormatText(texts_.giveBackNameTaken, {row->item}), Title(),
                               MB_OK | MB_ICONERROR);
            return;
    }
}

void StartupEntriesDialog::EnableCommands() {
    auto row = SelectedRow();
    EnableWindow(giveBackButton_, row && CanGiveBack(*row));
}

bool StartupEntriesDialog::TakeOverSelected() {
    auto row = SelectedRow();
    return !row || TakeOver(*row, log_);
}

HWND StartupEntriesDialog::ButtonWindow(Button button) const {
    switch (button) {
        case Button::kImport: return importButton_;
        case Button::kEnable: return enableButton_;
        case Button::kDisable: return disableButton_;
        case Button::kGiveBack: return giveBackButton_;
    }
    return nullptr;
}

std::wstring StartupEntriesDialog::StatusText() const { return ui::GetText(statusBar_); }

LRESULT StartupEntriesDialog::DrawEntryRows(NMLVCUSTOMDRAW* cd) {
    // Active entries stand out in bold.
    return ui::DrawRowsInFont(*cd, [this](size_t row) {
        const bool bold = row < rows_.size() && !SameTextNoCase(rows_[row].enabled, L"no");
        return bold ? boldFont_.get() : font_.get();
    });
}

LRESULT CALLBACK StartupEntriesDialog::ListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                                DWORD_PTR self) {
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &StartupEntriesDialog::ListProc, id);
    LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
    // After the list's own handling, so a type-ahead search has moved the selection already.
    if (msg == WM_CHAR) reinterpret_cast<StartupEntriesDialog*>(self)->OnEntrySelected();
    return result;
}

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
            if (LOWORD(wParam) == kImportId) {
                ImportClicked();
                return 0;
            }
            if (LOWORD(wParam) == kGiveBackId) {
                GiveBackSelected();
                return 0;
            }
            break;
        case WM_NOTIFY: {
            auto* hdr = reinterpret_cast<NMHDR*>(lParam);
            if (hdr->hwndFrom != entryList_) break;
            if (hdr->code == NM_CLICK) OnEntrySelected();
            if (hdr->code == LVN_ITEMCHANGED) EnableCommands();
            if (hdr->code == NM_CUSTOMDRAW) return DrawEntryRows(reinterpret_cast<NMLVCUSTOMDRAW*>(hdr));
            break;
        }
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
