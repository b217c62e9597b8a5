// The start-up entries dialog's texts: set by their language targets, and read back.
#include "lang/language_keys.h"
#include "sysint/startup_entries_dialog.h"
#include "ui/controls.h"

namespace lentora {
namespace {

// The texts by their names in the language targets.
constexpr struct {
    std::wstring_view name;
    std::wstring StartupEntriesDialog::Texts::*text;
} kTexts[] = {{L"UserFolder", &StartupEntriesDialog::Texts::userFolder},
              {L"CommonFolder", &StartupEntriesDialog::Texts::commonFolder},
              {L"GiveBackQuestion", &StartupEntriesDialog::Texts::giveBackQuestion},
              {L"GiveBackNotWritten", &StartupEntriesDialog::Texts::giveBackNotWritten},
              {L"GiveBackNameTaken", &StartupEntriesDialog::Texts::giveBackNameTaken}};

// The buttons by their names in the language targets.
constexpr struct {
    std::wstring_view name;
    StartupEntriesDialog::Button button;
} kButtons[] = {{L"btnRegImport", StartupEntriesDialog::Button::kImport},
                {L"btnEnableReg", StartupEntriesDialog::Button::kEnable},
                {L"btnDisableReg", StartupEntriesDialog::Button::kDisable},
                {L"btnGiveBack", StartupEntriesDialog::Button::kGiveBack}};

std::wstring TextTarget(std::wstring_view name) { return L"frmRegistryEdit." + std::wstring(name) + L".text"; }

}  // namespace

StartupEntriesDialog::Texts StartupEntriesDialog::DefaultTexts() {
    Texts texts;
    for (const auto& t : kTexts) texts.*t.text = FindLanguageKeyByTarget(TextTarget(t.name))->defaultText;
    return texts;
}

void StartupEntriesDialog::SetTargetText(std::wstring_view target, const std::wstring& text) {
    // The dialog's and its entry list's names in the language targets.
    constexpr std::wstring_view kForm = L"frmRegistryEdit.", kColumn = L"lvRegView.column";
    if (!target.starts_with(kForm)) return;
    target.remove_prefix(kForm.size());
    if (target == L"title") return SetTitle(text);
    if (target.starts_with(kColumn)) {
        int column = target.size() > kColumn.size() ? target[kColumn.size()] - L'0' : -1;
        if (column >= 0 && column < 4) SetColumnCaption(column, text);
        return;
    }
    const auto [name, property] = SplitLanguageTarget(target);
    for (const auto& t : kTexts)
        if (t.name == name && property == L"text") texts_.*t.text = text;
    for (const auto& b : kButtons) {
        if (b.name != name) continue;
        if (property == L"caption") SetButtonCaption(b.button, text);
        if (property == L"hint") SetButtonHint(b.button, text);
    }
}

void StartupEntriesDialog::SetTitle(const std::wstring& text) { ui::SetText(hwnd(), text); }
std::wstring StartupEntriesDialog::Title() const { return ui::GetText(hwnd()); }

void StartupEntriesDialog::SetColumnCaption(int column, const std::wstring& text) {
    ui::SetColumnCaption(entryList_, column, text);
}

std::wstring StartupEntriesDialog::ColumnCaption(int column) const { return ui::ColumnCaption(entryList_, column); }

void StartupEntriesDialog::SetButtonCaption(Button button, const std::wstring& text) {
    ui::SetText(ButtonWindow(button), text);
}

std::wstring StartupEntriesDialog::ButtonCaption(Button button) const { return ui::GetText(ButtonWindow(button)); }

void StartupEntriesDialog::SetButtonHint(Button button, const std::wstring& text) {
    tooltip_.Set(ButtonWindow(button), text);
}

std::wstring StartupEntriesDialog::ButtonHint(Button button) const { return tooltip_.Get(ButtonWindow(button)); }

}  // namespace lentora
