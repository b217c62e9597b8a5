#include "tasks/task_list.h"

#include <algorithm>
#include <numeric>

#include "util/format.h"
#include "util/whole_number.h"

namespace lentora {
namespace {

std::wstring_view KeyText(const Task& task, int key) {
    switch (key) {
        case -1: return task.commandLine;
        case 0: return task.delay.Text();
        case 1: return task.status;
        case 2: return task.importedFromSystem;
        default: return {};
    }
}

}  // namespace

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

int TaskList::CompareTasks(const Task* a, const Task* b, int key) const {
    if (!a || !b) return 0;
    return CompareTexts(KeyText(*a, key), KeyText(*b, key), key);
}

int TaskList::CompareTexts(std::wstring_view a, std::wstring_view b, int key) const {
    int result = 0;
    if (kind_ == SortKind::Text) {
        result = compare_(a, b);
    } else {
        WholeNumber na = ReadWholeNumber(a);
        WholeNumber nb = ReadWholeNumber(b);
        if (na.valid || nb.valid) result = na.value < nb.value ? 1 : na.value == nb.value ? 0 : -1;
    }
    int column = key + 1;
    if (column >= 0 && column < static_cast<int>(toggles_.size()) && toggles_[column]) result = -result;
    return result;
}

void TaskList::SortByColumn(int column) {
    if (column < kProgram || column > kStatus) return;
    if (column == kProgram) kind_ = SortKind::Text;
    if (column == kTime) kind_ = SortKind::Integer;

    // Integer keys mixing valid and invalid texts are not a strict weak order; a merge sort stays
    // within bounds whatever the comparison answers, and keeps equal tasks in place. The order is
    // sorted as positions so that the selection can follow its task.
    const int key = column - 1;
    std::vector<size_t> order(tasks_.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t x, size_t y) {
        return CompareTasks(&tasks_[x], &tasks_[y], key) < 0;
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
