// The registry key owner against the test prefix's registry, and the readable form of values.
#include <gtest/gtest.h>

#include <windows.h>

#include "sysint/registry_key.h"
#include "sysint_test_support.h"

namespace lentora {
namespace {

using test::RegistryCleanup;
using test::UniqueName;

const std::wstring kTestKey = L"Software\\LentoraTests";

TEST(SysintRegistryKey, RootKeyByNameIgnoresCaseAndRejectsEverythingElse) {
    const struct {
        const wchar_t* name;
        HKEY root;
    } cases[] = {{L"HKCU", HKEY_CURRENT_USER},     {L"hklm", HKEY_LOCAL_MACHINE}, {L"HkCr", HKEY_CLASSES_ROOT},
                 {L"HKUS", HKEY_USERS},            {L"hkpd", HKEY_PERFORMANCE_DATA}, {L"HKCC", HKEY_CURRENT_CONFIG},
                 {L"HKDD", HKEY_DYN_DATA},         {L"", nullptr},                {L"HKEY_CURRENT_USER", nullptr},
                 {L"HKU", nullptr},                {L" HKCU", nullptr}};
    for (const auto& c : cases) EXPECT_EQ(RootKeyByName(c.name), c.root) << c.name;
}

TEST(SysintRegistryKey, EveryOpenUnderNoRootFails) {
    RegistryKey key;
    EXPECT_FALSE(key.Open(RootKeyByName(L"XX"), L"Software"));
    EXPECT_FALSE(key.OpenOrCreate(RootKeyByName(L"XX"), L"Software"));
    EXPECT_FALSE(key.IsOpen());
    EXPECT_FALSE(key.WriteString(L"a", L"b"));
    EXPECT_TRUE(key.ValueNames().empty());
}

TEST(SysintRegistryKey, OpenDoesNotCreateButOpenOrCreateDoes) {
    RegistryCleanup cleanup;
    cleanup.Key(HKEY_CURRENT_USER, kTestKey);
    std::wstring path = kTestKey + L"\\" + UniqueName(L"Key");
    RegistryKey key;
    EXPECT_FALSE(key.Open(HKEY_CURRENT_USER, path));
    EXPECT_FALSE(test::KeyExists(HKEY_CURRENT_USER, path));
    ASSERT_TRUE(key.OpenOrCreate(HKEY_CURRENT_USER, path));
    EXPECT_TRUE(test::KeyExists(HKEY_CURRENT_USER, path));
}

TEST(SysintRegistryKey, ReadsWritesListsAndDeletesValues) {
    RegistryCleanup cleanup;
    cleanup.Key(HKEY_CURRENT_USER, kTestKey);
    std::wstring path = kTestKey + L"\\" + UniqueName(L"Values");
    // Stored without its terminating zero, as other programs may write it.
    std::wstring bare = L"no zero";
    test::SetRawValue(HKEY_CURRENT_USER, path, L"bare", REG_SZ, bare.data(),
                      static_cast<DWORD>(bare.size() * sizeof(wchar_t)));
    test::SetText(HKEY_CURRENT_USER, path, L"expand", L"%TEMP%\\x", REG_EXPAND_SZ);
    DWORD number = 7;
    test::SetRawValue(HKEY_CURRENT_USER, path, L"number", REG_DWORD, &number, sizeof number);
    test::SetText(HKEY_CURRENT_USER, path + L"\\sub", L"x", L"y");

    RegistryKey key;
    ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, path));
    EXPECT_EQ(key.ReadString(L"bare"), L"no zero");
    EXPECT_EQ(key.ReadString(L"expand"), L"%TEMP%\\x");  // as stored
    EXPECT_EQ(key.ReadString(L"number"), std::nullopt);
    EXPECT_EQ(key.ReadString(L"missing"), std::nullopt);
    EXPECT_EQ(key.ReadValue(L"number")->type, static_cast<DWORD>(REG_DWORD));
    auto names = key.ValueNames();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"bare", L"expand", L"number"}));
    EXPECT_EQ(key.SubKeyNames(), std::vector<std::wstring>{L"sub"});

    // A string write replaces a value of another type.
    EXPECT_TRUE(key.WriteString(L"number", L"text"));
    EXPECT_EQ(test::GetText(HKEY_CURRENT_USER, path, L"number"), std::make_pair(DWORD{REG_SZ}, std::wstring(L"text")));
    EXPECT_TRUE(key.DeleteValue(L"number"));
    EXPECT_FALSE(key.HasValue(L"number"));
    EXPECT_TRUE(key.DeleteValue(L"number")) << "an absent value is gone all the same";
}

TEST(SysintRegistryKey, DescribesEveryValueTypeReadably) {
    auto bytes = [](std::initializer_list<int> list) {
        std::vector<BYTE> v;
        for (int b : list) v.push_back(static_cast<BYTE>(b));
        return v;
    };
    const struct {
        DWORD type;
        std::vector<BYTE> data;
        const wchar_t* text;
    } cases[] = {
        {REG_SZ, bytes({'a', 0, 'b', 0, 0, 0}), L"ab"},
        {REG_EXPAND_SZ, bytes({'%', 0, 'X', 0, '%', 0}), L"%X%"},
        {REG_MULTI_SZ, bytes({'a', 0, 0, 0, 'b', 0, 'c', 0, 0, 0, 0, 0}), L"a bc"},
        {REG_DWORD, bytes({42, 0, 0, 0}), L"42"},
        {REG_QWORD, bytes({0, 0, 0, 0, 1, 0, 0, 0}), L"4294967296"},
        {REG_BINARY, bytes({0x01, 0xAB, 0xFF}), L"01 AB FF"},
        {REG_BINARY, {}, L""},
        // A DWORD of the wrong size is shown as bytes, never read past its end.
        {REG_DWORD, bytes({1, 2}), L"01 02"},
        // Odd-sized text keeps its whole characters.
        {REG_SZ, bytes({'o', 0, 'k', 0, 'x'}), L"ok"},
    };
    for (const auto& c : cases) EXPECT_EQ(DescribeRegistryValue({c.type, c.data}), c.text) << c.text;
}

}  // namespace
}  // namespace lentora
