// The application log: each line goes to the Log page with the local date and time and to
// lentora.log, while logging is on for this run.
#pragma once
#include <string>

#include "app/log_page.h"
#include "log/log_file.h"
#include "log/log_sink.h"

namespace lentora {

class AppLog : public ILogSink {
public:
    explicit AppLog(LogPage& page) : page_(page) {}

    void SetFile(const std::wstring& path) { file_.SetFileName(path); }
    void SetOn(bool on) { on_ = on; }
    bool On() const { return on_; }
    // The version of the file writer, shown among the components used.
    std::wstring WriterVersion() const { return file_.About(); }

    void Log(const std::wstring& line) override;

private:
    LogPage& page_;
    TLogFile file_;
    bool on_ = false;
};

}  // namespace lentora
