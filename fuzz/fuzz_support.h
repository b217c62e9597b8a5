// Shared pieces of the fuzz targets: a log that drops its lines, a check that stops the run, and a
// reader that takes choices off the front of the input.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "log/log_sink.h"

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
