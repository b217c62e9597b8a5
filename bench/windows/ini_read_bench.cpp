// The settings reads of one start-up: the program's one pass over the file, against the reads
// the system's GetPrivateProfileStringW / GetPrivateProfileIntW need for the same options (one
// call per key, as a program without its own reader makes them), on the same file, in the same
// process and run, alternating.
//   ini_read_bench [rounds] [start-ups per round]
// The system's side makes seventeen reads that cover all sixteen keys of the file. The file is
// written by the program's own writer, as a close writes it, plus UseLog. Prints the median time
// of one start-up's reads and the ratio, and the fastest rounds beside them.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "settings/settings_file.h"

namespace {

using bench::Median;
using bench::Now;

// Keeps the compiler from dropping reads whose results are unused.
volatile long long g_sink = 0;

// The file as a close writes it, plus UseLog.
bool WriteSettings(const std::wstring& ini) {
    using namespace lentora;
    DeleteFileW(ini.c_str());
    Settings s;
    s.showBalloon = s.delayOfStart = true;
    s.delayOfStartSeconds = 30;
    s.lastUpdateCheck = 45635;
    if (SaveSettings(ini, s) != SettingsSaveResult::Saved) return false;
    const bool written = WritePrivateProfileStringW(L"Options", L"UseLog", L"1", ini.c_str());
    // Writes the system's cache out; Wine answers FALSE to it even when it flushed, so only the
    // write itself tells.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, ini.c_str());
    return written;
}

// The program reads the whole file once and takes every option from it.
void OursOnce(const std::wstring& ini) {
    const lentora::Settings s = lentora::LoadSettings(ini);
    g_sink = g_sink + s.useLog + static_cast<long long>(s.skinName.size() + s.languageName.size()) +
             s.delayOfStartSeconds.value_or(0) + s.exitAfterSeconds.value_or(0) + s.pollingIntervalDays.value_or(0) +
             s.waitForIdle + s.idleThresholdPercent.value_or(0) + s.idleWaitLimitSeconds.value_or(0);
}

long long SystemString(const std::wstring& ini, const wchar_t* section, const wchar_t* key, const wchar_t* def) {
    wchar_t buffer[2048];
    return GetPrivateProfileStringW(section, key, def, buffer, 2048, ini.c_str());
}

long long SystemInt(const std::wstring& ini, const wchar_t* section, const wchar_t* key, int def) {
    return GetPrivateProfileIntW(section, key, def, ini.c_str());
}

void SystemOnce(const std::wstring& ini) {
    long long sum = SystemInt(ini, L"Options", L"UseLog", 0) != 0;
    sum += SystemInt(ini, L"Options", L"check_update", 1) != 0;
    sum += SystemString(ini, L"Skin", L"CurrentSkin", L"Vista (internal)");
    sum += SystemInt(ini, L"Skin", L"UseAero", 0) != 0;
    sum += SystemInt(ini, L"Skin", L"UseSkin", 0) != 0;
    sum += SystemInt(ini, L"Options", L"ShowBalloon", 0) != 0;
    sum += SystemString(ini, L"Language", L"CurrentLanguage", L"English (EN)");
    sum += SystemInt(ini, L"Options", L"WaitTimeOut", 0);
    sum += SystemInt(ini, L"Options", L"WaitTimer", 0) != 0;
    sum += SystemInt(ini, L"Options", L"TimeExit", 10);
    sum += SystemInt(ini, L"Options", L"UserProfile", 0) != 0;
    sum += SystemInt(ini, L"Options", L"check_update", 1) != 0;
    sum += SystemInt(ini, L"Options", L"PollingInterval", 7);
    sum += SystemString(ini, L"Options", L"LastUpdateDate", L"0");
    sum += SystemInt(ini, L"Options", L"WaitIdle", 0) != 0;
    sum += SystemInt(ini, L"Options", L"IdleThreshold", 30);
    sum += SystemInt(ini, L"Options", L"IdleTimeOut", 60);
    g_sink = g_sink + sum;
}

// Microseconds per start-up's reads, averaged over `repeats` start-ups.
template <typename Reads>
double Measure(Reads reads, const std::wstring& ini, int repeats) {
    double start = Now();
    for (int i = 0; i < repeats; ++i) reads(ini);
    return (Now() - start) * 1e6 / repeats;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 15;
    int repeats = argc > 2 ? std::max(1, _wtoi(argv[2])) : 200;

    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring ini = std::wstring(temp) + L"lentora-ini-bench-" + std::to_wstring(GetCurrentProcessId()) + L".ini";
    if (!WriteSettings(ini)) {
        std::fprintf(stderr, "the settings file could not be written\n");
        return 1;
    }

    // Both must read the same values before their speed means anything.
    wchar_t skin[64] = {};
    GetPrivateProfileStringW(L"Skin", L"CurrentSkin", L"", skin, 64, ini.c_str());
    const lentora::Settings read = lentora::LoadSettings(ini);
    if (read.skinName != skin ||
        read.delayOfStartSeconds != static_cast<int>(GetPrivateProfileIntW(L"Options", L"WaitTimeOut", 0, ini.c_str()))) {
        std::fprintf(stderr, "the two readers disagree on the file\n");
        DeleteFileW(ini.c_str());
        return 1;
    }

    Measure(OursOnce, ini, repeats / 10 + 1);  // warm-up of both
    Measure(SystemOnce, ini, repeats / 10 + 1);
    std::vector<double> ours, system;
    for (int r = 0; r < rounds; ++r) {
        ours.push_back(Measure(OursOnce, ini, repeats));
        system.push_back(Measure(SystemOnce, ini, repeats));
        std::printf("round %2d: ours %8.1f us   system %8.1f us\n", r + 1, ours.back(), system.back());
    }
    DeleteFileW(ini.c_str());

    // The median is the figure; the fastest rounds show the cost without other load on the machine.
    double o = Median(ours), s = Median(system);
    double oFast = *std::min_element(ours.begin(), ours.end()), sFast = *std::min_element(system.begin(), system.end());
    std::printf("fastest rounds: ours %.1f us, system %.1f us, ratio %.2fx\n", oFast, sFast, oFast / sFast);
    std::printf("settings reads of one start-up (16 keys): ours %.1f us, system %.1f us, ratio %.2fx "
                "(target <= 1.0: %s)\n",
                o, s, o / s, o <= s ? "met" : "missed");
    return 0;
}
