#include "app/single_instance.h"

#include <cstdint>

#include "util/platform.h"

namespace lentora {
namespace {

// Marks a WM_COPYDATA as a second start; the payload is the kind.
constexpr ULONG_PTR kSecondStartTag = 0x4C6E5331;  // "LnS1"
constexpr DWORD kWaitForWindowMs = 10000;

// The full, long form of the program's folder: "C:\PROGRA~1\Lentora\lentora.exe" and
// "c:\program files\lentora\LENTORA.EXE" lie in one folder.
std::wstring CanonicalFolder(const std::wstring& programPath) {
    std::wstring full(MAX_PATH, L'\0');
    wchar_t* filePart = nullptr;
    for (;;) {
        DWORD n = GetFullPathNameW(programPath.c_str(), static_cast<DWORD>(full.size()), full.data(), &filePart);
        if (n == 0) return platform::UpperCase(programPath);
        if (n < full.size()) {
            full.resize(filePart ? static_cast<size_t>(filePart - full.data()) : n);
            break;
        }
        full.resize(n + 1);
    }
    std::wstring longForm(full.size() + MAX_PATH, L'\0');
    DWORD n = GetLongPathNameW(full.c_str(), longForm.data(), static_cast<DWORD>(longForm.size()));
    if (n > 0 && n < longForm.size()) full.assign(longForm, 0, n);
    return platform::UpperCase(full);
}

// A kernel object name may hold no "\" after its namespace and is limited in length: the folder
// goes in as a hash.
std::wstring ObjectName(const std::wstring& programPath) {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (wchar_t c : CanonicalFolder(programPath)) {
        hash = (hash ^ static_cast<std::uint16_t>(c)) * 1099511628211ull;
    }
    wchar_t hex[17] = {};
    for (int i = 15; i >= 0; --i, hash >>= 4) hex[i] = L"0123456789ABCDEF"[hash & 0xF];
    return std::wstring(L"Local\\Lentora.") + hex;
}

// The window a running instance published, or none yet.
HWND PublishedWindow(const std::wstring& name) {
    ui::KernelHandle mapping(OpenFileMappingW(FILE_MAP_READ, FALSE, name.c_str()));
    if (!mapping) return nullptr;
    void* view = MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, sizeof(std::uint64_t));
    if (!view) return nullptr;
    auto value = *static_cast<const volatile std::uint64_t*>(view);
    UnmapViewOfFile(view);
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(value));
}

}  // namespace

SingleInstance::SingleInstance(const std::wstring& programPath) : name_(ObjectName(programPath)) {
    SetLastError(ERROR_SUCCESS);
    HANDLE mutex = CreateMutexW(nullptr, FALSE, (name_ + L".mutex").c_str());
    const DWORD error = GetLastError();
    mutex_.reset(mutex);
    // Without the mutex (no rights, no memory) there is no way to tell: run rather than refuse.
    first_ = !mutex || error != ERROR_ALREADY_EXISTS;
    if (first_) {
        window_.reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(std::uint64_t),
                                         (name_ + L".window").c_str()));
    }
}

void SingleInstance::SetWindow(HWND window) const {
    if (!window_) return;
    void* view = MapViewOfFile(window_.get(), FILE_MAP_WRITE, 0, 0, sizeof(std::uint64_t));
    if (!view) return;
    *static_cast<volatile std::uint64_t*>(view) = reinterpret_cast<std::uintptr_t>(window);
    UnmapViewOfFile(view);
}

bool SingleInstance::PassToRunning(SecondStart start) const {
    const DWORD begin = GetTickCount();
    for (;;) {
        HWND running = PublishedWindow(name_ + L".window");
        if (running && IsWindow(running)) {
            DWORD process = 0;
            GetWindowThreadProcessId(running, &process);
            // This start came from the user: the running instance may take the foreground.
            AllowSetForegroundWindow(process);
            const auto kind = static_cast<DWORD>(start);
            COPYDATASTRUCT data{kSecondStartTag, sizeof kind, const_cast<DWORD*>(&kind)};
            DWORD_PTR answer = 0;
            return SendMessageTimeoutW(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                                       kWaitForWindowMs, &answer) != 0 &&
                   answer == TRUE;
        }
        if (GetTickCount() - begin >= kWaitForWindowMs) return false;
        Sleep(100);
    }
}

std::optional<SingleInstance::SecondStart> SingleInstance::Received(LPARAM copyData) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(copyData);
    if (!data || data->dwData != kSecondStartTag || data->cbData != sizeof(DWORD) || !data->lpData) return std::nullopt;
    const DWORD kind = *static_cast<const DWORD*>(data->lpData);
    if (kind > static_cast<DWORD>(SecondStart::Start)) return std::nullopt;
    return static_cast<SecondStart>(kind);
}

}  // namespace lentora
