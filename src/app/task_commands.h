// The commands on the task list: add, edit, delete one or all, enable or disable all, start the
// selected task now, and space the delays by measurement. Each asks or warns in a box as needed and logs what it changed.
#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "lang/language_messages.h"
#include "launch/walk_observer.h"
#include "log/log_sink.h"
#include "measure/start_record.h"
#include "tasks/task.h"

namespace lentora {

class TaskList;
namespace ui {
class SkinManager;
class Window;
}

class TaskCommands {
public:
    struct Parts {
        const ui::Window& owner;  // of the boxes
        const IMessageSource& texts;
        ILogSink& log;
        TaskList& tasks;
        ui::SkinManager& skins;  // dresses the dialogs the commands open
        std::function<bool()> walkActive;
        std::function<LaunchOutcome(TaskId task, const std::wstring& commandLine)> launch;
        // Shows the task dialog until it closes: a new task, or the selected one to edit.
        std::function<void(bool editing)> openTaskDialog;
    };

    explicit TaskCommands(Parts parts) : parts_(std::move(parts)) {}

    void Add();
    void EditSelected();
    void DeleteSelected();
    void DeleteAll();
    void SetAllEnabled(bool enabled);
    void StartSelected();
    // Proposes delays from the measured starts in `history` and sets them once the user applies.
    void SpaceByMeasurement(const std::vector<StartRecord>& history);
    // Every row's status: enabled or disabled, in the language in force.
    void RefreshStatuses();

private:
    // The selected task; nothing, after a warning why, when the list is empty or nothing is selected.
    std::optional<size_t> SelectedOrWarn(Message nothingSelected);
    bool Ask(Message question, Message caption);

    Parts parts_;
};

}  // namespace lentora
