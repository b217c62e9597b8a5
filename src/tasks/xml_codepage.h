// Byte encodings of XML documents that the XML parser does not read or write itself.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace lentora {

// The end of the run of ASCII bytes that starts at `from`.
size_t AsciiRunEnd(std::string_view bytes, size_t from);

// The document as UTF-8, its encoding taken from a byte-order mark, else from the declaration
// (UTF-8 when it names none). The declaration is left as it was. Nothing for an unknown encoding.
std::optional<std::string> XmlToUtf8(std::string bytes);

// Re-encodes a UTF-8 document into a single-byte code page; every character the code page cannot
// hold becomes a numeric character reference, so the document must hold such characters only where
// references are allowed (attribute values and text).
std::string Utf8ToSingleByteXml(std::string_view utf8, unsigned codePage);

}  // namespace lentora
