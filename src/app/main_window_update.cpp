// The main window's side of the update check: its state, the snapshot a check starts from, the
// result it posts back and the download question.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>

#include "app/main_window.h"
#include "app/main_window_ids.h"
#include "app/site_links.h"
#include "app/update_worker.h"
#include "ui/message_box.h"
#include "util/date_time.h"
#include "util/format.h"
#include "util/platform.h"

namespace lentora {

bool MainWindow::StartUpdateCheck(bool byButton) {
    const std::optional<int> days = optionsPage_.Shown().pollingIntervalDays;
    if (!days) return false;
    // The run carries its own button flag: a check started before this one may finish in
    // between and must not turn this press into a silent automatic check.
    UpdateState snapshot = updateState_;
    snapshot.pollingIntervalDays = *days;
    snapshot.startedByButton = byButton;
    UpdateCheckContext context;
    context.programVersion = run_.version;
    updateChecks_.Start(hwnd(), std::move(snapshot), std::move(context));
    return true;
}

void MainWindow::OnUpdateLogLine(LPARAM lParam) {
    std::unique_ptr<std::wstring> line = TakeUpdateLogLine(lParam);
    // A window going away takes no line that comes late.
    if (!closing_ && !terminateRequested_) Log(*line);
}

void MainWindow::OnUpdateResult(LPARAM lParam) {
    std::unique_ptr<UpdateCheckResult> result = TakeUpdateResult(lParam);
    // A window going away shows no box for a late result.
    if (closing_ || terminateRequested_) return;
    ShowUpdateResult(result->state);
}

void MainWindow::ShowUpdateResult(const UpdateState& state) {
    updateState_ = state;
    updateState_.startedByButton = false;
    optionsPage_.SetLastCheck(updateState_.lastUpdateDate);
    if (state.startedByButton) {
        switch (ManualCheckVerdict(updateState_)) {
            case ManualCheckAnswer::NoAnswer:
                ui::ShowMessageBox(hwnd(), Msg(Message::UpdateServerUnreachable), Msg(Message::UpdateCaption),
                                   MB_OK | MB_ICONERROR);
                break;
            case ManualCheckAnswer::NewerBuild:
                AskDownload();
                break;
            case ManualCheckAnswer::NoNewerBuild:
                ui::ShowMessageBox(hwnd(), Msg(Message::NoNewerVersion), Msg(Message::UpdateCaption),
                                   MB_OK | MB_ICONINFORMATION);
                break;
        }
        return;
    }
    if (updateState_.newerBuildAvailable && !updateState_.downloadQuestionAsked) {
        tray_.ShowUpdateBalloon(Msg(Message::UpdateCaption),
                                FormatText(Msg(Message::UpdateAvailable), {updateState_.lastVersion, run_.version}));
    }
}

void MainWindow::AskDownload() {
    std::wstring text = FormatText(Msg(Message::UpdateAvailable), {updateState_.lastVersion, run_.version}) +
                        L"\n\r" + Msg(Message::OpenDownloadQuestion);
    if (ui::ShowMessageBox(hwnd(), text, Msg(Message::UpdateCaption), MB_YESNO | MB_ICONINFORMATION) == IDYES)
        OpenAddress(links::Download(EnglishPages()));
}

bool MainWindow::EnglishPages() const { return platform::UpperCase(languageInfo_.ShortName) == L"EN"; }

void MainWindow::OpenAddress(const std::wstring& address) {
    ShellExecuteW(hwnd(), L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace lentora
