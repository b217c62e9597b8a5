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
#include "tasks/task_item.h"
#include "util/platform.h"

namespace lentora {

class TaskList {
public:
    // Locale-aware, case-sensitive comparison with lstrcmpW's sign convention.
    using TextCompare = int (*)(std::wstring_view, std::wstring_view);

    // Column positions of the list view.
    enum Column { kProgram = 0, kTime = 1, kStatus = 2 };

    explicit TaskList(TextCompare compare = platform::CompareTextLocale);

    size_t Count() const { return rows_.size(); }
    bool Empty() const { return rows_.empty(); }
    const TTaskItem& Item(size_t index) const { return rows_.at(index); }
    const std::vector<TTaskItem>& Items() const { return rows_; }

    // Called after every change of the rows or their order; inside an UpdateBlock only once,
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

    void Reserve(size_t extraRows) { rows_.reserve(rows_.size() + extraRows); }
    void Append(TTaskItem item);
    // The property dialog's new row; logs "file "%s" is added".
    void addfiletotable(const std::wstring& addfile, const std::wstring& ztime, const std::wstring& scomm,
                        bool zstatus, const std::wstring& reg, ILogSink& log);
    void SetCaption(size_t index, std::wstring caption);
    void SetDelay(size_t index, std::wstring delay);
    void SetStatus(size_t index, std::wstring status);
    void SetEnabled(size_t index, bool enabled);
    void SetAllEnabled(bool enabled);
    // Every row's status becomes `enabledText` or `disabledText` after its check box.
    void SetStatusLV(const std::wstring& enabledText, const std::wstring& disabledText);
    void Remove(size_t index);
    void Clear();

    // The selected row; the view sets it without being notified back.
    std::optional<size_t> Selected() const { return selected_; }
    void Select(std::optional<size_t> index);

    // Negative when a goes before b, positive when after, 0 when equal, under the current sort state.
    int CompareTasks(const TTaskItem* a, const TTaskItem* b, int key) const;
    // A click on a column header: sets the sort kind, sorts, switches that column's direction toggle.
    void ColumnClick(int column);

private:
    enum class SortKind { Text, Integer };

    void Changed();
    void EndUpdate();

    std::vector<TTaskItem> rows_;
    std::optional<size_t> selected_;
    TextCompare compare_;
    SortKind kind_ = SortKind::Text;
    std::array<bool, 3> toggles_{};
    std::function<void()> onChange_;
    int updateDepth_ = 0;
    bool pendingChange_ = false;
};

}  // namespace lentora
