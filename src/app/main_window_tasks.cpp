// The task page: the list view over the task model, its editing commands and the launcher.
#include <algorithm>

#include "app/main_window.h"
#include "app/main_window_ids.h"
#include "app/task_dialog.h"
#include "ui/list_view_rows.h"
#include "ui/message_box.h"
#include "util/format.h"

namespace lentora {

void MainWindow::RefreshListView() {
    // Only cells that differ from what is on show are written: a tick that launches many tasks
    // changes one status per launch, and rewriting every row for each of them costs more than
    // the launches themselves.
    syncingListView_ = true;
    const size_t count = tasks_.Count();
    // A list view that draws after every change takes minutes for a list of many thousand rows;
    // when many rows change (a load, a sort, all enabled at once) it draws once at the end.
    auto manyRowsChange = [&] {
        constexpr size_t kMany = 64;
        size_t changes = count > shownRows_.size() ? count - shownRows_.size() : shownRows_.size() - count;
        for (size_t i = 0; i < std::min(count, shownRows_.size()) && changes <= kMany; ++i) {
            const ShownRow& shown = shownRows_[i];
            const Task& task = tasks_.Item(i);
            changes += task.commandLine != shown.caption || task.delay != shown.delay || task.status != shown.status ||
                       task.enabled != shown.enabled;
        }
        return changes > kMany;
    };
    const bool drawOnce = manyRowsChange();
    if (drawOnce) SendMessageW(lvListProg_, WM_SETREDRAW, FALSE, 0);
    while (static_cast<size_t>(ListView_GetItemCount(lvListProg_)) > count)
        ListView_DeleteItem(lvListProg_, static_cast<int>(count));
    if (shownRows_.size() > count) shownRows_.resize(count);
    for (size_t i = 0; i < count; ++i) {
        const int row = static_cast<int>(i);
        const bool added = i >= shownRows_.size();
        if (added) {
            LVITEMW item{LVIF_TEXT};
            item.iItem = row;
            item.pszText = const_cast<wchar_t*>(L"");
            ListView_InsertItem(lvListProg_, &item);
            shownRows_.emplace_back();
        }
        ShownRow& shown = shownRows_[i];
        auto text = [&](int column, std::wstring_view value, std::wstring& onShow) {
            if (!added && value == onShow) return;
            onShow = value;
            ListView_SetItemText(lvListProg_, row, column, const_cast<wchar_t*>(onShow.c_str()));
        };
        const Task& task = tasks_.Item(i);
        text(0, task.commandLine, shown.caption);
        text(1, task.delay, shown.delay);
        text(2, task.status, shown.status);
        if (added || shown.enabled != task.enabled) {
            ListView_SetCheckState(lvListProg_, row, task.enabled);
            shown.enabled = task.enabled;
        }
        const bool selected = tasks_.Selected() == i;
        if (added || shown.selected != selected) {
            ListView_SetItemState(lvListProg_, row, selected ? LVIS_SELECTED | LVIS_FOCUSED : 0,
                                  LVIS_SELECTED | LVIS_FOCUSED);
            shown.selected = selected;
        }
    }
    if (drawOnce) {
        SendMessageW(lvListProg_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(lvListProg_, nullptr, TRUE);
    }
    syncingListView_ = false;
}

void MainWindow::OnListViewItemChanged(NMLISTVIEW* nm) {
    if (syncingListView_ || nm->iItem < 0 || static_cast<size_t>(nm->iItem) >= tasks_.Count()) return;
    auto index = static_cast<size_t>(nm->iItem);
    if ((nm->uChanged & LVIF_STATE) && ((nm->uNewState ^ nm->uOldState) & LVIS_STATEIMAGEMASK)) {
        bool checked = ((nm->uNewState & LVIS_STATEIMAGEMASK) >> 12) == 2;
        if (tasks_.Item(index).enabled != checked) tasks_.SetEnabled(index, checked);
    }
    if ((nm->uChanged & LVIF_STATE) && ((nm->uNewState ^ nm->uOldState) & LVIS_SELECTED)) {
        if (nm->uNewState & LVIS_SELECTED)
            tasks_.Select(index);
        else if (tasks_.Selected() == index)
            tasks_.Select(std::nullopt);
    }
}

LRESULT MainWindow::OnListViewCustomDraw(NMLVCUSTOMDRAW* cd) {
    // Disabled tasks are drawn struck through; colours stay as they are.
    return ui::DrawRowsInFont(*cd, [this](size_t row) {
        return row < tasks_.Count() && tasks_.Item(row).enabled ? font_.get() : strikeFont_.get();
    });
}

void MainWindow::RefreshStatusColumn() {
    if (tasks_.Empty()) return;
    tasks_.RefreshStatuses(Msg(Message::TaskEnabledStatus), Msg(Message::TaskDisabledStatus));
}

void MainWindow::SetTaskEditing(bool enabled) {
    pageUpdates_.Run(L"lvListProg.enabled", [this, enabled] { EnableWindow(lvListProg_, enabled); });
    for (int command : {ids::actAddTask, ids::actEditTask, ids::actDeleteTask}) ActionFor(command).SetEnabled(enabled);
}

void MainWindow::actAddTaskExecute() {
    {
        TaskDialog dialog(*this, TaskDialog::kAdding);
        dialog.ShowModal();
    }
    tasks_.SortByColumn(TaskList::kTime);
    tasks_.SortByColumn(TaskList::kTime);
}

std::optional<size_t> MainWindow::SelectedTaskOrWarn(Message nothingSelected) {
    const Message warning = tasks_.Empty() ? Message::ListEmpty : nothingSelected;
    std::optional<size_t> selected = tasks_.Empty() ? std::nullopt : tasks_.Selected();
    if (!selected) ui::ShowMessageBox(hwnd(), Msg(warning), Msg(Message::WarningCaption), MB_OK | MB_ICONWARNING);
    return selected;
}

void MainWindow::actEditTaskExecute() {
    if (sequencer_.WalkActive()) return;
    if (!SelectedTaskOrWarn(Message::NothingToEdit)) return;
    TaskDialog dialog(*this, TaskDialog::kEditing);
    dialog.ShowModal();
}

void MainWindow::actDeleteTaskExecute() {
    const std::optional<size_t> selected = SelectedTaskOrWarn(Message::NothingToDelete);
    if (!selected) return;
    if (ui::ShowMessageBox(hwnd(), Msg(Message::DeleteTaskQuestion), Msg(Message::QuestionCaption),
                           MB_YESNO | MB_ICONWARNING) != IDYES)
        return;
    Log(FormatText(L"Task \"%s\" is deleted from list", {tasks_.Item(*selected).commandLine}));
    tasks_.Remove(*selected);
}

void MainWindow::actDeleteAllTaskExecute() {
    if (tasks_.Empty()) {
        ui::ShowMessageBox(hwnd(), Msg(Message::ListEmpty), Msg(Message::EmptyListCaption), MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (ui::ShowMessageBox(hwnd(), Msg(Message::DeleteAllQuestion), Msg(Message::QuestionCaption),
                           MB_YESNO | MB_ICONWARNING) != IDYES)
        return;
    tasks_.Clear();
    Log(L"List of tasks is fully cleared");
}

void MainWindow::actSetActiveAllExecute() {
    Log(L"Activate all tasks");
    tasks_.SetAllEnabled(true);
}

void MainWindow::actDeactiveAllExecute() {
    Log(L"Deactivate all tasks");
    tasks_.SetAllEnabled(false);
}

bool MainWindow::LaunchProgram(const std::wstring& commandLine) { return launcher_.Launch(commandLine); }

void MainWindow::actStartExecute() {
    const std::optional<size_t> selected = SelectedTaskOrWarn(Message::NothingToStart);
    if (!selected) return;
    bool started = LaunchProgram(tasks_.Item(*selected).commandLine);
    tasks_.SetStatus(*selected, Msg(started ? Message::TaskStartedStatus : Message::TaskFailedStatus));
}

}  // namespace lentora
