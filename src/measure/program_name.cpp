#include "measure/program_name.h"

namespace lentora {
namespace {

std::wstring_view ProgramPart(std::wstring_view line) {
    if (line.starts_with(L'"')) {
        line.remove_prefix(1);
        return line.substr(0, line.find(L'"'));
    }
    // No file system to ask: a blank ends the program once its file name has a dot.
    for (size_t blank = line.find(L' '); blank != std::wstring_view::npos; blank = line.find(L' ', blank + 1)) {
        const std::wstring_view before = line.substr(0, blank);
        const size_t name = before.find_last_of(L"\\/");
        if (before.find(L'.', name == std::wstring_view::npos ? 0 : name) != std::wstring_view::npos) return before;
    }
    return line;
}

}  // namespace

std::wstring ProgramFileName(std::wstring_view commandLine) {
    std::wstring_view program = ProgramPart(commandLine);
    if (const size_t slash = program.find_last_of(L"\\/"); slash != std::wstring_view::npos)
        program.remove_prefix(slash + 1);
    return std::wstring(program);
}

}  // namespace lentora
