// Small text and path helpers.
#pragma once
#include <string>
#include <string_view>

namespace lentora {

// Every occurrence of `oldPattern`, matched without regard to letter case, replaced by `newPattern`.
// An empty pattern leaves the text unchanged.
std::wstring ReplaceAllNoCase(const std::wstring& text, const std::wstring& oldPattern, const std::wstring& newPattern);

std::wstring ConcatText(const std::wstring& a, const std::wstring& b);

// The path with a trailing "\" ensured; "" gives "\" and "C:" gives "C:\".
std::wstring AddBackslash(const std::wstring& path);

std::wstring Iif(bool flag, const std::wstring& a, const std::wstring& b);

// Equality without regard to letter case (the user's locale rules for letters beyond ASCII).
bool SameTextNoCase(std::wstring_view a, std::wstring_view b);

// The text without the blanks and tabs around it.
std::wstring_view TrimBlanks(std::wstring_view text);

}  // namespace lentora
