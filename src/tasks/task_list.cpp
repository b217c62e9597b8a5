#include "tasks/task_list.h"

#include <algorithm>
#include <numeric>

#include "util/format.h"
#include "util/whole_number.h"

namespace lentora {

TaskList::TaskList(TextCompare compare) : compare_(compare) {}

TaskList::UpdateBlock::UpdateBlock(TaskList& list) : list_(list) { ++list_.updateDepth_; }

TaskList::UpdateBlock::~UpdateBlock() { list_.EndUpdate(); }

void TaskList::EndUpdate() {
    if (--updateDepth_ == 0 && pendingChange_) {
        pendingChange_ = false;
        if (onChange_) onChange_();
    }
}

void TaskList::Changed() {
    if (updateDepth_ > 0) {
        pendingChange_ = true;
    } else if (onChange_) {
        onChange_();
    }
}

void TaskList::Append(Task task) {
    task.id = nextId_++;
    tasks_.push_back(std::move(task));
    Changed();
}

std::optional<size_t> TaskList::IndexOf(TaskId id) const {
    const auto found = std::find_if(tasks_.begin(), tasks_.end(), [id](const Task& task) { return task.id == id; });
    if (found == tasks_.end()) return std::nullopt;
    return static_cast<size_t>(found - tasks_.begin());
}

void TaskList::AddTask(Task task, ILogSink& log) {
    const std::wstring commandLine = task.commandLine;
    Append(std::move(task));
    log.Log(FormatText(L"file \"%s\" is added", {commandLine}));
}

void TaskList::SetCommandLine(size_t index, std::wstring commandLine) {
    tasks_.at(index).commandLine = std::move(commandLine);
    Changed();
}

void TaskList::SetDelay(size_t index, TaskDelay delay) {
    tasks_.at(index).delay = std::move(delay);
    Changed();
}

void TaskList::SetStatus(size_t index, std::wstring status) {
    tasks_.at(index).status = std::move(status);
    Changed();
}

void TaskList::SetImpact(size_t index, std::wstring impact) {
    if (tasks_.at(index).impact == impact) return;
    tasks_.at(index).impact = std::move(impact);
    Changed();
}

void TaskList::SetEnabled(size_t index, bool enabled) {
    tasks_.at(index).enabled = enabled;
    Changed();
}

void TaskList::SetAllEnabled(bool enabled) {
    if (tasks_.empty()) return;
    for (Task& task : tasks_) task.enabled = enabled;
    Changed();
}

void TaskList::RefreshStatuses(const std::wstring& enabledText, const std::wstring& disabledText) {
    if (tasks_.empty()) return;
    for (Task& task : tasks_) task.status = task.enabled ? enabledText : disabledText;
    Changed();
}

void TaskList::Remove(size_t index) {
    if (index >= tasks_.size()) return;
    tasks_.erase(tasks_.begin() + static_cast<std::ptrdiff_t>(index));
    if (selected_ == index) {
        selected_.reset();
    } else if (selected_ && *selected_ > index) {
        --*selected_;
    }
    Changed();
}

void TaskList::Clear() {
    if (tasks_.empty()) return;
    tasks_.clear();
    selected_.reset();
    Changed();
}

void TaskList::Select(std::optional<size_t> index) {
    selected_ = index && *index < tasks_.size() ? index : std::nullopt;
}

int TaskList::CompareTasks(const Task* a, const Task* b, int column) const {
    if (!a || !b || column < 0 || column >= kTaskColumnCount) return 0;
    const TaskColumn& declared = kTaskColumns[column];
    std::wstring madeA, madeB;
    const std::wstring_view textA = declared.text(*a, madeA), textB = declared.text(*b, madeB);
    int result = 0;
    if (kind_ == ColumnSort::kText) {
        result = compare_(textA, textB);
    } else {
        // Largest first; a text that is no whole number counts by its leading digits, if any.
        WholeNumber na = ReadWholeNumber(textA);
        WholeNumber nb = ReadWholeNumber(textB);
        if (na.valid || nb.valid) result = na.value < nb.value ? 1 : na.value == nb.value ? 0 : -1;
    }
    return toggles_[column] ? -result : result;
}

void TaskList::SortByColumn(int column) {
    if (column < 0 || column >= kTaskColumnCount) return;
    if (kTaskColumns[column].sort != ColumnSort::kAsLastChosen) kind_ = kTaskColumns[column].sort;

    // Integer keys mixing valid and invalid texts are not a strict weak order; a merge sort stays
    // within bounds whatever the comparison answers, and keeps equal tasks in place. The order is
    // sorted as positions so that the selection can follow its task.
    std::vector<size_t> order(tasks_.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t x, size_t y) {
        return CompareTasks(&tasks_[x], &tasks_[y], column) < 0;
    });
    std::vector<Task> sorted;
    sorted.reserve(tasks_.size());
    std::optional<size_t> selected;
    for (size_t pos = 0; pos < order.size(); ++pos) {
        if (selected_ == order[pos]) selected = pos;
        sorted.push_back(std::move(tasks_[order[pos]]));
    }
    tasks_ = std::move(sorted);
    selected_ = selected;
    toggles_[column] = !toggles_[column];
    if (!tasks_.empty()) Changed();
}

}  // namespace lentora
