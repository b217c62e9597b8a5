// Native (Linux) services for the portable core's tests: US regional formats, code page 1252.
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "util/codepage.h"
#include "util/platform.h"

namespace lentora::platform {
namespace {

std::string NarrowPath(const std::wstring& path) { return EncodeUtf8(path); }

std::wstring Two(int v) {
    wchar_t buf[8];
    std::swprintf(buf, 8, L"%02d", v);
    return buf;
}

// Has `fill` write a new file beside `path`, flushes it and renames it over `path`, so the old file
// survives any failure; the temporary file is removed then.
template <typename Fill>
bool ReplaceFileWith(const std::wstring& path, Fill fill) {
    std::string target = NarrowPath(path);
    // A file nobody may write is one to keep as it is, also for a user (root) whom a rename would let through.
    struct stat info {};
    if (stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & 0222) == 0) return false;
    std::string temp = target + ".tmp" + std::to_string(getpid());
    FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return false;
    bool ok = fill(f);
    ok = std::fflush(f) == 0 && ok;
    ok = fsync(fileno(f)) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    if (ok) ok = std::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) std::remove(temp.c_str());
    return ok;
}

}  // namespace

LocalTime Now() {
    timeval tv{};
    gettimeofday(&tv, nullptr);
    tm parts{};
    localtime_r(&tv.tv_sec, &parts);
    return LocalTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,   parts.tm_hour,
                     parts.tm_min,         parts.tm_sec,     static_cast<int>(tv.tv_usec / 1000)};
}

std::wstring DateSeparator() { return L"/"; }
std::wstring TimeSeparator() { return L":"; }
wchar_t DecimalSeparator() { return L'.'; }

std::wstring FormatShortDate(const LocalTime& t) {
    return std::to_wstring(t.month) + L"/" + std::to_wstring(t.day) + L"/" + std::to_wstring(t.year);
}

std::wstring FormatLongTime(const LocalTime& t) {
    int h12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    return std::to_wstring(h12) + L":" + Two(t.minute) + L":" + Two(t.second) + (t.hour < 12 ? L" AM" : L" PM");
}

unsigned AnsiCodePage() { return 1252; }

std::wstring DecodeCodePage(std::string_view bytes, unsigned codePage) {
    if (codePage == 65001) return DecodeUtf8(bytes);
    return DecodeSingleByte(bytes, codePage);
}

std::string EncodeCodePage(std::wstring_view text, unsigned codePage) {
    if (codePage == 65001) return EncodeUtf8(text);
    return EncodeSingleByte(text, codePage);
}

std::wstring UpperCase(std::wstring_view text) {
    std::wstring out(text);
    for (auto& ch : out) ch = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(ch)));
    return out;
}

int CompareTextLocale(std::wstring_view a, std::wstring_view b) {
    // Close to lstrcmpW for the texts tests use: letters case-insensitively first, then lower before upper.
    auto fold = [](wchar_t c) { return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c))); };
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        wchar_t x = fold(a[i]), y = fold(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    for (size_t i = 0; i < n; ++i) {
        if (a[i] != b[i]) return std::iswlower(static_cast<wint_t>(a[i])) ? -1 : 1;
    }
    return 0;
}

bool FileExists(const std::wstring& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(NarrowPath(path), ec);
}

bool DirectoryExists(const std::wstring& path) {
    std::error_code ec;
    return std::filesystem::is_directory(NarrowPath(path), ec);
}

bool ReadWholeFile(const std::wstring& path, std::string& bytes, std::uint64_t maxSize) {
    std::ifstream in(NarrowPath(path), std::ios::binary | std::ios::ate);
    if (!in) return false;
    auto size = in.tellg();
    if (size < 0 || static_cast<std::uint64_t>(size) > maxSize) return false;
    bytes.resize(static_cast<size_t>(size));
    in.seekg(0);
    return static_cast<bool>(in.read(bytes.data(), size));
}

bool WriteFileAtomic(const std::wstring& path, std::string_view bytes) {
    return ReplaceFileWith(path, [bytes](FILE* f) { return std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size(); });
}

bool CopyFileAtomic(const std::wstring& from, const std::wstring& to) {
    std::ifstream in(NarrowPath(from), std::ios::binary);
    if (!in) return false;
    return ReplaceFileWith(to, [&in](FILE* f) {
        std::vector<char> buffer(1u << 16);
        while (in) {
            in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            auto got = static_cast<size_t>(in.gcount());
            if (std::fwrite(buffer.data(), 1, got, f) != got) return false;
        }
        return !in.bad();
    });
}

bool AppendToFileShared(const std::wstring& path, std::string_view bytes) {
    FILE* f = std::fopen(NarrowPath(path).c_str(), "ab");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

bool DeleteFileAt(const std::wstring& path) { return std::remove(NarrowPath(path).c_str()) == 0; }

bool MoveFileReplacing(const std::wstring& from, const std::wstring& to) {
    return std::rename(NarrowPath(from).c_str(), NarrowPath(to).c_str()) == 0;
}

}  // namespace lentora::platform
