// The task list: the one place where the tasks live while the program runs.
// The list view shows it and reports check box clicks and selection back to it.
#pragma once
#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "log/log_sink.h"
#include "tasks/task.h"
#include "tasks/task_columns.h"
#include "util/platform.h"

namespace lentora {

class TaskList {
public:
    // Locale-aware, case-sensitive comparison with lstrcmpW's sign convention.
    using TextCompare = int (*)(std::wstring_view, std::wstring_view);

    explicit TaskList(TextCompare compare = platform::CompareTextLocale);

    size_t Count() const { return tasks_.size(); }
    bool Empty() const { return tasks_.empty(); }
    // The tasks in list order; references stay valid until the list next changes.
    const Task& Item(size_t index) const { return tasks_.at(index); }
    const std::vector<Task>& Items() const { return tasks_; }
    // The row of the task with this id; none once it was deleted.
    std::optional<size_t> IndexOf(TaskId id) const;

    // Called after every change of the tasks or their order; inside an UpdateBlock only once,
    // when the outermost block ends.
    void SetChangeHandler(std::function<void()> handler) { onChange_ = std::move(handler); }

    // Defers change notifications, like the list view's update block.
    class UpdateBlock {
    public:
        explicit UpdateBlock(TaskList& list);
        ~UpdateBlock();
        UpdateBlock(const UpdateBlock&) = delete;
        UpdateBlock& operator=(const UpdateBlock&) = delete;

    private:
        TaskList& list_;
    };

    // Gives the task an id of its own, which no other task of this list ever had.
    void Append(Task task);
    // A task the user added in the property dialog; logs "file "%s" is added".
    void AddTask(Task task, ILogSink& log);
    void SetCommandLine(size_t index, std::wstring commandLine);
    void SetDelay(size_t index, TaskDelay delay);
    void SetStatus(size_t index, std::wstring status);
    void SetImpact(size_t index, std::wstring impact);
    void SetEnabled(size_t index, bool enabled);
    void SetAllEnabled(bool enabled);
    // Every task's status becomes `enabledText` or `disabledText` after its check box.
    void RefreshStatuses(const std::wstring& enabledText, const std::wstring& disabledText);
    void Remove(size_t index);
    void Clear();

    // The selected task; the view sets it without being notified back.
    std::optional<size_t> Selected() const { return selected_; }
    void Select(std::optional<size_t> index);

    // Negative when a goes before b, positive when after, 0 when equal: their texts in the column at
    // `column` of kTaskColumns, under the current sort state.
    int CompareTasks(const Task* a, const Task* b, int column) const;
    // What a click on a column header does: takes the column's sort, sorts, switches that column's
    // direction toggle.
    void SortByColumn(int column);

private:
    void Changed();
    void EndUpdate();

    std::vector<Task> tasks_;
    std::optional<size_t> selected_;
    TextCompare compare_;
    ColumnSort kind_ = ColumnSort::kText;  // never kAsLastChosen
    std::array<bool, kTaskColumnCount> toggles_{};
    std::function<void()> onChange_;
    TaskId nextId_ = 1;
    int updateDepth_ = 0;
    bool pendingChange_ = false;
};

}  // namespace lentora
