// printf-like formatting over a type-checked argument list, for callers that build texts from
// values of mixed types. A mismatch is reported, never guessed around.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace lentora {

using FormatArg = std::variant<std::wstring, long long, double>;
using FormatArgs = std::vector<FormatArg>;

// Placeholders: "%" ["-"] [width] ["." precision] type, with the types
//   s  text;  d  integer;  u  integer as unsigned;  x  integer in upper-case hexadecimal;
//   f, e, g  floating point (the user's decimal separator; precision 6 unless given);
// and "%%" for one "%". Width pads with blanks on the left ("-": on the right); precision cuts a
// text and gives an integer its least number of digits.
// Nothing when a placeholder is malformed, its argument has another type, or arguments run out.
// Arguments left over are ignored.
std::optional<std::wstring> FormatWithArgs(std::wstring_view format, const FormatArgs& args);

}  // namespace lentora
