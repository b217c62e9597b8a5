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
#include "util/platform.h"

namespace lentora {

class TaskList {
public:
    // Locale-aware, case-sensitive comparison with lstrcmpW's sign convention.
    using TextCompare = int (*)(std::wstring_view, std::wstring_view);

    // Column positions of the list view.
    enum Column { kProgram = 0, kTime = 1, kStatus = 2 };

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
    void SetEnabled(size_t index, bool enabled);
    void SetAllEnabled(bool enabled);
    // Every task's status becomes `enabledText` or `disabledText` after its check box.
    void RefreshStatuses(const std::wstring& enabledText, const std::wstring& disabledText);
    void Remove(size_t index);
    void Clear();

    // The selected task; the view sets it without being notified back.
    std::optional<size_t> Selected() const { return selected_; }
    void Select(std::optional<size_t> index);

    // Negative when a goes before b, positive when after, 0 when equal, under the current sort state.
    // `key` is the sub-item: -1 the command line, 0 the delay, 1 the status, 2 the imported flag.
    int CompareTasks(const Task* a, const Task* b, int key) const;
    // What a click on a column header does: sets the sort kind, sorts, switches that column's
    // direction toggle.
    void SortByColumn(int column);

private:
    enum class SortKind { Text, Integer };

    int CompareTexts(std::wstring_view a, std::wstring_view b, int key) const;
    void Changed();
    void EndUpdate();

    std::vector<Task> tasks_;
    std::optional<size_t> selected_;
    TextCompare compare_;
    SortKind kind_ = SortKind::Text;
    std::array<bool, 3> toggles_{};
    std::function<void()> onChange_;
    TaskId nextId_ = 1;
    int updateDepth_ = 0;
    bool pendingChange_ = false;
};

}  // namespace lentora
