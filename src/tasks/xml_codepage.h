// Byte encodings of XML documents that the XML parser does not read or write itself.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lentora {

// The document as UTF-8, its encoding taken from a byte-order mark, else from the declaration
// (UTF-8 when it names none). The declaration is left as it was. Nothing for an unknown encoding.
std::optional<std::string> XmlToUtf8(std::string bytes);

// Appends `text` as UTF-8 for an XML attribute value or text, with a blank for every character that
// XML cannot hold even as a reference (C0 controls but tab, LF and CR; surrogates without their
// partner; U+FFFE, U+FFFF), so that any conforming parser reads the document.
void AppendXmlUtf8(std::wstring_view text, std::string& out);

// Re-encodes a UTF-8 document into a single-byte code page as it is written, piece by piece;
// every character the code page cannot hold becomes a numeric character reference, so the document
// must hold such characters only where references are allowed (attribute values and text).
class SingleByteXmlEncoder {
public:
    explicit SingleByteXmlEncoder(unsigned codePage);

    // A sequence cut off at the end of a piece is completed by the next one.
    void Append(std::string_view utf8, std::string& out);
    // Ends the document: a sequence still incomplete becomes U+FFFD's reference.
    void Finish(std::string& out);

private:
    void AppendWhole(std::string_view utf8, std::string& out) const;

    std::vector<unsigned char> reverse_;  // byte of each code point of the upper half, 0 when none
    std::string pending_;                 // the start of a sequence cut off at the end of a piece
};

}  // namespace lentora
