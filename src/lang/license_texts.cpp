#include "lang/license_texts.h"

#include "log/log_sink.h"
#include "util/codepage.h"
#include "util/format.h"
#include "util/platform.h"
#include "util/text.h"

namespace lentora {
namespace {

std::wstring LicenseFolderFile(std::wstring_view programFolder, std::wstring_view stem, std::wstring_view shortName) {
    std::wstring path = AddBackslash(std::wstring(programFolder));
    path += L"License\\";
    path += stem;
    path += shortName;
    path += L".txt";
    return path;
}

// Edit controls break lines only at CR LF; files may use any of CR LF, LF or CR.
std::wstring WithCrLf(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size() + text.size() / 32);
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t ch = text[i];
        if (ch == L'\r' || ch == L'\n') {
            out += L"\r\n";
            if (ch == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
        } else {
            out += ch;
        }
    }
    return out;
}

}  // namespace

std::wstring LicenseFilePath(std::wstring_view programFolder, std::wstring_view shortName) {
    return LicenseFolderFile(programFolder, L"License-", shortName);
}

std::wstring AboutFilePath(std::wstring_view programFolder, std::wstring_view shortName) {
    return LicenseFolderFile(programFolder, L"About-", shortName);
}

std::optional<std::wstring> LoadMemoText(const std::wstring& path) {
    std::string bytes;
    if (!platform::ReadWholeFile(path, bytes)) return std::nullopt;
    return WithCrLf(DecodeTextFile(bytes, platform::AnsiCodePage()));
}

LicenseAndAboutTexts LoadLicenseAndAbout(std::wstring_view programFolder, std::wstring_view shortName,
                                         ILogSink& log) {
    LicenseAndAboutTexts texts;
    log.Log(L"Load file of license");
    std::wstring licensePath = LicenseFilePath(programFolder, shortName);
    texts.license = LoadMemoText(licensePath);
    if (!texts.license) log.Log(FormatText(L"Error load of file license: \"%s\"", {licensePath}));

    log.Log(L"Load file of about");
    std::wstring aboutPath = AboutFilePath(programFolder, shortName);
    texts.about = LoadMemoText(aboutPath);
    if (!texts.about) log.Log(FormatText(L"Error load of file about: \"%s\"", {aboutPath}));
    return texts;
}

}  // namespace lentora
