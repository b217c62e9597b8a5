// Shortcut files made through the shell link object.
#pragma once
#include <optional>
#include <string>

#include "log/log_sink.h"

namespace lentora {

// The program's own shortcut in the user's Startup folder.
inline constexpr wchar_t kShortcutName[] = L"Launch Lentora.lnk";

// Writes the shortcut `linkFile` (replacing an existing one) to `target` with its arguments and
// description, the target's first icon and the target's folder as working folder. COM is started
// on the calling thread if it has not been. False when the shell link object cannot be created or
// the file cannot be saved.
bool CreateShellLink(const std::wstring& target, const std::wstring& linkFile, const std::wstring& description,
                     const std::wstring& arguments);

struct ShellLinkTarget {
    std::wstring path, arguments;
};
// The file a shortcut starts and the arguments it passes, as stored (the link is not resolved, so
// nothing is searched and no window shows). Nullopt when the file is no shortcut that can be read
// or names no file, as a shortcut to a shell folder or a web page does.
std::optional<ShellLinkTarget> ReadShellLink(const std::wstring& linkFile);

enum class ShortcutResult { kCreated, kNoFolder, kFailed };

// The error boxes' texts in the applied language.
struct ShortcutErrorTexts {
    std::wstring caption;
    std::wstring noFolder;
    std::wstring notCreated;  // %s: the shortcut file
};

// Writes "Launch Lentora.lnk" starting `exePath` with -start into the Startup folder. An empty
// folder (it could not be determined) is refused rather than writing to the root of the drive.
// Failures are logged and shown in an error box; the caller decides what follows from the result.
ShortcutResult CreateStartupShortcut(const std::wstring& startupFolder, const std::wstring& exePath,
                                     const ShortcutErrorTexts& texts, ILogSink& log);

}  // namespace lentora
