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

int DigitValue(wchar_t c, int base) {
    int v = c >= L'0' && c <= L'9'   ? c - L'0'
            : c >= L'a' && c <= L'f' ? c - L'a' + 10
            : c >= L'A' && c <= L'F' ? c - L'A' + 10
                                     : 99;
    return v < base ? v : -1;
}

// Digits only, at least one, value at most `limit`.
std::optional<std::uint64_t> ParseDigits(std::wstring_view digits, int base, std::uint64_t limit) {
    if (digits.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (wchar_t c : digits) {
        int d = DigitValue(c, base);
        if (d < 0) return std::nullopt;
        value = value * base + d;
        if (value > limit) return std::nullopt;
    }
    return value;
}

std::optional<std::int32_t> ParseInteger(std::wstring_view text) {
    if (text.size() >= 3 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
        // Hexadecimal gives the 32 bits as they are: 0xFFFFFFFF is -1.
        auto bits = ParseDigits(text.substr(2), 16, 0xFFFFFFFFu);
        if (!bits) return std::nullopt;
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(*bits));
    }
    bool negative = !text.empty() && text[0] == L'-';
    if (!text.empty() && (text[0] == L'-' || text[0] == L'+')) text.remove_prefix(1);
    auto magnitude = ParseDigits(text, 10, negative ? 2147483648u : 2147483647u);
    if (!magnitude) return std::nullopt;
    return static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(*magnitude)
                                              : static_cast<std::int64_t>(*magnitude));
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
    auto value = ReadValue(fileName, section, key);
    if (!value) return defaultValue;
    return ParseInteger(*value).value_or(defaultValue);
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
