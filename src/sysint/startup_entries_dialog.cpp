#include "sysint/startup_entries_dialog.h"

#include <commctrl.h>

#include <algorithm>

#include "lang/language_keys.h"
#include "sysint/registry_key.h"
#include "sysint/startup_approval_key.h"
#include "sysint/startup_entry_give_back.h"
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

enum : int { kImport = 101, kEnable, kDisable, kList, kStatus, kGiveBack };

// Listing needs no write access, which a user without administrator rights lacks under HKLM.
constexpr REGSAM kReadAccess = KEY_READ | KEY_WOW64_64KEY;
// The 64-bit view everywhere, so the Run key and its Wow6432Node twin are never the same list.
constexpr REGSAM kWriteAccess = KEY_ALL_ACCESS | KEY_WOW64_64KEY;

constexpr int kPanelHeight = 57;
constexpr int kClientWidth = 597, kClientHeight = 311;

struct ColumnLayout {
    const wchar_t* caption;
    int width;
    int format;
};
// The File column's width is recomputed to fill the list.
constexpr ColumnLayout kColumns[] = {
    {L"Enabled", 55, LVCFMT_LEFT}, {L"Key", 60, LVCFMT_CENTER}, {L"Program", 150, LVCFMT_LEFT}, {L"File", 300, LVCFMT_LEFT}};

std::wstring ExpandVariables(const std::wstring& text) {
    DWORD size = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (size == 0) return text;
    std::wstring expanded(size, L'\0');
    size = ExpandEnvironmentStringsW(text.c_str(), expanded.data(), size);
    if (size == 0 || size > expanded.size()) return text;
    expanded.resize(size - 1);
    return expanded;
}

// Text of a value for a row: strings as stored, other types in a readable form.
void DescribeInto(const RegistryValue& value, RegistryEntry& row) {
    row.command = DescribeRegistryValue(value);
    row.isString = value.type == REG_SZ || value.type == REG_EXPAND_SZ;
    row.expandable = value.type == REG_EXPAND_SZ;
}

// The texts by the names of their language targets.
constexpr struct {
    std::wstring_view name;
    std::wstring StartupEntriesDialog::Texts::*text;
} kTexts[] = {{L"UserFolder", &StartupEntriesDialog::Texts::userFolder},
              {L"CommonFolder", &StartupEntriesDialog::Texts::commonFolder},
              {L"GiveBackQuestion", &StartupEntriesDialog::Texts::giveBackQuestion},
              {L"GiveBackNotWritten", &StartupEntriesDialog::Texts::giveBackNotWritten},
              {L"GiveBackNameTaken", &StartupEntriesDialog::Texts::giveBackNameTaken}};

std::wstring TextTarget(std::wstring_view name) { return L"frmRegistryEdit." + std::wstring(name) + L".text"; }

}  // namespace

StartupEntriesDialog::StartupEntriesDialog(HWND owner, ILogSink& log) : log_(log) {
    for (const auto& t : kTexts) texts_.*t.text = FindLanguageKeyByTarget(TextTarget(t.name))->defaultText;
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
    FormCreate();
    return true;
}

void StartupEntriesDialog::Show() {
    if (skin) skin->ColorListView(lvRegView_);
    FormShow();
    ShowWindow(hwnd(), SW_SHOW);
    SetFocus(lvRegView_);
}

void StartupEntriesDialog::FormCreate() {
    startupFolders = {UserStartupFolder(), CommonStartupFolder()};
    RefreshEntries();
}

void StartupEntriesDialog::FormShow() {
    if (applyTexts) applyTexts(*this);
    RefreshEntries();
}

void StartupEntriesDialog::CreateControls() {
    tooltip_.Create(hwnd());
    btnRegImport_ = ui::CreateButton(hwnd(), L"Import", kImport);
    // Never shown: they only carry the texts the language file gives them.
    btnEnableReg_ = ui::CreateButton(hwnd(), L"Enable", kEnable);
    btnDisableReg_ = ui::CreateButton(hwnd(), L"Disable", kDisable);
    ShowWindow(btnEnableReg_, SW_HIDE);
    ShowWindow(btnDisableReg_, SW_HIDE);
    btnGiveBack_ = ui::CreateButton(hwnd(), L"Give back", kGiveBack);
    lvRegView_ = ui::CreateControl(hwnd(), WC_LISTVIEWW, L"",
                                   WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER, kList,
                                   WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(lvRegView_, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    UINT dpi = ui::WindowDpi(hwnd());
    for (int i = 0; i < 4; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = kColumns[i].format;
        column.cx = ui::Scale(kColumns[i].width, dpi);
        column.pszText = const_cast<wchar_t*>(kColumns[i].caption);
        ListView_InsertColumn(lvRegView_, i, &column);
    }
    SetWindowSubclass(lvRegView_, &StartupEntriesDialog::ListProc, 0, reinterpret_cast<DWORD_PTR>(this));
    stat1_ = ui::CreateControl(hwnd(), STATUSCLASSNAMEW, L"", SBARS_SIZEGRIP, kStatus);
    int oneStatusPart = -1;
    SendMessageW(stat1_, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&oneStatusPart));

    ui::UiFonts fonts = ui::CreateUiFonts(dpi);
    font_ = std::move(fonts.normal);
    boldFont_ = std::move(fonts.bold);
    ui::ApplyFont(hwnd(), font_.get());
    Layout();
}

void StartupEntriesDialog::Layout() {
    if (!lvRegView_) return;
    UINT dpi = ui::WindowDpi(hwnd());
    auto s = [dpi](int px) { return ui::Scale(px, dpi); };
    RECT client{};
    GetClientRect(hwnd(), &client);
    SendMessageW(stat1_, WM_SIZE, 0, 0);
    RECT status{};
    GetWindowRect(stat1_, &status);
    int statusHeight = status.bottom - status.top;
    ui::Move(btnRegImport_, s(8), s(15), s(100), s(27));
    ui::Move(btnEnableReg_, s(114), s(15), s(100), s(27));
    ui::Move(btnDisableReg_, s(220), s(15), s(100), s(27));
    ui::Move(btnGiveBack_, s(114), s(15), s(100), s(27));
    int top = s(kPanelHeight);
    ui::Move(lvRegView_, 0, top, client.right, std::max(0, static_cast<int>(client.bottom) - top - statusHeight));
    ListView_SetColumnWidth(lvRegView_, 3, LVSCW_AUTOSIZE_USEHEADER);
}

void StartupEntriesDialog::RefreshEntries() {
    rows_.clear();
    ListRunValues(L"HKCU", kRunKey, rows_);
    ListRunValues(L"HKLM", kRunKey, rows_);
    ListRunValues(L"HKLM", kRun32Key, rows_);
    ListDisabledEntries(L"HKLM", kDisabledKey, rows_);
    for (const StartupFolder& folder : startupFolders)
        ListStartupFolder(folder, folder.approvalRoot == L"HKLM" ? texts_.commonFolder : texts_.userFolder, rows_);
    if (!lvRegView_) return;
    SendMessageW(lvRegView_, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(lvRegView_);
    for (size_t i = 0; i < rows_.size(); ++i) {
        const RegistryEntry& row = rows_[i];
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(row.enabled.c_str());
        int index = ListView_InsertItem(lvRegView_, &item);
        ListView_SetItemText(lvRegView_, index, 1, const_cast<wchar_t*>(row.hkey.c_str()));
        ListView_SetItemText(lvRegView_, index, 2, const_cast<wchar_t*>(row.item.c_str()));
        ListView_SetItemText(lvRegView_, index, 3, const_cast<wchar_t*>(row.command.c_str()));
    }
    SendMessageW(lvRegView_, WM_SETREDRAW, TRUE, 0);
    FitKeyColumn();
    ListView_SetColumnWidth(lvRegView_, 3, LVSCW_AUTOSIZE_USEHEADER);
    InvalidateRect(lvRegView_, nullptr, TRUE);
    // The old selection's path would describe a row that is no more.
    ui::SetText(stat1_, L"");
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
    ListView_SetColumnWidth(lvRegView_, 1, std::max(ui::Scale(kColumns[1].width, dpi), widest + ui::Scale(16, dpi)));
}

void StartupEntriesDialog::ListRunValues(const std::wstring& root, const std::wstring& keyPath,
                                     std::vector<RegistryEntry>& list) {
    RegistryKey key;
    if (!key.Open(RootKeyByName(root), keyPath, kReadAccess)) return;
    const wchar_t* approvalList = keyPath == kRun32Key ? kApprovalRun32 : kApprovalRun;
    for (const std::wstring& name : key.ValueNames()) {
        auto value = key.ReadValue(name);
        if (!value) continue;  // deleted since the names were read
        RegistryEntry row{L"Yes", root, name, L"", keyPath};
        DescribeInto(*value, row);
        row.approvalRoot = root;
        row.approvalList = approvalList;
        if (!ReadStartupApproval(root, approvalList, name).enabled) row.enabled = L"No";
        list.push_back(std::move(row));
    }
}

void StartupEntriesDialog::ListDisabledEntries(const std::wstring& root, const std::wstring& keyPath,
                                           std::vector<RegistryEntry>& list) {
    HKEY rootKey = RootKeyByName(root);
    std::vector<std::wstring> names;
    {
        RegistryKey key;
        if (!key.Open(rootKey, keyPath, kReadAccess)) return;
        names = key.SubKeyNames();
    }
    for (const std::wstring& name : names) {
        std::wstring entryPath = keyPath + L"\\" + name;
        RegistryKey entry;
        if (!entry.Open(rootKey, entryPath, kReadAccess)) continue;
        RegistryEntry row{L"No", L"", L"", L"", entryPath, true};
        for (const std::wstring& valueName : entry.ValueNames()) {
            auto value = entry.ReadValue(valueName);
            if (!value) continue;
            if (SameTextNoCase(valueName, L"command"))
                DescribeInto(*value, row);
            else if (SameTextNoCase(valueName, L"hkey"))
                row.hkey = DescribeRegistryValue(*value);
            else if (SameTextNoCase(valueName, L"item"))
                row.item = DescribeRegistryValue(*value);
            else if (SameTextNoCase(valueName, L"key"))
                row.origin = DescribeRegistryValue(*value);
        }
        list.push_back(std::move(row));
    }
}

std::optional<RegistryEntry> StartupEntriesDialog::SelectedRow() const {
    if (!lvRegView_) return std::nullopt;
    int index = ListView_GetNextItem(lvRegView_, -1, LVNI_SELECTED);
    if (index < 0 || static_cast<size_t>(index) >= rows_.size()) return std::nullopt;
    return rows_[static_cast<size_t>(index)];
}

void StartupEntriesDialog::SelectRow(size_t index) {
    ListView_SetItemState(lvRegView_, static_cast<int>(index), LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
}

void StartupEntriesDialog::OnEntrySelected() {
    auto row = SelectedRow();
    if (!row) return;
    // A file's place is its path; a registry entry's, its root and key.
    ui::SetText(stat1_, row->startupFile ? AddBackslash(row->key) + row->item
                                         : FormatText(L"%s\\%s", {row->hkey, row->key}));
}

void StartupEntriesDialog::OnEntryKey() { OnEntrySelected(); }

void StartupEntriesDialog::ImportClicked() {
    auto row = SelectedRow();
    if (!row || !row->isString) return;
    std::wstring command = row->expandable ? ExpandVariables(row->command) : row->command;
    if (onImport) onImport(ReplaceAllNoCase(command, L"\"", L""), row->StartsAtLogOn());
    ShowWindow(hwnd(), SW_HIDE);
}

void StartupEntriesDialog::btnGiveBackClick() {
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
    EnableWindow(btnGiveBack_, row && CanGiveBack(*row));
}

bool StartupEntriesDialog::ImportSelected() {
    auto row = SelectedRow();
    // The system does not start it: a disabled entry is already where the move would put it, and
    // a switched-off one stays off.
    if (!row || !row->StartsAtLogOn() || !row->isString) return true;
    if (row->startupFile) return TakeOverStartupFile(*row);
    switch (MoveRegKeyToMSC(row->hkey, row->item, row->command, row->key, row->expandable)) {
        case MoveResult::kMoved:
            return true;
        case MoveResult::kNotWritten:
            log_.Log(FormatText(L"Can't write \"HKLM\\%s\\%s\". Registry entry \"%s\" is left in \"%s\\%s\"",
                               {kDisabledKey, row->item, row->item, row->hkey, row->key}));
            return false;
        case MoveResult::kNotDeleted:
            log_.Log(
                FormatText(L"Can't delete registry entry \"%s\" from \"%s\\%s\"", {row->item, row->hkey, row->key}));
            return false;
    }
    return false;
}

// The file stays in its folder; Task Manager's switch keeps the system from starting it.
bool StartupEntriesDialog::TakeOverStartupFile(const RegistryEntry& row) {
    if (WriteStartupApproval(row.approvalRoot, row.approvalList, row.item, false)) return true;
    log_.Log(FormatText(L"Can't write \"%s\\%s\\%s\". Start-up file \"%s\" is left enabled in \"%s\"",
                        {row.approvalRoot, kStartupApprovedKey, row.approvalList, row.item, row.key}));
    return false;
}

MoveResult StartupEntriesDialog::MoveRegKeyToMSC(const std::wstring& hkey, const std::wstring& item,
                                             const std::wstring& command, const std::wstring& key, bool expandable) {
    if (!WriteDisabledEntry(hkey, L"HKLM", item, command, key, expandable)) return MoveResult::kNotWritten;
    if (!DeleteRegValue(hkey, key, item)) return MoveResult::kNotDeleted;
    return MoveResult::kMoved;
}

bool StartupEntriesDialog::WriteDisabledEntry(const std::wstring& hkey, const std::wstring& root, const std::wstring& item,
                                          const std::wstring& command, const std::wstring& key, bool expandable) {
    // The name becomes one sub-key: empty, it would write into the list's own key; with a
    // backslash, into a nested key that is no entry.
    if (item.empty() || item.find(L'\\') != std::wstring::npos) return false;
    RegistryKey entry;
    if (!entry.OpenOrCreate(RootKeyByName(root), std::wstring(kDisabledKey) + L"\\" + item, kWriteAccess)) return false;
    return entry.WriteString(L"item", item) && entry.WriteString(L"hkey", hkey) &&
           entry.WriteValue(L"command", TextValue(command, expandable ? REG_EXPAND_SZ : REG_SZ)) &&
           entry.WriteString(L"inimapping", L"0") &&
           entry.WriteString(L"key", key);
}

bool StartupEntriesDialog::DeleteRegValue(const std::wstring& root, const std::wstring& keyPath, const std::wstring& name) {
    RegistryKey key;
    return key.OpenOrCreate(RootKeyByName(root), keyPath, kWriteAccess) && key.DeleteValue(name);
}

HWND StartupEntriesDialog::ButtonWindow(Button button) const {
    switch (button) {
        case Button::btnRegImport: return btnRegImport_;
        case Button::btnEnableReg: return btnEnableReg_;
        case Button::btnDisableReg: return btnDisableReg_;
        case Button::btnGiveBack: return btnGiveBack_;
    }
    return nullptr;
}

void StartupEntriesDialog::SetTargetText(std::wstring_view target, const std::wstring& text) {
    constexpr std::wstring_view kForm = L"frmRegistryEdit.", kColumn = L"lvRegView.column";
    if (!target.starts_with(kForm)) return;
    target.remove_prefix(kForm.size());
    if (target == L"title") return SetTitle(text);
    if (target.starts_with(kColumn)) {
        int column = target.size() > kColumn.size() ? target[kColumn.size()] - L'0' : -1;
        if (column >= 0 && column < 4) SetColumnCaption(column, text);
        return;
    }
    static const struct {
        std::wstring_view name;
        Button button;
    } kButtons[] = {{L"btnRegImport", Button::btnRegImport},
                    {L"btnEnableReg", Button::btnEnableReg},
                    {L"btnDisableReg", Button::btnDisableReg},
                    {L"btnGiveBack", Button::btnGiveBack}};
    const auto [name, property] = SplitLanguageTarget(target);
    for (const auto& t : kTexts)
        if (t.name == name && property == L"text") texts_.*t.text = text;
    for (const auto& b : kButtons) {
        if (b.name != name) continue;
        if (property == L"caption") SetButtonCaption(b.button, text);
        if (property == L"hint") SetButtonHint(b.button, text);
    }
}

void StartupEntriesDialog::SetTitle(const std::wstring& text) { ui::SetText(hwnd(), text); }
std::wstring StartupEntriesDialog::Title() const { return ui::GetText(hwnd()); }

void StartupEntriesDialog::SetColumnCaption(int column, const std::wstring& text) {
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT;
    c.pszText = const_cast<wchar_t*>(text.c_str());
    ListView_SetColumn(lvRegView_, column, &c);
}

std::wstring StartupEntriesDialog::ColumnCaption(int column) const {
    wchar_t buffer[512] = {};
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT;
    c.pszText = buffer;
    c.cchTextMax = 512;
    ListView_GetColumn(lvRegView_, column, &c);
    return buffer;
}

void StartupEntriesDialog::SetButtonCaption(Button button, const std::wstring& text) {
    ui::SetText(ButtonWindow(button), text);
}

std::wstring StartupEntriesDialog::ButtonCaption(Button button) const { return ui::GetText(ButtonWindow(button)); }

void StartupEntriesDialog::SetButtonHint(Button button, const std::wstring& text) {
    tooltip_.Set(ButtonWindow(button), text);
}

std::wstring StartupEntriesDialog::ButtonHint(Button button) const { return tooltip_.Get(ButtonWindow(button)); }

std::wstring StartupEntriesDialog::StatusText() const { return ui::GetText(stat1_); }

LRESULT StartupEntriesDialog::lvRegViewCustomDrawItem(NMLVCUSTOMDRAW* cd) {
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
    if (msg == WM_CHAR) reinterpret_cast<StartupEntriesDialog*>(self)->OnEntryKey();
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
            if (LOWORD(wParam) == kImport) {
                ImportClicked();
                return 0;
            }
            if (LOWORD(wParam) == kGiveBack) {
                btnGiveBackClick();
                return 0;
            }
            break;
        case WM_NOTIFY: {
            auto* hdr = reinterpret_cast<NMHDR*>(lParam);
            if (hdr->hwndFrom != lvRegView_) break;
            if (hdr->code == NM_CLICK) OnEntrySelected();
            if (hdr->code == LVN_ITEMCHANGED) EnableCommands();
            if (hdr->code == NM_CUSTOMDRAW) return lvRegViewCustomDrawItem(reinterpret_cast<NMLVCUSTOMDRAW*>(hdr));
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
