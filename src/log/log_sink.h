// Where the portable core sends its log lines; the main window's `Log` implements it.
#pragma once
#include <string>

namespace lentora {

class ILogSink {
public:
    virtual ~ILogSink() = default;
    virtual void Log(const std::wstring& line) = 0;
};

}  // namespace lentora
