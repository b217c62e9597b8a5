// Where the shell keeps its special folders for this user or for all users.
#pragma once
#include <string>

namespace lentora {

enum class MissingFolder { Leave, Create };

// The path of the special folder `csidl` (CSIDL_STARTUP, CSIDL_APPDATA, ...); "" when the system has
// none, or when it is missing and left so.
std::wstring ShellFolderPath(int csidl, MissingFolder missing);

}  // namespace lentora
