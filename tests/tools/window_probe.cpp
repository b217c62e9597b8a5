// Reports windows of other processes, for tests that watch the real program from outside.
//   window_probe main <exe path>   one line per top-level "TfrmMain" window of that executable:
//                                   "main visible=<0|1> iconic=<0|1> title=<caption>"
//   window_probe balloons           one line per balloon on show, from any process:
//                                   "balloon text=<text>"
//   window_probe command <exe path> <id>
//                                   sends the menu command <id> to each main window of that
//                                   executable, as a click on a menu item does: "sent"
//   window_probe window <title>     shows a top-level window with that title and keeps it until
//                                   the window is closed or the process ends: another program's
//                                   window for the activation to go to
//   window_probe answer <title>     presses OK on the visible message box of any process whose
//                                   title begins with <title>: "box title=<title> text=<text>";
//                                   exit code 1 when there is none
// Output is UTF-8, one line per window; exit code 0 (also when nothing is found), 2 on bad usage.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "utf8.h"
#include <vector>

namespace {

void PrintLine(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 256);
    return name;
}

std::wstring TitleOf(HWND hwnd) {
    std::wstring title(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    title.resize(static_cast<size_t>(GetWindowTextW(hwnd, title.data(), static_cast<int>(title.size()))));
    return title;
}

struct ProcessHandle {
    HANDLE h;
    explicit ProcessHandle(HANDLE handle) : h(handle) {}
    ~ProcessHandle() {
        if (h) CloseHandle(h);
    }
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;
};

std::wstring ImageOf(HWND hwnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    ProcessHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process.h) return L"";
    wchar_t path[MAX_PATH * 2] = {};
    DWORD size = MAX_PATH * 2;
    if (!QueryFullProcessImageNameW(process.h, 0, path, &size)) return L"";
    return path;
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(
        [](HWND hwnd, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> MainWindowsOf(const std::wstring& exePath) {
    std::vector<HWND> found;
    for (HWND hwnd : TopLevelWindows()) {
        if (ClassOf(hwnd) == L"TfrmMain" && lstrcmpiW(ImageOf(hwnd).c_str(), exePath.c_str()) == 0) found.push_back(hwnd);
    }
    return found;
}

int SendCommand(const std::wstring& exePath, int id) {
    for (HWND hwnd : MainWindowsOf(exePath)) {
        SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        PrintLine("sent");
    }
    return 0;
}

int ReportMainWindows(const std::wstring& exePath) {
    for (HWND hwnd : MainWindowsOf(exePath)) {
        PrintLine("main visible=" + std::to_string(IsWindowVisible(hwnd) ? 1 : 0) +
                  " iconic=" + std::to_string(IsIconic(hwnd) ? 1 : 0) + " title=" + Utf8(TitleOf(hwnd)));
    }
    return 0;
}

// The texts of a tooltip live in its own process: the queries go through memory lent there.
class RemoteBuffer {
public:
    RemoteBuffer(HWND hwnd, size_t size) : process_(OpenWindowProcess(hwnd)), size_(size) {
        if (process_.h) memory_ = VirtualAllocEx(process_.h, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (memory_) VirtualFreeEx(process_.h, memory_, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool Ok() const { return memory_ != nullptr; }
    char* At(size_t offset) const { return static_cast<char*>(memory_) + offset; }
    bool Write(size_t offset, const void* data, size_t size) const {
        return offset + size <= size_ && WriteProcessMemory(process_.h, At(offset), data, size, nullptr);
    }
    bool Read(size_t offset, void* data, size_t size) const {
        return offset + size <= size_ && ReadProcessMemory(process_.h, At(offset), data, size, nullptr);
    }

private:
    static HANDLE OpenWindowProcess(HWND hwnd) {
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        return OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    }

    ProcessHandle process_;
    void* memory_ = nullptr;
    size_t size_;
};

constexpr size_t kTextChars = 1024;

std::wstring RemoteString(const RemoteBuffer& buffer, size_t offset) {
    std::vector<wchar_t> text(kTextChars + 1, L'\0');
    if (!buffer.Read(offset, text.data(), kTextChars * sizeof(wchar_t))) return L"";
    return text.data();
}

void ReportBalloon(HWND hwnd) {
    constexpr size_t kInfo = 0, kText = 512;
    RemoteBuffer buffer(hwnd, kText + (kTextChars + 1) * sizeof(wchar_t));
    if (!buffer.Ok()) return;
    // A balloon holds one tool; its text pointer is not handed out, so ask for a copy.
    std::wstring text;
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    if (buffer.Write(kInfo, &info, sizeof(info)) &&
        SendMessageW(hwnd, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(buffer.At(kInfo))) &&
        buffer.Read(kInfo, &info, sizeof(info))) {
        info.lpszText = reinterpret_cast<LPWSTR>(buffer.At(kText));
        if (buffer.Write(kInfo, &info, sizeof(info))) {
            SendMessageW(hwnd, TTM_GETTEXTW, kTextChars, reinterpret_cast<LPARAM>(buffer.At(kInfo)));
            text = RemoteString(buffer, kText);
        }
    }
    PrintLine("balloon text=" + Utf8(text));
}

int ReportBalloons() {
    for (HWND hwnd : TopLevelWindows()) {
        if (ClassOf(hwnd) != TOOLTIPS_CLASSW || !IsWindowVisible(hwnd)) continue;
        if (!(GetWindowLongW(hwnd, GWL_STYLE) & TTS_BALLOON)) continue;
        ReportBalloon(hwnd);
    }
    return 0;
}

// The box's message is its static control with text; its icon is a static control too.
std::wstring MessageBoxText(HWND box) {
    std::wstring text;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM found) -> BOOL {
            if (ClassOf(child) != L"Static" || GetWindowTextLengthW(child) == 0) return TRUE;
            *reinterpret_cast<std::wstring*>(found) = TitleOf(child);
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&text));
    return text;
}

int AnswerMessageBox(const std::wstring& titleStart) {
    for (HWND hwnd : TopLevelWindows()) {
        if (ClassOf(hwnd) != L"#32770" || !IsWindowVisible(hwnd) || !TitleOf(hwnd).starts_with(titleStart)) continue;
        PrintLine("box title=" + Utf8(TitleOf(hwnd)) + " text=" + Utf8(MessageBoxText(hwnd)));
        PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
        return 0;
    }
    return 1;
}

int ShowWindowUntilClosed(const std::wstring& title) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
        if (msg == WM_DESTROY) PostQuitMessage(0);
        return DefWindowProcW(hwnd, msg, wp, lp);
    };
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"WindowProbe";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                nullptr, nullptr, wc.hInstance, nullptr);
    if (!hwnd) return 1;
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wstring(argv[1]) == L"main") return ReportMainWindows(argv[2]);
    if (argc == 2 && std::wstring(argv[1]) == L"balloons") return ReportBalloons();
    if (argc == 3 && std::wstring(argv[1]) == L"answer") return AnswerMessageBox(argv[2]);
    if (argc == 4 && std::wstring(argv[1]) == L"command") return SendCommand(argv[2], _wtoi(argv[3]));
    if (argc == 3 && std::wstring(argv[1]) == L"window") return ShowWindowUntilClosed(argv[2]);
    std::fputs("usage: window_probe main <exe path> | window_probe balloons | window_probe answer <title> | "
               "window_probe command <exe path> <id> | window_probe window <title>\n",
               stderr);
    return 2;
}
