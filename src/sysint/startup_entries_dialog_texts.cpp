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
              {L"GiveBackNameTaken", &StartupEntriesDialog::Texts::giveBackNameTaken},
              {L"Starts", &StartupEntriesDialog::Texts::startsText},
              {L"SwitchedOff", &StartupEntriesDialog::Texts::switchedOffText},
              {L"TakenOver", &StartupEntriesDialog::Texts::takenOverText},
              {L"GiveBackElevateQuestion", &StartupEntriesDialog::Texts::giveBackElevateQuestion},
              {L"GiveBackDeclined", &StartupEntriesDialog::Texts::giveBackDeclined}};

// The buttons by their names in the language targets.
constexpr struct {
    std::wstring_view name;
    StartupEntriesDialog::Button button;
} kButtons[] = {{L"btnRegImport", StartupEntriesDialog::Button::kImport},
                {L"btnEnableReg", StartupEntriesDialog::Button::kEnable},
                {L"btnDisableReg", StartupEntriesDialog::Button::kDisable},
                {L"btnGiveBack", StartupEntriesDialog::Button::kGiveBack},
                {L"btnRegClose", StartupEntriesDialog::Button::kClose}};

std::wstring TextTarget(std::wstring_view name) { return L"frmRegistryEdit." + std::wstring(name) + L".text"; }

// The entry list's name in the language targets.
constexpr int kColumns = 4;

}  // namespace

StartupEntriesDialog::Texts StartupEntriesDialog::DefaultTexts() {
    Texts texts;
    for (const auto& t : kTexts) texts.*t.text = FindLanguageKeyByTarget(TextTarget(t.name))->defaultText;
    return texts;
}

void StartupEntriesDialog::EnterTextTargets() {
    // "frmRegistryEdit" is the language file's name of this dialog, "lvRegView" of its entry list.
    const std::wstring form = L"frmRegistryEdit.";
    targets_.Add(form + L"title", [this](const std::wstring& text) { SetTitle(text); });
    for (int column = 0; column < kColumns; ++column) {
        targets_.Add(form + L"lvRegView.column" + std::to_wstring(column) + L".caption",
                     [this, column](const std::wstring& text) { SetColumnCaption(column, text); });
    }
    for (const auto& t : kTexts)
        targets_.Add(TextTarget(t.name), [this, field = t.text](const std::wstring& text) { texts_.*field = text; });
    for (const auto& b : kButtons) {
        const std::wstring name = form + std::wstring(b.name);
        targets_.Add(name + L".caption", [this, button = b.button](const std::wstring& text) { SetButtonCaption(button, text); });
        targets_.Add(name + L".hint", [this, button = b.button](const std::wstring& text) { SetButtonHint(button, text); });
    }
}

void StartupEntriesDialog::SetTargetText(std::wstring_view target, const std::wstring& text) {
    targets_.Apply(target, text);
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
