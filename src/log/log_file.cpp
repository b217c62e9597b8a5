#include "log/log_file.h"

#include "util/format.h"

namespace lentora {
namespace {

std::wstring Digits(int value, size_t width) {
    std::wstring text = std::to_wstring(value);
    if (text.size() < width) text.insert(0, width - text.size(), L'0');
    return text;
}

bool TokenAt(std::wstring_view pattern, size_t i, std::wstring_view token) {
    if (pattern.size() - i < token.size()) return false;
    for (size_t k = 0; k < token.size(); ++k) {
        wchar_t c = pattern[i + k];
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
        if (c != token[k]) return false;
    }
    return true;
}

}  // namespace

std::wstring LogTypePrefix(TLogMGSType type) {
    switch (type) {
        case TLogMGSType::tlNone: return L"";
        case TLogMGSType::tlTrace: return L"[TRACE] ";
        case TLogMGSType::tlDebug: return L"[DEBUG] ";
        case TLogMGSType::tlInfo: return L"[INFO] ";
        case TLogMGSType::tlWarning: return L"[WARNING] ";
        case TLogMGSType::tlError: return L"[ERROR] ";
        case TLogMGSType::tlFatal: return L"[FATAL] ";
    }
    return L"";
}

std::wstring FormatTimeStamp(std::wstring_view pattern, const platform::LocalTime& t, std::wstring_view dateSeparator,
                             std::wstring_view timeSeparator) {
    struct Token {
        std::wstring_view text;
        int value;
        size_t width;
    };
    // Longer tokens first, so "yyyy" is never read as something shorter.
    const Token tokens[] = {{L"yyyy", t.year, 4}, {L"zzz", t.millisecond, 3}, {L"dd", t.day, 2},
                            {L"mm", t.month, 2},  {L"hh", t.hour, 2},         {L"nn", t.minute, 2},
                            {L"ss", t.second, 2}};
    std::wstring out;
    for (size_t i = 0; i < pattern.size();) {
        const Token* match = nullptr;
        for (const auto& token : tokens) {
            if (TokenAt(pattern, i, token.text)) {
                match = &token;
                break;
            }
        }
        if (match) {
            out += Digits(match->value, match->width);
            i += match->text.size();
            continue;
        }
        if (pattern[i] == L'/')
            out += dateSeparator;
        else if (pattern[i] == L':')
            out += timeSeparator;
        else
            out += pattern[i];
        ++i;
    }
    return out;
}

std::wstring TLogFile::TimeStamp() const {
    return FormatTimeStamp(FFormatDtTime, FClock(), platform::DateSeparator(), platform::TimeSeparator());
}

void TLogFile::SaveString(const std::wstring& Value) {
    if (!FEnable) return;
    SaveToFile(FormatText(L"%s %s", {TimeStamp(), Value}));
}

void TLogFile::SaveStringFmt(const std::wstring& Value, const FormatArgs& args) {
    if (!FEnable) return;
    if (auto text = FormatWithArgs(Value, args)) SaveString(*text);
}

void TLogFile::SaveStringType(const std::wstring& Value, TLogMGSType _logtype) {
    if (!FEnable) return;
    if (_logtype != TLogMGSType::tlNone && _logtype < FEventFilter) return;
    SaveToFile(FormatText(L"%s %s%s", {TimeStamp(), LogTypePrefix(_logtype), Value}));
}

void TLogFile::SaveStringTypeFmt(const std::wstring& Value, const FormatArgs& args, TLogMGSType _logtype) {
    if (!FEnable) return;
    if (auto text = FormatWithArgs(Value, args)) SaveStringType(*text, _logtype);
}

void TLogFile::SaveToFile(const std::wstring& Value) {
    std::string bytes = platform::EncodeCodePage(Value, platform::AnsiCodePage());
    bytes += "\r\n";
    if (!platform::AppendToFileShared(FFileName, bytes))
        throw LogFileError(FormatText(L"Unable to write to log file \"%s\"", {FFileName}));
}

}  // namespace lentora
