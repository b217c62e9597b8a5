// One declaration for each option of Settings: where "lentora.ini" keeps it, the range of a number,
// and which control shows it on the Options page with which English texts. Reading and writing the
// file, the page's fields and the built-in English texts of the language keys all follow it, so a
// new option is its member in Settings and its row in option_declarations.cpp (and its lines in the
// language files, and its place on the page if it has a control).
#pragma once
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "settings/settings.h"

namespace lentora {

// The option's member; its type says how the file holds the value.
using OptionMember = std::variant<bool Settings::*,                // "1" or "0"; any whole number but 0 reads as on
                                  std::optional<int> Settings::*,  // decimal; see OptionDeclaration's range
                                  std::wstring Settings::*,        // the text as it is
                                  double Settings::*>;             // a date serial as FormatDateSerial writes it

// The control that shows and edits the option on the Options page.
enum class OptionControl {
    None,         // not on the page, or shown by the page's own code
    CheckBox,     // of a flag; its caption is the language target "<name>.caption"
    NumberField,  // of a number, with a spin button; its label's caption is "<name>.BoundLabel"
    List,         // of a text: a drop-down list of choices the page is given
};

struct OptionDeclaration {
    OptionMember member;
    // Where the settings file keeps it. Some keys are written with another spelling than they are
    // read with, as earlier versions did; the reader ignores letter case, so both name one key.
    std::wstring_view section;
    std::wstring_view key;
    std::wstring_view writtenAs = {};  // the written spelling, when it is not `key`
    bool readOnly = false;             // never written: the user sets it by hand
    // A number's range: a stored number is clamped to it, and the field offers and keeps no other.
    int minValue = 0, maxValue = 0;

    OptionControl control = OptionControl::None;
    // The control's designer name, by which the language files name its texts' targets.
    std::wstring_view name = {};
    // English texts: the built-in defaults of the language keys, and the control's texts until a
    // language is applied.
    std::wstring_view caption = {};
    std::wstring_view hint = {};
    // The caption's key in the language files' [OPTIONS], where it is not the usual one: a check
    // box's name, a number field's "<name>.BoundLabel".
    std::wstring_view captionKey = {};
    // The hint shown until a language is applied, when it is not `hint`: the older options show
    // the English file's wording there, while a file that lacks the key still gives `hint`.
    std::wstring_view hintBeforeLanguage = {};
    // The flag that must be on for the control to take input: the option means nothing without it.
    bool Settings::*enabledBy = nullptr;

    std::wstring_view WriteKey() const { return writtenAs.empty() ? key : writtenAs; }
};

// Every option, in the order a save writes them.
std::span<const OptionDeclaration> OptionDeclarations();

// The declaration of `member`; every member of Settings has one.
const OptionDeclaration& DeclarationOf(const OptionMember& member);

}  // namespace lentora
