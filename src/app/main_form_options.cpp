// The options page: settings load and save, the option handlers and the page's scrolling.
#include <algorithm>
#include <cwchar>

#include "app/main_form.h"
#include "app/main_form_ids.h"
#include "ui/message_box.h"
#include "util/date_time.h"
#include "util/format.h"
#include "util/ini_files.h"

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

void TfrmMain::SetOptionsChanged(bool changed) { options_.SetEnabled(ids::btnSaveOptions, changed); }
bool TfrmMain::OptionsChanged() const { return options_.Enabled(ids::btnSaveOptions); }

void TfrmMain::SetCheck(int id, bool checked) {
    // As a user's click does, a change of value runs the control's handler.
    if (options_.Checked(id) == checked) return;
    options_.SetChecked(id, checked);
    OnOptionClicked(id);
}

void TfrmMain::SetSpinValue(int id, int minValue, int maxValue, int value) {
    // A stored number outside the field's range is clamped to it.
    options_.SetText(id, std::to_wstring(std::clamp(value, minValue, maxValue)));
}

void TfrmMain::LoadParams() {
    Log(FormatText(L"Loading params from \"%s\" ...", {settingsPath_}));
    updateState_.automaticCheckDisabled = !IniReadBool(settingsPath_, L"Options", L"check_update", true);
    Log(FormatText(L"Loading params from \"%s\" ...", {settingsPath_}));
    std::wstring skinName = IniReadString(settingsPath_, L"Skin", L"CurrentSkin", L"Vista (internal)");
    options_.ClearItems(ids::sSkinBox);
    for (const auto& name : skins_.Names()) options_.AddItem(ids::sSkinBox, name);
    SelectLast(options_, ids::sSkinBox);
    SelectExact(options_, ids::sSkinBox, skinName);
    SetCheck(ids::chbAero, IniReadBool(settingsPath_, L"Skin", L"UseAero", false));
    chbAeroClick();
    SetCheck(ids::chbUseSkin, IniReadBool(settingsPath_, L"Skin", L"UseSkin", false));
    SetGlassFrame(!options_.Checked(ids::chbUseSkin));
    if (pcMainPage_) InvalidateRect(pcMainPage_, nullptr, TRUE);
    SetCheck(ids::chkShowBalloon, IniReadBool(settingsPath_, L"Options", L"ShowBalloon", false));
    skins_.Select(skinName);
    skins_.SetActive(options_.Checked(ids::chbUseSkin));

    std::wstring language = IniReadString(settingsPath_, L"Language", L"CurrentLanguage", L"English (EN)");
    SelectLast(options_, ids::cbLanguageSelect);
    if (SelectExact(options_, ids::cbLanguageSelect, language)) actApplyLngExecute();
    skins_.SetActive(options_.Checked(ids::chbUseSkin));

    SetSpinValue(ids::dseWaitSec, 0, 999999, IniReadInteger(settingsPath_, L"Options", L"WaitTimeOut", 0));
    SetCheck(ids::chbSetWaitTimer, IniReadBool(settingsPath_, L"Options", L"WaitTimer", false));
    SetSpinValue(ids::dseTimeExit, 0, 999999, IniReadInteger(settingsPath_, L"Options", L"TimeExit", 10));
    SetCheck(ids::chkUserProfile, IniReadBool(settingsPath_, L"Options", L"UserProfile", false));
    SetCheck(ids::chkCheckforUpdate, IniReadBool(settingsPath_, L"Options", L"check_update", true));
    SetSpinValue(ids::dsePollingInterval, 0, 365, IniReadInteger(settingsPath_, L"Options", L"PollingInterval", 7));
    // A stored date that is not a number reads as day 0.
    updateState_.lastUpdateDate =
        ParseDateSerial(IniReadString(settingsPath_, L"Options", L"LastUpdateDate", L"0")).value_or(0.0);
    options_.SetText(ids::ledLastPool, ShortDateOfSerial(updateState_.lastUpdateDate));
    Log(L"Params is Loaded");
    options_.SetChecked(ids::chbWindowsStart, IsAutorunRegistered());
    SetOptionsChanged(false);
}

void TfrmMain::SaveParams() {
    try {
        Log(FormatText(L"Saving params in \"%s\" ...", {settingsPath_}));
        auto number = [this](int id) {
            auto value = ui::DigitsValue(options_.Text(id));
            if (!value) throw std::runtime_error("not a whole number");
            return *value;
        };
        IniWriteBool(settingsPath_, L"Skin", L"Useskin", options_.Checked(ids::chbUseSkin));
        IniWriteBool(settingsPath_, L"Skin", L"UseAero", options_.Checked(ids::chbAero));
        IniWriteBool(settingsPath_, L"Options", L"ShowBalloon", options_.Checked(ids::chkShowBalloon));
        IniWriteString(settingsPath_, L"Skin", L"Currentskin", options_.Text(ids::sSkinBox));
        IniWriteString(settingsPath_, L"Language", L"CurrentLanguage", options_.Text(ids::cbLanguageSelect));
        IniWriteInteger(settingsPath_, L"Options", L"WaitTimeOut", number(ids::dseWaitSec));
        IniWriteInteger(settingsPath_, L"Options", L"TimeExit", number(ids::dseTimeExit));
        IniWriteBool(settingsPath_, L"Options", L"WaitTimer", options_.Checked(ids::chbSetWaitTimer));
        IniWriteBool(settingsPath_, L"Options", L"UserProfile", options_.Checked(ids::chkUserProfile));
        IniWriteBool(settingsPath_, L"Options", L"check_update", options_.Checked(ids::chkCheckforUpdate));
        IniWriteInteger(settingsPath_, L"Options", L"PollingInterval", number(ids::dsePollingInterval));
        IniWriteString(settingsPath_, L"Options", L"LastUpdateDate", FormatDateSerial(updateState_.lastUpdateDate));
        Log(L"Params is saved");
    } catch (const std::exception&) {
        Log(L"Error on write to ini-file");
    }
    Log(L"Saving key in registry");
    if (!UpdateAutorun(options_.Checked(ids::chbWindowsStart))) {
        ui::ShowMessageBox(nullptr, Msg(26), Msg(14), MB_OK | MB_ICONERROR);
        Log(L"Error can't write to registry");
    }
}

void TfrmMain::btnSaveOptionsClick() {
    SaveParams();
    SetOptionsChanged(false);
}

void TfrmMain::OnOptionClicked(int id) {
    switch (id) {
        case ids::chbUseSkin: chbUseSkinClick(); return;
        case ids::chbAero: chbAeroClick(); return;
        default: SetOptionsChanged(true); return;
    }
}

void TfrmMain::chbUseSkinClick() {
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

void TfrmMain::chbAeroClick() {
    skins_.SetExtendedBorders(options_.Checked(ids::chbAero));
    SetOptionsChanged(true);
}

void TfrmMain::sSkinBoxChange() {
    skins_.Select(options_.Text(ids::sSkinBox));
    SetOptionsChanged(true);
}

void TfrmMain::sbDownSBClick() { OptionsSB_.ScrollTo(INT_MAX / 2); }
void TfrmMain::sbUpSBClick() { OptionsSB_.ScrollTo(0); }

}  // namespace lentora
