// Strict reading of the decimal numbers that the sequencer takes from text fields.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace lentora {

// An optional leading "-" followed by one or more decimal digits, within the 32-bit signed range.
// Anything else (empty, blanks, "+", other characters, overflow) gives no value.
std::optional<std::int32_t> ParseWholeNumber(std::wstring_view text);

}  // namespace lentora
