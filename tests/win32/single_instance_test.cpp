// The one instance per program folder: which paths name one folder, and the hand-over of a second
// start to the window the first one published.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>

#include "app/single_instance.h"
#include "../support/temp_dir.h"

namespace lentora {
namespace {

using SecondStart = SingleInstance::SecondStart;

TEST(SingleInstance, AFolderIsHeldOnceHoweverItsProgramPathIsSpelt) {
    test::TempDir dir;
    const std::wstring exe = dir.File(L"lentora.exe");
    SingleInstance first(exe);
    ASSERT_TRUE(first.First());
    std::wstring upper = exe;
    CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    for (const std::wstring& path : {exe, upper, dir.File(L"renamed.exe"), dir.File(L".\\lentora.exe"),
                                     dir.File(L"sub\\..\\lentora.exe")}) {
        EXPECT_FALSE(SingleInstance(path).First()) << path;
    }
    EXPECT_TRUE(SingleInstance(dir.File(L"other\\lentora.exe")).First()) << "another folder is another instance";
}

// A window standing for the running instance: it keeps what a second start asked.
std::optional<SecondStart> g_received;

LRESULT CALLBACK RunningWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COPYDATA) {
        g_received = SingleInstance::Received(lParam);
        return g_received ? TRUE : FALSE;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

TEST(SingleInstance, ASecondStartReachesThePublishedWindowAndOtherCopiesAreNoSecondStart) {
    test::TempDir dir;
    const std::wstring exe = dir.File(L"lentora.exe");
    SingleInstance first(exe);
    ASSERT_TRUE(first.First());
    WNDCLASSW wc{};
    wc.lpfnWndProc = RunningWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SingleInstanceTestRunning";
    RegisterClassW(&wc);
    HWND running = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(running);
    first.SetWindow(running);

    for (SecondStart start : {SecondStart::ShowWindow, SecondStart::Start}) {
        g_received.reset();
        EXPECT_TRUE(SingleInstance(exe).PassToRunning(start));
        EXPECT_EQ(g_received, start);
    }

    // A copy of data from anything else is no second start.
    DWORD kind = 0;
    COPYDATASTRUCT other{0x1234, sizeof kind, &kind};
    g_received.reset();
    EXPECT_EQ(SendMessageW(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&other)), FALSE);
    EXPECT_FALSE(g_received);
    DestroyWindow(running);
}

}  // namespace
}  // namespace lentora
