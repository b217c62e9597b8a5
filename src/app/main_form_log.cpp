// The application log: the on-screen list and lentora.log, and "Save current log".
#include "app/main_form.h"
#include "app/main_form_ids.h"
#include "ui/message_box.h"
#include "util/date_time.h"
#include "util/format.h"
#include "util/platform.h"

namespace lentora {

void TfrmMain::Log(const std::wstring& str) {
    if (!useLog_) return;
    platform::LocalTime now = platform::Now();
    std::wstring line = DateTimeText(now) + L" " + str;
    if (lbLog_)
        ShowLogLine(line);
    else
        pendingLogLines_.push_back(std::move(line));
    try {
        LogFile_.SaveString(str);
    } catch (const std::exception&) {
        // A log that cannot be written must never cut its caller short; the line stays on screen.
    }
}

void TfrmMain::ShowLogLine(const std::wstring& line) {
    auto index = SendMessageW(lbLog_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SendMessageW(lbLog_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);  // the newest line selected
}

std::vector<std::wstring> TfrmMain::LogLines() const {
    if (!lbLog_) return pendingLogLines_;
    std::vector<std::wstring> lines;
    auto count = SendMessageW(lbLog_, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring text(static_cast<size_t>(SendMessageW(lbLog_, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)) + 1, L'\0');
        text.resize(static_cast<size_t>(
            SendMessageW(lbLog_, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()))));
        lines.push_back(std::move(text));
    }
    return lines;
}

void TfrmMain::mnuSaveCurrentLogClick() {
    std::wstring name = DateTimeStamp();
    Log(FormatText(L"Save current log in \"%s\"", {name}));
    std::wstring text;
    for (const auto& line : LogLines()) text += line + L"\r\n";
    wchar_t folder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, folder);
    std::wstring path = std::wstring(folder) + L"\\" + name + L".log";
    if (!platform::WriteFileAtomic(path, platform::EncodeCodePage(text, platform::AnsiCodePage())))
        ui::ShowMessageBox(hwnd(), FormatText(L"Unable to write to %s", {path}), L"Lentora", MB_OK | MB_ICONERROR);
}

void TfrmMain::SetLogPageVisible(bool visible) {
    if (visible == logPageVisible_) return;
    logPageVisible_ = visible;
    if (!contentBuilt_) return;
    if (visible)
        InsertLogTab();
    else
        TabCtrl_DeleteItem(pcMainPage_, 2);
    ShowPage(TabCtrl_GetCurSel(pcMainPage_));
}

void TfrmMain::InsertLogTab() {
    TCITEMW item{TCIF_TEXT | TCIF_IMAGE};
    item.pszText = const_cast<wchar_t*>(L"Log");
    item.iImage = 5;
    TabCtrl_InsertItem(pcMainPage_, 2, &item);
}

}  // namespace lentora
