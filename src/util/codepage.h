// Conversions between UTF-16 text and the byte encodings the program's files use.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace lentora {

// Single-byte code pages the core converts without the operating system (1250, 1251, 1252).
bool IsBuiltinCodePage(unsigned codePage);
std::wstring DecodeSingleByte(std::string_view bytes, unsigned codePage);
// Characters the code page cannot hold become `fallback`.
std::string EncodeSingleByte(std::wstring_view text, unsigned codePage, char fallback = '?');
// The byte for one character, or nothing when the code page cannot hold it.
std::optional<unsigned char> EncodeSingleByteChar(wchar_t ch, unsigned codePage);

// The end of the run of ASCII bytes that starts at `from`.
size_t AsciiRunEnd(std::string_view bytes, size_t from);
// The length of the UTF-8 sequence a lead byte starts; 1 for ASCII and for a byte that cannot lead one.
size_t Utf8SequenceLength(unsigned char lead);

std::wstring DecodeUtf8(std::string_view bytes);
void AppendDecodedUtf8(std::string_view bytes, std::wstring& out);
std::string EncodeUtf8(std::wstring_view text);
void AppendUtf8(std::wstring_view text, std::string& out);
std::wstring DecodeUtf16Le(std::string_view bytes);
std::wstring DecodeUtf16Be(std::string_view bytes);
std::string EncodeUtf16Le(std::wstring_view text);

// Latin-1: every byte becomes the character of the same value.
std::wstring DecodeLatin1(std::string_view bytes);

// Decodes a whole text file: a UTF-8 or UTF-16 LE/BE byte-order mark decides, else `fallbackCodePage`
// through the platform. The mark itself is dropped.
std::wstring DecodeTextFile(std::string_view bytes, unsigned fallbackCodePage);

}  // namespace lentora
