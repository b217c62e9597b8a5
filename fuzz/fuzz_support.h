// Shared pieces of the fuzz targets: a log that drops its lines, a check that stops the run, what the
// task list file keeps of a row, and a reader that takes choices off the front of the input.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "log/log_sink.h"
#include "tasks/task.h"

namespace lentora::fuzz {

struct NullLog : ILogSink {
    void Log(const std::wstring&) override {}
};

// A property that must hold for every input; a broken one is a finding like a crash.
inline void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

// What the task list file holds of a row: everything but the status, with a blank for each
// character XML cannot hold (C0 controls but tab, LF and CR; U+FFFE, U+FFFF; surrogates, which are
// all lone here, since the targets run where wchar_t holds whole code points).
inline Task AsSavedInXml(const Task& task) {
    auto saved = [](std::wstring text) {
        for (wchar_t& unit : text) {
            auto c = static_cast<char32_t>(unit);
            bool control = c < 0x20 && c != 0x9 && c != 0xA && c != 0xD;
            if (control || (c >= 0xD800 && c <= 0xDFFF) || c == 0xFFFE || c == 0xFFFF || c > 0x10FFFF) unit = L' ';
        }
        return text;
    };
    return {saved(task.commandLine), saved(task.delay.Text()), L"", saved(task.importedFromSystem), task.enabled};
}

class Input {
public:
    Input(const uint8_t* data, size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}

    // The next byte, 0 once the input is used up.
    uint8_t Byte() {
        if (rest_.empty()) return 0;
        auto b = static_cast<uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return b;
    }
    // One of `choices`, picked by the next byte.
    template <typename T, size_t N>
    T Pick(const T (&choices)[N]) {
        return choices[Byte() % N];
    }
    std::string_view Rest() const { return rest_; }

private:
    std::string_view rest_;
};

}  // namespace lentora::fuzz
