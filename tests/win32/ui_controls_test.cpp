// Reading the digits-only option fields: what the settings save and the update check take as a number.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>

#include "ui/controls.h"

namespace lentora {
namespace {

TEST(DigitsValue, IsANumberOnlyForUpToNineAsciiDigits) {
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    struct Case {
        const wchar_t* text;
        std::optional<int> value;
    } cases[] = {
        {L"7", 7},
        {L"007", 7},
        {L"999999999", 999999999},
        {L"", std::nullopt},
        {L"1234567890", std::nullopt},  // more than the field's digits
        {L"-1", std::nullopt},
        {L"+1", std::nullopt},
        {L"1 2", std::nullopt},
        {L"\u0661\u0662", std::nullopt},  // digits of another script: pasted text, no number here
        {L"\uFF17", std::nullopt},        // a full-width digit
    };
    for (const Case& c : cases) {
        SetWindowTextW(edit, c.text);
        EXPECT_EQ(ui::GetDigitsValue(edit), c.value) << static_cast<const void*>(c.text);
    }
    DestroyWindow(edit);
}

}  // namespace
}  // namespace lentora
