#include "app/last_start_page.h"

#include <algorithm>

#include "app/last_start_texts.h"
#include "app/main_window_ids.h"
#include "ui/controls.h"
#include "ui/dpi.h"

namespace lentora {
namespace {
// At 96 DPI.
constexpr int kMargin = 8, kListWidth = 320, kListHeight = 300, kGap = 6;
}  // namespace

void LastStartPage::Create(HWND page, StartPicture::SetHint setHint) {
    list_ = ui::CreateControl(page, WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, ids::lastStartList);
    none_ = ui::CreateLabel(page, L"", 0, ids::lastStartNone);
    picture_.Create(page, ids::lastStartPicture, std::move(setHint));
    Refresh();
}

HWND LastStartPage::Control(int id) const {
    switch (id) {
        case ids::lastStartList: return list_;
        case ids::lastStartPicture: return picture_.hwnd();
        case ids::lastStartNone: return none_;
    }
    return nullptr;
}

void LastStartPage::Layout(int width, int height, UINT dpi) {
    const int margin = ui::Scale(kMargin, dpi);
    ui::Move(list_, margin, margin, std::min(ui::Scale(kListWidth, dpi), std::max(0, width - 2 * margin)),
             ui::Scale(kListHeight, dpi));
    RECT list{};
    GetWindowRect(list_, &list);  // a drop-down list's window is only its edit part's height
    const int top = margin + (list.bottom - list.top) + ui::Scale(kGap, dpi);
    const int inner = std::max(0, width - 2 * margin), below = std::max(0, height - top - margin);
    ui::Move(picture_.hwnd(), margin, top, inner, below);
    ui::Move(none_, margin, top, inner, below);
}

void LastStartPage::Refresh() {
    if (!Built()) return;
    const std::vector<StartRecord>& starts = sources_.starts();
    const LRESULT chosen = SendMessageW(list_, CB_GETCURSEL, 0, 0);
    // The newest stays chosen as new starts come; an older one the user picked stays too.
    std::optional<platform::LocalTime> kept;
    if (chosen > 0 && static_cast<size_t>(chosen) < listed_.size()) kept = listed_[static_cast<size_t>(chosen)];

    SendMessageW(list_, CB_RESETCONTENT, 0, 0);
    listed_.clear();
    int select = 0;
    for (auto start = starts.rbegin(); start != starts.rend(); ++start) {
        if (kept && start->began == *kept) select = static_cast<int>(listed_.size());
        listed_.push_back(start->began);
        SendMessageW(list_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(StartCaption(*start, sources_.texts).c_str()));
    }
    SendMessageW(list_, CB_SETCURSEL, listed_.empty() ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(select), 0);
    ui::SetText(none_, sources_.texts.Msg(NamedMsg::LastStartNone));
    ShowChosen();
}

bool LastStartPage::OnCommand(int id, int code) {
    if (id != ids::lastStartList) return false;
    if (code == CBN_SELCHANGE) ShowChosen();
    return true;
}

void LastStartPage::ShowChosen() {
    const std::vector<StartRecord>& starts = sources_.starts();
    const LRESULT chosen = SendMessageW(list_, CB_GETCURSEL, 0, 0);
    const bool any = chosen >= 0 && static_cast<size_t>(chosen) < starts.size();
    ui::SetVisible(list_, any);
    ui::SetVisible(picture_.hwnd(), any);
    ui::SetVisible(none_, !any);
    if (!any) return;
    const StartRecord& start = starts[starts.size() - 1 - static_cast<size_t>(chosen)];
    std::vector<std::wstring> hints;
    for (const MeasuredLaunch& launch : start.launches) hints.push_back(LaunchHint(launch, sources_.texts));
    picture_.Show(start, std::move(hints));
}

}  // namespace lentora
