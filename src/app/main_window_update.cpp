// The main window and the update check: what the coordinator needs of the window, and the web
// pages the window opens.
#include <windows.h>
#include <shellapi.h>

#include "app/main_window.h"
#include "app/site_links.h"
#include "sysint/com_ptr.h"
#include "util/platform.h"

namespace lentora {

UpdateCoordinator::Host MainWindow::UpdateHost() {
    return {[this](const std::wstring& line) { log_.Log(line); },
            [this](Message id) { return language_.Msg(id); },
            [this](const std::wstring& title, const std::wstring& text) { tray_.ShowUpdateBalloon(title, text); },
            [this](double serial) { frame_.Options().SetLastCheck(serial); },
            [this] { OpenAddress(links::Download(EnglishPages())); },
            [this] { return closing_ || terminateRequested_; }};
}

bool MainWindow::StartUpdateCheck(bool byButton) {
    return updates_.Start(frame_.Options().Shown().pollingIntervalDays, byButton);
}

bool MainWindow::EnglishPages() const { return platform::UpperCase(language_.Info().code) == L"EN"; }

void MainWindow::OpenAddress(const std::wstring& address) {
    UseComOnThisThread();
    ShellExecuteW(hwnd(), L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace lentora
