#include "launch/working_folder.h"

namespace lentora {

std::wstring WorkingFolderOf(std::wstring_view commandLine) {
    const size_t last = commandLine.find_last_of(L"\\:");
    if (last == std::wstring_view::npos) return {};
    size_t end = last + 1;
    if (last > 0 && commandLine[last] == L'\\') {
        const wchar_t before = commandLine[last - 1];
        if (before != L'\\' && before != L':') end = last;
    }
    return std::wstring(commandLine.substr(0, end));
}

}  // namespace lentora
