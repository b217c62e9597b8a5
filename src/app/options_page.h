// The Options page: start and close, the update check, the wait for a calm system, the language
// and the skin. It holds the options as shown and edited (a Settings value, the autorun state,
// whether anything changed since the last save); its controls, built when the page is first needed,
// show those values from then on and write the user's edits back. The options' fields follow their
// declarations and stand where option_fields.h says (options_page_fields.cpp); the page's own
// controls are the rest. What an option does elsewhere (the skin, the frame, saving, the shortcut,
// the check) the window does through Actions.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/option_fields.h"
#include "settings/settings.h"
#include "ui/action.h"
#include "ui/panel.h"
#include "ui/text_targets.h"

namespace lentora {

class OptionsPage {
public:
    struct Actions {
        std::function<void(bool on)> useSkinChanged;
        std::function<void(bool on)> extendedBordersChanged;
        std::function<void(const std::wstring& name)> skinSelected;
        std::function<void()> languageSelected;
        std::function<void()> save;
        std::function<void()> createShortcut;
        std::function<void()> checkForUpdates;
        std::function<void()> openSkinsPage;
    };
    // `commands` holds the "Apply" language action the page's button runs.
    OptionsPage(Actions actions, ui::ActionList& commands) : actions_(std::move(actions)), commands_(commands) {}

    // Makes the controls in the window's page panel `page` and shows the values held so far.
    void Create(HWND page, ui::TextTargets& texts, const std::function<void(HWND, const std::wstring&)>& setHint);
    bool Built() const { return box_.hwnd() != nullptr; }
    HWND Control(int id) const;
    // The control of the option's field (a number field's edit box); null before the page is built.
    HWND ControlOf(const OptionMember& option) const;
    void Layout(int width, int height, UINT dpi);
    int ScrollPosition() const { return box_.ScrollPosition(); }

    // True when the command or notification was the page's own.
    bool OnCommand(int id, int code, HWND control);
    bool OnNotify(const NMHDR& hdr);

    // The options as shown. Showing settings selects the stored skin among `skinNames`, else the
    // last one.
    const Settings& Shown() const { return shown_; }
    void Show(const Settings& settings, std::vector<std::wstring> skinNames);
    // The language list; selecting by name selects the last entry when none has that name.
    void SetLanguages(std::vector<std::wstring> names);
    bool HasLanguages() const { return !languages_.empty(); }
    bool SelectLanguage(const std::wstring& name);
    int SelectedLanguage() const { return languageIndex_; }
    void SetLastCheck(double serial);
    // What "Last check" shows while no check has succeeded.
    void SetNeverChecked(const std::wstring& text);
    void SetTranslator(const std::wstring& text);

    // "To start at Windows loading": the autorun value, not a setting of the file.
    bool WindowsStart() const { return windowsStart_; }
    void SetWindowsStart(bool on);
    // Whether anything changed since the options were loaded or saved: "Save options" is enabled.
    bool Changed() const { return changed_; }
    void SetChanged(bool changed);

private:
    HWND Add(int id, HWND control);
    void CreateControls();
    void AddField(const OptionField& field);
    void AddFieldTexts(const OptionField& field, ui::TextTargets& texts,
                       const std::function<void(HWND, const std::wstring&)>& setHint);
    void ShowAll();
    void ShowFieldValues();
    void ShowNumber(HWND field, const std::optional<int>& value);
    void ShowList(HWND combo, const std::vector<std::wstring>& items, int selected);
    void ShowEnabledFields();
    void ShowLastCheck();
    void OnFieldCommand(const OptionDeclaration& option, int code, HWND control);
    void OnChecked(const OptionDeclaration& option, bool checked);
    void OnNumberCommand(const OptionDeclaration& option, int code, HWND control);
    void OnPicked(const OptionDeclaration& option, HWND combo);

    Actions actions_;
    ui::ActionList& commands_;
    ui::Panel box_;
    std::vector<std::pair<int, HWND>> controls_;
    Settings shown_;
    bool windowsStart_ = false;
    bool changed_ = false;
    std::vector<std::wstring> languages_, skins_;
    int languageIndex_ = -1, skinIndex_ = -1;
    bool showing_ = false;  // the page writes its fields: their change notifications are no edits
    std::wstring translator_ = L"Translation by:";
    std::wstring neverChecked_;
};

}  // namespace lentora
