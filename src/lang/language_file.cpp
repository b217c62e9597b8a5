#include "lang/language_file.h"

#include <stdexcept>

#include "util/platform.h"

namespace lentora {
namespace {

ProfileFile LoadProfile(const std::wstring& path) {
    std::string bytes;
    if (!platform::ReadWholeFile(path, bytes)) bytes.clear();
    return ProfileFile(bytes);
}

}  // namespace

LanguageFile::LanguageFile(const std::wstring& path) : profile_(LoadProfile(path)) {}

std::wstring LanguageFile::Read(const LanguageKey& key) const {
    return profile_.Read(key.section, key.key).value_or(std::wstring(key.defaultText));
}

std::wstring LanguageFile::Read(std::wstring_view section, std::wstring_view key) const {
    const LanguageKey* known = FindLanguageKey(section, key);
    if (!known) throw std::invalid_argument("language key the program does not read");
    return Read(*known);
}

std::wstring LanguageFile::ShownText(const LanguageKey& key) const { return Read(key) + std::wstring(key.suffix); }

void LanguageFile::ForEachText(LangRoutine routine, std::wstring_view section,
                               const std::function<void(std::wstring_view, const std::wstring&)>& show) const {
    for (const LanguageKey* key : LanguageKeysOf(routine)) {
        if (!section.empty() && key->section != section) continue;
        const std::wstring text = ShownText(*key);
        show(key->target, text);
        if (!key->target2.empty()) show(key->target2, text);
    }
}

}  // namespace lentora
