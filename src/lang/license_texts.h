// The licence and about texts shown on the About page, in the applied language.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace lentora {

class ILogSink;

// <program folder>\License\License-<S>.txt and <program folder>\License\About-<S>.txt.
std::wstring LicenseFilePath(std::wstring_view programFolder, std::wstring_view shortName);
std::wstring AboutFilePath(std::wstring_view programFolder, std::wstring_view shortName);

// A whole text file for a memo: decoded by its byte-order mark (UTF-8, UTF-16 LE/BE), otherwise in
// the ANSI code page; line breaks become CR LF. Nothing when the file cannot be read, so the memo can
// keep what it shows.
std::optional<std::wstring> LoadMemoText(const std::wstring& path);

struct LicenseAndAboutTexts {
    std::optional<std::wstring> license;  // nothing: the licence box keeps its text
    std::optional<std::wstring> about;    // nothing: the about box keeps its text
};

// Loads both texts of language `shortName`, logging each attempt and each failure.
// The about text is tried whatever became of the licence.
LicenseAndAboutTexts LoadLicenseAndAbout(std::wstring_view programFolder, std::wstring_view shortName,
                                         ILogSink& log);

// The English texts the memos show before any language supplies its own.
std::wstring_view BuiltinAboutText();
std::wstring_view BuiltinLicenseText();

}  // namespace lentora
