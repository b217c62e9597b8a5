#include "app/delay_spacing_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "ui/controls.h"
#include "ui/dpi.h"
#include "ui/fonts.h"
#include "ui/modal_loop.h"
#include "ui/placement.h"
#include "ui/text_width.h"

namespace lentora {
namespace {

constexpr int kList = 100;
// The dialog's size at 96 DPI: wide enough for a command line beside two delays.
constexpr int kWidth = 520, kHeight = 330;

}  // namespace

std::function<void(DelaySpacingDialog&)>& DelaySpacingDialog::OnShownHook() {
    static std::function<void(DelaySpacingDialog&)> hook;
    return hook;
}

bool DelaySpacingDialog::ShowModal() {
    const HWND owner = parts_.owner.hwnd();
    ui::ModalLoop modal(owner);
    RegisterClassOnce(L"LentoraDelaySpacing", CS_DBLCLKS);
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    const RECT r = ui::CentredWindowRect(owner, kWidth, kHeight, style, exStyle, ui::WindowDpi(owner));
    if (!CreateWindowObject(exStyle, L"LentoraDelaySpacing", parts_.texts.Msg(NamedMsg::SpacingTitle).c_str(), style,
                            r.left, r.top, r.right - r.left, r.bottom - r.top, owner))
        return false;
    parts_.skins.SkinControls(hwnd());
    ShowWindow(hwnd(), SW_SHOW);
    SetFocus(list_);
    modal.DisableOwner();
    if (OnShownHook()) OnShownHook()(*this);
    modal.Run([this] { return closed_; });
    return applied_;
}

void DelaySpacingDialog::Close(bool apply) {
    if (closed_) return;
    closed_ = true;
    applied_ = apply;
    // The owner takes the activation back before this window goes, not another program's window.
    EnableWindow(parts_.owner.hwnd(), TRUE);
    DestroyWindow(hwnd());
}

void DelaySpacingDialog::CreateControls() {
    const IMessageSource& texts = parts_.texts;
    explanation_ = ui::CreateLabel(hwnd(), texts.Msg(NamedMsg::SpacingExplanation));
    list_ = ui::CreateControl(hwnd(), WC_LISTVIEWW, L"",
                              WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_NOSORTHEADER, kList,
                              WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(list_, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER |
                                                 LVS_EX_LABELTIP);
    parts_.skins.ColorListView(list_);
    apply_ = ui::CreateButton(hwnd(), texts.Msg(NamedMsg::SpacingApply), IDOK, BS_DEFPUSHBUTTON);
    cancel_ = ui::CreateButton(hwnd(), texts.Msg(NamedMsg::SpacingCancel), IDCANCEL);
    font_ = std::move(ui::CreateUiFonts(ui::WindowDpi(hwnd())).normal);
    ui::ApplyFont(hwnd(), font_.get());
    FillList();
    Layout();
}

void DelaySpacingDialog::FillList() {
    const IMessageSource& texts = parts_.texts;
    const std::wstring captions[] = {texts.Msg(NamedMsg::SpacingProgram), texts.Msg(NamedMsg::SpacingNow),
                                     texts.Msg(NamedMsg::SpacingProposed), texts.Msg(NamedMsg::SpacingBasis)};
    for (int i = 0; i < static_cast<int>(std::size(captions)); ++i) {
        LVCOLUMNW column{LVCF_TEXT | LVCF_FMT | LVCF_SUBITEM};
        column.fmt = i == 0 ? LVCFMT_LEFT : LVCFMT_CENTER;
        column.pszText = const_cast<wchar_t*>(captions[i].c_str());
        column.iSubItem = i;
        ListView_InsertColumn(list_, i, &column);
    }
    for (int row = 0; row < static_cast<int>(proposals_.size()); ++row) {
        const DelayProposal& proposal = proposals_[static_cast<size_t>(row)];
        std::wstring cells[] = {parts_.tasks.Item(proposal.row).commandLine, std::to_wstring(proposal.today),
                                std::to_wstring(proposal.proposed),
                                row == 0 ? std::wstring()
                                         : texts.Msg(proposal.measured ? NamedMsg::SpacingMeasured : NamedMsg::SpacingKept)};
        LVITEMW item{LVIF_TEXT};
        item.iItem = row;
        item.pszText = cells[0].data();
        ListView_InsertItem(list_, &item);
        for (int column = 1; column < static_cast<int>(std::size(cells)); ++column)
            ListView_SetItemText(list_, row, column, cells[column].data());
    }
    ListView_SetItemState(list_, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
}

void DelaySpacingDialog::Layout() {
    const UINT dpi = ui::WindowDpi(hwnd());
    auto s = [dpi](int px) { return ui::Scale(px, dpi); };
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int width = client.right - s(20);
    ui::Move(explanation_, s(10), s(8), width, s(48));
    const int buttonTop = client.bottom - s(37);
    ui::Move(list_, s(10), s(60), width, buttonTop - s(70));
    // The figures' columns as wide as their captions or cells; the program takes the rest.
    int figures = 0;
    for (int column = 1; column < 4; ++column) {
        // Not "use header" for the last column: it would take the rest of the list.
        ListView_SetColumnWidth(list_, column, LVSCW_AUTOSIZE);
        const int w = std::max({s(70), ListView_GetColumnWidth(list_, column) + s(8),
                                ui::TextWidth(list_, ui::ColumnCaption(list_, column)) + s(16)});
        ListView_SetColumnWidth(list_, column, w);
        figures += w;
    }
    ListView_SetColumnWidth(list_, 0, std::max(s(120), width - figures - GetSystemMetrics(SM_CXVSCROLL) - s(4)));
    int right = client.right - s(10);
    for (HWND button : {cancel_, apply_}) {
        const int w = std::max(s(80), ui::TextWidth(button, ui::GetText(button)) + s(24));
        ui::Move(button, right - w, buttonTop, w, s(27));
        right -= w + s(6);
    }
}

LRESULT DelaySpacingDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            CreateControls();
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                Close(LOWORD(wParam) == IDOK);
                return 0;
            }
            break;
        case WM_CLOSE:
            Close(false);
            return 0;
    }
    if (auto dressed = parts_.skins.Dress(hwnd(), msg, wParam)) return *dressed;
    return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace lentora
