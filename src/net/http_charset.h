// The character set of an HTTP response body and the body as text.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace lentora::net {

// The canonical name of a charset label the client decodes: "utf-8", "utf-16", "utf-16le",
// "utf-16be", "iso-8859-1", "windows-1250", "windows-1251" or "windows-1252"; "" for any other.
std::string KnownCharset(std::string_view label);

// The charset the response names: the "charset" parameter of Content-Type; when the header names
// none, the meta element of an HTML body or the declaration of an XML body. Canonical, or "" when
// nothing is named or the name is unknown.
std::string ResponseCharset(std::optional<std::string_view> contentType, std::string_view body);

// The body as text in a canonical charset; "" makes every byte the character of the same value.
std::wstring DecodeBody(std::string_view body, std::string_view charset);

}  // namespace lentora::net
