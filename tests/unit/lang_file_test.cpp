#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>
#include <utility>

#include "lang/language_file.h"
#include "lang/language_keys.h"
#include "lang/language_param.h"
#include "unit/lang_test_support.h"
#include "unit/tasks_test_support.h"
#include "util/codepage.h"
#include "util/platform.h"

namespace lentora {
namespace {

using testing::RepoPath;

class LanguageFileTest : public testing::TempFolderTest {
protected:
    LanguageFile Open(const std::string& ansiText) {
        WriteBytes("test.lng", ansiText);
        return LanguageFile(PathOf("test.lng"));
    }
};

TEST_F(LanguageFileTest, MissingFileGivesEveryDefault) {
    LanguageFile file(PathOf("absent.lng"));
    for (const auto& k : LanguageKeys()) EXPECT_EQ(file.Read(k), k.defaultText);
}

TEST_F(LanguageFileTest, ReadsValuesIgnoringCaseAndFallsBackPerKey) {
    LanguageFile file = Open("[options]\r\nSBTNIMPORT = \"Import it\" \r\n[ACTIONS]\r\nactPause=Hold\r\n");
    // One key sets both the caption and the hint of the import button.
    const LanguageKey* caption = FindLanguageKeyByTarget(L"frmProperty.sbtnImport.caption");
    const LanguageKey* hint = FindLanguageKeyByTarget(L"frmProperty.sbtnImport.hint");
    ASSERT_EQ(caption, hint);
    EXPECT_EQ(file.Read(*caption), L"Import it");
    EXPECT_EQ(file.Read(L"ACTIONS", L"actPause"), L"Hold");
    EXPECT_EQ(file.Read(L"ACTIONS", L"actWait"), L"Stop waiting");
    EXPECT_EQ(file.Read(L"OPTIONS", L"chbDisableReg"), L"Disable in registry");
    EXPECT_THROW(file.Read(L"ACTIONS", L"actNothing"), std::invalid_argument);
}

TEST_F(LanguageFileTest, ShownTextAddsTheKeySuffix) {
    LanguageFile file = Open("[LABELS]\r\nlblSitePrg=Home page\r\n");
    EXPECT_EQ(file.ShownText(*FindLanguageKeyByTarget(L"lblSitePrg.caption")), L"Home page: ");
    EXPECT_EQ(file.ShownText(*FindLanguageKeyByTarget(L"lblWinVersion.caption")),
              L"for Windows 98/2000/XP/Vista/7/8.x");
}

// Sections and keys of a language file as written, in the file's order, and the file's text.
struct FileKeys {
    std::wstring text;
    std::multiset<std::pair<std::wstring, std::wstring>> keys;
};

FileKeys ListKeys(const std::string& bytes) {
    FileKeys out;
    out.text = DecodeTextFile(bytes, platform::AnsiCodePage());
    std::wstring section;
    size_t start = 0;
    while (start < out.text.size()) {
        size_t end = out.text.find(L'\n', start);
        if (end == std::wstring::npos) end = out.text.size();
        std::wstring line = out.text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        start = end + 1;
        if (line.empty()) continue;
        if (line.front() == L'[') {
            section = line.substr(1, line.find(L']') - 1);
            continue;
        }
        out.keys.emplace(section, line.substr(0, line.find(L'=')));
    }
    return out;
}

class ShippedLanguageFile : public ::testing::TestWithParam<std::pair<const char*, const wchar_t*>> {};

TEST_P(ShippedLanguageFile, HoldsExactlyTheKeysTheProgramReads) {
    auto [name, displayName] = GetParam();
    std::wstring path = RepoPath(std::string("languages/") + name);
    std::string bytes;
    ASSERT_TRUE(platform::ReadWholeFile(path, bytes)) << name;
    FileKeys listed = ListKeys(bytes);

    std::wstring problems;
    for (const auto& k : LanguageKeys()) {
        size_t n = listed.keys.count({std::wstring(k.section), std::wstring(k.key)});
        std::wstring id = std::wstring(k.section) + L"/" + std::wstring(k.key);
        if (n != 1) problems += (n ? L" twice: " : L" missing: ") + id;
    }
    for (const auto& [section, key] : listed.keys) {
        if (!FindLanguageKey(section, key)) problems += L" not read: " + section + L"/" + key;
    }
    EXPECT_EQ(problems, L"") << name;

    for (size_t i = listed.text.find(L'\n'); i != std::wstring::npos; i = listed.text.find(L'\n', i + 1)) {
        ASSERT_TRUE(i > 0 && listed.text[i - 1] == L'\r') << name << ": line end without CR";
    }

    LanguageFile file(path);
    EXPECT_EQ(file.Read(L"FILE", L"Name"), displayName);
    // The version the check expects, so the file is not taken for an older or a later one.
    EXPECT_EQ(LanguageVersionLogLine(file.Read(L"FILE", L"Version")), L"Language file is correct version.") << name;
    for (const auto& k : LanguageKeys()) EXPECT_FALSE(file.Read(k).empty()) << name << ": " << std::wstring(k.key);
    // Formats: the update message takes the latest version, then the running one; the shortcut
    // message the shortcut file; the way back's messages the start-up entry.
    const std::tuple<const wchar_t*, const wchar_t*, std::ptrdiff_t> formats[] = {
        {L"MSG", L"MSG37", 2},
        {L"MSG", L"ShortcutNotCreated", 1},
        {L"REGLST", L"GiveBackQuestion", 1},
        {L"REGLST", L"GiveBackNotWritten", 1},
        {L"REGLST", L"GiveBackNameTaken", 1}};
    for (const auto& [section, key, count] : formats) {
        std::wstring text = file.Read(section, key);
        std::ptrdiff_t percentS = 0;
        for (size_t i = text.find(L"%s"); i != std::wstring::npos; i = text.find(L"%s", i + 2)) ++percentS;
        EXPECT_EQ(percentS, count) << name << ": " << key;
        EXPECT_EQ(std::count(text.begin(), text.end(), L'%'), count) << name << ": " << key;
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedLanguageFile,
                         ::testing::Values(std::make_pair("English.lng", L"English (EN)"),
                                           std::make_pair("Russian.lng", L"Русский (RU)")));

TEST(ShippedLanguageFiles, RussianIsUtf16WithByteOrderMark) {
    std::string bytes;
    ASSERT_TRUE(platform::ReadWholeFile(RepoPath("languages/Russian.lng"), bytes));
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(LanguageFile(RepoPath("languages/Russian.lng")).Read(L"FILE", L"Language"), L"RU");
}

}  // namespace
}  // namespace lentora
