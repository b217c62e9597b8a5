// Keeps processors busy for a while, then ends by itself, so a test never leaves it running.
// Usage: cpu_burn.exe <seconds> [threads]; without a thread count, one per processor. Prints
// "burning <threads>" once every thread spins.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

// The longest burn asked for is far below this; a mistyped argument must not pin a machine.
constexpr unsigned long kMaxSeconds = 60;

struct Burn {
    ULONGLONG end = 0;
    volatile LONG spinning = 0;
};

DWORD WINAPI Spin(void* param) {
    auto* burn = static_cast<Burn*>(param);
    InterlockedIncrement(&burn->spinning);
    volatile unsigned long long work = 0;
    while (GetTickCount64() < burn->end) work = work + 1;
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    const unsigned long seconds = std::wcstoul(argv[1], nullptr, 10);
    if (seconds == 0 || seconds > kMaxSeconds) return 2;
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    LONG threads = argc > 2 ? static_cast<LONG>(std::wcstoul(argv[2], nullptr, 10)) : 0;
    if (threads <= 0) threads = static_cast<LONG>(system.dwNumberOfProcessors);

    Burn burn;
    burn.end = GetTickCount64() + seconds * 1000ULL;
    std::vector<HANDLE> burners;
    for (LONG i = 0; i < threads; ++i)
        if (HANDLE thread = CreateThread(nullptr, 0, Spin, &burn, 0, nullptr)) burners.push_back(thread);
    while (burn.spinning < static_cast<LONG>(burners.size())) Sleep(1);
    std::printf("burning %ld\n", burn.spinning);
    std::fflush(stdout);
    for (HANDLE thread : burners) {
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
    return burners.empty() ? 1 : 0;
}
