// The language in force and the texts derived from it.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace lentora {

class LanguageFile;

struct LanguageFileInfo {
    std::wstring translator;
    std::wstring code;     // language code: licence/about file names, web page language
    std::wstring version;  // of the file's format
};

// The FILE section of a language file, with its defaults.
LanguageFileInfo ReadLanguageFileInfo(const LanguageFile& file);

// Language files older than this lack texts the program shows.
inline constexpr std::wstring_view kLanguageBaseVersion = L"1.4.0";

// The log line of the version check of a language file's version, or nothing for a later file.
std::optional<std::wstring> LanguageVersionLogLine(std::wstring_view version);

// The translator label: "<MSG27>: <translator> (v.<version>)".
std::wstring TranslatorLabel(std::wstring_view msg27, const LanguageFileInfo& param);

}  // namespace lentora
