// A settings (INI) file held in memory: sections in brackets, key=value lines.
// Matching follows the system's private-profile functions; lines that a write does not touch keep
// their bytes, so a file written back differs from the loaded one only where a value changed.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "util/platform.h"

namespace lentora {

class ProfileFile {
public:
    // Longest value a read returns; longer ones are cut.
    static constexpr size_t kMaxValueLength = 2047;

    // `bytes` as stored: UTF-16LE when they start with its byte-order mark, else the ANSI code page.
    // No bytes make a new file, which is written in the ANSI code page.
    explicit ProfileFile(std::string_view bytes = {}, unsigned ansiCodePage = platform::AnsiCodePage());

    // Section and key names match without regard to letter case; the first matching section and
    // within it the first matching key count; the lines before the first section header form the
    // section "". The value comes without surrounding blanks and without one pair of enclosing
    // quotes ("..." or '...'), cut to kMaxValueLength characters. A key line without "=" has no value.
    std::optional<std::wstring> Read(std::wstring_view section, std::wstring_view key) const;

    // Replaces the key's value in place, or adds the key at the end of its section, or adds the
    // section at the end of the file. Line breaks in the arguments are written as blanks, so a
    // value can never add lines of its own. A text that the ANSI code page cannot hold turns the
    // whole file into UTF-16LE with its byte-order mark, so no character is lost.
    void Write(std::wstring_view section, std::wstring_view key, std::wstring_view value);

    // The file's bytes in its own encoding, byte-order mark included.
    std::string ToBytes() const;

    // Typed reads, as the system's private-profile functions convert values. An integer is decimal
    // text, or hexadecimal after "0x"/"0X" (texts of three or more characters); anything else,
    // including a number beyond 32 bits, gives the default. A Boolean is an integer, true when not 0.
    std::wstring ReadString(std::wstring_view section, std::wstring_view key, std::wstring_view defaultValue) const;
    std::int32_t ReadInteger(std::wstring_view section, std::wstring_view key, std::int32_t defaultValue) const;
    bool ReadBool(std::wstring_view section, std::wstring_view key, bool defaultValue) const;

private:
    struct Line {
        std::string bytes;  // as stored, without the line end
        std::string eol;    // the line end as stored; empty only for a last line without one
        std::wstring text;  // `bytes` decoded
    };
    struct Location {
        bool section = false;
        size_t key = std::string::npos;
        size_t sectionEnd = 0;  // index after the section's last non-blank line
    };

    Location Find(std::wstring_view section, std::wstring_view key) const;
    std::string Encode(std::wstring_view text) const;
    std::wstring Decode(std::string_view bytes) const;
    std::string LineEnd() const;
    void InsertLine(size_t index, std::wstring text);
    void SwitchToUtf16();

    bool utf16_ = false;
    unsigned codePage_;
    std::vector<Line> lines_;
};

}  // namespace lentora
