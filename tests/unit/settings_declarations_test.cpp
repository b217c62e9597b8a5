// The option declarations themselves: whatever a row says, a save and a read must agree on it.
#include <gtest/gtest.h>

#include <string>

#include "settings/option_declarations.h"
#include "settings/settings_file.h"
#include "support/temp_dir.h"
#include "util/overloaded.h"
#include "util/profile_file.h"

using namespace lentora;

namespace {

// The option in `s` set to a value that is not its default and that the file can hold.
void ChangeFromDefault(Settings& s, const OptionDeclaration& option) {
    std::visit(Overloaded{
                   [&](bool Settings::*flag) { s.*flag = !(s.*flag); },
                   [&](std::optional<int> Settings::*number) {
                       s.*number = s.*number == option.maxValue ? option.minValue : option.maxValue;
                   },
                   [&](std::wstring Settings::*text) { s.*text += L" \u0416"; },
                   [&](double Settings::*date) { s.*date += 41982.5; },
               },
               option.member);
}

bool SameValue(const Settings& a, const Settings& b, const OptionDeclaration& option) {
    return std::visit([&](auto member) { return a.*member == b.*member; }, option.member);
}

std::wstring KeyName(const OptionDeclaration& option) {
    return std::wstring(option.section) + L"/" + std::wstring(option.key);
}

// Each written option alone differs from its default: it reads back changed, and no other option
// does, so its read and written spellings name one key and no two options share a key.
TEST(OptionDeclarations, EachWrittenOptionReadsBackWhatASaveWroteAndNoOtherOptionChanges) {
    const Settings defaults;
    for (const OptionDeclaration& changed : OptionDeclarations()) {
        if (changed.readOnly) continue;
        SCOPED_TRACE(KeyName(changed));
        test::TempDir dir;
        const std::wstring ini = dir.File(L"lentora.ini");
        Settings s;
        ChangeFromDefault(s, changed);
        ASSERT_EQ(SaveSettings(ini, s), SettingsSaveResult::Saved);
        const Settings back = LoadSettings(ini);
        for (const OptionDeclaration& option : OptionDeclarations()) {
            const bool isChanged = &option == &changed;
            EXPECT_TRUE(SameValue(back, isChanged ? s : defaults, option)) << KeyName(option);
        }
    }
}

TEST(OptionDeclarations, AReadOnlyOptionIsNeverWritten) {
    for (const OptionDeclaration& option : OptionDeclarations()) {
        if (!option.readOnly) continue;
        SCOPED_TRACE(KeyName(option));
        test::TempDir dir;
        const std::wstring ini = dir.File(L"lentora.ini");
        Settings s;
        ChangeFromDefault(s, option);
        ASSERT_EQ(SaveSettings(ini, s), SettingsSaveResult::Saved);
        EXPECT_EQ(ProfileFile(test::ReadBytes(ini)).Read(option.section, option.key), std::nullopt);
    }
}

// A default outside its range would be clamped by the first read: the file and the page would disagree.
TEST(OptionDeclarations, EveryNumberHasADefaultWithinItsRange) {
    const Settings defaults;
    for (const OptionDeclaration& option : OptionDeclarations()) {
        if (auto number = std::get_if<std::optional<int> Settings::*>(&option.member)) {
            SCOPED_TRACE(KeyName(option));
            ASSERT_TRUE((defaults.**number).has_value());
            EXPECT_GE(*(defaults.**number), option.minValue);
            EXPECT_LE(*(defaults.**number), option.maxValue);
        }
    }
}

}  // namespace
