// Keeps every processor busy for a while, so the machine is busy whatever else runs.
#pragma once
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>
#include <vector>

namespace lentora::test {

inline void SpinEveryProcessor(DWORD ms) {
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    const ULONGLONG end = GetTickCount64() + ms;
    std::atomic<unsigned> spins{0};
    std::vector<std::thread> threads;
    for (DWORD i = 0; i < info.dwNumberOfProcessors; ++i)
        threads.emplace_back([&] {
            while (GetTickCount64() < end) spins.fetch_add(1, std::memory_order_relaxed);
        });
    for (auto& thread : threads) thread.join();
    ASSERT_GT(spins.load(), 0u);
}

}  // namespace lentora::test
