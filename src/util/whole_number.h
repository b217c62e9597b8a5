// Reading texts (delays, exit times, flags) as whole numbers, the same way everywhere.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace lentora {

struct WholeNumber {
    bool valid = false;   // an optional sign and decimal digits only, within the 32-bit range
    int64_t value = 0;    // when invalid: the value of the leading sign and digits, 0 when there are none
};

WholeNumber ReadWholeNumber(std::wstring_view text);

// The value of a valid whole number; nothing for anything else (blanks, other characters, overflow).
std::optional<std::int32_t> ParseWholeNumber(std::wstring_view text);

// "true"/"false" in any letter case, else a whole number (0 false, any other true); nothing otherwise.
bool ReadFlag(std::wstring_view text, bool& flag);

}  // namespace lentora
