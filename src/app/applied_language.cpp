#include "app/applied_language.h"

#include "lang/language_keys.h"

namespace lentora {

void AppliedLanguage::ReadMessages(const LanguageFile& file) {
    messages_ = ReadLngMsg(file);
    namedMessages_ = ReadNamedMsg(file);
}

void AppliedLanguage::ApplySection(const LanguageFile& file, const wchar_t* section,
                                   const std::function<void(std::wstring_view, const std::wstring&)>& show) {
    applied_ = true;
    file.ForEachText(LangRoutine::ApplyLanguage, section, [&](std::wstring_view target, const std::wstring& text) {
        pageTexts_.insert_or_assign(std::wstring(target), text);
        show(target, text);
    });
}

const std::wstring* AppliedLanguage::PageText(std::wstring_view target) const {
    auto it = pageTexts_.find(target);
    return it == pageTexts_.end() ? nullptr : &it->second;
}

}  // namespace lentora
