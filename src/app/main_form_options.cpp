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
bool SelectExact(HWND combo, const std::wstring& text) {
    auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring entry(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0)) + 1, L'\0');
        entry.resize(static_cast<size_t>(
            SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry.data()))));
        if (entry == text) {
            SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
            return true;
        }
    }
    return false;
}

void SelectLast(HWND combo) {
    auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    if (count > 0) SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(count - 1), 0);
}


}  // namespace

std::wstring TfrmMain::ComboText(int id) const { return ui::GetText(Control(id)); }

void TfrmMain::SetOptionsChanged(bool changed) { EnableWindow(Control(ids::btnSaveOptions), changed); }
bool TfrmMain::OptionsChanged() const { return IsWindowEnabled(Control(ids::btnSaveOptions)) != FALSE; }

void TfrmMain::SetCheck(int id, bool checked) {
    // As a user's click does, a change of value runs the control's handler.
    if (ui::IsChecked(Control(id)) == checked) return;
    ui::SetChecked(Control(id), checked);
    OnOptionClicked(id);
}

void TfrmMain::SetSpinValue(int id, int minValue, int maxValue, int value) {
    // A stored number outside the field's range is clamped to it.
    ui::SetText(Control(id), std::to_wstring(std::clamp(value, minValue, maxValue)));
}

void TfrmMain::LoadParams() {
    Log(FormatText(L"Loading params from \"%s\" ...", {settingsPath_}));
    updState_.disable_check_update = !IniReadBool(settingsPath_, L"Options", L"check_update", true);
    Log(FormatText(L"Loading params from \"%s\" ...", {settingsPath_}));
    std::wstring skinName = IniReadString(settingsPath_, L"Skin", L"CurrentSkin", L"Vista (internal)");
    HWND skinBox = Control(ids::sSkinBox);
    SendMessageW(skinBox, CB_RESETCONTENT, 0, 0);
    for (const auto& name : skins_.Names())
        SendMessageW(skinBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SelectLast(skinBox);
    SelectExact(skinBox, skinName);
    SetCheck(ids::chbAero, IniReadBool(settingsPath_, L"Skin", L"UseAero", false));
    chbAeroClick();
    SetCheck(ids::chbUseSkin, IniReadBool(settingsPath_, L"Skin", L"UseSkin", false));
    SetGlassFrame(!ui::IsChecked(Control(ids::chbUseSkin)));
    InvalidateRect(pcMainPage_, nullptr, TRUE);
    SetCheck(ids::chkShowBalloon, IniReadBool(settingsPath_, L"Options", L"ShowBalloon", false));
    skins_.Select(skinName);
    skins_.SetActive(ui::IsChecked(Control(ids::chbUseSkin)));

    std::wstring language = IniReadString(settingsPath_, L"Language", L"CurrentLanguage", L"English (EN)");
    HWND languages = Control(ids::cbLanguageSelect);
    SelectLast(languages);
    if (SelectExact(languages, language)) actApplyLngExecute();
    skins_.SetActive(ui::IsChecked(Control(ids::chbUseSkin)));

    SetSpinValue(ids::dseWaitSec, 0, 999999, IniReadInteger(settingsPath_, L"Options", L"WaitTimeOut", 0));
    SetCheck(ids::chbSetWaitTimer, IniReadBool(settingsPath_, L"Options", L"WaitTimer", false));
    SetSpinValue(ids::dseTimeExit, 0, 999999, IniReadInteger(settingsPath_, L"Options", L"TimeExit", 10));
    SetCheck(ids::chkUserProfile, IniReadBool(settingsPath_, L"Options", L"UserProfile", false));
    SetCheck(ids::chkCheckforUpdate, IniReadBool(settingsPath_, L"Options", L"check_update", true));
    SetSpinValue(ids::dsePollingInterval, 0, 365, IniReadInteger(settingsPath_, L"Options", L"PollingInterval", 7));
    // A stored date that is not a number reads as day 0.
    updState_.last_update_date =
        ParseDateSerial(IniReadString(settingsPath_, L"Options", L"LastUpdateDate", L"0")).value_or(0.0);
    ui::SetText(Control(ids::ledLastPool), ShortDateOfSerial(updState_.last_update_date));
    Log(L"Params is Loaded");
    ui::SetChecked(Control(ids::chbWindowsStart), IsAutorunRegistered());
    SetOptionsChanged(false);
}

void TfrmMain::SaveParams() {
    try {
        Log(FormatText(L"Saving params in \"%s\" ...", {settingsPath_}));
        auto number = [this](int id) {
            auto value = ui::GetDigitsValue(Control(id));
            if (!value) throw std::runtime_error("not a whole number");
            return *value;
        };
        IniWriteBool(settingsPath_, L"Skin", L"Useskin", ui::IsChecked(Control(ids::chbUseSkin)));
        IniWriteBool(settingsPath_, L"Skin", L"UseAero", ui::IsChecked(Control(ids::chbAero)));
        IniWriteBool(settingsPath_, L"Options", L"ShowBalloon", ui::IsChecked(Control(ids::chkShowBalloon)));
        IniWriteString(settingsPath_, L"Skin", L"Currentskin", ComboText(ids::sSkinBox));
        IniWriteString(settingsPath_, L"Language", L"CurrentLanguage", ComboText(ids::cbLanguageSelect));
        IniWriteInteger(settingsPath_, L"Options", L"WaitTimeOut", number(ids::dseWaitSec));
        IniWriteInteger(settingsPath_, L"Options", L"TimeExit", number(ids::dseTimeExit));
        IniWriteBool(settingsPath_, L"Options", L"WaitTimer", ui::IsChecked(Control(ids::chbSetWaitTimer)));
        IniWriteBool(settingsPath_, L"Options", L"UserProfile", ui::IsChecked(Control(ids::chkUserProfile)));
        IniWriteBool(settingsPath_, L"Options", L"check_update", ui::IsChecked(Control(ids::chkCheckforUpdate)));
        IniWriteInteger(settingsPath_, L"Options", L"PollingInterval", number(ids::dsePollingInterval));
        IniWriteString(settingsPath_, L"Options", L"LastUpdateDate", FormatDateSerial(updState_.last_update_date));
        Log(L"Params is saved");
    } catch (const std::exception&) {
        Log(L"Error on write to ini-file");
    }
    Log(L"Saving key in registry");
    if (!UpdateAutorun(ui::IsChecked(Control(ids::chbWindowsStart)))) {
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
    bool on = ui::IsChecked(Control(ids::chbUseSkin));
    skins_.SetActive(on);
    EnableWindow(Control(ids::chbAero), on);
    EnableWindow(Control(ids::sSkinBox), on);
    SetGlassFrame(!on);
    if (!on && ui::IsChecked(Control(ids::chbAero))) {
        ui::SetChecked(Control(ids::chbAero), false);
        chbAeroClick();
    }
    InvalidateRect(pcMainPage_, nullptr, TRUE);
    SetOptionsChanged(true);
}

void TfrmMain::chbAeroClick() {
    skins_.SetExtendedBorders(ui::IsChecked(Control(ids::chbAero)));
    SetOptionsChanged(true);
}

void TfrmMain::sSkinBoxChange() {
    skins_.Select(ComboText(ids::sSkinBox));
    SetOptionsChanged(true);
}

void TfrmMain::sbDownSBClick() { OptionsSB_.ScrollTo(INT_MAX / 2); }
void TfrmMain::sbUpSBClick() { OptionsSB_.ScrollTo(0); }

}  // namespace lentora
