#include "lang/language_param.h"

#include "lang/language_file.h"
#include "util/format.h"
#include "util/version.h"

namespace lentora {

LanguageFileInfo ReadLanguageFileInfo(const LanguageFile& file) {
    LanguageFileInfo info;
    info.code = file.Read(L"FILE", L"Language");
    info.translator = file.Read(L"FILE", L"AUTHOR");
    info.version = file.Read(L"FILE", L"Version");
    return info;
}

std::optional<std::wstring> LanguageVersionLogLine(std::wstring_view version) {
    long long order = CompareVersion(ParseVersion(kLanguageBaseVersion), ParseVersion(version));
    if (order > 0) return L"Warning! Language file is oldest version.";
    if (order == 0) return L"Language file is correct version.";
    return std::nullopt;
}

std::wstring TranslatorLabel(std::wstring_view msg27, const LanguageFileInfo& param) {
    return FormatText(L"%s: %s (v.%s)", {msg27, param.translator, param.version});
}

}  // namespace lentora
