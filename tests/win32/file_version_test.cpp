#include <gtest/gtest.h>

#include <windows.h>

#include "../support/temp_dir.h"
#include "util/file_version.h"

using namespace lentora;

TEST(ReadFileVersion, FilesWithoutVersionInformationGiveEmptyText) {
    test::TempDir dir;
    const std::wstring text = dir.File(L"notes.txt");
    test::WriteBytes(text, "no version resource here\r\n");
    EXPECT_EQ(ReadFileVersion(text), L"");
    EXPECT_EQ(ReadFileVersion(dir.File(L"missing.exe")), L"");
}

TEST(ReadFileVersion, ReadsTheFileVersionOfASystemLibrary) {
    wchar_t system[MAX_PATH];
    ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
    std::wstring version = ReadFileVersion(std::wstring(system) + L"\\kernel32.dll");
    ASSERT_FALSE(version.empty());
    EXPECT_TRUE(version[0] >= L'0' && version[0] <= L'9') << version;
    EXPECT_NE(version.find(L'.'), std::wstring::npos) << version;
}
