// The name a picture of a start gives a launch: the file name of its command line's program.
#pragma once
#include <string>
#include <string_view>

namespace lentora {

// The program is the quoted part of a line that begins with a quote; otherwise the line up to the
// first blank after a file name with an extension ("C:\Program Files\a.exe -x" gives "a.exe"), or
// the whole line. Its name is what follows the last "\" or "/".
std::wstring ProgramFileName(std::wstring_view commandLine);

}  // namespace lentora
