// Helpers for the tests that work on the test prefix's real registry: they write through the raw
// API (not the code under test) and remove what they wrote.
#pragma once
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "log/log_sink.h"

namespace lentora::test {

constexpr REGSAM kView64 = KEY_WOW64_64KEY;

struct RecordingLog : ILogSink {
    std::vector<std::wstring> lines;
    void Log(const std::wstring& line) override { lines.push_back(line); }
};

// A value or key name no other test run uses.
inline std::wstring UniqueName(const std::wstring& stem) {
    static int counter = 0;
    return L"LentoraTest" + stem + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++counter);
}

inline void SetRawValue(HKEY root, const std::wstring& path, const std::wstring& name, DWORD type, const void* data,
                        DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | kView64, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
}

inline void SetText(HKEY root, const std::wstring& path, const std::wstring& name, const std::wstring& text,
                    DWORD type = REG_SZ) {
    SetRawValue(root, path, name, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

// The value's type and text as stored; nullopt when it is missing.
inline std::optional<std::pair<DWORD, std::wstring>> GetText(HKEY root, const std::wstring& path,
                                                             const std::wstring& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | kView64, &key) != ERROR_SUCCESS) return std::nullopt;
    wchar_t buffer[1024] = {};
    DWORD type = 0, size = sizeof(buffer) - sizeof(wchar_t);
    LSTATUS status = RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return std::nullopt;
    return std::make_pair(type, std::wstring(buffer));
}

inline void RemoveValue(HKEY root, const std::wstring& path, const std::wstring& name) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(root, path.c_str(), 0, KEY_ALL_ACCESS | kView64, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueW(key, name.c_str()), ERROR_SUCCESS);
    RegCloseKey(key);
}

inline bool KeyExists(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | kView64, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// Removes, when the test ends, the values and keys it registered.
class RegistryCleanup {
public:
    RegistryCleanup() = default;
    RegistryCleanup(const RegistryCleanup&) = delete;
    RegistryCleanup& operator=(const RegistryCleanup&) = delete;
    ~RegistryCleanup() {
        for (const auto& v : values_) {
            HKEY key = nullptr;
            if (RegOpenKeyExW(v.root, v.path.c_str(), 0, KEY_ALL_ACCESS | kView64, &key) != ERROR_SUCCESS) continue;
            RegDeleteValueW(key, v.name.c_str());
            RegCloseKey(key);
        }
        for (const auto& k : keys_) RegDeleteTreeW(k.root, k.path.c_str());
    }
    void Value(HKEY root, std::wstring path, std::wstring name) {
        values_.push_back({root, std::move(path), std::move(name)});
    }
    void Key(HKEY root, std::wstring path) { keys_.push_back({root, std::move(path), L""}); }

private:
    struct Entry {
        HKEY root;
        std::wstring path, name;
    };
    std::vector<Entry> values_, keys_;
};

// While it lives, `root` stands for a fresh volatile key: keys can be opened but never created
// under it, as for a user without the rights to write there.
class UnwritableRoot {
public:
    explicit UnwritableRoot(HKEY root) : root_(root), name_(UniqueName(L"Volatile")) {
        RegCreateKeyExW(HKEY_CURRENT_USER, (L"Software\\" + name_).c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        overridden_ = key_ && RegOverridePredefKey(root_, key_) == ERROR_SUCCESS;
    }
    ~UnwritableRoot() {
        if (overridden_) RegOverridePredefKey(root_, nullptr);
        if (key_) RegCloseKey(key_);
        RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\" + name_).c_str());
    }
    UnwritableRoot(const UnwritableRoot&) = delete;
    UnwritableRoot& operator=(const UnwritableRoot&) = delete;
    bool active() const { return overridden_; }

private:
    HKEY root_;
    std::wstring name_;
    HKEY key_ = nullptr;
    bool overridden_ = false;
};

}  // namespace lentora::test
