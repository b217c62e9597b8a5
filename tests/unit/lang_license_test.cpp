#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "lang/license_texts.h"
#include "unit/lang_test_support.h"
#include "unit/tasks_test_support.h"
#include "util/codepage.h"
#include "util/platform.h"

namespace lentora {
namespace {

using testing::RepoPath;

TEST(LicensePaths, JoinProgramFolderLicenseFolderAndShortName) {
    EXPECT_EQ(LicenseFilePath(L"C:\\Lentora", L"EN"), L"C:\\Lentora\\License\\License-EN.txt");
    EXPECT_EQ(LicenseFilePath(L"C:\\Lentora\\", L"EN"), L"C:\\Lentora\\License\\License-EN.txt");
    EXPECT_EQ(AboutFilePath(L"D:\\Apps\\Lentora", L"ru"), L"D:\\Apps\\Lentora\\License\\About-ru.txt");
}

class MemoTextTest : public testing::TempFolderTest {};

TEST_F(MemoTextTest, DecodesByByteOrderMarkElseAnsiAndUsesCrLf) {
    struct Case {
        const char* name;
        std::string bytes;
        std::wstring text;
    };
    const Case cases[] = {
        {"utf8", "\xEF\xBB\xBF\xD0\x9F\xD1\x80\xD0\xB0\xD0\xB2\xD0\xBE\r\nline", L"Право\r\nline"},
        {"utf16le", std::string("\xFF\xFE\x1F\x04\x40\x04\n\0x\0", 10), L"Пр\r\nx"},
        {"utf16be", std::string("\xFE\xFF\x04\x1F\x04\x40\0\r\0x", 10), L"Пр\r\nx"},
        {"ansi", "caf\xE9\rend\n", L"caf\u00E9\r\nend\r\n"},
        {"empty", "", L""},
    };
    for (const auto& c : cases) {
        WriteBytes(c.name, c.bytes);
        auto text = LoadMemoText(PathOf(c.name));
        ASSERT_TRUE(text.has_value()) << c.name;
        EXPECT_EQ(*text, c.text) << c.name;
    }
    EXPECT_EQ(LoadMemoText(PathOf("ansi")).value().size(), 11u);  // é is one character
    EXPECT_FALSE(LoadMemoText(PathOf("missing.txt")).has_value());
}

class LicenseAndAboutTest : public testing::TempFolderTest {
protected:
    // The folder as the program passes it. On Linux "\" separates nothing, so the program's
    // "<folder>\License\<name>" is one file name right after the folder's trailing "/".
    std::wstring ProgramFolder() const {
#ifdef _WIN32
        return dir_.wstring();
#else
        return dir_.wstring() + L"/";
#endif
    }
    void WriteLicenseFile(const std::string& name, const std::string& bytes) const {
#ifdef _WIN32
        std::filesystem::create_directories(dir_ / "License");
        WriteBytes("License\\" + name, bytes);
#else
        WriteBytes("\\License\\" + name, bytes);
#endif
    }
    testing::RecordingLog log_;
};

TEST_F(LicenseAndAboutTest, MissingFilesAreLoggedAndLeaveBothMemos) {
    LicenseAndAboutTexts texts = LoadLicenseAndAbout(ProgramFolder(), L"EN", log_);
    EXPECT_FALSE(texts.license.has_value());
    EXPECT_FALSE(texts.about.has_value());
    EXPECT_EQ(log_.lines, (std::vector<std::wstring>{
                              L"Load file of license",
                              L"Error load of file license: \"" + LicenseFilePath(ProgramFolder(), L"EN") + L"\"",
                              L"Load file of about",
                              L"Error load of file about: \"" + AboutFilePath(ProgramFolder(), L"EN") + L"\"",
                          }));
}

TEST_F(LicenseAndAboutTest, AboutIsLoadedWhenTheLicenceIsMissing) {
    WriteLicenseFile("About-RU.txt", "\xEF\xBB\xBF" + EncodeUtf8(L"О программе"));
    LicenseAndAboutTexts texts = LoadLicenseAndAbout(ProgramFolder(), L"RU", log_);
    EXPECT_FALSE(texts.license.has_value());
    EXPECT_EQ(texts.about, L"О программе");
    EXPECT_EQ(log_.lines, (std::vector<std::wstring>{
                              L"Load file of license",
                              L"Error load of file license: \"" + LicenseFilePath(ProgramFolder(), L"RU") + L"\"",
                              L"Load file of about",
                          }));
}

TEST(ShippedLicenseTexts, EnglishFilesMatchTheBuiltinTexts) {
    EXPECT_EQ(LoadMemoText(RepoPath("License/License-EN.txt")), std::wstring(BuiltinLicenseText()));
    EXPECT_EQ(LoadMemoText(RepoPath("LICENSE")), std::wstring(BuiltinLicenseText()));
    EXPECT_EQ(LoadMemoText(RepoPath("License/About-EN.txt")), std::wstring(BuiltinAboutText()));
    EXPECT_NE(BuiltinAboutText().find(L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Lentora"),
              std::wstring_view::npos);
}

TEST(ShippedLicenseTexts, RussianFilesCarryAByteOrderMarkAndTheLicence) {
    for (const char* name : {"License/License-RU.txt", "License/About-RU.txt"}) {
        std::string bytes;
        ASSERT_TRUE(platform::ReadWholeFile(RepoPath(name), bytes)) << name;
        EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF") << name;
    }
    // The binding English text follows the Russian note unchanged.
    std::wstring russian = LoadMemoText(RepoPath("License/License-RU.txt")).value();
    EXPECT_NE(russian.find(std::wstring(BuiltinLicenseText())), std::wstring::npos);
}

}  // namespace
}  // namespace lentora
