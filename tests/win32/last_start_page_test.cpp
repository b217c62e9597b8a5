// The Last start page: the starts of the history in its list, newest first, the picture of the one
// chosen with a hint per launch, and the text that stands in for it while the history is empty.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "dialog_test_support.h"
#include "keyboard_test_support.h"
#include "main_window_fixture.h"
#include "measure/start_history.h"
#include "ui/handles.h"

namespace lentora {
namespace {

// Tasks, Last start, Options, Log, About: logging is on.
constexpr int kLastStartTab = 1;

const std::string kTwoStarts =
    "<history version=\"1\">"
    "<start at=\"2026-12-10T08:00:00\" by=\"button\"><machine cpu=\"20 30\"/>"
    "<launch line=\"C:\\Tools\\old.exe\" delay=\"1\" launched=\"1\" outcome=\"started\" cpu=\"0.1\" cpuFrom=\"program\""
    " read=\"100\" written=\"0\" peak=\"2000000\" ready=\"1.5\" settled=\"2\"/></start>"
    "<start at=\"2026-12-11T09:05:07\" by=\"log-on\"><machine cpu=\"- 12 100 45\"/>"
    "<launch line=\"&quot;C:\\Program Files\\Heavy\\heavy.exe&quot; -tray\" delay=\"1\" launched=\"1\" outcome=\"started\""
    " cpu=\"2.1\" cpuFrom=\"machine\" read=\"48100000\" written=\"3200000\" ready=\"5.8\" settled=\"12.25\"/>"
    "<launch line=\"C:\\Tools\\light.exe\" delay=\"2\" launched=\"2\" outcome=\"started\" cpu=\"0.1\" cpuFrom=\"program\""
    " read=\"1000\" written=\"0\" ready=\"no window\" settled=\"never\"/></start>"
    "</history>";

std::vector<std::wstring> ListItems(HWND list) {
    std::vector<std::wstring> items;
    for (LRESULT i = 0; i < SendMessageW(list, CB_GETCOUNT, 0, 0); ++i) {
        std::wstring text(static_cast<size_t>(SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0)), L'\0');
        SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        items.push_back(text);
    }
    return items;
}

// The user picks a start: the list tells its page as a real choice does.
void Choose(HWND list, int index) {
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

// The middle of a row of the picture, in its window.
POINT RowPoint(const StartPicture& picture, size_t row, int x) {
    const TimelineRow& r = picture.Layout().rows.at(row);
    return {x, r.top + r.height / 2 - picture.ScrollPosition()};
}

// The picture as it paints itself, pixel by pixel.
class Drawing {
public:
    explicit Drawing(const StartPicture& picture) {
        RECT client{};
        GetClientRect(picture.hwnd(), &client);
        width_ = client.right;
        ui::ScreenDC screen;
        ui::Owned<HDC, DcDeleter> dc(CreateCompatibleDC(screen.get()));
        ui::Owned<HBITMAP, ui::GdiObjectDeleter> bitmap(CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
        {
            ui::SelectGuard select(dc.get(), bitmap.get());
            picture.PaintTo(dc.get(), client);
        }
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        pixels_.resize(static_cast<size_t>(client.right) * static_cast<size_t>(client.bottom));
        GetDIBits(dc.get(), bitmap.get(), 0, static_cast<UINT>(client.bottom), pixels_.data(), &info, DIB_RGB_COLORS);
    }
    DWORD At(POINT p) const { return pixels_.at(static_cast<size_t>(p.y) * static_cast<size_t>(width_) + static_cast<size_t>(p.x)); }
    bool operator==(const Drawing& other) const { return pixels_ == other.pixels_; }

private:
    struct DcDeleter { void operator()(HDC dc) const { DeleteDC(dc); } };
    int width_ = 0;
    std::vector<DWORD> pixels_;
};

TEST(LastStartPage, ListsTheStartsNewestFirstAndDrawsAndHintsTheOneChosen) {
    test::MainWindowSetup setup;
    setup.files = {{kStartHistoryFileName, kTwoStarts}};
    test::MainWindowFixture main(setup);
    ASSERT_TRUE(main.created());
    main.ShowTab(kLastStartTab);
    EXPECT_EQ(main.TabTexts().at(kLastStartTab), L"Last start");
    LastStartPage& page = main->LastStart();
    ASSERT_TRUE(page.Built());
    HWND list = page.Control(ids::lastStartList);
    StartPicture& picture = page.Picture();
    EXPECT_TRUE(IsWindowVisible(picture.hwnd()));
    EXPECT_FALSE(IsWindowVisible(page.Control(ids::lastStartNone)));

    const std::vector<std::wstring> items = ListItems(list);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_TRUE(items[0].ends_with(L", at log-on")) << items[0];
    EXPECT_TRUE(items[1].ends_with(L", by the button")) << items[1];
    EXPECT_NE(items[0].find(L"2026"), std::wstring::npos) << "its date";
    EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), 0) << "the newest";

    // The newest start: a row per launch, each with its own figures; what is absent is unknown.
    ASSERT_EQ(picture.Layout().rows.size(), 2u);
    const std::wstring heavy = picture.HintAt(RowPoint(picture, 0, 4));
    EXPECT_EQ(heavy,
              L"heavy.exe\r\nCPU: 2.1 s, the machine's share\r\nRead: 48.1 MB\r\nWritten: 3.2 MB\r\n"
              L"Peak private memory: unknown\r\nReady after: 5.8 s\r\nSettled after: 12.3 s");
    const std::wstring light = picture.HintAt(RowPoint(picture, 1, 4));
    EXPECT_NE(light.find(L"light.exe\r\nCPU: 0.1 s, the program's own\r\n"), std::wstring::npos) << light;
    EXPECT_NE(light.find(L"Ready after: no window\r\nSettled after: not within the measuring time"), std::wstring::npos)
        << light;
    EXPECT_EQ(picture.HintAt({4, picture.Layout().curveTop}), L"") << "the CPU band is no row";
    // The mouse over a row gives the window's tooltip that row's hint.
    const POINT overLight = RowPoint(picture, 1, 4);
    SendMessageW(picture.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(overLight.x, overLight.y));
    EXPECT_EQ(test::HintOf(main->hwnd(), picture.hwnd()), light);

    // Each bar in the colour of its launch's own cost, neither in the page's colour.
    const Drawing newest(picture);
    const TimelineRow& heavyRow = picture.Layout().rows[0];
    const TimelineRow& lightRow = picture.Layout().rows[1];
    const DWORD high = newest.At(RowPoint(picture, 0, (heavyRow.markX + heavyRow.barRight) / 2 + 2));
    const DWORD low = newest.At(RowPoint(picture, 1, (lightRow.markX + lightRow.barRight) / 2 + 2));
    const DWORD name = newest.At(RowPoint(picture, 0, picture.Layout().nameWidth - 2));
    EXPECT_NE(high, low);
    EXPECT_NE(high, name);
    EXPECT_NE(low, name);

    // The older start, chosen: its one launch, drawn anew.
    Choose(list, 1);
    ASSERT_EQ(picture.Layout().rows.size(), 1u);
    EXPECT_TRUE(picture.HintAt(RowPoint(picture, 0, 4)).starts_with(L"old.exe\r\nCPU: 0.1 s, the program's own"));
    EXPECT_FALSE(Drawing(picture) == newest);

    // A walk added to the history: the list has it first and the older choice stays.
    StartRecord added;
    added.began = {2026, 12, 12, 7, 30, 0};
    added.origin = WalkOrigin::Button;
    added.launches.resize(1);
    added.launches[0].commandLine = L"C:\\Tools\\added.exe";
    main->StartHistory().Add(added);
    ASSERT_EQ(ListItems(list).size(), 3u);
    EXPECT_TRUE(ListItems(list)[0].ends_with(L", by the button"));
    EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), 2);
    EXPECT_TRUE(picture.HintAt(RowPoint(picture, 0, 4)).starts_with(L"old.exe"));

    // The language applied: the list and the hints in it, "unknown" included.
    main->ApplyLanguage(main.Path(L"languages\\Russian.lng"));
    EXPECT_EQ(main.TabTexts().at(kLastStartTab), L"\u041F\u043E\u0441\u043B\u0435\u0434\u043D\u0438\u0439 \u0437\u0430\u043F\u0443\u0441\u043A");
    EXPECT_TRUE(ListItems(list)[1].ends_with(L", \u043F\u0440\u0438 \u0432\u0445\u043E\u0434\u0435 \u0432 \u0441\u0438\u0441\u0442\u0435\u043C\u0443"));
    Choose(list, 1);
    EXPECT_NE(picture.HintAt(RowPoint(picture, 0, 4)).find(L": \u043D\u0435\u0438\u0437\u0432\u0435\u0441\u0442\u043D\u043E"),
              std::wstring::npos)
        << "the peak memory, which the system did not give";
}

TEST(LastStartPage, WithoutAHistoryTheTextStandsInForThePicture) {
    test::MainWindowFixture main;
    ASSERT_TRUE(main.created());
    main.ShowTab(kLastStartTab);
    LastStartPage& page = main->LastStart();
    EXPECT_FALSE(IsWindowVisible(page.Picture().hwnd()));
    EXPECT_FALSE(IsWindowVisible(page.Control(ids::lastStartList)));
    HWND none = page.Control(ids::lastStartNone);
    EXPECT_TRUE(IsWindowVisible(none));
    EXPECT_EQ(ui::GetText(none), main->Msg(NamedMsg::LastStartNone));
    EXPECT_FALSE(ui::GetText(none).empty());
}

// Fifty launches keep readable rows: the picture is taller than the page, and its rows scroll under
// the CPU band by the keys once it has the focus, and by the wheel.
TEST(LastStartPage, ALongStartScrollsByKeysAndWheelWithinItsRows) {
    std::string launches;
    for (int i = 0; i < 50; ++i)
        launches += "<launch line=\"C:\\Tools\\p" + std::to_string(i) + ".exe\" delay=\"" + std::to_string(i + 1) +
                    "\" launched=\"" + std::to_string(i + 1) + "\" outcome=\"started\" cpu=\"0.5\" settled=\"3\"/>";
    test::MainWindowSetup setup;
    setup.files = {{kStartHistoryFileName,
                    "<history version=\"1\"><start at=\"2026-12-11T09:05:07\" by=\"log-on\">" + launches + "</start></history>"}};
    test::MainWindowFixture main(setup);
    ASSERT_TRUE(main.created());
    main.ShowTab(kLastStartTab);
    StartPicture& picture = main->LastStart().Picture();
    ASSERT_EQ(picture.Layout().rows.size(), 50u);
    RECT client{};
    GetClientRect(picture.hwnd(), &client);
    const int row = picture.Layout().rows[0].height;
    const int bottom = picture.Layout().height - client.bottom;  // the rows' end at the window's
    ASSERT_GT(bottom, 0) << "taller than the page";

    struct Step {
        const char* name;
        WORD key;
        int at;  // the scroll position after it
    };
    const Step steps[] = {
        {"Down", VK_DOWN, row},       {"Down again", VK_DOWN, 2 * row}, {"Up", VK_UP, row},
        {"End: the last row", VK_END, bottom}, {"Down at the end", VK_DOWN, bottom}, {"Home", VK_HOME, 0},
        {"Up at the top", VK_UP, 0},
    };
    std::vector<int> positions;
    int pageDown = 0;
    SetFocus(main->Control(ids::pageTabs));
    test::TypeWhileLoopRuns(main.form(), [&](test::KeyboardUser& keyboard) {
        keyboard.Press(VK_TAB);  // from the page tabs: the list of starts
        keyboard.Press(VK_TAB);  // the picture
        test::KeyboardUser::WaitFor([&] { return keyboard.Focus() == picture.hwnd(); });
        // Read as the scroll bar shows it, from this thread; each key is waited for, boundedly.
        auto position = [&] { return GetScrollPos(picture.hwnd(), SB_VERT); };
        for (const Step& step : steps) {
            keyboard.Press(step.key);
            test::KeyboardUser::WaitFor([&] { return position() == step.at; }, std::chrono::seconds(2));
            positions.push_back(position());
        }
        keyboard.Press(VK_NEXT);
        test::KeyboardUser::WaitFor([&] { return position() != 0; }, std::chrono::seconds(2));
        pageDown = position();
    });
    EXPECT_EQ(picture.ScrollPosition(), pageDown);
    for (size_t i = 0; i < std::size(steps); ++i) EXPECT_EQ(positions.at(i), steps[i].at) << steps[i].name;
    EXPECT_GT(pageDown, 2 * row) << "a page is more than a row or two";
    EXPECT_LE(pageDown, client.bottom - picture.Layout().rowsTop);

    // The wheel: three rows a notch, back up to the top and no further.
    SendMessageW(picture.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(picture.ScrollPosition(), pageDown + 3 * row);
    SendMessageW(picture.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, 10 * WHEEL_DELTA), 0);
    EXPECT_EQ(picture.ScrollPosition(), 0);
    SCROLLINFO bar{sizeof(bar), SIF_ALL};
    GetScrollInfo(picture.hwnd(), SB_VERT, &bar);
    EXPECT_EQ(static_cast<int>(bar.nMax) + 1 - static_cast<int>(bar.nPage), bottom) << "the scroll bar reaches the last row";
}

// When a file was last read, as the file system keeps it, and setting that back to long ago.
ULONGLONG LastRead(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return (static_cast<ULONGLONG>(data.ftLastAccessTime.dwHighDateTime) << 32) | data.ftLastAccessTime.dwLowDateTime;
}
constexpr ULONGLONG kLongAgo = 130000000000000000ull;  // in 2012
void SetReadLongAgo(const std::wstring& path) {
    ui::KernelHandle file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    const FILETIME longAgo{static_cast<DWORD>(kLongAgo), static_cast<DWORD>(kLongAgo >> 32)};
    SetFileTime(file.get(), nullptr, &longAgo, nullptr);
}

// A start at log-on that stays in the tray never reads the history: the file's last read stays
// where the test set it back to, long before the file was written.
TEST(LastStartPage, AStartInTheTrayLeavesTheHistoryUnread) {
    test::MainWindowSetup setup;
    setup.args = {L"-start"};
    setup.startList = test::StartListXml("<TASK name=\"C:\\Tools\\late.exe\" time=\"3600\" enable=\"true\" reg=\"0\"/>");
    setup.files = {{kStartHistoryFileName, kTwoStarts}, {L"unrelated.xml", kTwoStarts}};
    setup.prepare = [](const std::wstring& folder) {
        for (const wchar_t* name : {kStartHistoryFileName, L"unrelated.xml"})
            SetReadLongAgo((std::filesystem::path(folder) / name).wstring());
    };
    test::MainWindowFixture main(setup);
    ASSERT_TRUE(main.created());
    test::PumpUntil([] { return false; }, 500);
    EXPECT_FALSE(main->ContentBuilt());

    // A read of the other file shows the file system keeps the time of the last read.
    {
        ui::KernelHandle file(CreateFileW(main.Path(L"unrelated.xml").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
        char byte = 0;
        DWORD read = 0;
        ReadFile(file.get(), &byte, 1, &read, nullptr);
    }
    if (LastRead(main.Path(L"unrelated.xml")) == kLongAgo) GTEST_SKIP() << "the file system keeps no time of reading";
    EXPECT_EQ(LastRead(main.Path(kStartHistoryFileName)), kLongAgo);
}

}  // namespace
}  // namespace lentora
