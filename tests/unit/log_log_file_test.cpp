#include <gtest/gtest.h>

#include "log/log_file.h"
#include "support/temp_dir.h"

using namespace lentora;
using test::ReadBytes;

namespace {

const platform::LocalTime kTime{2014, 12, 9, 14, 5, 33, 42};

// "[09/12/2014 14:05:33.042] " with this machine's regional separators.
std::string Stamp() {
    std::string ds = platform::EncodeCodePage(platform::DateSeparator(), platform::AnsiCodePage());
    std::string ts = platform::EncodeCodePage(platform::TimeSeparator(), platform::AnsiCodePage());
    return "[09" + ds + "12" + ds + "2014 14" + ts + "05" + ts + "33.042] ";
}

}  // namespace

class LogFile : public ::testing::Test {
protected:
    LogFile() {
        log.SetFileName(path);
        log.SetClock([] { return kTime; });
    }
    test::TempDir dir;
    std::wstring path = dir.File(L"lentora.log");
    TLogFile log;
};

TEST(LogTimeStamp, FollowsThePatternWithRegionalSeparators) {
    struct Case {
        const wchar_t *pattern, *dateSeparator, *timeSeparator, *expected;
    } cases[] = {
        {L"[dd/mm/yyyy hh:nn:ss.zzz]", L"/", L":", L"[09/12/2014 14:05:33.042]"},
        {L"[dd/mm/yyyy hh:nn:ss.zzz]", L".", L":", L"[09.12.2014 14:05:33.042]"},
        {L"yyyy-mm-dd hh.nn", L"/", L"+", L"2014-12-09 14.05"},
        {L"DD/MM hh:NN", L"-", L".", L"09-12 14.05"},
        {L"d m y h n s z []", L"/", L":", L"d m y h n s z []"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatTimeStamp(c.pattern, kTime, c.dateSeparator, c.timeSeparator), c.expected) << c.pattern;
    EXPECT_EQ(FormatTimeStamp(L"dd/mm/yyyy hh:nn:ss.zzz", {987, 1, 2, 3, 4, 5, 6}, L"/", L":"),
              L"02/01/0987 03:04:05.006");
}

TEST_F(LogFile, FirstLineCreatesTheFileAndLaterLinesAppend) {
    log.SaveString(L"Start");
    EXPECT_EQ(ReadBytes(path), Stamp() + "Start\r\n");
    log.SaveString(L"100%s done");  // a value is never read as a format
    log.SaveToFile(L"raw line");
    EXPECT_EQ(ReadBytes(path), Stamp() + "Start\r\n" + Stamp() + "100%s done\r\n" + "raw line\r\n");
}

TEST_F(LogFile, TypedLinesCarryTheirPrefixAndPassTheFilter) {
    struct Case {
        TLogMGSType filter, type;
        std::string written;  // "" when filtered out
    } cases[] = {
        {TLogMGSType::tlNone, TLogMGSType::tlInfo, "[INFO] m"},
        {TLogMGSType::tlNone, TLogMGSType::tlNone, "m"},
        {TLogMGSType::tlNone, TLogMGSType::tlTrace, "[TRACE] m"},
        {TLogMGSType::tlWarning, TLogMGSType::tlDebug, ""},
        {TLogMGSType::tlWarning, TLogMGSType::tlInfo, ""},
        {TLogMGSType::tlWarning, TLogMGSType::tlNone, "m"},
        {TLogMGSType::tlWarning, TLogMGSType::tlWarning, "[WARNING] m"},
        {TLogMGSType::tlWarning, TLogMGSType::tlError, "[ERROR] m"},
        {TLogMGSType::tlWarning, TLogMGSType::tlFatal, "[FATAL] m"},
        {TLogMGSType::tlFatal, TLogMGSType::tlDebug, ""},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(std::filesystem::path(path));
        log.SetEventFilter(c.filter);
        log.SaveStringType(L"m", c.type);
        log.SaveStringTypeFmt(L"%s", {L"m"}, c.type);
        std::string line = Stamp() + c.written + "\r\n";
        EXPECT_EQ(ReadBytes(path), c.written.empty() ? "<missing>" : line + line) << LogTypePrefix(c.type).size();
    }
}

TEST_F(LogFile, DisabledWritesNothingButSaveToFileStillWrites) {
    log.SetEnable(false);
    log.SaveString(L"a");
    log.SaveStringType(L"a", TLogMGSType::tlFatal);
    log.SaveStringFmt(L"%s", {L"a"});
    log.SaveStringTypeFmt(L"%s", {L"a"}, TLogMGSType::tlNone);
    EXPECT_EQ(ReadBytes(path), "<missing>");
    log.SaveToFile(L"kept");
    EXPECT_EQ(ReadBytes(path), "kept\r\n");
}

TEST_F(LogFile, FormattedLinesThatDoNotFitWriteNothingAndRaiseNothing) {
    EXPECT_NO_THROW(log.SaveStringFmt(L"%d tasks", {L"three"}));
    EXPECT_NO_THROW(log.SaveStringTypeFmt(L"%s and %s", {L"one"}, TLogMGSType::tlError));
    EXPECT_EQ(ReadBytes(path), "<missing>");
    log.SaveStringFmt(L"%d tasks in \"%s\"", {3LL, L"list"});
    EXPECT_EQ(ReadBytes(path), Stamp() + "3 tasks in \"list\"\r\n");
}

TEST_F(LogFile, LinesAreWrittenInTheAnsiCodePage) {
    std::string expected;
    switch (platform::AnsiCodePage()) {
        case 1252: expected = "\xE9?\x80\r\n"; break;
        case 1251: expected = "?\xC6\x88\r\n"; break;
        default: GTEST_SKIP() << "expects code page 1252 or 1251";
    }
    log.SaveToFile(L"\u00E9\u0416\u20AC");  // é Ж €
    EXPECT_EQ(ReadBytes(path), expected);
}

TEST_F(LogFile, EveryWriteIntoAMissingFolderRaises) {
    log.SetFileName(dir.File(L"missing") + L"/lentora.log");
    EXPECT_THROW(log.SaveString(L"a"), LogFileError);
    EXPECT_THROW(log.SaveStringType(L"a", TLogMGSType::tlInfo), LogFileError);
    EXPECT_THROW(log.SaveStringFmt(L"%s", {L"a"}), LogFileError);
    EXPECT_THROW(log.SaveStringTypeFmt(L"%s", {L"a"}, TLogMGSType::tlNone), LogFileError);
    EXPECT_THROW(log.SaveToFile(L"a"), LogFileError);
}
