#include "launch/working_folder.h"

#include <algorithm>

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

namespace {

// A program named without an extension is looked for with ".exe" added, as the system does.
bool NamesFile(std::wstring_view candidate, const PathProbe& probe) {
    std::wstring path(candidate);
    if (probe.isFile(path)) return true;
    const size_t name = path.find_last_of(L"\\:/");
    const bool hasExtension = path.find(L'.', name == std::wstring::npos ? 0 : name + 1) != std::wstring::npos;
    return !hasExtension && probe.isFile(path + L".exe");
}

std::wstring_view ProgramPartOf(std::wstring_view line, const PathProbe& probe) {
    if (line.starts_with(L'"')) {
        const size_t close = line.find(L'"', 1);
        return line.substr(1, close == std::wstring_view::npos ? std::wstring_view::npos : close - 1);
    }
    for (size_t blank = line.find(L' '); blank != std::wstring_view::npos; blank = line.find(L' ', blank + 1))
        if (NamesFile(line.substr(0, blank), probe)) return line.substr(0, blank);
    if (NamesFile(line, probe)) return line;
    // Nothing found: the system would try the first word last; its folder is the best guess.
    return line.substr(0, line.find(L' '));
}

}  // namespace

std::optional<std::wstring> WorkingFolderFor(std::wstring_view commandLine, const PathProbe& probe) {
    if (std::wstring whole = WorkingFolderOf(commandLine); !whole.empty() && probe.isFolder(whole)) return whole;
    if (std::wstring program = WorkingFolderOf(ProgramPartOf(commandLine, probe));
        !program.empty() && probe.isFolder(program))
        return program;
    return std::nullopt;
}

ProgramAndArguments SplitCommandLine(std::wstring_view commandLine, const PathProbe& probe) {
    const std::wstring_view program = ProgramPartOf(commandLine, probe);
    const size_t programEnd = static_cast<size_t>(program.data() - commandLine.data()) + program.size();
    std::wstring_view rest = commandLine.substr(programEnd);
    if (rest.starts_with(L'"')) rest.remove_prefix(1);  // the quoted program's closing quote
    rest.remove_prefix(std::min(rest.find_first_not_of(L' '), rest.size()));
    return {std::wstring(program), std::wstring(rest)};
}

}  // namespace lentora
