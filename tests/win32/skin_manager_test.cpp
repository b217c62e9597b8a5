// The skinning layer: skin files found in the folder, choosing a skin, and what the windows paint with.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../support/temp_dir.h"
#include "ui/skin_manager.h"

using lentora::ui::ParseSkinColor;
using lentora::ui::SkinColors;
using lentora::ui::SkinManager;

namespace {

std::string SkinText(const std::string& name, const std::string& control = "#3A3D41") {
    std::string text = "[Skin]\r\n";
    if (!name.empty()) text += "Name=" + name + "\r\n";
    text += "Window=#2B2D30\r\nText=#E6E6E6\r\nAccent=#8A9BA8\r\n";
    if (!control.empty()) text += "Control=" + control + "\r\n";
    return text;
}

std::string Utf16File(const std::wstring& text) {
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

const SkinColors kGraphite{RGB(0x2B, 0x2D, 0x30), RGB(0xE6, 0xE6, 0xE6), RGB(0x8A, 0x9B, 0xA8), RGB(0x3A, 0x3D, 0x41)};

class SkinManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        using lentora::test::WriteBytes;
        WriteBytes(dir.File(L"Graphite.skin"), SkinText("Graphite"));
        WriteBytes(dir.File(L"Alpha.SKIN"), SkinText(""));                            // named after the file
        WriteBytes(dir.File(L"Notes.txt"), SkinText("Notes"));                         // another extension
        WriteBytes(dir.File(L"Broken.skin"), SkinText("Broken", ""));                  // a colour missing
        WriteBytes(dir.File(L"Malformed.skin"), SkinText("Malformed", "3A3D41"));      // a colour malformed
        WriteBytes(dir.File(L"Copy.skin"), SkinText("Ubuntu (internal)"));             // a name already taken
        WriteBytes(dir.File(L"Slate.skin"), Utf16File(L"[Skin]\r\nName=Графит\r\nWindow=#101010\r\n"
                                                      L"Text=#FFFFFF\r\nAccent=#FF0000\r\nControl=#202020\r\n"));
        std::filesystem::create_directory(dir.File(L"Folder.skin"));
        WriteBytes(dir.File(L"Folder.skin\\Inner.skin"), SkinText("Inner"));
        skins.SetFolder(dir.File(L""));
        skins.onAfterChange = [this] { ++changes; };
    }

    lentora::test::TempDir dir;
    SkinManager skins;
    int changes = 0;
};

TEST_F(SkinManagerTest, NamesListBuiltInsThenSkinFilesOfTheFolder) {
    std::vector<std::wstring> expected{L"Ubuntu (internal)", L"AlterMetro (internal)", L"Alpha", L"Graphite",
                                       L"Графит"};
    EXPECT_EQ(skins.Names(), expected);

    skins.SetFolder(dir.File(L"missing"));
    EXPECT_EQ(skins.Names(), (std::vector<std::wstring>{L"Ubuntu (internal)", L"AlterMetro (internal)"}));
}

TEST_F(SkinManagerTest, SelectTakesTheColoursOfTheNamedSkin) {
    EXPECT_EQ(skins.CurrentName(), L"Ubuntu (internal)");
    ASSERT_TRUE(skins.Select(L"Graphite"));
    EXPECT_EQ(skins.CurrentName(), L"Graphite");
    EXPECT_EQ(skins.Colors(), kGraphite);
    EXPECT_EQ(changes, 1);

    ASSERT_TRUE(skins.Select(L"Графит"));
    EXPECT_EQ(skins.Colors().window, RGB(0x10, 0x10, 0x10));

    ASSERT_TRUE(skins.Select(L"AlterMetro (internal)"));
    EXPECT_EQ(skins.CurrentName(), L"AlterMetro (internal)");
    EXPECT_NE(skins.Colors(), kGraphite);
    EXPECT_EQ(changes, 3);
}

TEST_F(SkinManagerTest, UnknownOrBrokenSkinKeepsTheCurrentOne) {
    ASSERT_TRUE(skins.Select(L"Graphite"));
    changes = 0;
    for (const wchar_t* name : {L"Vista (internal)", L"Broken", L"Malformed", L"Notes", L"Inner", L"graphite", L""}) {
        SCOPED_TRACE(testing::Message() << static_cast<const void*>(name));
        EXPECT_FALSE(skins.Select(name));
        EXPECT_EQ(skins.RequestedName(), name);
        EXPECT_EQ(skins.CurrentName(), L"Graphite");
        EXPECT_EQ(skins.Colors(), kGraphite);
    }
    EXPECT_EQ(changes, 0);
}

TEST_F(SkinManagerTest, AfterChangeFiresOnEveryRealChange) {
    skins.SetActive(true);
    EXPECT_EQ(changes, 1);
    skins.SetActive(true);
    EXPECT_EQ(changes, 1);
    skins.SetExtendedBorders(true);
    EXPECT_TRUE(skins.ExtendedBorders());
    EXPECT_EQ(changes, 2);
    skins.SetExtendedBorders(false);
    skins.SetActive(false);
    EXPECT_FALSE(skins.Active());
    EXPECT_EQ(changes, 4);
}

TEST_F(SkinManagerTest, ExtendedBordersOnAnAttachedWindowKeepTheWindowWorking) {
    HWND window = CreateWindowExW(0, L"STATIC", L"main", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    skins.AttachWindow(window);
    skins.SetActive(true);
    skins.SetExtendedBorders(true);
    ASSERT_TRUE(skins.Select(L"Graphite"));
    EXPECT_TRUE(skins.ExtendedBorders());
    EXPECT_EQ(changes, 3);
    DestroyWindow(window);
    // A window gone since is not touched.
    skins.SetExtendedBorders(false);
    EXPECT_EQ(changes, 4);
}

TEST_F(SkinManagerTest, CtlColorPaintsWithTheSkinOnlyWhileActive) {
    ASSERT_TRUE(skins.Select(L"Graphite"));
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP pixel = CreateCompatibleBitmap(screen, 1, 1);
    ReleaseDC(nullptr, screen);
    ASSERT_NE(dc, nullptr);
    HGDIOBJ previous = SelectObject(dc, pixel);
    EXPECT_EQ(skins.HandleCtlColor(WM_CTLCOLORSTATIC, dc), 0);

    skins.SetActive(true);
    struct Case {
        UINT msg;
        COLORREF background;
    } cases[] = {
        {WM_CTLCOLORSTATIC, kGraphite.window}, {WM_CTLCOLORBTN, kGraphite.window},
        {WM_CTLCOLORDLG, kGraphite.window},    {WM_CTLCOLOREDIT, kGraphite.control},
        {WM_CTLCOLORLISTBOX, kGraphite.control},
    };
    const RECT one{0, 0, 1, 1};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.msg);
        SetTextColor(dc, RGB(1, 2, 3));
        auto brush = reinterpret_cast<HBRUSH>(skins.HandleCtlColor(c.msg, dc));
        ASSERT_NE(brush, nullptr);
        FillRect(dc, &one, brush);
        EXPECT_EQ(GetPixel(dc, 0, 0), c.background);
        EXPECT_EQ(GetTextColor(dc), kGraphite.text);
        EXPECT_EQ(GetBkColor(dc), c.background);
        // A control that deletes the brush it was handed must not take the skin's paint away.
        DeleteObject(brush);
        FillRect(dc, &one, GetSysColorBrush(COLOR_HIGHLIGHT));
        FillRect(dc, &one, reinterpret_cast<HBRUSH>(skins.HandleCtlColor(c.msg, dc)));
        EXPECT_EQ(GetPixel(dc, 0, 0), c.background) << "after the brush was deleted";
    }
    EXPECT_EQ(skins.HandleCtlColor(WM_CTLCOLORSCROLLBAR, dc), 0);

    skins.SetActive(false);
    EXPECT_EQ(skins.HandleCtlColor(WM_CTLCOLOREDIT, dc), 0);
    SelectObject(dc, previous);
    DeleteObject(pixel);
    DeleteDC(dc);
}

TEST(SkinColor, ParsesHashAndSixHexDigitsOnly) {
    EXPECT_EQ(ParseSkinColor(L"#2B2D30"), RGB(0x2B, 0x2D, 0x30));
    EXPECT_EQ(ParseSkinColor(L"#abcdef"), RGB(0xAB, 0xCD, 0xEF));
    EXPECT_EQ(ParseSkinColor(L"#000000"), RGB(0, 0, 0));
    for (const wchar_t* bad : {L"", L"#", L"2B2D30", L"#2B2D3", L"#2B2D300", L"#GG0000", L"# 2B2D3", L"#2B2D3\u0660"}) {
        SCOPED_TRACE(testing::Message() << static_cast<const void*>(bad));
        EXPECT_FALSE(ParseSkinColor(bad).has_value());
    }
}

// The skin file shipped with the program must stay a valid skin.
TEST(SkinShipped, GraphiteLoads) {
    std::wstring source = std::filesystem::path(LENTORA_SOURCE_DIR).wstring();
    // Under Wine the build's Unix path is reached through drive Z:.
    if (!source.empty() && source[0] == L'/') source = L"Z:" + source;
    SkinManager skins;
    skins.SetFolder(source + L"\\skins");
    auto names = skins.Names();
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[2], L"Graphite");
    ASSERT_TRUE(skins.Select(L"Graphite"));
    EXPECT_EQ(skins.Colors(), kGraphite);
}

}  // namespace
