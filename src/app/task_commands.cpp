#include "app/task_commands.h"

#include "app/main_window.h"
#include "app/task_dialog.h"
#include "ui/message_box.h"
#include "util/format.h"

namespace lentora {

void TaskCommands::Add() {
    {
        TaskDialog dialog(window_, TaskDialog::kAdding);
        dialog.ShowModal();
    }
    // Twice: the first click on a column sorts it descending.
    window_.Tasks().SortByColumn(kTimeColumn);
    window_.Tasks().SortByColumn(kTimeColumn);
}

std::optional<size_t> TaskCommands::SelectedOrWarn(Message nothingSelected) {
    const TaskList& tasks = window_.Tasks();
    const Message warning = tasks.Empty() ? Message::ListEmpty : nothingSelected;
    std::optional<size_t> selected = tasks.Empty() ? std::nullopt : tasks.Selected();
    if (!selected)
        ui::ShowMessageBox(window_.hwnd(), window_.Msg(warning), window_.Msg(Message::WarningCaption),
                           MB_OK | MB_ICONWARNING);
    return selected;
}

bool TaskCommands::Ask(Message question, Message caption) {
    return ui::ShowMessageBox(window_.hwnd(), window_.Msg(question), window_.Msg(caption), MB_YESNO | MB_ICONWARNING) ==
           IDYES;
}

void TaskCommands::EditSelected() {
    if (window_.Seq().WalkActive()) return;
    if (!SelectedOrWarn(Message::NothingToEdit)) return;
    TaskDialog dialog(window_, TaskDialog::kEditing);
    dialog.ShowModal();
}

void TaskCommands::DeleteSelected() {
    const std::optional<size_t> selected = SelectedOrWarn(Message::NothingToDelete);
    if (!selected) return;
    // The question's own message loop lets the walk run underneath: the row is found again after it.
    TaskList& tasks = window_.Tasks();
    const TaskId task = tasks.Item(*selected).id;
    if (!Ask(Message::DeleteTaskQuestion, Message::QuestionCaption)) return;
    const std::optional<size_t> row = tasks.IndexOf(task);
    if (!row) return;
    window_.Log(FormatText(L"Task \"%s\" is deleted from list", {tasks.Item(*row).commandLine}));
    tasks.Remove(*row);
}

void TaskCommands::DeleteAll() {
    TaskList& tasks = window_.Tasks();
    if (tasks.Empty()) {
        ui::ShowMessageBox(window_.hwnd(), window_.Msg(Message::ListEmpty), window_.Msg(Message::EmptyListCaption),
                           MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (!Ask(Message::DeleteAllQuestion, Message::QuestionCaption)) return;
    tasks.Clear();
    window_.Log(L"List of tasks is fully cleared");
}

void TaskCommands::SetAllEnabled(bool enabled) {
    window_.Log(enabled ? L"Activate all tasks" : L"Deactivate all tasks");
    window_.Tasks().SetAllEnabled(enabled);
}

void TaskCommands::StartSelected() {
    const std::optional<size_t> selected = SelectedOrWarn(Message::NothingToStart);
    if (!selected) return;
    TaskList& tasks = window_.Tasks();
    const Task& task = tasks.Item(*selected);
    tasks.SetStatus(*selected, LaunchStatusText(window_.LaunchProgram(task.id, task.commandLine), window_));
}

void TaskCommands::RefreshStatuses() {
    TaskList& tasks = window_.Tasks();
    if (tasks.Empty()) return;
    tasks.RefreshStatuses(window_.Msg(Message::TaskEnabledStatus), window_.Msg(Message::TaskDisabledStatus));
}

}  // namespace lentora
