// Reading the digits-only option fields: what the settings save and the update check take as a
// number; and a button's picture set after the button was painted.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "image_ids.h"
#include "ui/controls.h"
#include "ui/image_list.h"

namespace lentora {
namespace {

TEST(DigitsValue, IsANumberOnlyForUpToNineAsciiDigits) {
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
    for (const Case& c : cases) EXPECT_EQ(ui::DigitsValue(c.text), c.value) << static_cast<const void*>(c.text);
}

TEST(ButtonPicture, RepaintsAButtonAlreadyOnScreen) {
    HWND button = CreateWindowExW(0, L"BUTTON", L"Add", WS_POPUP | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 80, 60, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(button, nullptr);
    UpdateWindow(button);
    ASSERT_FALSE(GetUpdateRect(button, nullptr, FALSE)) << "painted";
    ui::ImageListHandle pictures = ui::SetButtonIcon(button, IDI_IMG_BASE + 1, 24, true);
    EXPECT_TRUE(pictures);
    EXPECT_TRUE(GetUpdateRect(button, nullptr, FALSE)) << "the new picture must be painted";
    DestroyWindow(button);
}

}  // namespace
}  // namespace lentora
