// A language file opened for reading its texts, each with the built-in default of its key.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "lang/language_keys.h"
#include "util/profile_file.h"

namespace lentora {

class LanguageFile {
public:
    // Opening never fails: a missing or unreadable file reads as an empty one.
    explicit LanguageFile(const std::wstring& path);
    // A file already read into memory.
    explicit LanguageFile(ProfileFile profile) : profile_(std::move(profile)) {}

    // The key's value, or its default when the key, its section or the file is missing.
    std::wstring Read(const LanguageKey& key) const;
    // The same for a key named by section and key; throws std::invalid_argument for a key the
    // program does not read, since it has no default.
    std::wstring Read(std::wstring_view section, std::wstring_view key) const;
    // The value as the control shows it (with the key's suffix).
    std::wstring ShownText(const LanguageKey& key) const;
    // Hands each text a routine reads (of `section` only, when one is given) to `show`, with its
    // target and then its second target, in the routine's order.
    void ForEachText(LangRoutine routine, std::wstring_view section,
                     const std::function<void(std::wstring_view target, const std::wstring& text)>& show) const;

private:
    ProfileFile profile_;
};

}  // namespace lentora
