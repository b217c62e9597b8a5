// Reading the digits-only option fields: what the settings save and the update check take as a
// number; a button's picture: set after the button was painted, greyed while disabled; and a number
// field's digits, centred in its box at any height and font.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <vsstyle.h>

#include <cstdlib>
#include <optional>
#include <utility>
#include <string>
#include <vector>

#include "image_ids.h"
#include "ui/controls.h"
#include "ui/handles.h"
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

TEST(ButtonPicture, IsGreyWhileTheButtonIsDisabledAndInColourOtherwise) {
    constexpr int kSize = 24;
    ui::ImageListHandle pictures = ui::ButtonStateImages(IDI_IMG_BASE + 1, kSize);
    ASSERT_TRUE(pictures);
    ASSERT_EQ(ImageList_GetImageCount(pictures.get()), 6) << "one picture per button state";
    // A picture's pixels, drawn alone on black: coloured pixels differ in their channels.
    auto colouredAndVisible = [&](int index) {
        BITMAPINFO bi{{sizeof(BITMAPINFOHEADER), kSize, -kSize, 1, 32, BI_RGB}};
        void* bits = nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP canvas = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, canvas);
        ImageList_Draw(pictures.get(), index, dc, 0, 0, ILD_NORMAL);
        GdiFlush();
        int coloured = 0, visible = 0;
        const auto* pixels = static_cast<const RGBQUAD*>(bits);
        for (int i = 0; i < kSize * kSize; ++i) {
            const RGBQUAD& p = pixels[i];
            visible += (p.rgbRed | p.rgbGreen | p.rgbBlue) != 0;
            coloured += p.rgbRed != p.rgbGreen || p.rgbGreen != p.rgbBlue;
        }
        SelectObject(dc, old);
        DeleteObject(canvas);
        DeleteDC(dc);
        return std::pair{coloured, visible};
    };
    const auto [normalColoured, normalVisible] = colouredAndVisible(PBS_NORMAL - 1);
    const auto [disabledColoured, disabledVisible] = colouredAndVisible(PBS_DISABLED - 1);
    EXPECT_GT(normalColoured, 0) << "the icon in colour";
    EXPECT_EQ(disabledColoured, 0) << "the disabled picture is grey";
    EXPECT_GT(disabledVisible, 0) << "and still there";
}

TEST(SpinEdit, DigitsSitInTheMiddleOfTheBoxAtEveryHeightAndFont) {
    struct Case {
        int fontHeight, boxHeight;
    } cases[] = {{16, 23}, {32, 46}, {16, 60}, {24, 48}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.fontHeight << " in " << c.boxHeight);
        HWND top = CreateWindowExW(0, WC_STATICW, L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
        ui::SpinEdit field = ui::CreateSpinEdit(top, 100, 0, 999, 3, 7);
        HFONT font = CreateFontW(-c.fontHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
        SendMessageW(field.edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        ui::Move(field.edit, 10, 10, 120, c.boxHeight);

        RECT window{}, client{}, format{};
        GetWindowRect(field.edit, &window);
        GetClientRect(field.edit, &client);
        MapWindowPoints(field.edit, nullptr, reinterpret_cast<POINT*>(&client), 2);
        SendMessageW(field.edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        TEXTMETRICW metrics{};
        {
            ui::ScreenDC dc;
            ui::SelectGuard select(dc.get(), font);
            GetTextMetricsW(dc.get(), &metrics);
        }
        const int textTop = client.top + format.top, textBottom = textTop + metrics.tmHeight;
        const int above = textTop - window.top, below = window.bottom - textBottom;
        EXPECT_LE(std::abs(above - below), 2) << above << " above, " << below << " below";
        DestroyWindow(top);
        DeleteObject(font);
    }
}

}  // namespace
}  // namespace lentora
