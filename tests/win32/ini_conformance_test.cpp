// Our settings-file engine against the system's private-profile functions on the same files.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <vector>

#include "../support/temp_dir.h"
#include "util/codepage.h"
#include "util/platform.h"
#include "util/profile_file.h"

using namespace lentora;

namespace {

const wchar_t kDefault[] = L"<default>";

std::wstring SystemRead(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
    std::vector<wchar_t> buffer(2048);
    DWORD length = GetPrivateProfileStringW(section, key, kDefault, buffer.data(), static_cast<DWORD>(buffer.size()),
                                            file.c_str());
    return std::wstring(buffer.data(), length);
}

std::wstring Trim(std::wstring_view text) {
    size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos) return L"";
    return std::wstring(text.substr(first, text.find_last_not_of(L" \t") - first + 1));
}

// The file's lines as the engines see them: decoded, trimmed, blank lines dropped and blanks around
// "=" removed. The system writer may lay out lines it did not change differently; what must agree is
// which sections and keys there are, in which order, with which values.
std::vector<std::wstring> Normalized(const std::wstring& file) {
    std::wstring text = DecodeTextFile(test::ReadBytes(file), GetACP());
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = Trim(std::wstring_view(text).substr(start, end - start));
        size_t eq = line.find(L'=');
        if (!line.empty() && line[0] != L'[' && eq != std::wstring::npos)
            line = Trim(std::wstring_view(line).substr(0, eq)) + L'=' + Trim(std::wstring_view(line).substr(eq + 1));
        if (!line.empty()) lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::string Utf16File(const std::wstring& text) { return "\xFF\xFE" + EncodeUtf16Le(text); }

// Our engine as the program uses it: the whole file read, one value read or written, and a
// written file replaced as a whole.
ProfileFile OurFile(const std::wstring& file) {
    std::string bytes = test::ReadBytes(file);
    return ProfileFile(bytes == "<missing>" ? "" : bytes);
}

std::wstring OurRead(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
    return OurFile(file).ReadString(section, key, kDefault);
}

bool OurWrite(const std::wstring& file, const wchar_t* section, const wchar_t* key, const wchar_t* value) {
    std::string bytes;
    if (GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES && !platform::ReadWholeFile(file, bytes)) return false;
    ProfileFile profile(bytes);
    profile.Write(section, key, value);
    return platform::WriteFileAtomic(file, profile.ToBytes());
}

const std::string kFixture =
    "; comment\r\n"
    "Orphan=before any section\r\n"
    "[Skin]\r\n"
    "UseSkin=1\r\n"
    "  Spaced   =   padded value   \r\n"
    "Tabbed=\tvalue\t\v\r\n"
    "[NoClose\r\n"
    "AfterNoClose=1\r\n"
    "Double=\"  quoted  \"\r\n"
    "Single='single'\r\n"
    "Mixed=\"x'\r\n"
    "Lone=\"\r\n"
    "Inner=a \"b\" c\r\n"
    "Equals=a=b\r\n"
    "Empty=\r\n"
    "NoEquals\r\n"
    "My Key=with blank\r\n"
    "Dup=first\r\n"
    "DUP=second\r\n"
    "Hex=0x1F\r\n"
    "Long=" + std::string(3000, 'v') + "\r\n"
    "\r\n"
    "[ Options ]\r\n"
    "TimeExit=10\r\n"
    "[skin]\r\n"
    "OnlyInSecond=2\r\n";

}  // namespace

TEST(IniConformance, ReadsAgreeWithTheSystem) {
    struct Case {
        const wchar_t *section, *key;
    } cases[] = {
        {L"Skin", L"UseSkin"},   {L"SKIN", L"useskin"},  {L"Skin", L"Spaced"},  {L"Skin", L"Tabbed"},
        {L"Skin", L"Double"},    {L"Skin", L"Single"},   {L"Skin", L"Mixed"},   {L"Skin", L"Lone"},
        {L"Skin", L"Inner"},     {L"Skin", L"Equals"},   {L"Skin", L"Empty"},   {L"Skin", L"My Key"},
        {L"Skin", L"Dup"},       {L"Skin", L"Long"},     {L"Options", L"TimeExit"},
        {L"Skin", L"NoEquals"},  {L"skin", L"OnlyInSecond"}, {L"", L"Orphan"}, {L"Skin", L"AfterNoClose"},
        {L"Skin", L"Missing"},   {L"Missing", L"UseSkin"},
        // The numeric reading of "0x1F" is ours (the system's integer read stops at the "x"); the
        // text underneath must agree.
        {L"Skin", L"Hex"},
    };
    test::TempDir dir;
    const std::wstring file = dir.File(L"read.ini");
    test::WriteBytes(file, kFixture);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::wstring(c.section) + L"/" + c.key);
        EXPECT_EQ(OurRead(file, c.section, c.key), SystemRead(file, c.section, c.key));
    }
    EXPECT_EQ(OurFile(file).ReadInteger(L"Skin", L"Hex", 0), 31);
}

TEST(IniConformance, Utf16FileReadsAgreeWithTheSystem) {
    test::TempDir dir;
    const std::wstring file = dir.File(L"unicode.ini");
    test::WriteBytes(file, Utf16File(L"[Language]\r\nCurrentLanguage = \u0420\u0443\u0441\u0441\u043A\u0438\u0439\r\n"));
    EXPECT_EQ(OurRead(file, L"language", L"currentlanguage"), SystemRead(file, L"language", L"currentlanguage"));
    EXPECT_EQ(OurRead(file, L"Language", L"CurrentLanguage"), L"\u0420\u0443\u0441\u0441\u043A\u0438\u0439");
}

TEST(IniConformance, WritesLeaveTheSameSectionsKeysAndValuesAsTheSystem) {
    struct Write {
        const wchar_t *section, *key, *value;
    };
    struct Case {
        const char* what;
        std::string before;  // "" for no file
        std::vector<Write> writes;
    } cases[] = {
        {"new file",
         "",
         {{L"Skin", L"Useskin", L"0"},
          {L"Skin", L"UseAero", L"1"},
          {L"Options", L"ShowBalloon", L"0"},
          {L"Skin", L"Currentskin", L"Vista (internal)"},
          {L"Language", L"CurrentLanguage", L"English (EN)"},
          {L"Options", L"WaitTimeOut", L"5"}}},
        {"replace across letter case", "[Skin]\r\nUseSkin=1\r\nCurrentSkin=Aero\r\n", {{L"skin", L"Useskin", L"0"}}},
        {"key at the end of its section",
         "[Skin]\r\nA=1\r\n\r\n[Options]\r\nB=2\r\n",
         {{L"Skin", L"C", L"3"}, {L"Options", L"D", L"4"}}},
        {"first of duplicate keys", "[S]\r\nK=1\r\nK=2\r\n", {{L"S", L"K", L"3"}}},
        {"blanks, quotes and empty values kept as written",
         "[S]\r\nK=1\r\n",
         {{L"S", L"K", L"  spaced  "}, {L"S", L"Q", L"\"quoted\""}, {L"S", L"E", L""}}},
        {"bare line feeds and no final line end", "[S]\nA=1\nB=2", {{L"S", L"B", L"3"}, {L"S", L"C", L"4"}}},
        {"section without keys", "[Empty]\r\n[S]\r\nA=1\r\n", {{L"Empty", L"K", L"v"}}},
        {"first of duplicate sections", "[S]\r\nA=1\r\n[T]\r\n[s]\r\nB=2\r\n", {{L"S", L"B", L"3"}}},
        {"key without \"=\" and \"[\" without \"]\"",
         "[S]\r\nNoValue\r\n[NoClose\r\n",
         {{L"S", L"novalue", L"1"}, {L"S", L"C", L"2"}}},
        {"keys before the first header", "Orphan=1\r\n[S]\r\nA=1\r\n", {{L"", L"K", L"v"}, {L"", L"orphan", L"2"}}},
        {"utf-16 file",
         Utf16File(L"[Language]\r\nCurrentLanguage=English (EN)\r\n"),
         {{L"Language", L"CurrentLanguage", L"\u0420\u0443\u0441\u0441\u043A\u0438\u0439"}, {L"Skin", L"UseAero", L"1"}}},
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::wstring ours = dir.File(L"ours.ini"), system = dir.File(L"system.ini");
        DeleteFileW(ours.c_str());
        DeleteFileW(system.c_str());
        if (!c.before.empty()) {
            test::WriteBytes(ours, c.before);
            test::WriteBytes(system, c.before);
        }
        for (const auto& w : c.writes) {
            ASSERT_TRUE(OurWrite(ours, w.section, w.key, w.value));
            ASSERT_TRUE(WritePrivateProfileStringW(w.section, w.key, w.value, system.c_str()));
        }
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, system.c_str());  // flush the system's cache
        EXPECT_EQ(Normalized(ours), Normalized(system));
        EXPECT_EQ(test::ReadBytes(ours).substr(0, 2) == "\xFF\xFE", test::ReadBytes(system).substr(0, 2) == "\xFF\xFE");
        for (const auto& w : c.writes) {
            EXPECT_EQ(OurRead(ours, w.section, w.key), SystemRead(system, w.section, w.key));
        }
    }
}

TEST(IniConformance, FileHeldOpenByAnotherWriterRefusesWritesAndKeepsItsContent) {
    test::TempDir dir;
    const std::wstring file = dir.File(L"locked.ini");
    const std::string before = "[Options]\r\nTimeExit=10\r\n";
    test::WriteBytes(file, before);
    {
        // No sharing: refused even to an administrator, unlike a read-only attribute.
        HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(handle, INVALID_HANDLE_VALUE);
        std::unique_ptr<void, decltype(&CloseHandle)> lock(handle, &CloseHandle);
        EXPECT_FALSE(WritePrivateProfileStringW(L"Options", L"TimeExit", L"1", file.c_str()));
        EXPECT_FALSE(OurWrite(file, L"Options", L"TimeExit", L"1"));
    }
    EXPECT_EQ(test::ReadBytes(file), before);
}
