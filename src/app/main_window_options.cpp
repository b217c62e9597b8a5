// The options page: settings load and save, the option handlers and the page's scrolling.
#include <algorithm>
#include <cwchar>

#include "app/main_window.h"
#include "app/main_window_ids.h"
#include "ui/message_box.h"
#include "util/date_time.h"
#include "util/format.h"
#include "settings/settings_file.h"

namespace lentora {
namespace {

// Selects the first entry whose text equals `text` exactly; false when none does.
bool SelectExact(ui::ControlValues& values, int id, const std::wstring& text) {
    for (int i = 0, count = values.ItemCount(id); i < count; ++i) {
        if (values.ItemText(id, i) == text) {
            values.Select(id, i);
            return true;
        }
    }
    return false;
}

void SelectLast(ui::ControlValues& values, int id) {
    if (int count = values.ItemCount(id); count > 0) values.Select(id, count - 1);
}

}  // namespace

void MainWindow::SetOptionsChanged(bool changed) { options_.SetEnabled(ids::btnSaveOptions, changed); }
bool MainWindow::OptionsChanged() const { return options_.Enabled(ids::btnSaveOptions); }

void MainWindow::SetCheck(int id, bool checked) {
    // As a user's click does, a change of value runs the control's handler.
    if (options_.Checked(id) == checked) return;
    options_.SetChecked(id, checked);
    OnOptionClicked(id);
}

void MainWindow::SetNumber(int id, std::optional<int> value) {
    options_.SetText(id, value ? std::to_wstring(*value) : L"");
}

Settings MainWindow::SettingsShown() const {
    Settings s = settings_;
    s.useSkin = options_.Checked(ids::chbUseSkin);
    s.useAero = options_.Checked(ids::chbAero);
    s.showBalloon = options_.Checked(ids::chkShowBalloon);
    s.skinName = options_.Text(ids::sSkinBox);
    s.languageName = options_.Text(ids::cbLanguageSelect);
    s.delayOfStartSeconds = ui::DigitsValue(options_.Text(ids::dseWaitSec));
    s.exitAfterSeconds = ui::DigitsValue(options_.Text(ids::dseTimeExit));
    s.delayOfStart = options_.Checked(ids::chbSetWaitTimer);
    s.taskListInProfile = options_.Checked(ids::chkUserProfile);
    s.checkForUpdates = options_.Checked(ids::chkCheckforUpdate);
    s.pollingIntervalDays = ui::DigitsValue(options_.Text(ids::dsePollingInterval));
    s.lastUpdateCheck = updateState_.lastUpdateDate;
    return s;
}

// Fills the option controls from the settings read at start-up.
void MainWindow::LoadParams() {
    const Settings& s = settings_;
    Log(FormatText(L"Loading params from \"%s\" ...", {settingsPath_}));
    updateState_.automaticCheckDisabled = !s.checkForUpdates;
    Log(FormatText(L"Loading params from \"%s\" ...", {settingsPath_}));
    options_.ClearItems(ids::sSkinBox);
    for (const auto& name : skins_.Names()) options_.AddItem(ids::sSkinBox, name);
    SelectLast(options_, ids::sSkinBox);
    SelectExact(options_, ids::sSkinBox, s.skinName);
    SetCheck(ids::chbAero, s.useAero);
    chbAeroClick();
    SetCheck(ids::chbUseSkin, s.useSkin);
    SetGlassFrame(!options_.Checked(ids::chbUseSkin));
    if (pcMainPage_) InvalidateRect(pcMainPage_, nullptr, TRUE);
    SetCheck(ids::chkShowBalloon, s.showBalloon);
    skins_.Select(s.skinName);
    skins_.SetActive(options_.Checked(ids::chbUseSkin));

    SelectLast(options_, ids::cbLanguageSelect);
    if (SelectExact(options_, ids::cbLanguageSelect, s.languageName)) actApplyLngExecute();
    skins_.SetActive(options_.Checked(ids::chbUseSkin));

    SetNumber(ids::dseWaitSec, s.delayOfStartSeconds);
    SetCheck(ids::chbSetWaitTimer, s.delayOfStart);
    SetNumber(ids::dseTimeExit, s.exitAfterSeconds);
    SetCheck(ids::chkUserProfile, s.taskListInProfile);
    SetCheck(ids::chkCheckforUpdate, s.checkForUpdates);
    SetNumber(ids::dsePollingInterval, s.pollingIntervalDays);
    updateState_.lastUpdateDate = s.lastUpdateCheck;
    options_.SetText(ids::ledLastPool, ShortDateOfSerial(updateState_.lastUpdateDate));
    Log(L"Params is Loaded");
    options_.SetChecked(ids::chbWindowsStart, IsAutorunRegistered());
    SetOptionsChanged(false);
}

void MainWindow::SaveParams() {
    Log(FormatText(L"Saving params in \"%s\" ...", {settingsPath_}));
    settings_ = SettingsShown();
    Log(SaveSettings(settingsPath_, settings_) == SettingsSaveResult::Saved ? L"Params is saved"
                                                                            : L"Error on write to ini-file");
    Log(L"Saving key in registry");
    if (!UpdateAutorun(options_.Checked(ids::chbWindowsStart))) {
        ui::ShowMessageBox(nullptr, Msg(Message::AutorunNotWritten), Msg(Message::ErrorCaption), MB_OK | MB_ICONERROR);
        Log(L"Error can't write to registry");
    }
}

void MainWindow::btnSaveOptionsClick() {
    SaveParams();
    SetOptionsChanged(false);
}

void MainWindow::OnOptionClicked(int id) {
    switch (id) {
        case ids::chbUseSkin: chbUseSkinClick(); return;
        case ids::chbAero: chbAeroClick(); return;
        default: SetOptionsChanged(true); return;
    }
}

void MainWindow::chbUseSkinClick() {
    bool on = options_.Checked(ids::chbUseSkin);
    skins_.SetActive(on);
    options_.SetEnabled(ids::chbAero, on);
    options_.SetEnabled(ids::sSkinBox, on);
    SetGlassFrame(!on);
    if (!on && options_.Checked(ids::chbAero)) {
        options_.SetChecked(ids::chbAero, false);
        chbAeroClick();
    }
    if (pcMainPage_) InvalidateRect(pcMainPage_, nullptr, TRUE);
    SetOptionsChanged(true);
}

void MainWindow::chbAeroClick() {
    skins_.SetExtendedBorders(options_.Checked(ids::chbAero));
    SetOptionsChanged(true);
}

void MainWindow::sSkinBoxChange() {
    skins_.Select(options_.Text(ids::sSkinBox));
    SetOptionsChanged(true);
}

void MainWindow::sbDownSBClick() { OptionsSB_.ScrollTo(INT_MAX / 2); }
void MainWindow::sbUpSBClick() { OptionsSB_.ScrollTo(0); }

}  // namespace lentora
