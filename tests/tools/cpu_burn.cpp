// Keeps processors busy for a while, then ends by itself, so a test never leaves it running.
// Usage: cpu_burn.exe <seconds> [threads] [megabytes]; without a thread count, one per processor.
// Prints "burning <threads>" once every thread spins. With megabytes, it first writes that many
// (10^6 bytes each) to a file of its own in the temporary folder, which it deletes.
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

// Writes `megabytes` through the file system, so they count as the process's written bytes.
bool WriteAndDelete(unsigned long megabytes) {
    wchar_t folder[MAX_PATH] = {}, file[MAX_PATH] = {};
    if (!GetTempPathW(MAX_PATH, folder) || !GetTempFileNameW(folder, L"brn", 0, file)) return false;
    HANDLE out = CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    std::vector<char> block(1000000, 'x');
    bool written = true;
    for (unsigned long i = 0; i < megabytes && written; ++i) {
        DWORD done = 0;
        written = WriteFile(out, block.data(), static_cast<DWORD>(block.size()), &done, nullptr) && done == block.size();
    }
    CloseHandle(out);
    return written;
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

    if (argc > 3 && !WriteAndDelete(std::wcstoul(argv[3], nullptr, 10))) return 3;

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
