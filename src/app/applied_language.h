// The language in force: its file's facts, its messages, and the texts of the pages' targets,
// kept so pages built later show them too.
#pragma once
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "lang/language_file.h"
#include "lang/language_messages.h"
#include "lang/language_param.h"

namespace lentora {

class AppliedLanguage : public IMessageSource {
public:
    std::wstring Msg(Message id) const override { return messages_.Msg(MessageNumber(id)); }
    std::wstring Msg(NamedMsg id) const override { return namedMessages_.Text(id); }

    const LanguageFileInfo& Info() const { return info_; }
    bool Applied() const { return applied_; }
    void ReadInfo(const LanguageFile& file) { info_ = ReadLanguageFileInfo(file); }
    void ReadMessages(const LanguageFile& file);
    // The texts of a section of the file, each kept and handed to `show`.
    void ApplySection(const LanguageFile& file, const wchar_t* section,
                      const std::function<void(std::wstring_view target, const std::wstring& text)>& show);
    // The text kept for a target, for pages built now; none when the language has none for it.
    const std::wstring* PageText(std::wstring_view target) const;

private:
    LanguageFileInfo info_;
    LngMsgTable messages_;
    NamedMsgTable namedMessages_;
    std::map<std::wstring, std::wstring, std::less<>> pageTexts_;
    bool applied_ = false;
};

}  // namespace lentora
