// One-shot access to a settings file: every call reads the file, does one read or one write of one
// key and lets go of it again. Nothing is cached between calls.
#pragma once
#include <cstdint>
#include <string>

#include "util/wide_error.h"

namespace lentora {

// A write the system refused; the message is "Unable to write to <file name>".
class IniWriteError : public WideError {
public:
    explicit IniWriteError(const std::wstring& fileName);
};

// A missing file, section or key gives the default.
std::wstring IniReadString(const std::wstring& fileName, const std::wstring& section, const std::wstring& key,
                           const std::wstring& defaultValue);
// Read as an integer with the default 1 or 0; any nonzero value is true.
bool IniReadBool(const std::wstring& fileName, const std::wstring& section, const std::wstring& key,
                 bool defaultValue);
// Decimal text, or hexadecimal after "0x"/"0X" (texts of three or more characters); anything else,
// including a number beyond 32 bits, gives the default.
std::int32_t IniReadInteger(const std::wstring& fileName, const std::wstring& section, const std::wstring& key,
                            std::int32_t defaultValue);

// Create the file, section and key as needed. The file is replaced as a whole through a temporary
// file, so a failed write leaves the old file as it was. Throw IniWriteError when refused.
void IniWriteString(const std::wstring& fileName, const std::wstring& section, const std::wstring& key,
                    const std::wstring& value);
// Written as "1" or "0".
void IniWriteBool(const std::wstring& fileName, const std::wstring& section, const std::wstring& key, bool value);
void IniWriteInteger(const std::wstring& fileName, const std::wstring& section, const std::wstring& key,
                     std::int32_t value);

}  // namespace lentora
