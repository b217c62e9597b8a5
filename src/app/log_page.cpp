#include "app/log_page.h"

#include <commctrl.h>

#include <cstring>

#include "app/main_window_ids.h"
#include "ui/controls.h"
#include "ui/message_box.h"
#include "ui/text_width.h"
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
                              WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY | LBS_EXTENDEDSEL, ids::logList,
                              WS_EX_CLIENTEDGE);
    for (const auto& line : kept_) Show(line);
    kept_.clear();
}

void LogPage::Layout(int width, int height) {
    ui::Move(list_, 0, 0, width, height);
    // The font may have changed with the monitor's DPI: the lines are measured again.
    widest_ = 0;
    for (const auto& line : Lines()) Widen(line);
}

void LogPage::Widen(const std::wstring& line) {
    // A list box scrolls sideways only as far as it is told; the widest line sets how far.
    constexpr int kMargin = 8;
    const int width = ui::TextWidth(list_, line) + kMargin;
    if (width <= widest_) return;
    widest_ = width;
    SendMessageW(list_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest_), 0);
}

void LogPage::AddLine(std::wstring line) {
    if (list_)
        Show(line);
    else
        kept_.push_back(std::move(line));
}

void LogPage::Show(const std::wstring& line) {
    auto index = SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    // The newest line alone is selected, and the caret goes with it.
    SendMessageW(list_, LB_SETSEL, FALSE, -1);
    SendMessageW(list_, LB_SETSEL, TRUE, index);
    SendMessageW(list_, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
    Widen(line);
}

std::wstring LogPage::SelectedText() const {
    std::wstring text;
    const auto count = SendMessageW(list_, LB_GETCOUNT, 0, 0);
    const std::vector<std::wstring> lines = Lines();
    for (LRESULT i = 0; i < count; ++i)
        if (SendMessageW(list_, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) text += lines[static_cast<size_t>(i)] + L"\r\n";
    return text;
}

void LogPage::CopySelected() {
    std::wstring text = SelectedText();
    if (text.empty() || !OpenClipboard(list_)) return;
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* target = GlobalLock(memory)) {
            memcpy(target, text.c_str(), bytes);
            GlobalUnlock(memory);
        }
        // Once the clipboard takes the memory it is the clipboard's to free.
        if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    }
    CloseClipboard();
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
