// A user at the keyboard of the real main window: on a thread of its own it types real key input
// (SendInput, so the keys reach the focused window through the program's message loop, with the
// modifier keys really held) while the test's thread runs that loop, and it watches what the
// loop's thread shows. Every wait is bounded.
#pragma once
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "main_window_probe.h"

namespace lentora::test {

class KeyboardUser {
public:
    explicit KeyboardUser(DWORD loopThread) : loopThread_(loopThread) {}

    // Presses and releases `key` while holding the modifier keys down. As a user does, the
    // modifiers are down before the key: a loaded machine may take a moment to register them.
    void Press(WORD key, const std::vector<WORD>& modifiers = {}) const {
        for (WORD modifier : modifiers) {
            Send(modifier, 0);
            WaitFor([modifier] { return GetAsyncKeyState(modifier) < 0; }, std::chrono::seconds(2));
        }
        Send(key, 0);
        Send(key, KEYEVENTF_KEYUP);
        for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) Send(*it, KEYEVENTF_KEYUP);
    }

    HWND Focus() const {
        GUITHREADINFO info{sizeof(info)};
        return GetGUIThreadInfo(loopThread_, &info) ? info.hwndFocus : nullptr;
    }
    int FocusId() const { return GetDlgCtrlID(Focus()); }

    // A shown top-level window of the loop's thread with this class ("#32770" a message box,
    // "#32768" a pop-up menu); null when there is none.
    HWND ShownWindow(const wchar_t* className) const {
        struct Search {
            const wchar_t* className;
            HWND found;
        } search{className, nullptr};
        EnumThreadWindows(
            loopThread_,
            [](HWND hwnd, LPARAM lp) -> BOOL {
                auto* s = reinterpret_cast<Search*>(lp);
                wchar_t name[64] = {};
                GetClassNameW(hwnd, name, 64);
                if (!IsWindowVisible(hwnd) || lstrcmpiW(name, s->className) != 0) return TRUE;
                s->found = hwnd;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    // Waits until `condition` holds, at most `bound`; false when it never did.
    static bool WaitFor(const std::function<bool()>& condition,
                        std::chrono::milliseconds bound = std::chrono::seconds(10)) {
        auto end = std::chrono::steady_clock::now() + bound;
        while (!condition()) {
            if (std::chrono::steady_clock::now() > end) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    }

    // Returns once the loop's thread has finished the message it was handling: a message sent
    // from another thread is handled only between two of the loop's own.
    void Settle(HWND window) const { SendMessageW(window, WM_NULL, 0, 0); }

    // Presses `key` and waits until the focus has left where it was and the key is handled; the
    // new focus's id.
    int MoveFocus(WORD key, const std::vector<WORD>& modifiers = {}) const {
        HWND before = Focus();
        Press(key, modifiers);
        WaitFor([&] { return Focus() != before; });
        Settle(Focus());
        return FocusId();
    }

private:
    static void Send(WORD vk, DWORD flags) {
        INPUT input{INPUT_KEYBOARD};
        input.ki.wVk = vk;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = flags;
        SendInput(1, &input, sizeof(INPUT));
    }

    DWORD loopThread_;
};

// Runs the program's message loop on this thread, the main window in front, while `act` types on
// another; the loop ends once `act` has returned and any menu it left open is closed.
inline void TypeWhileLoopRuns(MainWindowProbe form, const std::function<void(KeyboardUser&)>& act) {
    SetForegroundWindow(form.hwnd());
    ASSERT_EQ(GetForegroundWindow(), form.hwnd());
    const DWORD loopThread = GetCurrentThreadId();
    std::thread user([&] {
        KeyboardUser keyboard(loopThread);
        // The window system reports the new focus with the keyboard's state at that moment; on a
        // loaded machine that report may come after the first keys and take back the modifiers
        // held. The loop takes it in while idle, so the user waits for the loop to have been idle.
        keyboard.Settle(form.hwnd());
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        keyboard.Settle(form.hwnd());
        act(keyboard);
        if (keyboard.ShownWindow(L"#32768")) keyboard.Press(VK_ESCAPE);
        PostThreadMessageW(loopThread, WM_QUIT, 0, 0);
    });
    form.RunMessageLoop();
    user.join();
}

}  // namespace lentora::test
