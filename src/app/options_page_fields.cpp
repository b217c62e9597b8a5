// The Options page's fields of the options: built, shown and read back as the options' declarations
// say, each where option_fields.h places it.
#include "app/options_page.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/controls.h"

namespace lentora {
namespace {

// The most digits a number of the range has: the field takes no more.
int DigitCount(int maxValue) { return static_cast<int>(std::to_wstring(maxValue).size()); }

}  // namespace

HWND OptionsPage::ControlOf(const OptionMember& option) const {
    const OptionField* field = FieldOf(option);
    return field ? Control(IdsOf(*field).control) : nullptr;
}

void OptionsPage::AddFieldTexts(const OptionField& field, ui::TextTargets& texts,
                                const std::function<void(HWND, const std::wstring&)>& setHint) {
    const OptionDeclaration& option = DeclarationOf(field.option);
    if (option.caption.empty()) return;  // a list has no texts of its own
    const OptionFieldIds id = IdsOf(field);
    HWND control = Control(id.control);
    if (option.control == OptionControl::NumberField) {
        HWND label = Control(id.label);
        texts.Add(std::wstring(option.name) + L".BoundLabel", [label](const std::wstring& text) { ui::SetText(label, text); });
    } else {
        texts.AddCaption(option.name, control);
    }
    texts.AddHint(option.name, control, setHint);
    setHint(control, std::wstring(option.hintBeforeLanguage.empty() ? option.hint : option.hintBeforeLanguage));
}

void OptionsPage::AddField(const OptionField& field) {
    HWND box = box_.hwnd();
    const OptionDeclaration& option = DeclarationOf(field.option);
    const OptionFieldIds id = IdsOf(field);
    switch (option.control) {
        case OptionControl::CheckBox:
            Add(id.control, ui::CreateCheckBox(box, std::wstring(option.caption), id.control));
            break;
        case OptionControl::NumberField: {
            Add(id.label, ui::CreateLabel(box, std::wstring(option.caption)));
            ui::SpinEdit spin =
                ui::CreateSpinEdit(box, id.control, option.minValue, option.maxValue, DigitCount(option.maxValue), 1);
            Add(id.control, spin.edit);
            Add(id.spin, spin.spin);
            break;
        }
        case OptionControl::List:
            Add(id.control, ui::CreateControl(box, WC_COMBOBOXW, L"", WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL,
                                              id.control));
            break;
        case OptionControl::None: break;
    }
}

void OptionsPage::ShowFieldValues() {
    for (const OptionField& field : OptionFields()) {
        const OptionDeclaration& option = DeclarationOf(field.option);
        HWND control = Control(IdsOf(field).control);
        if (option.control == OptionControl::CheckBox)
            ui::SetChecked(control, shown_.*std::get<bool Settings::*>(option.member));
        else if (option.control == OptionControl::NumberField)
            ShowNumber(control, shown_.*std::get<std::optional<int> Settings::*>(option.member));
    }
}

void OptionsPage::ShowNumber(HWND field, const std::optional<int>& value) {
    if (Built()) ui::SetText(field, value ? std::to_wstring(*value) : L"");
}

void OptionsPage::ShowEnabledFields() {
    if (!Built()) return;
    // A field whose option means nothing while its switch is off takes no input then.
    for (const OptionField& field : OptionFields()) {
        const OptionDeclaration& option = DeclarationOf(field.option);
        if (!option.enabledBy) continue;
        const OptionFieldIds id = IdsOf(field);
        for (int part : {id.label, id.control, id.spin})
            if (part) EnableWindow(Control(part), shown_.*option.enabledBy);
    }
}

void OptionsPage::OnChecked(const OptionDeclaration& option, bool checked) {
    shown_.*std::get<bool Settings::*>(option.member) = checked;
    ShowEnabledFields();
    if (option.member == OptionMember(&Settings::useSkin)) {
        actions_.useSkinChanged(checked);
        // Without a skin there are no extended borders either.
        if (!checked && shown_.useAero) {
            shown_.useAero = false;
            ui::SetChecked(ControlOf(&Settings::useAero), false);
            actions_.extendedBordersChanged(false);
        }
    } else if (option.member == OptionMember(&Settings::useAero)) {
        actions_.extendedBordersChanged(checked);
    }
    SetChanged(true);
}

void OptionsPage::OnNumberCommand(const OptionDeclaration& option, int code, HWND control) {
    std::optional<int>& value = shown_.*std::get<std::optional<int> Settings::*>(option.member);
    // A number typed beyond the range is kept at its bound, as the next start would read it; the
    // field shows that once the focus leaves it.
    if (code == EN_KILLFOCUS) {
        showing_ = true;
        ShowNumber(control, value);
        showing_ = false;
    }
    if (code != EN_CHANGE || showing_) return;
    std::optional<int> typed = ui::DigitsValue(ui::GetText(control));
    value = typed ? std::optional(std::clamp(*typed, option.minValue, option.maxValue)) : std::nullopt;
    // Only typing changes the options; the page filling its fields does not.
    if (GetFocus() == control) SetChanged(true);
}

void OptionsPage::OnPicked(const OptionDeclaration& option, HWND combo) {
    const int selected = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
    if (option.member == OptionMember(&Settings::languageName)) {
        languageIndex_ = selected;
        shown_.languageName = ui::GetText(combo);
        actions_.languageSelected();
    } else if (option.member == OptionMember(&Settings::skinName)) {
        skinIndex_ = selected;
        shown_.skinName = ui::GetText(combo);
        actions_.skinSelected(shown_.skinName);
    }
    SetChanged(true);
}

void OptionsPage::OnFieldCommand(const OptionDeclaration& option, int code, HWND control) {
    switch (option.control) {
        case OptionControl::CheckBox:
            if (code == BN_CLICKED) OnChecked(option, ui::IsChecked(control));
            break;
        case OptionControl::NumberField: OnNumberCommand(option, code, control); break;
        case OptionControl::List:
            if (code == CBN_SELCHANGE) OnPicked(option, control);
            break;
        case OptionControl::None: break;
    }
}

}  // namespace lentora
