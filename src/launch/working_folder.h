// The folder a task is started in, taken from its command line.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace lentora {

// Directory part of the command line, arguments included: the text up to the last "\" or ":",
// keeping that separator only where it is a root ("C:\", "\\") or a drive colon.
// No separator gives the empty text.
std::wstring WorkingFolderOf(std::wstring_view commandLine);

// What the working folder rule asks of the file system.
struct PathProbe {
    std::function<bool(const std::wstring&)> isFolder;
    std::function<bool(const std::wstring&)> isFile;
};

// The folder to start a task in, or none (the process then starts in ours). The directory part
// of the whole line where that is an existing folder; otherwise the folder of the program part,
// which a quoted line ends at its closing quote and an unquoted one at the first blank-separated
// beginning that names a file, as the system finds it. A line whose arguments hold "\" or whose
// program path is quoted would else start in a folder that does not exist, and never start.
std::optional<std::wstring> WorkingFolderFor(std::wstring_view commandLine, const PathProbe& probe);

struct ProgramAndArguments {
    std::wstring program, arguments;
};
// The program part of a command line, found as above, and the text after it without the blanks
// in between: what a call that takes the two apart (the shell's) needs.
ProgramAndArguments SplitCommandLine(std::wstring_view commandLine, const PathProbe& probe);

}  // namespace lentora
