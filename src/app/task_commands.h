// The commands on the task list: add, edit, delete one or all, enable or disable all, and start
// the selected task now. Each asks or warns in a box as needed and logs what it changed.
#pragma once
#include <cstddef>
#include <optional>

#include "lang/language_messages.h"

namespace lentora {

class MainWindow;

class TaskCommands {
public:
    explicit TaskCommands(MainWindow& window) : window_(window) {}

    void Add();
    void EditSelected();
    void DeleteSelected();
    void DeleteAll();
    void SetAllEnabled(bool enabled);
    void StartSelected();
    // Every row's status: enabled or disabled, in the language in force.
    void RefreshStatuses();

private:
    // The selected task; nothing, after a warning why, when the list is empty or nothing is selected.
    std::optional<size_t> SelectedOrWarn(Message nothingSelected);
    bool Ask(Message question, Message caption);

    MainWindow& window_;
};

}  // namespace lentora
