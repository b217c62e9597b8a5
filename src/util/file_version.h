// The version text of an executable's version resource (Windows only).
#pragma once
#include <string>

namespace lentora {

// The FileVersion string of the first translation of the file's version resource; "" when the file,
// the resource, the translation table or the string is missing.
std::wstring ReadFileVersion(const std::wstring& fileName);

}  // namespace lentora
