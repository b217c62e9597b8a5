// The program's own Run value, written to the test prefix's real HKCU Run key.
#include <gtest/gtest.h>

#include <windows.h>

#include "sysint/autorun.h"
#include "sysint_test_support.h"

namespace lentora {
namespace {

const std::wstring kRun = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class SysintAutorun : public ::testing::Test {
protected:
    // Each test starts without the value and leaves the prefix as it found it.
    void SetUp() override {
        saved_ = test::GetText(HKEY_CURRENT_USER, kRun, L"Lentora");
        Remove();
    }
    void TearDown() override {
        Remove();
        if (saved_) test::SetText(HKEY_CURRENT_USER, kRun, L"Lentora", saved_->second, saved_->first);
    }
    static void Remove() {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kRun.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
        RegDeleteValueW(key, L"Lentora");
        RegCloseKey(key);
    }
    static std::optional<std::pair<DWORD, std::wstring>> Stored() {
        return test::GetText(HKEY_CURRENT_USER, kRun, L"Lentora");
    }

    test::RecordingLog log;

private:
    std::optional<std::pair<DWORD, std::wstring>> saved_;
};

using Lines = std::vector<std::wstring>;
const Lines kWrites = {L"Wrong key on start of Lentora", L"Write in registry autostart"};

TEST_F(SysintAutorun, FirstRegistrationLogsAndWritesTheValue) {
    EXPECT_FALSE(IsAutorunRegistered());
    EXPECT_TRUE(UpdateAutorun(true, L"C:\\Apps\\lentora.exe", log));
    EXPECT_EQ(log.lines, kWrites);
    EXPECT_EQ(Stored(), std::make_pair(DWORD{REG_SZ}, std::wstring(L"C:\\Apps\\lentora.exe -start")));
    EXPECT_TRUE(IsAutorunRegistered());
}

TEST_F(SysintAutorun, StoredDataDecidesWhetherToRewrite) {
    const struct {
        const wchar_t* stored;
        DWORD type;
        const wchar_t* exePath;
        bool rewrite;
        const wchar_t* after;
    } cases[] = {
        // Letter case alone is no difference: the value stays as it was stored.
        {L"c:\\apps\\LENTORA.EXE -START", REG_SZ, L"C:\\Apps\\lentora.exe", false, L"c:\\apps\\LENTORA.EXE -START"},
        // The program moved: the stale path is replaced.
        {L"C:\\Old\\lentora.exe -start", REG_SZ, L"D:\\New\\lentora.exe", true, L"D:\\New\\lentora.exe -start"},
        // Blanks in the path: written without quotes.
        {L"x", REG_SZ, L"C:\\Program Files\\Tools\\lentora.exe", true, L"C:\\Program Files\\Tools\\lentora.exe -start"},
        // Quotes make another text, so a quoted value is rewritten unquoted.
        {L"\"C:\\Apps\\lentora.exe\" -start", REG_SZ, L"C:\\Apps\\lentora.exe", true, L"C:\\Apps\\lentora.exe -start"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        log.lines.clear();
        test::SetText(HKEY_CURRENT_USER, kRun, L"Lentora", c.stored, c.type);
        EXPECT_TRUE(UpdateAutorun(true, c.exePath, log));
        EXPECT_EQ(log.lines, c.rewrite ? kWrites : Lines{L"Key registry is valid. Break registry update."});
        EXPECT_EQ(Stored(), std::make_pair(DWORD{REG_SZ}, std::wstring(c.after)));
    }
}

TEST_F(SysintAutorun, ValueThatIsNotTextIsReplacedByTheString) {
    DWORD number = 1;
    test::SetRawValue(HKEY_CURRENT_USER, kRun, L"Lentora", REG_DWORD, &number, sizeof number);
    EXPECT_TRUE(UpdateAutorun(true, L"C:\\Apps\\lentora.exe", log));
    EXPECT_EQ(log.lines, kWrites);
    EXPECT_EQ(Stored(), std::make_pair(DWORD{REG_SZ}, std::wstring(L"C:\\Apps\\lentora.exe -start")));
}

TEST_F(SysintAutorun, ClearedBoxDeletesOnEverySaveAlsoWhenAbsent) {
    test::SetText(HKEY_CURRENT_USER, kRun, L"Lentora", L"C:\\Apps\\lentora.exe -start");
    EXPECT_TRUE(UpdateAutorun(false, L"C:\\Apps\\lentora.exe", log));
    EXPECT_FALSE(IsAutorunRegistered());
    EXPECT_TRUE(UpdateAutorun(false, L"C:\\Apps\\lentora.exe", log));
    EXPECT_EQ(log.lines, Lines(2, L"Delete from registry autostart"));
    EXPECT_FALSE(Stored());
}

TEST_F(SysintAutorun, RunKeyThatCannotBeCreatedFailsAndTouchesNoOtherKey) {
    test::SetText(HKEY_CURRENT_USER, kRun, L"Lentora", L"C:\\Old\\lentora.exe -start");
    {
        test::UnwritableRoot unwritable(HKEY_CURRENT_USER);
        ASSERT_TRUE(unwritable.active());
        EXPECT_FALSE(IsAutorunRegistered());
        EXPECT_FALSE(UpdateAutorun(true, L"C:\\Apps\\lentora.exe", log));
        EXPECT_FALSE(UpdateAutorun(false, L"C:\\Apps\\lentora.exe", log));
    }
    EXPECT_TRUE(log.lines.empty());
    EXPECT_EQ(Stored(), std::make_pair(DWORD{REG_SZ}, std::wstring(L"C:\\Old\\lentora.exe -start")));
}

}  // namespace
}  // namespace lentora
