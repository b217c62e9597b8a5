// printf-style "%s" substitution for the program's fixed texts (log lines, captions), and figures
// written the same on every machine.
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>

namespace lentora {

// Replaces each "%s" in `format`, left to right, by the next argument ("" when they run out).
// "%%" gives one "%". Arguments are inserted as they are, never read as formats themselves.
std::wstring FormatText(std::wstring_view format, std::initializer_list<std::wstring_view> args);

// One decimal, with a point whatever the user's regional settings: "2.4".
std::wstring OneDecimal(double value);

}  // namespace lentora
