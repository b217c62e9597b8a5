// Names of byte encodings, as documents and servers give them, and Windows code pages.
#pragma once
#include <optional>
#include <string_view>

namespace lentora {

// The Windows code page an encoding name stands for (letter case ignored), as Windows maps the
// names it knows: "windows-1251", "koi8-r", "iso-8859-5", "ibm866", "cp866", "utf-8", ... Nothing for
// a name Windows has no code page for.
std::optional<unsigned> CodePageOfEncodingName(std::string_view name);

}  // namespace lentora
