#include "util/ini_files.h"

#include <optional>

#include "util/format.h"
#include "util/platform.h"
#include "util/profile_file.h"

namespace lentora {
namespace {

std::optional<std::wstring> ReadValue(const std::wstring& fileName, const std::wstring& section,
                                      const std::wstring& key) {
    std::string bytes;
    if (!platform::ReadWholeFile(fileName, bytes)) return std::nullopt;
    return ProfileFile(bytes).Read(section, key);
}

}  // namespace

IniWriteError::IniWriteError(const std::wstring& fileName)
    : WideError(FormatText(L"Unable to write to %s", {fileName})) {}

std::wstring IniReadString(const std::wstring& fileName, const std::wstring& section, const std::wstring& key,
                           const std::wstring& defaultValue) {
    return ReadValue(fileName, section, key).value_or(defaultValue);
}

bool IniReadBool(const std::wstring& fileName, const std::wstring& section, const std::wstring& key,
                 bool defaultValue) {
    return IniReadInteger(fileName, section, key, defaultValue ? 1 : 0) != 0;
}

std::int32_t IniReadInteger(const std::wstring& fileName, const std::wstring& section, const std::wstring& key,
                            std::int32_t defaultValue) {
    std::string bytes;
    if (!platform::ReadWholeFile(fileName, bytes)) return defaultValue;
    return ProfileFile(bytes).ReadInteger(section, key, defaultValue);
}

void IniWriteString(const std::wstring& fileName, const std::wstring& section, const std::wstring& key,
                    const std::wstring& value) {
    std::string bytes;
    // A file that exists but cannot be read must not be replaced by one holding only this key.
    if (platform::FileExists(fileName) && !platform::ReadWholeFile(fileName, bytes)) throw IniWriteError(fileName);
    ProfileFile file(bytes);
    file.Write(section, key, value);
    if (!platform::WriteFileAtomic(fileName, file.ToBytes())) throw IniWriteError(fileName);
}

void IniWriteBool(const std::wstring& fileName, const std::wstring& section, const std::wstring& key, bool value) {
    IniWriteString(fileName, section, key, value ? L"1" : L"0");
}

void IniWriteInteger(const std::wstring& fileName, const std::wstring& section, const std::wstring& key,
                     std::int32_t value) {
    IniWriteString(fileName, section, key, std::to_wstring(value));
}

}  // namespace lentora
