#include "settings/settings_file.h"

#include <algorithm>

#include "settings/option_declarations.h"
#include "util/date_time.h"
#include "util/overloaded.h"
#include "util/platform.h"
#include "util/profile_file.h"

namespace lentora {
namespace {

// Reads one option into `s`, which holds its default: a missing key or a value not of the
// option's type leaves the default.
void ReadOption(const ProfileFile& file, const OptionDeclaration& option, Settings& s) {
    const std::wstring_view section = option.section, key = option.key;
    std::visit(Overloaded{
                   [&](bool Settings::*flag) { s.*flag = file.ReadBool(section, key, s.*flag); },
                   [&](std::optional<int> Settings::*number) {
                       const int read = file.ReadInteger(section, key, (s.*number).value_or(option.minValue));
                       s.*number = std::clamp(read, option.minValue, option.maxValue);
                   },
                   [&](std::wstring Settings::*text) { s.*text = file.ReadString(section, key, s.*text); },
                   [&](double Settings::*date) {
                       if (auto stored = file.Read(section, key))
                           if (auto serial = ParseDateSerial(*stored)) s.*date = *serial;
                   },
               },
               option.member);
}

// The option's value as the file holds it; none for a number field without a whole number.
std::optional<std::wstring> StoredText(const OptionDeclaration& option, const Settings& s) {
    return std::visit(Overloaded{
                          [&](bool Settings::*flag) -> std::optional<std::wstring> { return s.*flag ? L"1" : L"0"; },
                          [&](std::optional<int> Settings::*number) -> std::optional<std::wstring> {
                              if (!(s.*number)) return std::nullopt;
                              return std::to_wstring(*(s.*number));
                          },
                          [&](std::wstring Settings::*text) -> std::optional<std::wstring> { return s.*text; },
                          [&](double Settings::*date) -> std::optional<std::wstring> {
                              return FormatDateSerial(s.*date);
                          },
                      },
                      option.member);
}

}  // namespace

Settings ParseSettings(std::string_view bytes) {
    const ProfileFile file(bytes);
    Settings s;
    for (const OptionDeclaration& option : OptionDeclarations()) ReadOption(file, option, s);
    return s;
}

Settings LoadSettings(const std::wstring& path) {
    std::string bytes;
    if (!platform::ReadWholeFile(path, bytes)) return Settings{};
    return ParseSettings(bytes);
}

SettingsSaveResult SaveSettings(const std::wstring& path, const Settings& s) {
    std::string bytes;
    // A file that exists but cannot be read must not be replaced by one holding only our keys.
    if (platform::FileExists(path) && !platform::ReadWholeFile(path, bytes)) return SettingsSaveResult::WriteRefused;
    ProfileFile file(bytes);
    bool complete = true;
    for (const OptionDeclaration& option : OptionDeclarations()) {
        if (option.readOnly) continue;
        std::optional<std::wstring> text = StoredText(option, s);
        // An empty number field stops the save at its key, as earlier versions did.
        if (!text) {
            complete = false;
            break;
        }
        file.Write(option.section, option.WriteKey(), *text);
    }
    if (!platform::WriteFileAtomic(path, file.ToBytes())) return SettingsSaveResult::WriteRefused;
    return complete ? SettingsSaveResult::Saved : SettingsSaveResult::NumberMissing;
}

}  // namespace lentora
