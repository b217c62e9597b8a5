// The main window's side of the update check: its state, the hand-overs, the result and the question.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>

#include "app/main_form.h"
#include "app/main_form_ids.h"
#include "app/site_links.h"
#include "app/update_worker.h"
#include "ui/message_box.h"
#include "util/date_time.h"
#include "util/format.h"
#include "util/platform.h"

namespace lentora {

void TfrmMain::ResetUpdateDialogFlag() { updState_.showed_upd_dialog = false; }

void TfrmMain::StartUpdateWorker(bool button) {
    auto cancel = std::make_shared<net::CancelToken>();
    updateTokens_.push_back(cancel);
    UpdateGuiCalls calls;
    // The run carries its own button flag: a check started before this one may hand its result over
    // in between and must not turn this press into a silent automatic check.
    calls.loadState = [this, button]() -> std::optional<TLtUpd> {
        auto days = ui::DigitsValue(options_.Text(ids::dsePollingInterval));
        if (!days) return std::nullopt;
        TLtUpd upd = updState_;
        upd.pool_date = *days;
        upd.button_update = button;
        return upd;
    };
    calls.writeLog = [this](const std::wstring& line) { Log(line); };
    calls.showResult = [this](const TLtUpd& upd) { ShowUpdateResult(upd); };
    UpdateCheckContext context;
    context.programVersion = programVersion_;
    StartTupdate(hwnd(), std::move(calls), std::move(context), std::move(cancel), startupDone_);
}

void TfrmMain::CancelUpdateWorkers() {
    for (auto& token : updateTokens_) token->Cancel();
    SetEvent(startupDone_->get());
}

void TfrmMain::ShowUpdateResult(const TLtUpd& upd) {
    updState_ = upd;
    updState_.button_update = false;
    options_.SetText(ids::ledLastPool, ShortDateOfSerial(updState_.last_update_date));
    if (upd.button_update) {
        switch (ManualCheckVerdict(updState_)) {
            case ManualCheckAnswer::NoAnswer:
                ui::ShowMessageBox(hwnd(), Msg(36), Msg(35), MB_OK | MB_ICONERROR);
                break;
            case ManualCheckAnswer::NewerBuild:
                AskDownload();
                break;
            case ManualCheckAnswer::NoNewerBuild:
                ui::ShowMessageBox(hwnd(), Msg(39), Msg(35), MB_OK | MB_ICONINFORMATION);
                break;
        }
        return;
    }
    if (updState_.getupdate && !updState_.showed_upd_dialog) {
        ctrayIcon_.ShowBalloon(Msg(35), FormatText(Msg(37), {updState_.lastversion, programVersion_}), 20);
        ctrayIcon_.Tag = 1;
        balloonHideInterval_ = 23000;
        if (balloonTimerRunning_) KillTimer(hwnd(), ids::tmrBallonHide);
        balloonTimerRunning_ = false;
        EnableBalloonHideTimer();
    }
}

void TfrmMain::AskDownload() {
    std::wstring text = FormatText(Msg(37), {updState_.lastversion, programVersion_}) + L"\n\r" + Msg(38);
    if (ui::ShowMessageBox(hwnd(), text, Msg(35), MB_YESNO | MB_ICONINFORMATION) == IDYES)
        OpenAddress(links::Download(EnglishPages()));
}

bool TfrmMain::EnglishPages() const { return platform::UpperCase(lngParam_.ShortName) == L"EN"; }

void TfrmMain::OpenAddress(const std::wstring& address) {
    ShellExecuteW(hwnd(), L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace lentora
