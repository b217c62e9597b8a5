#include "app/task_commands.h"

#include <algorithm>

#include "app/delay_spacing_dialog.h"
#include "app/task_status_texts.h"
#include "app/walk_measurer.h"
#include "measure/delay_suggestion.h"
#include "tasks/task_list.h"
#include "ui/window.h"
#include "ui/message_box.h"
#include "util/format.h"

namespace lentora {

void TaskCommands::Add() {
    parts_.openTaskDialog(false);
    // Twice: the first click on a column sorts it descending.
    parts_.tasks.SortByColumn(kTimeColumn);
    parts_.tasks.SortByColumn(kTimeColumn);
}

std::optional<size_t> TaskCommands::SelectedOrWarn(Message nothingSelected) {
    const TaskList& tasks = parts_.tasks;
    const Message warning = tasks.Empty() ? Message::ListEmpty : nothingSelected;
    std::optional<size_t> selected = tasks.Empty() ? std::nullopt : tasks.Selected();
    if (!selected)
        ui::ShowMessageBox(parts_.owner.hwnd(), parts_.texts.Msg(warning), parts_.texts.Msg(Message::WarningCaption),
                           MB_OK | MB_ICONWARNING);
    return selected;
}

bool TaskCommands::Ask(Message question, Message caption) {
    return ui::ShowMessageBox(parts_.owner.hwnd(), parts_.texts.Msg(question), parts_.texts.Msg(caption), MB_YESNO | MB_ICONWARNING) ==
           IDYES;
}

void TaskCommands::EditSelected() {
    if (parts_.walkActive()) return;
    if (!SelectedOrWarn(Message::NothingToEdit)) return;
    parts_.openTaskDialog(true);
}

void TaskCommands::DeleteSelected() {
    const std::optional<size_t> selected = SelectedOrWarn(Message::NothingToDelete);
    if (!selected) return;
    // The question's own message loop lets the walk run underneath: the row is found again after it.
    TaskList& tasks = parts_.tasks;
    const TaskId task = tasks.Item(*selected).id;
    if (!Ask(Message::DeleteTaskQuestion, Message::QuestionCaption)) return;
    const std::optional<size_t> row = tasks.IndexOf(task);
    if (!row) return;
    parts_.log.Log(FormatText(L"Task \"%s\" is deleted from list", {tasks.Item(*row).commandLine}));
    tasks.Remove(*row);
}

void TaskCommands::DeleteAll() {
    TaskList& tasks = parts_.tasks;
    if (tasks.Empty()) {
        ui::ShowMessageBox(parts_.owner.hwnd(), parts_.texts.Msg(Message::ListEmpty), parts_.texts.Msg(Message::EmptyListCaption),
                           MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (!Ask(Message::DeleteAllQuestion, Message::QuestionCaption)) return;
    tasks.Clear();
    parts_.log.Log(L"List of tasks is fully cleared");
}

void TaskCommands::SetAllEnabled(bool enabled) {
    parts_.log.Log(enabled ? L"Activate all tasks" : L"Deactivate all tasks");
    parts_.tasks.SetAllEnabled(enabled);
}

void TaskCommands::StartSelected() {
    const std::optional<size_t> selected = SelectedOrWarn(Message::NothingToStart);
    if (!selected) return;
    TaskList& tasks = parts_.tasks;
    const Task& task = tasks.Item(*selected);
    tasks.SetStatus(*selected, LaunchStatusText(parts_.launch(task.id, task.commandLine), parts_.texts));
}

void TaskCommands::RefreshStatuses() { ShowEnabledStatuses(parts_.tasks, parts_.texts); }

void TaskCommands::SpaceByMeasurement(const std::vector<StartRecord>& history) {
    if (parts_.walkActive()) return;
    TaskList& tasks = parts_.tasks;
    const std::vector<DelayProposal> proposals = ProposeDelays(tasks, history, kMeasuringWindowSeconds);
    if (std::none_of(proposals.begin(), proposals.end(), [](const DelayProposal& p) { return p.measured; })) {
        ui::ShowMessageBox(parts_.owner.hwnd(), parts_.texts.Msg(NamedMsg::SpacingNothingMeasured),
                           parts_.texts.Msg(NamedMsg::SpacingTitle), MB_OK | MB_ICONINFORMATION);
        return;
    }
    // The rows are found again by their tasks after the dialog's own message loop.
    std::vector<TaskId> ids;
    for (const DelayProposal& proposal : proposals) ids.push_back(tasks.Item(proposal.row).id);
    DelaySpacingDialog dialog({parts_.owner, tasks, parts_.texts, parts_.skins}, proposals);
    if (!dialog.ShowModal()) return;
    int changed = 0;
    for (size_t i = 0; i < proposals.size(); ++i) {
        const std::optional<size_t> row = tasks.IndexOf(ids[i]);
        if (!row || tasks.Item(*row).delay.Seconds() == proposals[i].proposed) continue;
        tasks.SetDelay(*row, TaskDelay(std::to_wstring(proposals[i].proposed)));
        ++changed;
    }
    parts_.log.Log(FormatText(L"Delays spaced by measurement: %s of %s tasks changed",
                              {std::to_wstring(changed), std::to_wstring(proposals.size())}));
}

}  // namespace lentora
