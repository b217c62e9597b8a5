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

}  // namespace lentora
