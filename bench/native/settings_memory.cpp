// Peak heap of reading a settings file of about 1 MB (the program's keys among many others) once,
// as start-up does. Every allocation of this program is counted.
//   settings_memory_bench
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "settings/settings_file.h"

namespace {

size_t g_current = 0, g_peak = 0;

}  // namespace

void* operator new(size_t size) {
    // A header keeps the size for the matching delete.
    auto* block = static_cast<size_t*>(std::malloc(size + sizeof(max_align_t)));
    if (!block) throw std::bad_alloc();
    *block = size;
    g_current += size;
    if (g_current > g_peak) g_peak = g_current;
    return reinterpret_cast<char*>(block) + sizeof(max_align_t);
}

void operator delete(void* p) noexcept {
    if (!p) return;
    auto* block = reinterpret_cast<size_t*>(static_cast<char*>(p) - sizeof(max_align_t));
    g_current -= *block;
    std::free(block);
}

void operator delete(void* p, size_t) noexcept { operator delete(p); }

int main() {
    std::string bytes = "[Skin]\r\nUseskin=1\r\nUseAero=0\r\nCurrentskin=Graphite\r\n[Options]\r\n";
    // Keys another tool left behind: short lines, the costliest shape per byte.
    for (int i = 0; bytes.size() < 1024 * 1024; ++i) bytes += "Other" + std::to_string(i) + "=value of " + std::to_string(i) + "\r\n";
    bytes += "TimeExit=5\r\nPollingInterval=7\r\nLastUpdateDate=46000\r\n[Language]\r\nCurrentLanguage=English (EN)\r\n";
    const size_t before = g_current;
    g_peak = g_current;
    const lentora::Settings s = lentora::ParseSettings(bytes);
    const double peakMiB = static_cast<double>(g_peak - before) / (1024.0 * 1024.0);
    std::printf("one read of a %.2f MB settings file: peak heap %.2f MB above the bytes (target < 10 MB: %s); "
                "TimeExit=%d\n",
                static_cast<double>(bytes.size()) / (1024.0 * 1024.0), peakMiB, peakMiB < 10 ? "met" : "missed",
                s.exitAfterSeconds.value_or(-1));
    return peakMiB < 10 ? 0 : 1;
}
