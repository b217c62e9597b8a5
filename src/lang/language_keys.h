// Every key the program reads from a language file, with its built-in English default and the
// control property it sets; the options' keys come from their declarations. The windows walk this
// table instead of naming keys themselves.
#pragma once
#include <span>
#include <string_view>
#include <vector>

namespace lentora {

// The routine that reads a key. Texts of the two dialogs are read each time the dialog is shown,
// from the language selected at that moment, so they are kept apart from the main window's.
enum class LangRoutine {
    AddLanguageFile,     // the language selector entry
    ApplyLanguage,       // the main window, LngMsg and LanguageFileInfo
    ApplyPropertyTexts,  // the task property dialog
    ApplyRegistryTexts,  // the registry start-up entries dialog
};

struct LanguageKey {
    LangRoutine routine;
    std::wstring_view section;
    std::wstring_view key;
    std::wstring_view defaultText;
    // "<object>.<property>", e.g. "actAddTask.hint", "pcMainPage.tsOptions.caption",
    // "frmProperty.chbEnableTask.caption", "LngMsg.MSG7", "TLngParam.ShortName".
    std::wstring_view target;
    // A second property set to the same text (empty for most keys).
    std::wstring_view target2 = {};
    // Appended to the value before it is shown (the value itself stays as read).
    std::wstring_view suffix = {};
};

// All keys, grouped by routine, each routine's keys in the order it reads them.
std::span<const LanguageKey> LanguageKeys();

// The keys of one routine, in reading order.
std::vector<const LanguageKey*> LanguageKeysOf(LangRoutine routine);

// The key that sets `target` (as first or second target); nullptr when none does.
const LanguageKey* FindLanguageKeyByTarget(std::wstring_view target);

// The key of that section and name (both compared ignoring ASCII case, as the file reader does);
// nullptr when the program does not read it.
const LanguageKey* FindLanguageKey(std::wstring_view section, std::wstring_view key);

}  // namespace lentora
