// The settings: read into the Options page at start-up, written from it on "Save options" and at
// the close, and what the skin options change in the window.
#include "app/main_window.h"
#include "app/main_window_ids.h"
#include "settings/settings_file.h"
#include "sysint/autorun.h"
#include "ui/message_box.h"
#include "util/format.h"

namespace lentora {

// Shows the settings read at start-up and brings the skin, the frame and the language in line.
void MainWindow::ShowLoadedSettings() {
    const Settings& s = settings_;
    Log(FormatText(L"Loading params from \"%s\" ...", {run_.settingsPath}));
    updates_.State().automaticCheckDisabled = !s.checkForUpdates;
    Log(FormatText(L"Loading params from \"%s\" ...", {run_.settingsPath}));
    optionsPage_.Show(s, skins_.Names());
    skins_.SetExtendedBorders(s.useAero);
    SetGlassFrame(!s.useSkin);
    if (contentBuilt_) InvalidateRect(pageTabs_, nullptr, TRUE);
    skins_.Select(s.skinName);
    skins_.SetActive(s.useSkin);
    if (optionsPage_.SelectLanguage(s.languageName)) ApplySelectedLanguage();
    updates_.State().lastUpdateDate = s.lastUpdateCheck;
    Log(L"Params is Loaded");
    // Ticked only when Windows will start Lentora by its value.
    const AutorunState autorun = ReadAutorunState();
    if (autorun == AutorunState::kSwitchedOff) Log(L"Autostart key is switched off in Task Manager");
    optionsPage_.SetWindowsStart(autorun == AutorunState::kOn);
    optionsPage_.SetChanged(false);
}

void MainWindow::SaveOptions() {
    Log(FormatText(L"Saving params in \"%s\" ...", {run_.settingsPath}));
    // The page's values carry the last check's date too: each result shows it there.
    settings_ = optionsPage_.Shown();
    Log(SaveSettings(run_.settingsPath, settings_) == SettingsSaveResult::Saved ? L"Params is saved"
                                                                                : L"Error on write to ini-file");
    Log(L"Saving key in registry");
    if (!UpdateAutorun(optionsPage_.WindowsStart(), context_.exePath, *this)) {
        ui::ShowMessageBox(nullptr, Msg(Message::AutorunNotWritten), Msg(Message::ErrorCaption), MB_OK | MB_ICONERROR);
        Log(L"Error can't write to registry");
    }
}

void MainWindow::OnUseSkinChanged(bool on) {
    skins_.SetActive(on);
    // The glass frame and a skin exclude each other.
    SetGlassFrame(!on);
    if (contentBuilt_) InvalidateRect(pageTabs_, nullptr, TRUE);
}

}  // namespace lentora
