// One task of the task list: a program started a number of seconds after the walk begins.
#pragma once
#include <string>

namespace lentora {

struct Task {
    std::wstring commandLine;
    std::wstring delay;   // seconds, as decimal text; kept as written, the validation pass corrects it
    std::wstring status;  // shown in the list, never saved
    // The file's "reg" text, kept as read so a save writes it back: "1" when the task was taken over
    // from the system's start-up entries, "0" otherwise.
    std::wstring importedFromSystem = L"0";
    bool enabled = false;  // the row's check box

    bool operator==(const Task&) const = default;
};

}  // namespace lentora
