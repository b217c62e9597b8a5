// TLogFile: appends one time-stamped line per call to a log file, opening and closing it each time.
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "util/format_args.h"
#include "util/platform.h"
#include "util/wide_error.h"

namespace lentora {

// Message types in order of severity; the filter of SaveStringType compares these ordinals.
enum class TLogMGSType { tlNone, tlTrace, tlDebug, tlInfo, tlWarning, tlError, tlFatal };

// "" for tlNone, else "[TRACE] " and so on, each ending in a blank.
std::wstring LogTypePrefix(TLogMGSType type);

// Formats `t` with a pattern of the tokens dd mm yyyy hh nn ss zzz (two-digit day, month, 24-hour
// hour, minutes, seconds; four-digit year; three-digit milliseconds; any letter case); "/" becomes
// `dateSeparator`, ":" becomes `timeSeparator`, every other character is copied.
std::wstring FormatTimeStamp(std::wstring_view pattern, const platform::LocalTime& t, std::wstring_view dateSeparator,
                             std::wstring_view timeSeparator);

// The log file could not be created, opened, written, flushed or closed.
class LogFileError : public WideError {
public:
    using WideError::WideError;
};

class TLogFile {
public:
    using Clock = std::function<platform::LocalTime()>;

    TLogFile() = default;

    const std::wstring& FormatDtTime() const { return FFormatDtTime; }
    void SetFormatDtTime(std::wstring pattern) { FFormatDtTime = std::move(pattern); }
    // The component's own version; assigning it changes nothing.
    std::wstring About() const { return L"3.3"; }
    void SetAbout(const std::wstring&) {}
    bool Enable() const { return FEnable; }
    void SetEnable(bool enable) { FEnable = enable; }
    TLogMGSType EventFilter() const { return FEventFilter; }
    void SetEventFilter(TLogMGSType filter) { FEventFilter = filter; }
    // A relative name is taken relative to the process's current directory.
    const std::wstring& FileName() const { return FFileName; }
    void SetFileName(std::wstring fileName) { FFileName = std::move(fileName); }
    // Where the time stamps come from; the local clock unless replaced.
    void SetClock(Clock clock) { FClock = std::move(clock); }

    // Each writes "<time stamp> <value>" when enabled. The typed ones put the type's prefix before
    // the value and write only tlNone or a type at or above EventFilter. The formatted ones write
    // nothing when the arguments do not fit the format (see FormatWithArgs). All throw LogFileError
    // when the file cannot be written.
    void SaveString(const std::wstring& Value);
    void SaveStringFmt(const std::wstring& Value, const FormatArgs& args);
    void SaveStringType(const std::wstring& Value, TLogMGSType _logtype);
    void SaveStringTypeFmt(const std::wstring& Value, const FormatArgs& args, TLogMGSType _logtype);

    // Appends `Value` as one line (ANSI code page, CR LF), whether enabled or not; throws LogFileError.
    void SaveToFile(const std::wstring& Value);

private:
    std::wstring TimeStamp() const;

    std::wstring FFormatDtTime = L"[dd/mm/yyyy hh:nn:ss.zzz]";
    std::wstring FFileName = L"logfile.log";
    bool FEnable = true;
    TLogMGSType FEventFilter = TLogMGSType::tlNone;
    Clock FClock = platform::Now;
};

}  // namespace lentora
