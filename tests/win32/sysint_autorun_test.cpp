// The program's own Run value, written to the test prefix's real HKCU Run key.
#include <gtest/gtest.h>

#include <windows.h>

#include "sysint/autorun.h"
#include "sysint/startup_approval_key.h"
#include "sysint_test_support.h"

namespace lentora {
namespace {

const std::wstring kRun = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::wstring kApprovedRun = std::wstring(kStartupApprovedKey) + L"\\Run";

class SysintAutorun : public ::testing::Test {
protected:
    // Each test starts without the value and leaves the prefix as it found it.
    void SetUp() override {
        saved_ = test::GetText(HKEY_CURRENT_USER, kRun, L"Lentora");
        savedSwitch_ = Switch();
        Remove();
    }
    void TearDown() override {
        Remove();
        if (savedSwitch_) test::SetRawValue(HKEY_CURRENT_USER, kApprovedRun, L"Lentora", REG_BINARY, savedSwitch_->data(),
                                           static_cast<DWORD>(savedSwitch_->size()));
        if (saved_) test::SetText(HKEY_CURRENT_USER, kRun, L"Lentora", saved_->second, saved_->first);
    }
    static void Remove() {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kRun.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
        RegDeleteValueW(key, L"Lentora");
        RegCloseKey(key);
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kApprovedRun.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
        RegDeleteValueW(key, L"Lentora");
        RegCloseKey(key);
    }
    // Task Manager's switch of the value, as stored.
    static std::optional<std::vector<BYTE>> Switch() {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kApprovedRun.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return std::nullopt;
        std::vector<BYTE> data(64);
        DWORD size = static_cast<DWORD>(data.size());
        LSTATUS status = RegQueryValueExW(key, L"Lentora", nullptr, nullptr, data.data(), &size);
        RegCloseKey(key);
        if (status != ERROR_SUCCESS) return std::nullopt;
        data.resize(size);
        return data;
    }
    static std::optional<std::pair<DWORD, std::wstring>> Stored() {
        return test::GetText(HKEY_CURRENT_USER, kRun, L"Lentora");
    }

    test::RecordingLog log;

private:
    std::optional<std::pair<DWORD, std::wstring>> saved_;
    std::optional<std::vector<BYTE>> savedSwitch_;
};

using Lines = std::vector<std::wstring>;
const Lines kWrites = {L"Wrong key on start of Lentora", L"Write in registry autostart"};

TEST_F(SysintAutorun, FirstRegistrationLogsAndWritesTheValue) {
    EXPECT_EQ(ReadAutorunState(), AutorunState::kAbsent);
    EXPECT_TRUE(UpdateAutorun(true, L"C:\\Apps\\lentora.exe", log));
    EXPECT_EQ(log.lines, kWrites);
    EXPECT_EQ(Stored(), std::make_pair(DWORD{REG_SZ}, std::wstring(L"C:\\Apps\\lentora.exe -start")));
    EXPECT_EQ(ReadAutorunState(), AutorunState::kOn);
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

// Switched off in Task Manager, the value starts nothing: the option shows it unticked, and
// ticking it switches the value on again, whether or not its data needs rewriting.
TEST_F(SysintAutorun, AValueSwitchedOffInTaskManagerIsNotRegisteredUntilTicked) {
    const std::vector<BYTE> off = {0x03, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8};
    const std::wstring switchOn = L"Autostart was switched off in Task Manager. Switch it on";
    const struct {
        const wchar_t* stored;
        Lines lines;
    } cases[] = {
        {L"C:\\Apps\\lentora.exe -start", {switchOn}},
        {L"C:\\Old\\lentora.exe -start", {kWrites[0], kWrites[1], switchOn}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        log.lines.clear();
        test::SetText(HKEY_CURRENT_USER, kRun, L"Lentora", c.stored);
        test::SetRawValue(HKEY_CURRENT_USER, kApprovedRun, L"Lentora", REG_BINARY, off.data(),
                          static_cast<DWORD>(off.size()));
        EXPECT_EQ(ReadAutorunState(), AutorunState::kSwitchedOff);
        EXPECT_TRUE(UpdateAutorun(true, L"C:\\Apps\\lentora.exe", log));
        EXPECT_EQ(log.lines, c.lines);
        EXPECT_EQ(Switch(), (std::vector<BYTE>{2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
        EXPECT_EQ(ReadAutorunState(), AutorunState::kOn);
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
    EXPECT_EQ(ReadAutorunState(), AutorunState::kAbsent);
    EXPECT_TRUE(UpdateAutorun(false, L"C:\\Apps\\lentora.exe", log));
    EXPECT_EQ(log.lines, Lines(2, L"Delete from registry autostart"));
    EXPECT_FALSE(Stored());
}

TEST_F(SysintAutorun, RunKeyThatCannotBeCreatedFailsAndTouchesNoOtherKey) {
    test::SetText(HKEY_CURRENT_USER, kRun, L"Lentora", L"C:\\Old\\lentora.exe -start");
    {
        test::UnwritableRoot unwritable(HKEY_CURRENT_USER);
        ASSERT_TRUE(unwritable.active());
        EXPECT_EQ(ReadAutorunState(), AutorunState::kAbsent);
        EXPECT_FALSE(UpdateAutorun(true, L"C:\\Apps\\lentora.exe", log));
        EXPECT_FALSE(UpdateAutorun(false, L"C:\\Apps\\lentora.exe", log));
    }
    EXPECT_TRUE(log.lines.empty());
    EXPECT_EQ(Stored(), std::make_pair(DWORD{REG_SZ}, std::wstring(L"C:\\Old\\lentora.exe -start")));
}

}  // namespace
}  // namespace lentora
