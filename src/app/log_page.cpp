#include "app/log_page.h"

#include <commctrl.h>

#include "app/main_window_ids.h"
#include "ui/controls.h"
#include "ui/message_box.h"
#include "util/date_time.h"
#include "util/format.h"
#include "util/platform.h"

namespace lentora {

LogPage::LogPage(std::function<void(const std::wstring&)> log) : log_(std::move(log)) {
    ui::MenuItem save;
    save.name = L"mnuSaveCurrentLog";
    save.caption = L"Save current log";
    save.onClick = [this] { SaveCurrentLog(GetAncestor(list_, GA_ROOT)); };
    menu_.items = {save};
}

void LogPage::Create(HWND page) {
    list_ = ui::CreateControl(page, WC_LISTBOXW, L"",
                              WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY, ids::lbLog,
                              WS_EX_CLIENTEDGE);
    for (const auto& line : kept_) Show(line);
    kept_.clear();
}

void LogPage::Layout(int width, int height) { ui::Move(list_, 0, 0, width, height); }

void LogPage::AddLine(std::wstring line) {
    if (list_)
        Show(line);
    else
        kept_.push_back(std::move(line));
}

void LogPage::Show(const std::wstring& line) {
    auto index = SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::vector<std::wstring> LogPage::Lines() const {
    if (!list_) return kept_;
    std::vector<std::wstring> lines;
    auto count = SendMessageW(list_, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring text(static_cast<size_t>(SendMessageW(list_, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)) + 1, L'\0');
        text.resize(static_cast<size_t>(
            SendMessageW(list_, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()))));
        lines.push_back(std::move(text));
    }
    return lines;
}

bool LogPage::ShowMenu(HWND source, HWND owner, POINT screen, ui::ActionList& actions) {
    if (!list_ || source != list_) return false;
    menu_.Show(owner, screen, actions);
    return true;
}

void LogPage::SaveCurrentLog(HWND owner) {
    std::wstring name = DateTimeStamp();
    log_(FormatText(L"Save current log in \"%s\"", {name}));
    std::wstring text;
    for (const auto& line : Lines()) text += line + L"\r\n";
    wchar_t folder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, folder);
    std::wstring path = std::wstring(folder) + L"\\" + name + L".log";
    if (!platform::WriteFileAtomic(path, platform::EncodeCodePage(text, platform::AnsiCodePage())))
        ui::ShowMessageBox(owner, FormatText(L"Unable to write to %s", {path}), L"Lentora", MB_OK | MB_ICONERROR);
}

}  // namespace lentora
