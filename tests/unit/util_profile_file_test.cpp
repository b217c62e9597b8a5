#include <gtest/gtest.h>

#include <chrono>

#include "util/codepage.h"
#include "util/profile_file.h"

using namespace lentora;

namespace {

constexpr unsigned kCp1252 = 1252;

const char kSample[] =
    "; settings\r\n"
    "Orphan=before any header\r\n"
    "[Skin]\r\n"
    "UseSkin = 1\r\n"
    "Quoted = \"  padded  \"\r\n"
    "Single='x'\r\n"
    "Mixed=\"x'\r\n"
    "Inner=a \"b\" c\r\n"
    "Lone=\"\r\n"
    "Empty=\r\n"
    "NoEquals\r\n"
    "Tabbed=\tvalue \t\v\r\n"
    "[NoClose\r\n"
    "AfterNoClose=still Skin\r\n"
    "Equals=a=b\r\n"
    "Dup=first\r\n"
    "dup=second\r\n"
    "\r\n"
    "  [ options ]  \r\n"
    "WaitTimeOut=0x1F\r\n"
    "[Skin]\r\n"
    "Later=yes\r\n";

}  // namespace

TEST(ProfileFile, ReadsValuesLikeTheSystemProfileFunctions) {
    ProfileFile file(kSample, kCp1252);
    struct Case {
        const wchar_t *section, *key;
        std::optional<std::wstring> expected;
    } cases[] = {
        {L"Skin", L"UseSkin", L"1"},
        {L"SKIN", L"useskin", L"1"},
        {L"Skin", L"Quoted", L"  padded  "},
        {L"Skin", L"Single", L"x"},
        {L"Skin", L"Mixed", L"\"x'"},
        {L"Skin", L"Inner", L"a \"b\" c"},
        {L"Skin", L"Lone", L"\""},
        {L"Skin", L"Empty", L""},
        {L"Skin", L"NoEquals", std::nullopt},  // a key without "=" has no value
        {L"Skin", L"AfterNoClose", L"still Skin"},  // "[" without "]" is no header
        {L"Skin", L"Tabbed", L"value"},
        {L"Skin", L"Equals", L"a=b"},
        {L"Skin", L"Dup", L"first"},
        {L"Options", L"WaitTimeOut", L"0x1F"},
        {L"Skin", L"Later", std::nullopt},  // the first section of a name is the one that counts
        {L"Skin", L"WaitTimeOut", std::nullopt},
        {L"Missing", L"UseSkin", std::nullopt},
        {L"", L"Orphan", L"before any header"},
        {L"", L"UseSkin", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::wstring(c.section) + L"/" + c.key);
        EXPECT_EQ(file.Read(c.section, c.key), c.expected);
    }
}

TEST(ProfileFile, CutsLongValuesAfterRemovingQuotes) {
    std::string value(3000, 'v');
    ProfileFile file("[S]\r\nK=\"" + value + "\"\r\n", kCp1252);
    EXPECT_EQ(file.Read(L"S", L"K"), std::wstring(ProfileFile::kMaxValueLength, L'v'));
}

TEST(ProfileFile, ReplacingAValueChangesThatLineOnly) {
    // Odd spacing, bare LF and CR line ends, a comment and bytes beyond ASCII must survive as they are.
    const std::string before =
        "\xE9t\xE9=1\n"
        "[Options]\r"
        "  WaitTimeOut = 5  ; old\r\n"
        "x=\xFC\r\n"
        "[Skin]\r\n"
        "UseSkin=1";
    ProfileFile file(before, kCp1252);
    file.Write(L"options", L"waittimeout", L"10");
    file.Write(L"Skin", L"Useskin", L"0");  // keeps the key's spelling in the file
    EXPECT_EQ(file.ToBytes(),
              "\xE9t\xE9=1\n"
              "[Options]\r"
              "WaitTimeOut=10\r\n"
              "x=\xFC\r\n"
              "[Skin]\r\n"
              "UseSkin=0");
}

TEST(ProfileFile, AddsKeysAtTheEndOfTheirSectionAndSectionsAtTheEndOfTheFile) {
    ProfileFile file(
        "[Skin]\r\n"
        "UseSkin=1\r\n"
        "\r\n"
        "[Options]\r\n"
        "TimeExit=10",
        kCp1252);
    file.Write(L"Skin", L"UseAero", L"0");
    file.Write(L"Options", L"WaitTimer", L"1");
    file.Write(L"Language", L"CurrentLanguage", L"English (EN)");
    EXPECT_EQ(file.ToBytes(),
              "[Skin]\r\n"
              "UseSkin=1\r\n"
              "UseAero=0\r\n"
              "\r\n"
              "[Options]\r\n"
              "TimeExit=10\r\n"
              "WaitTimer=1\r\n"
              "[Language]\r\n"
              "CurrentLanguage=English (EN)\r\n");
}

TEST(ProfileFile, KeysWithoutSectionGoBeforeTheFirstHeader) {
    ProfileFile file("Orphan=1\r\n[S]\r\nNoValue\r\n", kCp1252);
    file.Write(L"", L"K", L"v");
    file.Write(L"s", L"novalue", L"now");
    EXPECT_EQ(file.ToBytes(), "Orphan=1\r\nK=v\r\n[S]\r\nNoValue=now\r\n");
}

TEST(ProfileFile, LineBreaksInAWriteCannotAddLines) {
    ProfileFile file;
    file.Write(L"S", L"K", L"a\r\n[Evil]\r\nx=1");
    EXPECT_EQ(file.Read(L"Evil", L"x"), std::nullopt);
    EXPECT_EQ(file.Read(L"S", L"K"), L"a  [Evil]  x=1");
    EXPECT_EQ(file.ToBytes(), "[S]\r\nK=a  [Evil]  x=1\r\n");
}

TEST(ProfileFile, Utf16FileKeepsItsMarkAndEncoding) {
    const std::wstring russian = L"\u0420\u0443\u0441\u0441\u043A\u0438\u0439";  // Русский
    std::string bytes = "\xFF\xFE" + EncodeUtf16Le(L"[Language]\r\nCurrentLanguage=" + russian + L"\r\n");
    ProfileFile file(bytes, kCp1252);
    EXPECT_EQ(file.Read(L"language", L"CURRENTLANGUAGE"), russian);

    file.Write(L"Language", L"CurrentLanguage", L"English (EN)");
    file.Write(L"Skin", L"Currentskin", russian);
    EXPECT_EQ(file.ToBytes(),
              "\xFF\xFE" + EncodeUtf16Le(L"[Language]\r\nCurrentLanguage=English (EN)\r\n[Skin]\r\nCurrentskin=" +
                                         russian + L"\r\n"));
}

TEST(ProfileFile, AnsiFileUsesTheCodePageItWasReadWith) {
    const std::wstring russian = L"\u0420\u0443\u0441\u0441\u043A\u0438\u0439";
    ProfileFile file("[Language]\r\nCurrentLanguage=\xD0\xF3\xF1\xF1\xEA\xE8\xE9\r\n", 1251);
    EXPECT_EQ(file.Read(L"Language", L"CurrentLanguage"), russian);
    file.Write(L"Language", L"Previous", russian);
    EXPECT_EQ(file.ToBytes(),
              "[Language]\r\nCurrentLanguage=\xD0\xF3\xF1\xF1\xEA\xE8\xE9\r\n"
              "Previous=\xD0\xF3\xF1\xF1\xEA\xE8\xE9\r\n");
}

TEST(ProfileFile, TextTheCodePageCannotHoldTurnsTheFileIntoUtf16) {
    // "Русский (RU)" saved on a system whose ANSI code page is 1252 must come back as it was.
    const std::wstring russian = L"\u0420\u0443\u0441\u0441\u043A\u0438\u0439 (RU)";
    ProfileFile file("[Skin]\r\nUseskin=1\r\n[Options]\nTimeExit=10", kCp1252);
    file.Write(L"Language", L"CurrentLanguage", russian);
    std::string bytes = file.ToBytes();
    EXPECT_EQ(bytes, "\xFF\xFE" + EncodeUtf16Le(L"[Skin]\r\nUseskin=1\r\n[Options]\nTimeExit=10\r\n[Language]\r\n"
                                               L"CurrentLanguage=" + russian + L"\r\n"));
    ProfileFile reread(bytes, kCp1252);
    EXPECT_EQ(reread.Read(L"Language", L"CurrentLanguage"), russian);
    EXPECT_EQ(reread.Read(L"Options", L"TimeExit"), L"10");
}

TEST(ProfileFile, LargeFilesStayFast) {
    std::string bytes;
    for (int section = 0; section < 100; ++section) {
        bytes += "[Section" + std::to_string(section) + "]\r\n";
        for (int key = 0; key < 100; ++key) bytes += "Key" + std::to_string(key) + "=value\r\n";
    }
    auto start = std::chrono::steady_clock::now();
    ProfileFile file(bytes, kCp1252);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(file.Read(L"section99", L"key99"), L"value");
    for (int i = 0; i < 20; ++i) file.Write(L"Section99", L"New" + std::to_wstring(i), L"1");
    EXPECT_EQ(file.ToBytes().size(), bytes.size() + 10 * 8 + 10 * 9);  // "New0=1\r\n" .. "New19=1\r\n"
    // Linear work takes milliseconds here even with sanitizers; anything quadratic takes seconds.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}
