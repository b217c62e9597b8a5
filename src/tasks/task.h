// One task of the task list: a program started a number of seconds after the walk begins.
#pragma once
#include <cstdint>
#include <string>
#include <tuple>

#include "tasks/task_delay.h"

namespace lentora {

// Which task of the list a task is. Rows move when the list is sorted or a task is deleted; a
// reference that must outlive a change of the list (a launch held for a later tick) keeps this.
using TaskId = std::uint64_t;

struct Task {
    std::wstring commandLine;
    TaskDelay delay;      // kept as written; the validation pass corrects one that is no delay
    std::wstring status;  // shown in the list, never saved
    // The file's "reg" text, kept as read so a save writes it back: "1" when the task was taken over
    // from the system's start-up entries, "0" otherwise.
    std::wstring importedFromSystem = L"0";
    bool enabled = false;  // the row's check box
    TaskId id = 0;         // given by the list when the task is added, never saved
    std::wstring impact{};  // what the program typically costs at a start, from the history; shown, never saved

    // Equal in what is shown and saved; which list entry a task is does not count.
    bool operator==(const Task& other) const {
        return std::tie(commandLine, delay, status, impact, importedFromSystem, enabled) ==
               std::tie(other.commandLine, other.delay, other.status, other.impact, other.importedFromSystem,
                        other.enabled);
    }
};

}  // namespace lentora
