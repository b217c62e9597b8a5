// The folder a task is started in, taken from its whole command line.
#pragma once
#include <string>
#include <string_view>

namespace lentora {

// Directory part of the command line, arguments included: the text up to the last "\" or ":",
// keeping that separator only where it is a root ("C:\", "\\") or a drive colon.
// No separator gives the empty text, which is passed on as it is.
std::wstring WorkingFolderOf(std::wstring_view commandLine);

}  // namespace lentora
