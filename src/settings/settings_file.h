// Reading and writing "lentora.ini": every option in one pass of the file, every write in one
// atomic replacement. Key names, their order and the text form of values are fixed: files of
// earlier versions and other tools read them.
#pragma once
#include <string>
#include <string_view>

#include "settings/settings.h"

namespace lentora {

// The options in `bytes` (a settings file as stored). A missing key or a value not of its type
// gives the default; numbers outside their field's range are clamped to it.
Settings ParseSettings(std::string_view bytes);
// The settings file at `path`, read once; no file, or one that cannot be read, gives the defaults.
Settings LoadSettings(const std::wstring& path);

enum class SettingsSaveResult {
    Saved,
    NumberMissing,  // a number field held no whole number: the keys before it were written
    WriteRefused,   // the file could not be read or replaced: nothing was written
};

// Writes every option into the file in the order of OptionDeclarations(), keeping the file's other
// lines as they are.
SettingsSaveResult SaveSettings(const std::wstring& path, const Settings& settings);

}  // namespace lentora
