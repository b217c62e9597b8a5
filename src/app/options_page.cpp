#include "app/options_page.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>

#include "app/main_window_ids.h"
#include "ui/controls.h"
#include "ui/dpi.h"
#include "ui/text_width.h"
#include "util/date_time.h"

namespace lentora {
namespace {

// The page's stack, in order: Down, four group boxes, the save button's strip, Up.
constexpr int kDownHeight = 22, kStartStopHeight = 190, kIdleWaitHeight = 80, kLanguageHeight = 57,
              kSkinsHeight = 67, kSavePanelHeight = 40, kUpHeight = 22;
constexpr int kContentHeight = kDownHeight + kStartStopHeight + kIdleWaitHeight + kLanguageHeight + kSkinsHeight +
                               kSavePanelHeight + kUpHeight;

// Controls whose caption and hint come from the language file, by the names it uses, with the
// hint they show until a language file gives one.
constexpr struct {
    const wchar_t* name;
    int id;
    const wchar_t* hint;
} kNamedControls[] = {
    {L"chbWindowsStart", ids::chbWindowsStart, L"Start Lentora automatically when you sign in to Windows"},
    {L"chkUserProfile", ids::chkUserProfile, L"Keep a separate task list for each Windows user"},
    {L"chbSetWaitTimer", ids::chbSetWaitTimer, L"Wait for a while after sign-in before the task list is processed"},
    {L"dseWaitSec", ids::dseWaitSec, L"How many seconds to wait before the task list is processed"},
    {L"dseTimeExit", ids::dseTimeExit,
     L"How many seconds Lentora waits after the last task has started before it closes"},
    {L"chkShowBalloon", ids::chkShowBalloon, L"Show a notification balloon each time a task starts"},
    {L"chkCheckforUpdate", ids::chkCheckforUpdate, L"Check automatically whether a new version of Lentora is available"},
    {L"dsePollingInterval", ids::dsePollingInterval, L"How often to check for updates, in days (0 means at every start)"},
    {L"ledLastPool", ids::ledLastPool, L"Date of the last update check"},
    {L"btnCreateLink", ids::btnCreateLink, L"Create a shortcut to Lentora in your Startup folder"},
    {L"btnCheckUpdates", ids::btnCheckUpdates, L"Check for a new version now"},
    {L"chbUseSkin", ids::chbUseSkin, L"Turn skins on or off (without skins Lentora uses a little less memory)"},
    {L"chbAero", ids::chbAero, L"Turn Aero effects on or off"},
    {L"btnSaveOptions", ids::btnSaveOptions, L"Save the options"},
    {L"sbDownSB", ids::sbDownSB, L"Scroll to the bottom of the page"},
    {L"sbUpSB", ids::sbUpSB, L"Scroll to the top of the page"},
    {L"gbStartStop", ids::gbStartStop, nullptr},
    {L"gbLanguage", ids::gbLanguage, nullptr},
    {L"gbSkins", ids::gbSkins, nullptr},
    {L"gbIdleWait", ids::gbIdleWait, nullptr},
    {L"chbWaitIdle", ids::chbWaitIdle,
     L"Before each launch, wait until the processors have been less busy than the threshold for two seconds"},
    {L"dseIdleThreshold", ids::dseIdleThreshold, L"Total processor use below which the system counts as idle, in per cent"},
    {L"dseIdleTimeOut", ids::dseIdleTimeOut, L"A task waits for the system no longer than this, then starts anyway, in seconds"},
};
// Fields that mean something only while their switch is on.
constexpr struct {
    int box;
    int fields[6];
} kSwitchedFields[] = {
    {ids::chbSetWaitTimer, {ids::lblWaitSec, ids::dseWaitSec, ids::dseWaitSecSpin}},
    {ids::chbWaitIdle,
     {ids::lblIdleThreshold, ids::dseIdleThreshold, ids::dseIdleThresholdSpin, ids::lblIdleTimeOut, ids::dseIdleTimeOut,
      ids::dseIdleTimeOutSpin}},
};
// The labels bound to fields, by their fields' names.
constexpr struct {
    const wchar_t* field;
    int label;
} kBoundLabels[] = {{L"dseWaitSec", ids::lblWaitSec},
                    {L"dseTimeExit", ids::lblTimeExit},
                    {L"dsePollingInterval", ids::lblPollingInterval},
                    {L"ledLastPool", ids::lblLastPool},
                    {L"dseIdleThreshold", ids::lblIdleThreshold},
                    {L"dseIdleTimeOut", ids::lblIdleTimeOut}};

}  // namespace

HWND OptionsPage::Control(int id) const {
    for (const auto& [controlId, hwnd] : controls_)
        if (controlId == id) return hwnd;
    return nullptr;
}

std::vector<std::pair<int, bool*>> OptionsPage::CheckBoxes() {
    return {{ids::chbWindowsStart, &windowsStart_},       {ids::chkUserProfile, &shown_.taskListInProfile},
            {ids::chbSetWaitTimer, &shown_.delayOfStart},  {ids::chkShowBalloon, &shown_.showBalloon},
            {ids::chkCheckforUpdate, &shown_.checkForUpdates}, {ids::chbUseSkin, &shown_.useSkin},
            {ids::chbAero, &shown_.useAero},              {ids::chbWaitIdle, &shown_.waitForIdle}};
}

std::vector<OptionsPage::NumberField> OptionsPage::NumberFields() {
    return {{ids::dseWaitSec, &shown_.delayOfStartSeconds, 0, Settings::kMaxSeconds},
            {ids::dseTimeExit, &shown_.exitAfterSeconds, 0, Settings::kMaxSeconds},
            {ids::dsePollingInterval, &shown_.pollingIntervalDays, 0, Settings::kMaxPollingDays},
            {ids::dseIdleThreshold, &shown_.idleThresholdPercent, Settings::kMinIdleThreshold, Settings::kMaxIdleThreshold},
            {ids::dseIdleTimeOut, &shown_.idleWaitLimitSeconds, Settings::kMinIdleWait, Settings::kMaxIdleWait}};
}

void OptionsPage::Create(HWND page, ui::TextTargets& texts,
                         const std::function<void(HWND, const std::wstring&)>& setHint) {
    box_.Create(page, WS_VSCROLL);
    showing_ = true;  // the fields' first texts are no edits
    CreateControls();
    showing_ = false;
    for (const auto& named : kNamedControls) {
        texts.AddCaption(named.name, Control(named.id));
        texts.AddHint(named.name, Control(named.id), setHint);
        if (named.hint) setHint(Control(named.id), named.hint);
    }
    for (const auto& bound : kBoundLabels) {
        HWND label = Control(bound.label);
        texts.Add(std::wstring(bound.field) + L".BoundLabel", [label](const std::wstring& text) { ui::SetText(label, text); });
    }
    HWND skinsLink = Control(ids::wlblLoadSkins);
    texts.Add(L"wlblLoadSkins.caption", [skinsLink](const std::wstring& text) { ui::SetText(skinsLink, L"<a>" + text + L"</a>"); });
    ShowAll();
    box_.ScrollTo(0);
}

void OptionsPage::CreateControls() {
    HWND box = box_.hwnd();
    auto add = [this](int id, HWND hwnd) {
        controls_.emplace_back(id, hwnd);
        return hwnd;
    };
    const std::vector<NumberField> numbers = NumberFields();
    auto spinEdit = [&](int id, int spinId, int maxChars) {
        auto field = std::ranges::find(numbers, id, &NumberField::id);
        ui::SpinEdit spin = ui::CreateSpinEdit(box, id, field->minValue, field->maxValue, maxChars, 1);
        add(id, spin.edit);
        add(spinId, spin.spin);
    };
    add(ids::sbDownSB, ui::CreateButton(box, L"Down", ids::sbDownSB, BS_FLAT));
    add(ids::gbStartStop, ui::CreateGroupBox(box, L"Customisations of start / closing"));
    add(ids::chbWindowsStart, ui::CreateCheckBox(box, L"To start at Windows loading", ids::chbWindowsStart));
    add(ids::chkUserProfile, ui::CreateCheckBox(box, L"Use User's Profile", ids::chkUserProfile));
    add(ids::chbSetWaitTimer, ui::CreateCheckBox(box, L"To use delay of start", ids::chbSetWaitTimer));
    add(ids::lblWaitSec, ui::CreateLabel(box, L"Delay of start (s)"));
    spinEdit(ids::dseWaitSec, ids::dseWaitSecSpin, 6);
    add(ids::lblTimeExit, ui::CreateLabel(box, L"Time before exit (s)"));
    spinEdit(ids::dseTimeExit, ids::dseTimeExitSpin, 6);
    add(ids::chkShowBalloon, ui::CreateCheckBox(box, L"Show BallonHint on launch task", ids::chkShowBalloon));
    add(ids::chkCheckforUpdate, ui::CreateCheckBox(box, L"Check for updates", ids::chkCheckforUpdate));
    add(ids::lblPollingInterval, ui::CreateLabel(box, L"Polling interval (in days)"));
    spinEdit(ids::dsePollingInterval, ids::dsePollingIntervalSpin, 3);
    add(ids::lblLastPool, ui::CreateLabel(box, L"Last pool"));
    add(ids::ledLastPool, ui::CreateControl(box, WC_EDITW, L"none", ES_READONLY | ES_AUTOHSCROLL, ids::ledLastPool,
                                            WS_EX_CLIENTEDGE));
    add(ids::btnCreateLink, ui::CreateButton(box, L"Create link", ids::btnCreateLink));
    add(ids::btnCheckUpdates, ui::CreateButton(box, L"Check updates", ids::btnCheckUpdates));

    add(ids::gbIdleWait, ui::CreateGroupBox(box, L"Launch when the system is idle"));
    add(ids::chbWaitIdle,
        ui::CreateCheckBox(box, L"Wait until the system is idle before each launch", ids::chbWaitIdle));
    add(ids::lblIdleThreshold, ui::CreateLabel(box, L"Idle below CPU use (%)"));
    spinEdit(ids::dseIdleThreshold, ids::dseIdleThresholdSpin, 2);
    add(ids::lblIdleTimeOut, ui::CreateLabel(box, L"Longest wait (s)"));
    spinEdit(ids::dseIdleTimeOut, ids::dseIdleTimeOutSpin, 4);

    add(ids::gbLanguage, ui::CreateGroupBox(box, L"Language"));
    add(ids::cbLanguageSelect,
        ui::CreateControl(box, WC_COMBOBOXW, L"", WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL, ids::cbLanguageSelect));
    HWND apply = add(ids::actApplyLng, ui::CreateButton(box, L"", ids::actApplyLng));
    commands_.BindButton(*commands_.Find(ids::actApplyLng), apply);
    add(ids::lblAutorLng, ui::CreateLabel(box, translator_));

    add(ids::gbSkins, ui::CreateGroupBox(box, L"Skins"));
    add(ids::chbUseSkin, ui::CreateCheckBox(box, L"To use skin", ids::chbUseSkin));
    add(ids::sSkinBox,
        ui::CreateControl(box, WC_COMBOBOXW, L"", WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL, ids::sSkinBox));
    add(ids::chbAero, ui::CreateCheckBox(box, L"To use Aero Effect", ids::chbAero));
    add(ids::wlblLoadSkins, ui::CreateLink(box, L"load additional skins", ids::wlblLoadSkins));

    add(ids::btnSaveOptions, ui::CreateButton(box, L"Save options", ids::btnSaveOptions));
    add(ids::sbUpSB, ui::CreateButton(box, L"Up", ids::sbUpSB, BS_FLAT));
}

void OptionsPage::ShowAll() {
    if (!Built()) return;
    showing_ = true;
    for (const auto& [id, value] : CheckBoxes()) ui::SetChecked(Control(id), *value);
    for (const NumberField& field : NumberFields()) ShowNumber(field.id, *field.value);
    ShowList(ids::cbLanguageSelect, languages_, languageIndex_);
    ShowList(ids::sSkinBox, skins_, skinIndex_);
    ShowLastCheck();
    ui::SetText(Control(ids::lblAutorLng), translator_);
    ShowSkinEnabled();
    ShowSwitchedFields();
    EnableWindow(Control(ids::btnSaveOptions), changed_);
    showing_ = false;
}

void OptionsPage::ShowNumber(int id, const std::optional<int>& value) {
    if (Built()) ui::SetText(Control(id), value ? std::to_wstring(*value) : L"");
}

void OptionsPage::ShowList(int id, const std::vector<std::wstring>& items, int selected) {
    if (!Built()) return;
    HWND combo = Control(id);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const auto& item : items) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void OptionsPage::ShowSkinEnabled() {
    if (!Built()) return;
    // The skin's choices mean something only while a skin is used.
    for (int id : {ids::sSkinBox, ids::chbAero}) EnableWindow(Control(id), shown_.useSkin);
}

void OptionsPage::ShowSwitchedFields() {
    if (!Built()) return;
    for (const auto& switched : kSwitchedFields) {
        const bool on = ui::IsChecked(Control(switched.box));
        for (int id : switched.fields)
            if (id) EnableWindow(Control(id), on);
    }
}

void OptionsPage::Show(const Settings& settings, std::vector<std::wstring> skinNames) {
    shown_ = settings;
    skins_ = std::move(skinNames);
    auto stored = std::ranges::find(skins_, settings.skinName);
    skinIndex_ = stored != skins_.end() ? static_cast<int>(stored - skins_.begin()) : static_cast<int>(skins_.size()) - 1;
    shown_.skinName = skinIndex_ >= 0 ? skins_[static_cast<size_t>(skinIndex_)] : L"";
    ShowAll();
}

void OptionsPage::SetLanguages(std::vector<std::wstring> names) {
    languages_ = std::move(names);
    languageIndex_ = -1;
    ShowList(ids::cbLanguageSelect, languages_, languageIndex_);
}

bool OptionsPage::SelectLanguage(const std::wstring& name) {
    auto found = std::ranges::find(languages_, name);
    languageIndex_ = found != languages_.end() ? static_cast<int>(found - languages_.begin())
                                               : static_cast<int>(languages_.size()) - 1;
    shown_.languageName = languageIndex_ >= 0 ? languages_[static_cast<size_t>(languageIndex_)] : L"";
    if (Built()) SendMessageW(Control(ids::cbLanguageSelect), CB_SETCURSEL, static_cast<WPARAM>(languageIndex_), 0);
    return found != languages_.end();
}

void OptionsPage::SetLastCheck(double serial) {
    shown_.lastUpdateCheck = serial;
    ShowLastCheck();
}

void OptionsPage::SetNeverChecked(const std::wstring& text) {
    neverChecked_ = text;
    ShowLastCheck();
}

void OptionsPage::ShowLastCheck() {
    // No check has succeeded yet: the stored date is the serial's zero, not a day to show.
    if (Built())
        ui::SetText(Control(ids::ledLastPool),
                    shown_.lastUpdateCheck > 0 ? ShortDateOfSerial(shown_.lastUpdateCheck) : neverChecked_);
}

void OptionsPage::SetTranslator(const std::wstring& text) {
    translator_ = text;
    if (Built()) ui::SetText(Control(ids::lblAutorLng), text);
}

void OptionsPage::SetWindowsStart(bool on) {
    windowsStart_ = on;
    if (Built()) ui::SetChecked(Control(ids::chbWindowsStart), on);
}

void OptionsPage::SetChanged(bool changed) {
    changed_ = changed;
    if (Built()) EnableWindow(Control(ids::btnSaveOptions), changed);
}

void OptionsPage::OnChecked(int id, bool checked) {
    for (const auto& [boxId, value] : CheckBoxes())
        if (boxId == id) *value = checked;
    if (id == ids::chbUseSkin) {
        ShowSkinEnabled();
        actions_.useSkinChanged(checked);
        // Without a skin there are no extended borders either.
        if (!checked && shown_.useAero) {
            shown_.useAero = false;
            ui::SetChecked(Control(ids::chbAero), false);
            actions_.extendedBordersChanged(false);
        }
    } else if (id == ids::chbAero) {
        actions_.extendedBordersChanged(checked);
    }
    ShowSwitchedFields();
    SetChanged(true);
}

bool OptionsPage::OnCommand(int id, int code, HWND control) {
    if (!control || GetParent(control) != box_.hwnd()) return false;
    for (const auto& [boxId, value] : CheckBoxes()) {
        if (boxId != id) continue;
        if (code == BN_CLICKED) OnChecked(id, ui::IsChecked(control));
        return true;
    }
    for (const NumberField& field : NumberFields()) {
        if (field.id != id) continue;
        // A number typed beyond the range is kept at its bound, as the next start would read it;
        // the field shows that once the focus leaves it.
        if (code == EN_KILLFOCUS) {
            showing_ = true;
            ShowNumber(id, *field.value);
            showing_ = false;
        }
        if (code != EN_CHANGE || showing_) return true;
        std::optional<int> typed = ui::DigitsValue(ui::GetText(control));
        *field.value = typed ? std::optional(std::clamp(*typed, field.minValue, field.maxValue)) : std::nullopt;
        // Only typing changes the options; the page filling its fields does not.
        if (GetFocus() == control) SetChanged(true);
        return true;
    }
    auto selectedIn = [control] { return static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0)); };
    if (id == ids::cbLanguageSelect || id == ids::sSkinBox) {
        if (code != CBN_SELCHANGE) return true;
        if (id == ids::cbLanguageSelect) {
            languageIndex_ = selectedIn();
            shown_.languageName = ui::GetText(control);
            actions_.languageSelected();
        } else {
            skinIndex_ = selectedIn();
            shown_.skinName = ui::GetText(control);
            actions_.skinSelected(shown_.skinName);
        }
        SetChanged(true);
        return true;
    }
    if (code != BN_CLICKED) return false;
    switch (id) {
        case ids::btnSaveOptions: actions_.save(); return true;
        case ids::sbDownSB: box_.ScrollTo(INT_MAX / 2); return true;
        case ids::sbUpSB: box_.ScrollTo(0); return true;
        case ids::btnCreateLink: actions_.createShortcut(); return true;
        case ids::btnCheckUpdates: actions_.checkForUpdates(); return true;
    }
    return false;
}

bool OptionsPage::OnNotify(const NMHDR& hdr) {
    if ((hdr.code != NM_CLICK && hdr.code != NM_RETURN) || hdr.idFrom != ids::wlblLoadSkins) return false;
    actions_.openSkinsPage();
    return true;
}

void OptionsPage::Layout(int width, int height, UINT dpi) {
    ui::Move(box_.hwnd(), 0, 0, width, height);
    auto s = [dpi](int px) { return ui::Scale(px, dpi); };
    RECT rc{};
    GetClientRect(box_.hwnd(), &rc);
    const int w = rc.right;
    const int top = -box_.ScrollPosition();
    auto place = [&](int id, int x, int y, int cx, int cy) {
        // A width of 0 or less reaches that far short of the right edge.
        ui::Move(Control(id), s(x), top + s(y), cx <= 0 ? w - s(x) + s(cx) : s(cx), s(cy));
    };
    int y = 0;
    place(ids::sbDownSB, 0, y, 0, kDownHeight);
    y += kDownHeight;
    place(ids::gbStartStop, 4, y, -4, kStartStopHeight - 4);
    place(ids::chbWindowsStart, 14, y + 20, 260, 20);
    place(ids::chkUserProfile, 14, y + 42, 260, 20);
    place(ids::chbSetWaitTimer, 14, y + 64, 260, 20);
    place(ids::lblWaitSec, 14, y + 93, 150, 18);
    place(ids::dseWaitSec, 168, y + 90, 70, 22);
    place(ids::dseWaitSecSpin, 238, y + 90, 18, 22);
    place(ids::lblTimeExit, 14, y + 121, 150, 18);
    place(ids::dseTimeExit, 168, y + 118, 70, 22);
    place(ids::dseTimeExitSpin, 238, y + 118, 18, 22);
    place(ids::chkShowBalloon, 14, y + 148, 260, 20);
    const int rx = 284;
    place(ids::chkCheckforUpdate, rx, y + 20, 240, 20);
    place(ids::lblPollingInterval, rx, y + 45, 150, 18);
    place(ids::dsePollingInterval, rx + 150, y + 42, 50, 22);
    place(ids::dsePollingIntervalSpin, rx + 200, y + 42, 18, 22);
    // The label takes what its caption needs in the applied language; the field the rest of the row.
    const HWND lastLabelControl = Control(ids::lblLastPool);
    const int lastLabel = std::max(s(80), ui::TextWidth(lastLabelControl, ui::GetText(lastLabelControl)) + s(6));
    ui::Move(lastLabelControl, s(rx), top + s(y + 73), lastLabel, s(18));
    ui::Move(Control(ids::ledLastPool), s(rx) + lastLabel, top + s(y + 70), s(218) - lastLabel, s(22));
    // As wide as the fields above them: the captions run long in some languages.
    place(ids::btnCheckUpdates, rx, y + 110, 218, 26);
    place(ids::btnCreateLink, rx, y + 142, 218, 26);
    y += kStartStopHeight;
    place(ids::gbIdleWait, 4, y, -4, kIdleWaitHeight - 4);
    place(ids::chbWaitIdle, 14, y + 20, -10, 20);
    place(ids::lblIdleThreshold, 14, y + 49, 150, 18);
    place(ids::dseIdleThreshold, 168, y + 46, 70, 22);
    place(ids::dseIdleThresholdSpin, 238, y + 46, 18, 22);
    place(ids::lblIdleTimeOut, rx, y + 49, 150, 18);
    place(ids::dseIdleTimeOut, rx + 150, y + 46, 50, 22);
    place(ids::dseIdleTimeOutSpin, rx + 200, y + 46, 18, 22);
    y += kIdleWaitHeight;
    place(ids::gbLanguage, 4, y, -4, kLanguageHeight - 4);
    place(ids::cbLanguageSelect, 14, y + 20, 160, 200);
    place(ids::actApplyLng, 180, y + 19, 110, 25);
    // Two lines: the translator's name and the file's version often do not fit in one.
    place(ids::lblAutorLng, 300, y + 16, -10, 34);
    y += kLanguageHeight;
    place(ids::gbSkins, 4, y, -4, kSkinsHeight - 4);
    place(ids::chbUseSkin, 14, y + 20, 170, 20);
    place(ids::sSkinBox, 190, y + 19, 150, 200);
    place(ids::chbAero, 14, y + 42, 200, 20);
    place(ids::wlblLoadSkins, 350, y + 22, -10, 20);
    y += kSkinsHeight;
    ui::Move(Control(ids::btnSaveOptions), w - s(140), top + s(y + 7), s(130), s(26));
    y += kSavePanelHeight;
    place(ids::sbUpSB, 0, y, 0, kUpHeight);
    box_.SetScrollContent(s(kContentHeight), s(25));
    // A group box repaints only its frame: its old frame, now inside it, goes with the page's
    // background, which its transparent style lets the page paint.
    RedrawWindow(box_.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace lentora
