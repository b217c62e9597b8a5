#include "app/options_page.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>

#include "app/main_window_ids.h"
#include "lang/language_keys.h"
#include "ui/centred_edit.h"
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

// The page's own controls whose caption and hint come from the language file, by the names it
// uses, with the hint they show until a language file gives one; the options' fields take theirs
// from their declarations.
constexpr struct {
    const wchar_t* name;
    int id;
    const wchar_t* hint;
} kNamedControls[] = {
    {L"chbWindowsStart", ids::startWithWindowsCheck, L"Start Lentora automatically when you sign in to Windows"},
    {L"ledLastPool", ids::lastCheckDateField, L"Date of the last update check"},
    {L"btnCreateLink", ids::createShortcutButton, L"Create a shortcut to Lentora in your Startup folder"},
    {L"btnCheckUpdates", ids::checkNowButton, L"Check for a new version now"},
    {L"btnSaveOptions", ids::saveOptionsButton, L"Save the options"},
    {L"sbDownSB", ids::scrollDownButton, L"Scroll to the bottom of the page"},
    {L"sbUpSB", ids::scrollUpButton, L"Scroll to the top of the page"},
    {L"gbStartStop", ids::startExitGroup, nullptr},
    {L"gbLanguage", ids::languageGroup, nullptr},
    {L"gbSkins", ids::skinsGroup, nullptr},
    {L"gbIdleWait", ids::idleWaitGroup, nullptr},
};

// The built-in English text of a language target, which the page's controls show until a language
// is applied: the language keys are its one home.
std::wstring EnglishText(std::wstring_view target) {
    const LanguageKey* key = FindLanguageKeyByTarget(target);
    return key ? std::wstring(key->defaultText) : std::wstring();
}
std::wstring EnglishCaption(std::wstring_view name) { return EnglishText(std::wstring(name) + L".caption"); }

}  // namespace

HWND OptionsPage::Control(int id) const {
    for (const auto& [controlId, hwnd] : controls_)
        if (controlId == id) return hwnd;
    return nullptr;
}

HWND OptionsPage::Add(int id, HWND control) {
    controls_.emplace_back(id, control);
    return control;
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
    for (const OptionField& field : OptionFields()) AddFieldTexts(field, texts, setHint);
    HWND lastCheckLabel = Control(ids::lastCheckLabel);
    texts.Add(L"ledLastPool.BoundLabel", [lastCheckLabel](const std::wstring& text) { ui::SetText(lastCheckLabel, text); });
    HWND skinsLink = Control(ids::moreSkinsLink);
    texts.Add(L"wlblLoadSkins.caption", [skinsLink](const std::wstring& text) { ui::SetText(skinsLink, L"<a>" + text + L"</a>"); });
    ShowAll();
    box_.ScrollTo(0);
}

void OptionsPage::CreateControls() {
    HWND box = box_.hwnd();
    auto addFields = [this](OptionsGroup group) {
        for (const OptionField& field : OptionFields())
            if (field.group == group) AddField(field);
    };
    Add(ids::scrollDownButton, ui::CreateButton(box, EnglishCaption(L"sbDownSB"), ids::scrollDownButton, BS_FLAT));
    Add(ids::startExitGroup, ui::CreateGroupBox(box, EnglishCaption(L"gbStartStop")));
    Add(ids::startWithWindowsCheck, ui::CreateCheckBox(box, EnglishCaption(L"chbWindowsStart"), ids::startWithWindowsCheck));
    addFields(OptionsGroup::StartStop);
    Add(ids::lastCheckLabel, ui::CreateLabel(box, EnglishText(L"ledLastPool.BoundLabel")));
    Add(ids::lastCheckDateField, ui::CreateControl(box, WC_EDITW, L"none", ES_READONLY | ES_AUTOHSCROLL, ids::lastCheckDateField,
                                            WS_EX_CLIENTEDGE));
    // Its date sits in the middle of the row's height, as the number fields' digits do.
    ui::CentreTextVertically(Control(ids::lastCheckDateField));
    // This button and the skins link show captions of their own until a language is applied, not
    // their language keys' built-in ones.
    Add(ids::createShortcutButton, ui::CreateButton(box, L"Create link", ids::createShortcutButton));
    Add(ids::checkNowButton, ui::CreateButton(box, EnglishCaption(L"btnCheckUpdates"), ids::checkNowButton));

    Add(ids::idleWaitGroup, ui::CreateGroupBox(box, EnglishCaption(L"gbIdleWait")));
    addFields(OptionsGroup::IdleWait);

    Add(ids::languageGroup, ui::CreateGroupBox(box, EnglishCaption(L"gbLanguage")));
    addFields(OptionsGroup::Language);
    HWND apply = Add(ids::applyLanguage, ui::CreateButton(box, L"", ids::applyLanguage));
    commands_.BindButton(*commands_.Find(ids::applyLanguage), apply);
    Add(ids::translatorLabel, ui::CreateLabel(box, translator_));

    Add(ids::skinsGroup, ui::CreateGroupBox(box, EnglishCaption(L"gbSkins")));
    addFields(OptionsGroup::Skins);
    Add(ids::moreSkinsLink, ui::CreateLink(box, L"load additional skins", ids::moreSkinsLink));

    Add(ids::saveOptionsButton, ui::CreateButton(box, EnglishCaption(L"btnSaveOptions"), ids::saveOptionsButton));
    Add(ids::scrollUpButton, ui::CreateButton(box, EnglishCaption(L"sbUpSB"), ids::scrollUpButton, BS_FLAT));
}

void OptionsPage::ShowAll() {
    if (!Built()) return;
    showing_ = true;
    ui::SetChecked(Control(ids::startWithWindowsCheck), windowsStart_);
    ShowFieldValues();
    ShowList(ControlOf(&Settings::languageName), languages_, languageIndex_);
    ShowList(ControlOf(&Settings::skinName), skins_, skinIndex_);
    ShowLastCheck();
    ui::SetText(Control(ids::translatorLabel), translator_);
    ShowEnabledFields();
    EnableWindow(Control(ids::saveOptionsButton), changed_);
    showing_ = false;
}

void OptionsPage::ShowList(HWND combo, const std::vector<std::wstring>& items, int selected) {
    if (!Built()) return;
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const auto& item : items) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
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
    ShowList(ControlOf(&Settings::languageName), languages_, languageIndex_);
}

bool OptionsPage::SelectLanguage(const std::wstring& name) {
    auto found = std::ranges::find(languages_, name);
    languageIndex_ = found != languages_.end() ? static_cast<int>(found - languages_.begin())
                                               : static_cast<int>(languages_.size()) - 1;
    shown_.languageName = languageIndex_ >= 0 ? languages_[static_cast<size_t>(languageIndex_)] : L"";
    if (Built())
        SendMessageW(ControlOf(&Settings::languageName), CB_SETCURSEL, static_cast<WPARAM>(languageIndex_), 0);
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
        ui::SetText(Control(ids::lastCheckDateField),
                    shown_.lastUpdateCheck > 0 ? ShortDateOfSerial(shown_.lastUpdateCheck) : neverChecked_);
}

void OptionsPage::SetTranslator(const std::wstring& text) {
    translator_ = text;
    if (Built()) ui::SetText(Control(ids::translatorLabel), text);
}

void OptionsPage::SetWindowsStart(bool on) {
    windowsStart_ = on;
    if (Built()) ui::SetChecked(Control(ids::startWithWindowsCheck), on);
}

void OptionsPage::SetChanged(bool changed) {
    changed_ = changed;
    if (Built()) EnableWindow(Control(ids::saveOptionsButton), changed);
}

bool OptionsPage::OnCommand(int id, int code, HWND control) {
    if (!control || GetParent(control) != box_.hwnd()) return false;
    if (const OptionField* field = FieldWithControl(id)) {
        OnFieldCommand(DeclarationOf(field->option), code, control);
        return true;
    }
    if (id == ids::startWithWindowsCheck) {
        if (code == BN_CLICKED) {
            windowsStart_ = ui::IsChecked(control);
            SetChanged(true);
        }
        return true;
    }
    if (code != BN_CLICKED) return false;
    switch (id) {
        case ids::saveOptionsButton: actions_.save(); return true;
        case ids::scrollDownButton: box_.ScrollTo(INT_MAX / 2); return true;
        case ids::scrollUpButton: box_.ScrollTo(0); return true;
        case ids::createShortcutButton: actions_.createShortcut(); return true;
        case ids::checkNowButton: actions_.checkForUpdates(); return true;
    }
    return false;
}

bool OptionsPage::OnNotify(const NMHDR& hdr) {
    if ((hdr.code != NM_CLICK && hdr.code != NM_RETURN) || hdr.idFrom != ids::moreSkinsLink) return false;
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
    // The options' fields of a group whose box starts at `groupTop`; a number field's spin button
    // stands right of its edit box.
    auto placeFields = [&](OptionsGroup group, int groupTop) {
        for (const OptionField& field : OptionFields()) {
            if (field.group != group) continue;
            const OptionFieldIds id = IdsOf(field);
            const FieldPlace& at = field.at;
            if (id.spin) {
                const FieldPlace& edit = field.edit;
                place(id.label, at.x, groupTop + at.y, at.cx, at.cy);
                place(id.control, edit.x, groupTop + edit.y, edit.cx, edit.cy);
                place(id.spin, edit.x + edit.cx, groupTop + edit.y, 18, edit.cy);
            } else {
                place(id.control, at.x, groupTop + at.y, at.cx, at.cy);
            }
        }
    };
    int y = 0;
    place(ids::scrollDownButton, 0, y, 0, kDownHeight);
    y += kDownHeight;
    place(ids::startExitGroup, 4, y, -4, kStartStopHeight - 4);
    place(ids::startWithWindowsCheck, 14, y + 20, 260, 20);
    placeFields(OptionsGroup::StartStop, y);
    const int rx = kRightColumn;
    // The field keeps room for any date in the regional format (a two-digit day and month) or the
    // "never" text; the label takes what its caption needs within the rest of the row.
    const HWND lastLabelControl = Control(ids::lastCheckLabel), lastField = Control(ids::lastCheckDateField);
    const std::wstring wideDate = ShortDateOfSerial(ToDateSerial({.year = 2088, .month = 12, .day = 28}));
    const int fieldNeed =
        std::max(ui::TextWidth(lastField, wideDate), ui::TextWidth(lastField, neverChecked_)) + s(14);
    const int lastLabel = std::min(std::max(s(80), ui::TextWidth(lastLabelControl, ui::GetText(lastLabelControl)) + s(6)),
                                   s(218) - fieldNeed);
    ui::Move(lastLabelControl, s(rx), top + s(y + 73), lastLabel, s(18));
    ui::Move(lastField, s(rx) + lastLabel, top + s(y + 70), s(218) - lastLabel, s(22));
    // As wide as the fields above them: the captions run long in some languages.
    place(ids::checkNowButton, rx, y + 110, 218, 26);
    place(ids::createShortcutButton, rx, y + 142, 218, 26);
    y += kStartStopHeight;
    place(ids::idleWaitGroup, 4, y, -4, kIdleWaitHeight - 4);
    placeFields(OptionsGroup::IdleWait, y);
    y += kIdleWaitHeight;
    place(ids::languageGroup, 4, y, -4, kLanguageHeight - 4);
    placeFields(OptionsGroup::Language, y);
    place(ids::applyLanguage, 180, y + 19, 110, 25);
    // Two lines: the translator's name and the file's version often do not fit in one.
    place(ids::translatorLabel, 300, y + 16, -10, 34);
    y += kLanguageHeight;
    place(ids::skinsGroup, 4, y, -4, kSkinsHeight - 4);
    placeFields(OptionsGroup::Skins, y);
    place(ids::moreSkinsLink, 350, y + 22, -10, 20);
    y += kSkinsHeight;
    ui::Move(Control(ids::saveOptionsButton), w - s(140), top + s(y + 7), s(130), s(26));
    y += kSavePanelHeight;
    place(ids::scrollUpButton, 0, y, 0, kUpHeight);
    box_.SetScrollContent(s(kContentHeight), s(25));
    // A group box repaints only its frame: its old frame, now inside it, goes with the page's
    // background, which its transparent style lets the page paint.
    RedrawWindow(box_.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace lentora
