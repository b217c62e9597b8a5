// An open registry key owned for its lifetime, with the few value operations the start-up
// integration needs.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lentora {

// Root of a registry path by its abbreviation (HKCU, HKLM, HKCR, HKUS, HKPD, HKCC, HKDD), letter
// case ignored; nullptr for anything else, and every open under nullptr fails.
HKEY RootKeyByName(std::wstring_view abbreviation);

// A value as stored: its type and raw bytes.
struct RegistryValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(RegistryKey&& other) noexcept;
    RegistryKey& operator=(RegistryKey&& other) noexcept;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey();

    // Opens an existing key; false when it is missing, the root is nullptr or access is refused.
    // `access` may carry a view flag (KEY_WOW64_64KEY, KEY_WOW64_32KEY).
    bool Open(HKEY root, const std::wstring& path, REGSAM access = KEY_ALL_ACCESS);
    // Opens the key, creating it and its missing parents first.
    bool OpenOrCreate(HKEY root, const std::wstring& path, REGSAM access = KEY_ALL_ACCESS);
    void Close();
    bool IsOpen() const { return key_ != nullptr; }
    HKEY get() const { return key_; }

    // Names in the order the registry enumerates them; empty when the key is not open.
    std::vector<std::wstring> ValueNames() const;
    std::vector<std::wstring> SubKeyNames() const;

    bool HasValue(const std::wstring& name) const;
    std::optional<RegistryValue> ReadValue(const std::wstring& name) const;
    // Text of a REG_SZ or REG_EXPAND_SZ value as stored (variables not expanded); nullopt when the
    // value is missing or of another type.
    std::optional<std::wstring> ReadString(const std::wstring& name) const;
    // Writes a REG_SZ value, replacing a value of that name whatever its type.
    bool WriteString(const std::wstring& name, const std::wstring& text);
    // Writes a value of any type as given, replacing a value of that name.
    bool WriteValue(const std::wstring& name, const RegistryValue& value);
    // True when the value is gone afterwards, also when it never existed.
    bool DeleteValue(const std::wstring& name);
    // Removes the sub-key `name` with everything below it; false when it is still there.
    bool DeleteSubKey(const std::wstring& name);

private:
    HKEY key_ = nullptr;
};

// A text value with its terminating zero, as the registry stores REG_SZ and REG_EXPAND_SZ.
RegistryValue TextValue(const std::wstring& text, DWORD type = REG_SZ);
// Text of a REG_SZ/REG_EXPAND_SZ value's bytes, up to its first terminating zero, if any.
std::wstring RegistryStringData(const std::vector<BYTE>& data);
// A readable form of any value: strings as they are, multi-strings joined by blanks, DWORD and
// QWORD in decimal, anything else as hex bytes ("01 AB FF").
std::wstring DescribeRegistryValue(const RegistryValue& value);

}  // namespace lentora
