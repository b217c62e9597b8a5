// The settings: read into the Options page at start-up, written from it on "Save options" and at
// the close, what the skin options change in the window, and the start-up shortcut.
#include <shlobj.h>

#include "app/main_window.h"
#include "app/main_window_ids.h"
#include "settings/settings_file.h"
#include "sysint/autorun.h"
#include "sysint/shell_folder.h"
#include "sysint/shell_link.h"
#include "ui/message_box.h"
#include "util/format.h"

namespace lentora {

// Shows the settings read at start-up and brings the skin, the frame and the language in line.
void MainWindow::ShowLoadedSettings() {
    const Settings& s = settings_;
    log_.Log(FormatText(L"Loading params from \"%s\" ...", {run_.settingsPath}));
    updates_.State().automaticCheckDisabled = !s.checkForUpdates;
    log_.Log(FormatText(L"Loading params from \"%s\" ...", {run_.settingsPath}));
    frame_.Options().Show(s, skins_.Names());
    skins_.SetExtendedBorders(s.useAero);
    frame_.SetGlassFrame(!s.useSkin);
    skins_.Select(s.skinName);
    skins_.SetActive(s.useSkin);
    if (frame_.Options().SelectLanguage(s.languageName)) ApplySelectedLanguage();
    updates_.State().lastUpdateDate = s.lastUpdateCheck;
    log_.Log(L"Params is Loaded");
    // Ticked only when Windows will start Lentora by its value.
    const AutorunState autorun = ReadAutorunState();
    if (autorun == AutorunState::kSwitchedOff) log_.Log(L"Autostart key is switched off in Task Manager");
    frame_.Options().SetWindowsStart(autorun == AutorunState::kOn);
    frame_.Options().SetChanged(false);
}

void MainWindow::SaveOptions() {
    log_.Log(FormatText(L"Saving params in \"%s\" ...", {run_.settingsPath}));
    // The page's values carry the last check's date too: each result shows it there.
    settings_ = frame_.Options().Shown();
    log_.Log(SaveSettings(run_.settingsPath, settings_) == SettingsSaveResult::Saved ? L"Params is saved"
                                                                                : L"Error on write to ini-file");
    log_.Log(L"Saving key in registry");
    if (!UpdateAutorun(frame_.Options().WindowsStart(), run_.exePath, log_)) {
        ui::ShowMessageBox(nullptr, language_.Msg(Message::AutorunNotWritten), language_.Msg(Message::ErrorCaption), MB_OK | MB_ICONERROR);
        log_.Log(L"Error can't write to registry");
    }
}

void MainWindow::OnUseSkinChanged(bool on) {
    skins_.SetActive(on);
    // The glass frame and a skin exclude each other.
    frame_.SetGlassFrame(!on);
}

void MainWindow::CreateStartupShortcut() {
    if (ui::ShowMessageBox(hwnd(), language_.Msg(Message::CreateShortcutQuestion), language_.Msg(Message::QuestionCaption),
                           MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    // The registry value gives way to the shortcut only when the shortcut exists.
    ShortcutErrorTexts texts{language_.Msg(Message::ErrorCaption), language_.Msg(NamedMsg::StartupFolderNotFound),
                             language_.Msg(NamedMsg::ShortcutNotCreated)};
    if (lentora::CreateStartupShortcut(ShellFolderPath(CSIDL_STARTUP, MissingFolder::Create), run_.exePath, texts, log_) !=
        ShortcutResult::kCreated)
        return;
    if (frame_.Options().WindowsStart()) {
        frame_.Options().SetWindowsStart(false);
        frame_.Options().SetChanged(true);
    }
}

}  // namespace lentora
