#include "lang/language_param.h"

#include "lang/language_file.h"
#include "util/format.h"
#include "util/version.h"

namespace lentora {

TLngParam ReadLngParam(const LanguageFile& file) {
    TLngParam param;
    param.ShortName = file.Read(L"FILE", L"Language");
    param.AutorLNG = file.Read(L"FILE", L"AUTHOR");
    param.verLNG = file.Read(L"FILE", L"Version");
    return param;
}

std::optional<std::wstring> LanguageVersionLogLine(std::wstring_view verLNG) {
    long long order = CompareVersion(ParseVersion(kLanguageBaseVersion), ParseVersion(verLNG));
    if (order > 0) return L"Warning! Language file is oldest version.";
    if (order == 0) return L"Language file is correct version.";
    return std::nullopt;
}

std::wstring TranslatorLabel(std::wstring_view msg27, const TLngParam& param) {
    return FormatText(L"%s: %s (v.%s)", {msg27, param.AutorLNG, param.verLNG});
}

}  // namespace lentora
