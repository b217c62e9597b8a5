#include "sysint/registry_key.h"

#include <cstring>
#include <utility>

#include "util/text.h"

namespace lentora {
namespace {

// The registry's own limits: 16383 characters for a value name, 255 for a key name.
constexpr DWORD kMaxValueName = 16384;
constexpr DWORD kMaxKeyName = 256;

template <typename Enum>
std::vector<std::wstring> EnumNames(HKEY key, DWORD capacity, Enum enumAt) {
    std::vector<std::wstring> names;
    if (!key) return names;
    std::wstring buffer(capacity, L'\0');
    for (DWORD index = 0;; ++index) {
        DWORD length = capacity;
        LSTATUS status = enumAt(key, index, buffer.data(), &length);
        if (status == ERROR_NO_MORE_ITEMS) break;
        // A name that cannot be read is skipped; the rest of the list still counts.
        if (status != ERROR_SUCCESS) continue;
        names.emplace_back(buffer.data(), length);
    }
    return names;
}

// Every character of stored text data, zeros included. The data need not end with a zero, nor
// hold a whole number of characters.
std::wstring WideChars(const std::vector<BYTE>& data) {
    std::wstring text(data.size() / sizeof(wchar_t), L'\0');
    if (!text.empty()) std::memcpy(text.data(), data.data(), text.size() * sizeof(wchar_t));
    return text;
}

template <typename Number>
std::wstring NumberText(const std::vector<BYTE>& data) {
    Number number;
    std::memcpy(&number, data.data(), sizeof number);
    return std::to_wstring(number);
}

}  // namespace

HKEY RootKeyByName(std::wstring_view abbreviation) {
    static const struct {
        std::wstring_view name;
        HKEY root;
    } kRoots[] = {{L"HKCU", HKEY_CURRENT_USER},     {L"HKLM", HKEY_LOCAL_MACHINE},
                  {L"HKCR", HKEY_CLASSES_ROOT},     {L"HKUS", HKEY_USERS},
                  {L"HKPD", HKEY_PERFORMANCE_DATA}, {L"HKCC", HKEY_CURRENT_CONFIG},
                  {L"HKDD", HKEY_DYN_DATA}};
    for (const auto& r : kRoots)
        if (SameTextNoCase(abbreviation, r.name)) return r.root;
    return nullptr;
}

RegistryKey::RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
    if (this != &other) {
        Close();
        key_ = std::exchange(other.key_, nullptr);
    }
    return *this;
}

RegistryKey::~RegistryKey() { Close(); }

bool RegistryKey::Open(HKEY root, const std::wstring& path, REGSAM access) {
    Close();
    if (!root) return false;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, access, &key) != ERROR_SUCCESS) return false;
    key_ = key;
    return true;
}

bool RegistryKey::OpenOrCreate(HKEY root, const std::wstring& path, REGSAM access) {
    Close();
    if (!root) return false;
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    key_ = key;
    return true;
}

void RegistryKey::Close() {
    if (key_) RegCloseKey(std::exchange(key_, nullptr));
}

std::vector<std::wstring> RegistryKey::ValueNames() const {
    return EnumNames(key_, kMaxValueName, [](HKEY key, DWORD index, wchar_t* name, DWORD* length) {
        return RegEnumValueW(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
    });
}

std::vector<std::wstring> RegistryKey::SubKeyNames() const {
    return EnumNames(key_, kMaxKeyName, [](HKEY key, DWORD index, wchar_t* name, DWORD* length) {
        return RegEnumKeyExW(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
    });
}

bool RegistryKey::HasValue(const std::wstring& name) const {
    return key_ && RegQueryValueExW(key_, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::optional<RegistryValue> RegistryKey::ReadValue(const std::wstring& name) const {
    if (!key_) return std::nullopt;
    RegistryValue value;
    DWORD size = 0;
    LSTATUS status = RegQueryValueExW(key_, name.c_str(), nullptr, &value.type, nullptr, &size);
    // The value may grow between the size query and the read: ask again with the new size.
    for (int attempt = 0; attempt < 4 && status == ERROR_SUCCESS; ++attempt) {
        value.data.resize(size);
        status = RegQueryValueExW(key_, name.c_str(), nullptr, &value.type, value.data.data(), &size);
        if (status == ERROR_SUCCESS) {
            value.data.resize(size);
            return value;
        }
        if (status == ERROR_MORE_DATA) status = ERROR_SUCCESS;
    }
    return std::nullopt;
}

std::optional<std::wstring> RegistryKey::ReadString(const std::wstring& name) const {
    auto value = ReadValue(name);
    if (!value || (value->type != REG_SZ && value->type != REG_EXPAND_SZ)) return std::nullopt;
    return RegistryStringData(value->data);
}

bool RegistryKey::WriteString(const std::wstring& name, const std::wstring& text) {
    return WriteValue(name, TextValue(text));
}

bool RegistryKey::WriteValue(const std::wstring& name, const RegistryValue& value) {
    return key_ && RegSetValueExW(key_, name.c_str(), 0, value.type, value.data.data(),
                                  static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
}

bool RegistryKey::DeleteSubKey(const std::wstring& name) {
    if (!key_) return false;
    LSTATUS status = RegDeleteTreeW(key_, name.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool RegistryKey::DeleteValue(const std::wstring& name) {
    if (!key_) return false;
    LSTATUS status = RegDeleteValueW(key_, name.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

RegistryValue TextValue(const std::wstring& text, DWORD type) {
    const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    return {type, std::vector<BYTE>(bytes, bytes + (text.size() + 1) * sizeof(wchar_t))};
}

std::wstring RegistryStringData(const std::vector<BYTE>& data) {
    std::wstring text = WideChars(data);
    if (auto zero = text.find(L'\0'); zero != std::wstring::npos) text.resize(zero);
    return text;
}

std::wstring DescribeRegistryValue(const RegistryValue& value) {
    const auto& data = value.data;
    switch (value.type) {
        case REG_SZ:
        case REG_EXPAND_SZ:
            return RegistryStringData(data);
        case REG_MULTI_SZ: {
            std::wstring all = WideChars(data);
            std::wstring joined;
            for (size_t start = 0; start < all.size();) {
                size_t end = all.find(L'\0', start);
                if (end == std::wstring::npos) end = all.size();
                if (end == start) break;  // the empty string that closes the list
                if (!joined.empty()) joined += L' ';
                joined.append(all, start, end - start);
                start = end + 1;
            }
            return joined;
        }
        case REG_DWORD:
            if (data.size() == sizeof(DWORD)) return NumberText<DWORD>(data);
            break;
        case REG_QWORD:
            if (data.size() == sizeof(ULONGLONG)) return NumberText<ULONGLONG>(data);
            break;
    }
    static const wchar_t kHex[] = L"0123456789ABCDEF";
    std::wstring hex;
    for (BYTE b : data) {
        if (!hex.empty()) hex += L' ';
        hex += kHex[b >> 4];
        hex += kHex[b & 0xF];
    }
    return hex;
}

}  // namespace lentora
