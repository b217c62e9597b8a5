// The few services the portable core needs from the operating system.
// Implemented once for Windows (util/win) and once for the native test build (util/posix).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace lentora::platform {

struct LocalTime {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0, millisecond = 0;

    bool operator==(const LocalTime&) const = default;
};

// Current local date and time.
LocalTime Now();

// Regional settings of the user.
std::wstring DateSeparator();
std::wstring TimeSeparator();
wchar_t DecimalSeparator();
std::wstring FormatShortDate(const LocalTime& t);
std::wstring FormatLongTime(const LocalTime& t);

// The "ANSI" code page of the process and conversions through any code page.
unsigned AnsiCodePage();
std::wstring DecodeCodePage(std::string_view bytes, unsigned codePage);
// Characters the code page cannot hold become its default character.
std::string EncodeCodePage(std::wstring_view text, unsigned codePage);

// Upper-casing and string comparison with the user's locale rules (lstrcmpW semantics).
std::wstring UpperCase(std::wstring_view text);
int CompareTextLocale(std::wstring_view a, std::wstring_view b);

// File primitives. All paths are full paths in the platform's own form.
bool FileExists(const std::wstring& path);
bool DirectoryExists(const std::wstring& path);
// Reads a whole file; false when it cannot be opened or read, or holds more than `maxSize` bytes
// (then nothing is read).
bool ReadWholeFile(const std::wstring& path, std::string& bytes, std::uint64_t maxSize = UINT64_MAX);
// Writes bytes to a temporary file beside `path`, flushes it and renames it over `path`,
// so the old file survives any failure. False when any step fails (the temporary is removed) and
// when `path` is a read-only file.
bool WriteFileAtomic(const std::wstring& path, std::string_view bytes);
// Copies the file `from` over `to` the way WriteFileAtomic writes, without holding it in memory.
bool CopyFileAtomic(const std::wstring& from, const std::wstring& to);
// Appends bytes to `path` (created when missing), opened for writing with read sharing only.
// False when any step fails.
bool AppendToFileShared(const std::wstring& path, std::string_view bytes);
bool DeleteFileAt(const std::wstring& path);
// Renames `from` to `to`, replacing `to` when it exists.
bool MoveFileReplacing(const std::wstring& from, const std::wstring& to);

}  // namespace lentora::platform
