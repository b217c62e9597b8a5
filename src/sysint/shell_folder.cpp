#include "sysint/shell_folder.h"

#include <windows.h>
#include <shlobj.h>

namespace lentora {

std::wstring ShellFolderPath(int csidl, MissingFolder missing) {
    wchar_t buffer[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, buffer, csidl, missing == MissingFolder::Create)) return L"";
    return buffer;
}

}  // namespace lentora
