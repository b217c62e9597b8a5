// Reading settings through the settings-file engine against a bare line scan of the same bytes:
// the ratio is the price of what the engine adds (decoding, blanks and quotes, letter case,
// the system's rules for odd lines). Both read every key the program reads at start-up.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "util/profile_file.h"

namespace {

using Keys = std::vector<std::pair<std::wstring, std::wstring>>;

struct Sample {
    std::string bytes;
    Keys keys;
};

// The settings file as the program writes it.
Sample Settings() {
    Sample s;
    s.bytes =
        "[Skin]\r\nUseSkin=1\r\nCurrentSkin=Ubuntu\r\n\r\n"
        "[Options]\r\nUseAero=0\r\nShowBalloon=1\r\nWaitTimeOut=10\r\nTimeExit=5\r\nWaitTimer=1\r\nUserProfile=0\r\n"
        "check_update=1\r\nPollingInterval=7\r\nLastUpdateDate=46000.5\r\nUseLog=1\r\n\r\n"
        "[Language]\r\nCurrentLanguage=English (EN)\r\n";
    for (const wchar_t* key : {L"UseSkin", L"CurrentSkin"}) s.keys.emplace_back(L"Skin", key);
    for (const wchar_t* key : {L"UseAero", L"ShowBalloon", L"WaitTimeOut", L"TimeExit", L"WaitTimer", L"UserProfile",
                               L"check_update", L"PollingInterval", L"LastUpdateDate", L"UseLog"})
        s.keys.emplace_back(L"Options", key);
    s.keys.emplace_back(L"Language", L"CurrentLanguage");
    return s;
}

// A language file's shape: ten sections of twenty keys, every key read.
Sample LanguageSized() {
    Sample s;
    for (int section = 0; section < 10; ++section) {
        std::string name = "SECTION" + std::to_string(section);
        s.bytes += "[" + name + "]\r\n";
        for (int key = 0; key < 20; ++key) {
            std::string k = "Key" + std::to_string(key);
            s.bytes += k + "=Text of " + name + " " + k + "\r\n";
            s.keys.emplace_back(std::wstring(name.begin(), name.end()), std::wstring(k.begin(), k.end()));
        }
        s.bytes += "\r\n";
    }
    return s;
}

// The least any reader does: for each key, walk the lines to its section header and then to a
// line that starts with "key=", exact letter case, ASCII only; copy the rest of the line.
std::wstring BareRead(std::string_view bytes, const std::string& header, const std::string& prefix) {
    bool inSection = false;
    for (size_t at = 0; at < bytes.size();) {
        size_t end = bytes.find('\n', at);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        at = end + 1;
        if (!line.empty() && line[0] == '[') {
            if (inSection) break;
            inSection = line == header;
        } else if (inSection && line.substr(0, prefix.size()) == prefix) {
            std::string_view value = line.substr(prefix.size());
            return std::wstring(value.begin(), value.end());
        }
    }
    return {};
}

void RunEngine(benchmark::State& state, const Sample& sample) {
    for (auto _ : state) {
        lentora::ProfileFile file(sample.bytes, 1252);
        for (const auto& [section, key] : sample.keys) benchmark::DoNotOptimize(file.Read(section, key));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(sample.keys.size()));
}

void RunBare(benchmark::State& state, const Sample& sample) {
    std::vector<std::pair<std::string, std::string>> narrow;
    for (const auto& [section, key] : sample.keys)
        narrow.emplace_back("[" + std::string(section.begin(), section.end()) + "]", std::string(key.begin(), key.end()) + "=");
    for (auto _ : state) {
        for (const auto& [header, prefix] : narrow) benchmark::DoNotOptimize(BareRead(sample.bytes, header, prefix));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(sample.keys.size()));
}

void BM_EngineSettings(benchmark::State& state) { RunEngine(state, Settings()); }
void BM_BareScanSettings(benchmark::State& state) { RunBare(state, Settings()); }
void BM_EngineLanguageSized(benchmark::State& state) { RunEngine(state, LanguageSized()); }
void BM_BareScanLanguageSized(benchmark::State& state) { RunBare(state, LanguageSized()); }
BENCHMARK(BM_EngineSettings);
BENCHMARK(BM_BareScanSettings);
BENCHMARK(BM_EngineLanguageSized);
BENCHMARK(BM_BareScanLanguageSized);

}  // namespace
