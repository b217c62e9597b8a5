// Windows services for the portable core.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <utility>
#include <vector>

#include "util/platform.h"

namespace lentora::platform {
namespace {

// Owns a file handle; Close() reports the result where it matters (a failed close may lose data).
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    bool Close() {
        HANDLE handle = std::exchange(handle_, INVALID_HANDLE_VALUE);
        return handle != INVALID_HANDLE_VALUE && CloseHandle(handle);
    }

private:
    HANDLE handle_;
};

bool FitsInt(size_t size) { return size <= static_cast<size_t>(INT_MAX); }

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// Opened for reading while other programs may go on reading, writing or renaming it.
HANDLE OpenForReading(const std::wstring& path) {
    return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Has `fill` write a new file beside `path`, flushes it and renames it over `path`, so the old file
// survives any failure; the temporary file is removed then. A read-only `path` is left alone.
template <typename Fill>
bool ReplaceFileWith(const std::wstring& path, Fill fill) {
    // A read-only file is one the user wants kept as it is; a rename over it does not ask about
    // the mark on every file system, so it is asked here.
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    static std::atomic<unsigned> counter{0};
    std::wstring temp;
    HANDLE handle = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && handle == INVALID_HANDLE_VALUE; ++attempt) {
        temp = path + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter++) + L".tmp";
        handle = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    FileHandle file(handle);
    if (!file.IsOpen()) return false;
    bool ok = fill(file.Get()) && FlushFileBuffers(file.Get());
    ok = file.Close() && ok;
    ok = ok && MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileW(temp.c_str());
    return ok;
}

SYSTEMTIME ToSystemTime(const LocalTime& t) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDay = static_cast<WORD>(t.day);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    st.wMilliseconds = static_cast<WORD>(t.millisecond);
    return st;
}

// Runs a Win32 "size first, then fill" text function; `call(buffer, size)` returns the count with the zero.
template <typename Call>
std::wstring FilledText(Call call) {
    int size = call(nullptr, 0);
    if (size <= 0) return L"";
    std::wstring text(static_cast<size_t>(size), L'\0');
    size = call(text.data(), size);
    text.resize(size > 0 ? static_cast<size_t>(size - 1) : 0);
    return text;
}

std::wstring LocaleText(LCTYPE type) {
    return FilledText([type](wchar_t* buf, int size) {
        return GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buf, size);
    });
}

int EncodeWith(std::wstring_view text, unsigned codePage, DWORD flags, char* out, int size) {
    return WideCharToMultiByte(codePage, flags, text.data(), static_cast<int>(text.size()), out, size, nullptr,
                               nullptr);
}

}  // namespace

LocalTime Now() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    return LocalTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

std::wstring DateSeparator() { return LocaleText(LOCALE_SDATE); }
std::wstring TimeSeparator() { return LocaleText(LOCALE_STIME); }

wchar_t DecimalSeparator() {
    std::wstring text = LocaleText(LOCALE_SDECIMAL);
    return text.empty() ? L'.' : text[0];
}

std::wstring FormatShortDate(const LocalTime& t) {
    SYSTEMTIME st = ToSystemTime(t);
    return FilledText([&](wchar_t* buf, int size) {
        return GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buf, size, nullptr);
    });
}

std::wstring FormatLongTime(const LocalTime& t) {
    SYSTEMTIME st = ToSystemTime(t);
    return FilledText([&](wchar_t* buf, int size) {
        return GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &st, nullptr, buf, size);
    });
}

unsigned AnsiCodePage() { return GetACP(); }

std::wstring DecodeCodePage(std::string_view bytes, unsigned codePage) {
    if (bytes.empty() || !FitsInt(bytes.size())) return L"";
    int inSize = static_cast<int>(bytes.size());
    int size = MultiByteToWideChar(codePage, 0, bytes.data(), inSize, nullptr, 0);
    if (size <= 0) return L"";
    std::wstring text(static_cast<size_t>(size), L'\0');
    size = MultiByteToWideChar(codePage, 0, bytes.data(), inSize, text.data(), size);
    text.resize(size > 0 ? static_cast<size_t>(size) : 0);
    return text;
}

std::string EncodeCodePage(std::wstring_view text, unsigned codePage) {
    if (text.empty() || !FitsInt(text.size())) return "";
    // No best-fit look-alikes: what the code page cannot hold becomes its default character.
    // Some code pages (UTF-8 among them) accept no flags at all.
    DWORD flags = WC_NO_BEST_FIT_CHARS;
    int size = EncodeWith(text, codePage, flags, nullptr, 0);
    if (size <= 0 && GetLastError() == ERROR_INVALID_FLAGS) {
        flags = 0;
        size = EncodeWith(text, codePage, flags, nullptr, 0);
    }
    if (size <= 0) return "";
    std::string bytes(static_cast<size_t>(size), '\0');
    size = EncodeWith(text, codePage, flags, bytes.data(), size);
    bytes.resize(size > 0 ? static_cast<size_t>(size) : 0);
    return bytes;
}

std::wstring UpperCase(std::wstring_view text) {
    if (text.empty() || !FitsInt(text.size())) return std::wstring(text);
    int inSize = static_cast<int>(text.size());
    int size = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_UPPERCASE, text.data(), inSize, nullptr, 0, nullptr,
                             nullptr, 0);
    if (size <= 0) return std::wstring(text);
    std::wstring out(static_cast<size_t>(size), L'\0');
    size = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_UPPERCASE, text.data(), inSize, out.data(), size, nullptr,
                         nullptr, 0);
    if (size <= 0) return std::wstring(text);
    out.resize(static_cast<size_t>(size));
    return out;
}

int CompareTextLocale(std::wstring_view a, std::wstring_view b) {
    int order = lstrcmpW(std::wstring(a).c_str(), std::wstring(b).c_str());
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

bool FileExists(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadWholeFile(const std::wstring& path, std::string& bytes, std::uint64_t maxSize) {
    FileHandle file(OpenForReading(path));
    if (!file.IsOpen()) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
        static_cast<std::uint64_t>(size.QuadPart) > std::min<std::uint64_t>(maxSize, bytes.max_size()))
        return false;
    bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
    size_t total = 0;
    while (total < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - total, 1u << 30));
        DWORD read = 0;
        if (!ReadFile(file.Get(), bytes.data() + total, chunk, &read, nullptr)) return false;
        if (read == 0) break;  // the file shrank meanwhile
        total += read;
    }
    bytes.resize(total);
    return true;
}

bool WriteFileAtomic(const std::wstring& path, std::string_view bytes) {
    return ReplaceFileWith(path, [bytes](HANDLE file) { return WriteAll(file, bytes); });
}

bool CopyFileAtomic(const std::wstring& from, const std::wstring& to) {
    FileHandle source(OpenForReading(from));
    if (!source.IsOpen()) return false;
    return ReplaceFileWith(to, [&source](HANDLE file) {
        std::vector<char> buffer(1u << 16);
        for (;;) {
            DWORD read = 0;
            if (!ReadFile(source.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) return false;
            if (read == 0) return true;
            if (!WriteAll(file, std::string_view(buffer.data(), read))) return false;
        }
    });
}

bool AppendToFileShared(const std::wstring& path, std::string_view bytes) {
    FileHandle file(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) return false;
    // Written, the bytes are the system's and outlive the program. No disk sync: one per log
    // line would cost a disk round trip for every line at log-on.
    bool ok = WriteAll(file.Get(), bytes);
    return file.Close() && ok;
}

bool DeleteFileAt(const std::wstring& path) { return DeleteFileW(path.c_str()); }

bool MoveFileReplacing(const std::wstring& from, const std::wstring& to) {
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

}  // namespace lentora::platform
