// The least a tray program does: one window, one notification-area icon, then it ends. The
// footprint benchmark compares the program's start-up and memory with this floor.
// Usage: floor.exe <stamp file> [linger ms]. Once the icon is added, appends a line
// "[dd/mm/yyyy hh:nn:ss.zzz] tray icon added" to the stamp file, stays that long, then ends.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

LRESULT CALLBACK FloorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// The same stamp as the program's log, so both are read alike.
bool AppendStamp(const wchar_t* path) {
    SYSTEMTIME t;
    GetLocalTime(&t);
    char line[80];
    int length = std::snprintf(line, sizeof line, "[%02u/%02u/%04u %02u:%02u:%02u.%03u] tray icon added\r\n", t.wDay,
                               t.wMonth, t.wYear, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
    HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, line, static_cast<DWORD>(length), &written, nullptr) && written == static_cast<DWORD>(length);
    CloseHandle(file);
    return ok;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 2) return 2;
    std::wstring stampFile = argv[1];
    DWORD lingerMs = argc > 2 ? static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)) : 1500;
    LocalFree(argv);

    WNDCLASSW wc{};
    wc.lpfnWndProc = FloorProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"LentoraFloor";
    if (!RegisterClassW(&wc)) return 3;
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"Floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 300,
                                200, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 3;

    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = hwnd;
    icon.uID = 1;
    icon.uFlags = NIF_ICON | NIF_TIP;
    icon.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wcscpy_s(icon.szTip, L"Floor");
    if (!Shell_NotifyIconW(NIM_ADD, &icon)) return 4;
    if (!AppendStamp(stampFile.c_str())) return 5;

    // Messages keep flowing while it lingers, as in a tray program waiting for its next event.
    ULONGLONG end = GetTickCount64() + lingerMs;
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    Shell_NotifyIconW(NIM_DELETE, &icon);
    DestroyWindow(hwnd);
    return 0;
}
